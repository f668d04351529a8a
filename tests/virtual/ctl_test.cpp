// px300-virtual as a program: served from one process, controlled from others.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;

extern char** environ;

namespace {

struct Outcome {
    int status = -1;
    std::string output;  // stdout and stderr
};

// Runs the program to its end with the given arguments.
Outcome RunProgram(const std::vector<std::string>& args) {
    std::string command = PX300_VIRTUAL_PROGRAM;
    for (const std::string& arg : args) {
        command += " '" + arg + "'";
    }
    command += " 2>&1";
    Outcome outcome;
    FILE* pipe = ::popen(command.c_str(), "r");
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        outcome.output.append(buffer, n);
    }
    const int status = ::pclose(pipe);
    outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return outcome;
}

// Waits (bounded) until the path exists or not.
bool WaitFor(const fs::path& path, bool present) {
    for (int i = 0; i < 200; ++i) {
        if (fs::exists(path) == present) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

TEST(VirtualProgram, ServesUntilSigtermAndIsControlledFromAnotherProcess) {
    TempDir dir;
    const std::string d = dir.Path().string();
    std::vector<std::string> args = {PX300_VIRTUAL_PROGRAM, "--dir", d, "--latency-us", "1000", "keyboard"};
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    pid_t server = -1;
    ASSERT_EQ(::posix_spawn(&server, argv[0], nullptr, nullptr, argv.data(), environ), 0);
    ASSERT_TRUE(WaitFor(dir.Path() / "keyboard-if1.hid", true));

    const Outcome dump = RunProgram({"ctl", "--dir", d, "dump", "keyboard", "info"});
    EXPECT_EQ(dump.status, 0);
    EXPECT_EQ(dump.output.substr(0, 18), "07 01 01 01 aa aa ") << dump.output;
    EXPECT_EQ(RunProgram({"ctl", "--dir", d, "unplug", "keyboard"}).status, 0);
    EXPECT_FALSE(fs::exists(dir.Path() / "keyboard-if1.hid"));
    const Outcome again = RunProgram({"ctl", "--dir", d, "unplug", "keyboard"});
    EXPECT_EQ(again.status, 1);
    EXPECT_NE(again.output.find("error: keyboard is not plugged in"), std::string::npos) << again.output;
    EXPECT_EQ(RunProgram({"ctl", "--dir", d, "plug", "keyboard"}).status, 0);
    EXPECT_EQ(RunProgram({"ctl", "--dir", d, "event", "keyboard", "0x0401"}).status, 0);
    EXPECT_EQ(RunProgram({"ctl", "--dir", d, "dump", "keyboard"}).status, 2);
    EXPECT_EQ(RunProgram({"ctl", "--dir", d, "dump", "toaster", "info"}).status, 2);

    ASSERT_EQ(::kill(server, SIGTERM), 0);
    int status = 0;
    ASSERT_EQ(::waitpid(server, &status, 0), server);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_TRUE(fs::is_empty(dir.Path())) << "sockets and identity files are gone";
    EXPECT_EQ(RunProgram({"ctl", "--dir", d, "list"}).status, 1) << "no server answers any more";
}

TEST(VirtualProgram, BadArgumentsGiveUsageAndStatusTwo) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{},
                                                 {"toaster"},
                                                 {"--latency-us", "x", "keyboard"},
                                                 {"--dir"},
                                                 {"--bogus", "keyboard"},
                                                 {"keyboard", "keyboard"},
                                                 {"ctl"},
                                                 {"ctl", "--dir"}}) {
        const Outcome outcome = RunProgram(args);
        EXPECT_EQ(outcome.status, 2) << (args.empty() ? "" : args[0]);
        EXPECT_NE(outcome.output.find("usage: px300-virtual"), std::string::npos);
    }
}

}  // namespace
