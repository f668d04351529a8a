#include "link/discovery.h"

#include "link/hid_nodes.h"
#include "link/hid_path.h"
#include "platform/app_identity.h"
#include "platform/debug.h"

CDiscovery::CDiscovery(CSlotList& slots, IMessageTarget& target)
    : m_slots(slots), m_target(target), m_identityMessage(RegisterWindowMessage(kAppIdentity)) {}

CDiscovery::~CDiscovery() {
    Stop();
}

bool CDiscovery::Start(CEvent& stopEvent) {
    stopEvent.Reset();
    m_firstScanDone = false;
    return m_thread.Start([this](const ThreadParam& p) { Run(p); }, this, &stopEvent);
}

bool CDiscovery::Stop(int timeoutMs) {
    return m_thread.Stop(timeoutMs);
}

void CDiscovery::Run(const ThreadParam& param) {
    for (;;) {
        if (param.stopEvent->Wait(1)) {
            DebugLine(L"抓取设备线程设定退出");
            return;
        }
        ScanOnce();
        param.stopEvent->Wait(kDiscoveryCycleMs);  // the next pass sees a stop at once
    }
}

bool CDiscovery::ScanOnce() {
    bool listed = true;
    if (m_slots.AnyFree()) {
        listed = m_scanner.EnumerateInterfaces();
        if (listed) {
            ++m_scans;
            Scan();
            if (!m_firstScanDone) {
                m_firstScanDone = true;
                m_target.PostMessage(m_identityMessage, 0, 0);
            }
        }
        m_scanner.FreePathList();
    }
    CheckLiveness();
    return listed;
}

void CDiscovery::Scan() {
    while (const wchar_t* p = m_scanner.NextPath()) {
        const std::wstring path = p;
        const uint16_t vendor = ParseVid(path), product = ParsePid(path);
        const uint16_t collection = ParseCollectionNumber(path), interfaceNumber = ParseInterfaceNumber(path);
        // The path text rules out most interfaces without opening them. A path that already fills a
        // slot is not offered again: with rows sharing their numbers it would fill each of them.
        bool rowMatches = false;
        for (const auto& row : kMatchTable) {
            rowMatches =
                rowMatches || (row.vendor == vendor && row.product == product &&
                               row.collection == collection && row.interfaceNumber == interfaceNumber);
        }
        if (!rowMatches || !m_slots.FreeSlotFor(vendor, product, collection, interfaceNumber) ||
            m_slots.Holds(path)) {
            continue;
        }
        if (!m_scanner.Open(path, true, false, true, false)) {
            if (m_scanner.LastOpenDenied() && m_deniedReported.insert(path).second) {
                DebugLine(L"discovery: no access to " + path +
                          L" (install the udev rule 70-px300.rules, then replug the device)");
            }
            continue;
        }
        ConnectionSlot seen;
        seen.vendor = m_scanner.Attributes().vendorId;
        seen.product = m_scanner.Attributes().productId;
        seen.interfaceNumber = interfaceNumber;
        seen.collection = collection;
        seen.usagePage = m_scanner.Capabilities().usagePage;
        seen.usage = m_scanner.Capabilities().usage;
        m_scanner.Close();
        for (const auto& row : kMatchTable) {
            if (!row.SameInterface(seen)) {
                continue;
            }
            seen.type = row.type;
            seen.role = row.role;
            if (const auto slot = m_slots.Claim(seen, path)) {
                m_target.SendMessage(WM_DEVICE_ARRIVED, *slot, 0);
            }
            break;
        }
    }
}

void CDiscovery::CheckLiveness() {
    for (size_t index : m_slots.Connected()) {
        const std::wstring path = m_slots.Get(index).path;
        const auto parts = SplitInterfacePath(path);
        if (parts && HidNodePresent(parts->transport, parts->node)) {
            continue;
        }
        m_slots.Release(index);
        m_target.SendMessage(WM_DEVICE_REMOVED, index, 0);
    }
}
