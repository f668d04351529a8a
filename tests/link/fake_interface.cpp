#include "tests/link/fake_interface.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <fstream>

#include "platform/text.h"

FakeInterface::FakeInterface(const std::string& dir, const std::string& id, const VirtualInterfaceInfo& info,
                             Responder responder)
    : m_socketPath(dir + "/" + id + kVirtualSocketSuffix),
      m_infoPath(dir + "/" + id + kVirtualInfoSuffix),
      m_responder(std::move(responder)) {
    m_listenFd = socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::strncpy(addr.sun_path, m_socketPath.c_str(), sizeof addr.sun_path - 1);
    unlink(m_socketPath.c_str());
    bind(m_listenFd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    listen(m_listenFd, 8);
    std::ofstream(m_infoPath) << FormatVirtualInfo(info);
    m_stopFd = eventfd(0, EFD_CLOEXEC);
    m_thread = std::thread([this] { Serve(); });
}

FakeInterface::~FakeInterface() {
    const uint64_t one = 1;
    [[maybe_unused]] ssize_t n = write(m_stopFd, &one, sizeof one);
    m_thread.join();
    unlink(m_infoPath.c_str());
    unlink(m_socketPath.c_str());
    for (int fd : m_clients)
        close(fd);
    close(m_listenFd);
    close(m_stopFd);
}

void FakeInterface::Send(const Report& report) {
    std::lock_guard lock(m_mutex);
    for (int fd : m_clients) {
        [[maybe_unused]] ssize_t n = send(fd, report.data(), report.size(), MSG_NOSIGNAL);
    }
}

std::vector<Report> FakeInterface::Received() const {
    std::lock_guard lock(m_mutex);
    return m_received;
}

bool FakeInterface::WaitForClients(size_t n, int timeoutMs) const {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < end) {
        {
            std::lock_guard lock(m_mutex);
            if (m_clients.size() >= n)
                return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
}

size_t FakeInterface::Accepted() const {
    std::lock_guard lock(m_mutex);
    return m_accepted;
}

std::wstring FakeInterface::Node() const {
    return Utf8ToWide(m_socketPath);
}

void FakeInterface::Serve() {
    for (;;) {
        std::vector<pollfd> fds = {{m_stopFd, POLLIN, 0}, {m_listenFd, POLLIN, 0}};
        {
            std::lock_guard lock(m_mutex);
            for (int fd : m_clients)
                fds.push_back({fd, POLLIN, 0});
        }
        if (poll(fds.data(), fds.size(), -1) < 0)
            continue;
        if (fds[0].revents)
            return;
        if (fds[1].revents & POLLIN) {
            const int client = accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC);
            if (client >= 0) {
                std::lock_guard lock(m_mutex);
                m_clients.push_back(client);
                ++m_accepted;
            }
        }
        for (size_t i = 2; i < fds.size(); ++i) {
            if (!(fds[i].revents & (POLLIN | POLLHUP)))
                continue;
            uint8_t buf[4096];
            const ssize_t n = recv(fds[i].fd, buf, sizeof buf, 0);
            if (n <= 0) {
                std::lock_guard lock(m_mutex);
                close(fds[i].fd);
                m_clients.erase(std::remove(m_clients.begin(), m_clients.end(), fds[i].fd), m_clients.end());
                continue;
            }
            Report report(buf, buf + n);
            {
                std::lock_guard lock(m_mutex);
                m_received.push_back(report);
            }
            if (m_responder) {
                for (const auto& reply : m_responder(report))
                    Send(reply);
            }
        }
    }
}

std::vector<uint8_t> ConsumerAndVendorDescriptor() {
    return {
        0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01,              // consumer page, consumer control, application
        0x85, 0x03, 0x15, 0x00, 0x26, 0xFF, 0x03,        // report id 3, logical 0..1023
        0x19, 0x00, 0x2A, 0xFF, 0x03,                    // usages 0..1023
        0x75, 0x10, 0x95, 0x01, 0x81, 0x00,              // one 16-bit array slot, input
        0xC0, 0x06, 0x1C, 0xFF, 0x09, 0x92, 0xA1, 0x01,  // vendor page 0xFF1C, usage 0x92, application
        0x85, 0x04, 0x15, 0x00, 0x26, 0xFF, 0x00,        // report id 4, bytes
        0x75, 0x08, 0x95, 0x3F,                          // 63 bytes
        0x09, 0x01, 0x81, 0x02,                          // input
        0x09, 0x01, 0x91, 0x02,                          // output
        0xC0,
    };
}
