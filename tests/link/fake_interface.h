#pragma once
// A scripted virtual HID interface for link tests: listens in a directory like px300-virtual does
// and answers each report a client writes with whatever the responder returns. Lets a test shape
// replies (wrong echo, silence, stale reports) that a well-behaved firmware model never sends.
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "link/virtual_wire.h"

using Report = std::vector<uint8_t>;

class FakeInterface {
public:
    using Responder = std::function<std::vector<Report>(const Report& received)>;

    // Serves in dir as "<id>.sock" with the identity in "<id>.hid".
    FakeInterface(const std::string& dir, const std::string& id, const VirtualInterfaceInfo& info,
                  Responder responder = {});
    ~FakeInterface();

    // Sends an input report to every connected client.
    void Send(const Report& report);
    // Every report received so far.
    std::vector<Report> Received() const;
    // Waits (bounded) until n clients are connected.
    bool WaitForClients(size_t n, int timeoutMs = 2000) const;
    std::wstring Node() const;
    // Connections accepted so far (a client that opened and closed again counts).
    size_t Accepted() const;

private:
    void Serve();

    std::string m_socketPath;
    std::string m_infoPath;
    Responder m_responder;
    int m_listenFd = -1;
    int m_stopFd = -1;
    mutable std::mutex m_mutex;
    std::vector<int> m_clients;
    std::vector<Report> m_received;
    size_t m_accepted = 0;
    std::thread m_thread;
};

// Report descriptors used by the link tests.
// One interface with a consumer-control collection (report id 3: one 16-bit usage) and the vendor
// collection (usage page 0xFF1C usage 0x92, report id 4, 63-byte input and output).
std::vector<uint8_t> ConsumerAndVendorDescriptor();
