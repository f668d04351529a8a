#include "tools/virtual/control_client.h"

#include <poll.h>
#include <sys/socket.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "tools/virtual/control_command.h"
#include "tools/virtual/unix_socket.h"

namespace {
constexpr int kAnswerTimeoutMs = 10000;

int Fail(const std::string& message) {
    std::fprintf(stderr, "px300-virtual: %s\n", message.c_str());
    return 1;
}

void Print(FILE* out, const std::string& text) {
    if (!text.empty()) {
        std::fprintf(out, "%s%s", text.c_str(), text.back() == '\n' ? "" : "\n");
    }
}
}  // namespace

int RunControlClient(const std::string& dir, const std::string& commandLine) {
    std::string error;
    const std::string path = dir + "/" + kControlSocketName;
    CUniqueFd fd = ConnectSeqpacket(path, &error);
    if (!fd.Valid()) {
        return Fail("no server answers in " + dir + " (" + error + ")");
    }
    if (::send(fd.Get(), commandLine.data(), commandLine.size(), MSG_NOSIGNAL) < 0) {
        return Fail("cannot send the command to " + path + ": " + std::strerror(errno));
    }
    pollfd wait{fd.Get(), POLLIN, 0};
    if (::poll(&wait, 1, kAnswerTimeoutMs) <= 0) {
        return Fail("no answer from " + path + " within 10 s");
    }
    // Learn the answer's size first; a dump is larger than any fixed buffer worth keeping.
    char probe = 0;
    const ssize_t size = ::recv(fd.Get(), &probe, 1, MSG_PEEK | MSG_TRUNC | MSG_DONTWAIT);
    std::vector<char> answer(size > 0 ? size : 1);
    const ssize_t n = size > 0 ? ::recv(fd.Get(), answer.data(), answer.size(), MSG_DONTWAIT) : size;
    if (n <= 0) {
        return Fail("the server closed the connection without an answer");
    }
    const std::string output(answer.data() + 1, n - 1);
    if (answer[0] != '0') {
        Print(stderr, output);
        return 1;
    }
    Print(stdout, output);
    return 0;
}
