#pragma once
// The discovery thread: while a connection slot is free it lists the HID interfaces every 100 ms,
// fills free slots with the supported ones and tells the message target (3090 arrived, 3091 removed,
// both sent synchronously); it posts the identity message once after its first scan, and checks the
// connected slots' interfaces are still there on every pass.
#include <atomic>
#include <cstdint>
#include <set>
#include <string>

#include "link/hid_channel.h"
#include "link/slot_list.h"
#include "platform/event.h"
#include "platform/message_target.h"
#include "platform/worker_thread.h"

constexpr uint32_t WM_DEVICE_ARRIVED = 3090;  // wParam = slot index
constexpr uint32_t WM_DEVICE_REMOVED = 3091;  // wParam = slot index
constexpr int kDiscoveryCycleMs = 100;

class CDiscovery {
public:
    // slots and target must outlive the discovery.
    CDiscovery(CSlotList& slots, IMessageTarget& target);
    ~CDiscovery();  // Stop()
    CDiscovery(const CDiscovery&) = delete;
    CDiscovery& operator=(const CDiscovery&) = delete;

    // Starts the thread; stopEvent (manual reset, owned by the caller) is reset first and ends it.
    bool Start(CEvent& stopEvent);
    // Signals the stop event and waits at most timeoutMs for the thread.
    bool Stop(int timeoutMs = 1000);

    // One pass of the thread without its waits: scan when a slot is free (posting the identity
    // message after the first scan), then the liveness check. False when the enumeration failed;
    // the pass is then skipped and tried again on the next one.
    bool ScanOnce();

    // Supported interfaces that exist but could not be opened for lack of permission.
    const std::set<std::wstring>& DeniedPaths() const { return m_deniedReported; }

    // Scans run so far (a scan lists the interfaces once).
    uint64_t ScanCount() const { return m_scans.load(); }

private:
    void Run(const ThreadParam& param);
    void Scan();
    void CheckLiveness();

    CSlotList& m_slots;
    IMessageTarget& m_target;
    const uint32_t m_identityMessage;
    CHidChannel m_scanner;
    CWorkerThread m_thread{L"discovery"};
    bool m_firstScanDone = false;
    std::set<std::wstring> m_deniedReported;  // paths already reported as not accessible
    std::atomic<uint64_t> m_scans{0};
};
