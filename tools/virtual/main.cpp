// px300-virtual: serves virtual devices until SIGINT or SIGTERM; "px300-virtual ctl" controls a
// running server.
#include <sys/signalfd.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "link/virtual_wire.h"
#include "tools/virtual/control_client.h"
#include "tools/virtual/control_command.h"
#include "tools/virtual/virtual_server.h"

namespace {
constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
constexpr unsigned long kMaxLatencyUs = 1000000;

void PrintUsage(FILE* out) {
    std::fprintf(out,
                 "usage: px300-virtual [--dir DIR] [--log FILE] [--latency-us N] DEVICE...\n"
                 "       px300-virtual ctl [--dir DIR] COMMAND\n"
                 "DEVICE:");
    for (const std::string& word : CVirtualServer::DeviceWords()) {
        std::fprintf(out, " %s", word.c_str());
    }
    std::fprintf(out, "\nCOMMAND:\n");
    const std::string usage = kControlUsage;
    size_t start = 0;
    for (size_t end = usage.find('\n'); start < usage.size(); end = usage.find('\n', start)) {
        std::fprintf(out, "  %s\n", usage.substr(start, end - start).c_str());
        start = end == std::string::npos ? usage.size() : end + 1;
    }
    std::fprintf(out, "N: microseconds each report takes (0 to %lu)\n", kMaxLatencyUs);
}

int Usage(const std::string& problem) {
    std::fprintf(stderr, "px300-virtual: %s\n", problem.c_str());
    PrintUsage(stderr);
    return kExitUsage;
}

// Takes "--name VALUE" at args[i]; false when args[i] is not that option.
bool TakeOption(const std::vector<std::string>& args, size_t& i, const char* name, std::string& value,
                bool& missing) {
    if (args[i] != name) {
        return false;
    }
    missing = i + 1 >= args.size();
    if (!missing) {
        value = args[++i];
    }
    return true;
}

int Ctl(const std::vector<std::string>& args) {
    std::string dir = VirtualDeviceDir();
    size_t i = 0;
    bool missing = false;
    if (!args.empty() && TakeOption(args, i, "--dir", dir, missing)) {
        if (missing) {
            return Usage("--dir needs a directory");
        }
        ++i;
    }
    const std::vector<std::string> words(args.begin() + i, args.end());
    ControlCommand command;
    std::string error;
    if (!ParseControlCommand(words, command, error)) {
        return Usage(error);
    }
    std::string line;
    for (const std::string& word : words) {
        line += (line.empty() ? "" : " ") + word;
    }
    return RunControlClient(dir, line);
}

// Blocks until SIGINT or SIGTERM arrives. The signals are blocked before any thread starts, so
// only this wait receives them.
int WaitForSignal(const sigset_t& signals) {
    const int fd = ::signalfd(-1, &signals, SFD_CLOEXEC);
    signalfd_siginfo info{};
    while (fd >= 0 && ::read(fd, &info, sizeof info) < 0) {
    }
    if (fd >= 0) {
        ::close(fd);
    }
    return fd >= 0 ? kExitOk : kExitFailed;
}

int Serve(const std::vector<std::string>& args) {
    CVirtualServer::Options options;
    std::vector<std::string> words;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string latency;
        bool missing = false;
        if (args[i] == "--help" || args[i] == "-h") {
            PrintUsage(stdout);
            return kExitOk;
        }
        if (TakeOption(args, i, "--dir", options.dir, missing) ||
            TakeOption(args, i, "--log", options.logFile, missing)) {
            if (missing) {
                return Usage(args[i] + " needs a value");
            }
        } else if (TakeOption(args, i, "--latency-us", latency, missing)) {
            unsigned long us = 0;
            if (missing || !ParseNumber(latency, kMaxLatencyUs, us)) {
                return Usage("--latency-us needs a number from 0 to 1000000");
            }
            options.latencyUs = static_cast<int>(us);
        } else if (args[i].starts_with("-")) {
            return Usage("unknown option " + args[i]);
        } else {
            words.push_back(args[i]);
        }
    }
    if (words.empty()) {
        return Usage("no DEVICE given");
    }
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    CVirtualServer server(options);
    std::string error;
    for (const std::string& word : words) {
        if (!server.Add(word, &error)) {
            return Usage(error);
        }
    }
    if (!server.Start(&error)) {
        std::fprintf(stderr, "px300-virtual: %s\n", error.c_str());
        return kExitFailed;
    }
    const int status = WaitForSignal(signals);
    server.Stop();
    return status;
}
}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && args[0] == "ctl") {
        return Ctl({args.begin() + 1, args.end()});
    }
    return Serve(args);
}
