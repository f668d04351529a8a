#include "platform/local_endpoint.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>

#include "platform/debug.h"
#include "platform/text.h"

namespace {
constexpr uint8_t kMagic[4] = {'P', 'X', 'M', '1'};
constexpr size_t kHeaderSize = 32;
constexpr size_t kMaxFrame = kHeaderSize + kMaxLocalName + kMaxLocalPayload;
constexpr size_t kMaxClients = 16;
constexpr int kPollMs = 20;  // bounds how long a stop waits

void PutLe(std::vector<uint8_t>& out, uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
}

uint64_t GetLe(const uint8_t* p, int bytes) {
    uint64_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        v = (v << 8) | p[i];
    }
    return v;
}

bool MakeAddress(const std::string& path, sockaddr_un& addr) {
    std::memset(&addr, 0, sizeof(addr));
    addr.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof(addr.sun_path)) {
        return false;
    }
    std::memcpy(addr.sun_path, path.data(), path.size());
    return true;
}

std::wstring Describe(const std::string& path) {
    return Utf8ToWide(path);
}

// Waits until fd is ready for events or the deadline passes.
bool WaitFor(int fd, short events, std::chrono::steady_clock::time_point deadline) {
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now())
                .count();
        if (left <= 0) {
            return false;
        }
        pollfd p{fd, events, 0};
        const int n = poll(&p, 1, static_cast<int>(left));
        if (n > 0) {
            return (p.revents & events) != 0;
        }
        if (n < 0 && errno != EINTR) {
            return false;
        }
    }
}

bool SameUser(int fd) {
    ucred cred{};
    socklen_t len = sizeof(cred);
    return getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &cred, &len) == 0 && cred.uid == geteuid();
}

// Whether a process listens at path (connecting succeeds).
bool SomeoneListens(const std::string& path) {
    sockaddr_un addr;
    if (!MakeAddress(path, addr)) {
        return false;
    }
    const int fd = socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return false;
    }
    const bool live = connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) == 0 || errno == EAGAIN;
    close(fd);
    return live;
}

bool UsableFolder(const std::string& folder) {
    struct stat st {};
    return lstat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == geteuid() &&
           (st.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}
}  // namespace

std::vector<uint8_t> EncodeLocalFrame(const LocalFrame& frame) {
    const std::string name = WideToUtf8(frame.name);
    if (name.size() > kMaxLocalName || frame.payload.size() > kMaxLocalPayload) {
        return {};
    }
    std::vector<uint8_t> out(std::begin(kMagic), std::end(kMagic));
    PutLe(out, frame.number, 4);
    PutLe(out, frame.wParam, 8);
    PutLe(out, static_cast<uint64_t>(frame.lParam), 8);
    PutLe(out, name.size(), 2);
    PutLe(out, 0, 2);
    PutLe(out, frame.payload.size(), 4);
    out.insert(out.end(), name.begin(), name.end());
    out.insert(out.end(), frame.payload.begin(), frame.payload.end());
    return out;
}

bool DecodeLocalFrame(const uint8_t* data, size_t size, LocalFrame& out) {
    if (data == nullptr || size < kHeaderSize || std::memcmp(data, kMagic, sizeof(kMagic)) != 0) {
        return false;
    }
    const size_t nameSize = GetLe(data + 24, 2);
    const size_t payloadSize = GetLe(data + 28, 4);
    if (nameSize > kMaxLocalName || payloadSize > kMaxLocalPayload || GetLe(data + 26, 2) != 0 ||
        size != kHeaderSize + nameSize + payloadSize) {
        return false;
    }
    LocalFrame frame;
    frame.number = static_cast<uint32_t>(GetLe(data + 4, 4));
    frame.wParam = static_cast<WPARAM>(GetLe(data + 8, 8));
    frame.lParam = static_cast<LPARAM>(GetLe(data + 16, 8));
    frame.name = Utf8ToWide(std::string_view(reinterpret_cast<const char*>(data + kHeaderSize), nameSize));
    frame.payload.assign(data + kHeaderSize + nameSize, data + size);
    if (frame.name.empty() && frame.number == 0) {
        return false;
    }
    out = std::move(frame);
    return true;
}

std::string LocalRuntimeFolder() {
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr && runtime[0] == '/') {
        if (UsableFolder(runtime)) {
            return runtime;
        }
    }
    const std::string fallback = "/tmp/px300-" + std::to_string(geteuid());
    mkdir(fallback.c_str(), 0700);  // fails harmlessly when it exists; checked below
    if (!UsableFolder(fallback)) {
        DebugLine(L"platform: no private runtime folder (" + Describe(fallback) + L" is not ours alone)");
        return {};
    }
    return fallback;
}

