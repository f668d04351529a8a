#pragma once
// Unix SOCK_SEQPACKET sockets of px300-virtual and its ctl client. Every descriptor is
// non-blocking and close-on-exec.
#include <string>

// Owns one file descriptor.
class CUniqueFd {
public:
    CUniqueFd() = default;
    explicit CUniqueFd(int fd) : m_fd(fd) {}
    ~CUniqueFd() { Reset(); }
    CUniqueFd(CUniqueFd&& other) noexcept : m_fd(other.Release()) {}
    CUniqueFd& operator=(CUniqueFd&& other) noexcept;
    CUniqueFd(const CUniqueFd&) = delete;
    CUniqueFd& operator=(const CUniqueFd&) = delete;

    int Get() const { return m_fd; }
    bool Valid() const { return m_fd >= 0; }
    int Release();
    void Reset(int fd = -1);

private:
    int m_fd = -1;
};

// A listening socket at path. A socket file left behind by a server that is gone is replaced; a
// path a live server listens on, or that is no socket, is refused. Invalid fd and a message on
// failure.
CUniqueFd ListenSeqpacket(const std::string& path, std::string* error);

// A connection to the socket at path; invalid fd and a message on failure.
CUniqueFd ConnectSeqpacket(const std::string& path, std::string* error);
