#include "tools/virtual/unix_socket.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {
constexpr int kBacklog = 16;

bool MakeAddress(const std::string& path, sockaddr_un& address, std::string* error) {
    address = {};
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address.sun_path) {
        if (error != nullptr) {
            *error = "socket path too long (at most " + std::to_string(sizeof address.sun_path - 1) +
                     " bytes): " + path;
        }
        return false;
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

CUniqueFd NewSocket(std::string* error) {
    CUniqueFd fd(::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!fd.Valid() && error != nullptr) {
        *error = std::string("cannot create a socket: ") + std::strerror(errno);
    }
    return fd;
}

void Fail(std::string* error, const std::string& what, const std::string& path, int code) {
    if (error != nullptr) {
        *error = what + " " + path + ": " + std::strerror(code);
    }
}

// A socket file nobody accepts on any more (the server that made it is gone).
bool IsStaleSocket(const std::string& path, const sockaddr_un& address) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISSOCK(info.st_mode)) {
        return false;
    }
    CUniqueFd probe(::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0));
    return probe.Valid() &&
           ::connect(probe.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 &&
           errno == ECONNREFUSED;
}
}  // namespace

CUniqueFd& CUniqueFd::operator=(CUniqueFd&& other) noexcept {
    if (this != &other) {
        Reset(other.Release());
    }
    return *this;
}

int CUniqueFd::Release() {
    const int fd = m_fd;
    m_fd = -1;
    return fd;
}

void CUniqueFd::Reset(int fd) {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
    m_fd = fd;
}

CUniqueFd ListenSeqpacket(const std::string& path, std::string* error) {
    sockaddr_un address;
    if (!MakeAddress(path, address, error)) {
        return {};
    }
    CUniqueFd fd = NewSocket(error);
    if (!fd.Valid()) {
        return {};
    }
    const auto* raw = reinterpret_cast<const sockaddr*>(&address);
    if (::bind(fd.Get(), raw, sizeof address) != 0) {
        const int code = errno;
        if (code != EADDRINUSE || !IsStaleSocket(path, address) || ::unlink(path.c_str()) != 0 ||
            ::bind(fd.Get(), raw, sizeof address) != 0) {
            if (code == EADDRINUSE && error != nullptr) {
                *error = path + " is in use by another server or is no socket";
            } else {
                Fail(error, "cannot bind", path, code);
            }
            return {};
        }
    }
    if (::listen(fd.Get(), kBacklog) != 0) {
        Fail(error, "cannot listen on", path, errno);
        ::unlink(path.c_str());
        return {};
    }
    return fd;
}

CUniqueFd ConnectSeqpacket(const std::string& path, std::string* error) {
    sockaddr_un address;
    if (!MakeAddress(path, address, error)) {
        return {};
    }
    CUniqueFd fd = NewSocket(error);
    if (fd.Valid() && ::connect(fd.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        Fail(error, "cannot connect to", path, errno);
        return {};
    }
    return fd;
}