std::string LocalRuntimePath(std::wstring_view identity, const std::string& folder, std::string_view suffix) {
    std::string name = WideToUtf8(identity);
    for (char& c : name) {
        if (c == '/') {
            c = '_';
        }
    }
    return folder + "/" + name + std::string(suffix);
}

bool SendLocalFrame(const std::string& path, const LocalFrame& frame, int timeoutMs) {
    const std::vector<uint8_t> bytes = EncodeLocalFrame(frame);
    sockaddr_un addr;
    if (bytes.empty() || !MakeAddress(path, addr)) {
        return false;
    }
    const int fd = socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        return false;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    bool sent = false;
    if (connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) == 0 ||
        ((errno == EAGAIN || errno == EINPROGRESS) && WaitFor(fd, POLLOUT, deadline))) {
        for (;;) {
            const ssize_t n = send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
            if (n == static_cast<ssize_t>(bytes.size())) {
                sent = true;
                break;
            }
            if (n >= 0 || (errno != EAGAIN && errno != EINTR) || !WaitFor(fd, POLLOUT, deadline)) {
                break;
            }
        }
    }
    close(fd);
    return sent;
}

CLocalEndpoint::CLocalEndpoint() : m_thread(L"local endpoint") {}

CLocalEndpoint::~CLocalEndpoint() {
    Stop();
}

bool CLocalEndpoint::Start(const std::string& path, Handler handler) {
    sockaddr_un addr;
    if (Running() || !handler || !MakeAddress(path, addr)) {
        return false;
    }
    const int fd = socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        return false;
    }
    bool bound = bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) == 0;
    if (!bound && errno == EADDRINUSE && !SomeoneListens(path)) {
        unlink(path.c_str());  // left by a process that ended without cleaning up
        bound = bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) == 0;
    }
    if (!bound || chmod(path.c_str(), 0600) != 0 || listen(fd, static_cast<int>(kMaxClients)) != 0) {
        DebugLine(L"platform: cannot listen at " + Describe(path) + L": " + Utf8ToWide(std::strerror(errno)));
        if (bound) {
            unlink(path.c_str());
        }
        close(fd);
        return false;
    }
    m_listen = fd;
    m_path = path;
    m_handler = std::move(handler);
    m_thread.Start([this](const ThreadParam& param) { Run(param); }, this);
    return true;
}

void CLocalEndpoint::Stop() {
    if (m_listen < 0) {
        return;
    }
    m_thread.Stop(1000);
    close(m_listen);
    m_listen = -1;
    unlink(m_path.c_str());
}

void CLocalEndpoint::Run(const ThreadParam& param) {
    std::vector<int> clients;
    std::vector<uint8_t> buffer(kMaxFrame + 1);
    while (!param.stopEvent->Wait(0)) {
        std::vector<pollfd> fds{{m_listen, POLLIN, 0}};
        for (int c : clients) {
            fds.push_back({c, POLLIN, 0});
        }
        if (poll(fds.data(), fds.size(), kPollMs) <= 0) {
            continue;
        }
        if (fds[0].revents & POLLIN) {
            const int c = accept4(m_listen, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
            if (c >= 0 && (clients.size() >= kMaxClients || !SameUser(c))) {
                DebugLine(L"platform: local endpoint refused a connection");
                close(c);
            } else if (c >= 0) {
                clients.push_back(c);
            }
        }
        for (size_t i = 1; i < fds.size(); ++i) {
            if (fds[i].revents == 0) {
                continue;
            }
            const ssize_t n = recv(fds[i].fd, buffer.data(), buffer.size(), MSG_TRUNC);
            LocalFrame frame;
            // An oversize frame arrives cut to the buffer, one byte above any valid frame: it fails.
            if (n > 0 &&
                DecodeLocalFrame(buffer.data(), std::min(static_cast<size_t>(n), buffer.size()), frame)) {
                m_handler(frame);
            } else if (n > 0) {
                DebugLine(L"platform: local endpoint dropped a malformed frame of " + std::to_wstring(n) +
                          L" bytes");
            }
            if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) {
                close(fds[i].fd);
                std::erase(clients, fds[i].fd);
            }
        }
    }
    for (int c : clients) {
        close(c);
    }
}
