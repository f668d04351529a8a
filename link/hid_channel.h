#pragma once
// One opened HID top-level collection: enumeration of interface paths, open/close, time-limited and
// cancellable report I/O, and decoding of input reports. The node may be a hidraw device or a
// px300-virtual socket; callers cannot tell the two apart.
//
// Threads: one thread at a time does I/O on a channel (callers serialise Open/Close/Read/Write);
// Close and destruction may come from another thread while a read or write waits, and wake it with a
// false result before the node is closed.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "link/hid_types.h"
#include "link/report_descriptor.h"

// Longest path Open accepts (the path field holds 260 units including the terminator).
constexpr size_t kMaxInterfacePath = 259;

class CHidChannel {
public:
    CHidChannel();
    ~CHidChannel();
    CHidChannel(const CHidChannel&) = delete;
    CHidChannel& operator=(const CHidChannel&) = delete;

    // Rebuilds the path list (one path per top-level collection of every node) and resets the
    // cursor. False when the list could not be built; then no list is held.
    bool EnumerateInterfaces();
    // The path at the cursor, advancing it; nullptr when no list is held or all were handed out.
    // Valid until the next EnumerateInterfaces or FreePathList.
    const wchar_t* NextPath();
    void FreePathList();
    uint32_t PathCount() const { return static_cast<uint32_t>(m_paths.size()); }

    // Closes, then opens the path. read/write choose the access; overlapped and exclusive are kept
    // as given (every channel does cancellable I/O; hidraw has no share modes). True when the node
    // opened and its descriptor has the collection the path names.
    bool Open(const std::wstring& path, bool read, bool write, bool overlapped, bool exclusive);
    // Wakes a waiting read or write (false, 0 bytes), frees the capability data and closes the node.
    void Close();
    bool IsOpen() const { return m_fd >= 0; }
    // A ReadReport / WriteReport is waiting (readable from any thread).
    bool IsReadPending() const { return m_readPending.load(); }
    bool IsWritePending() const { return m_writePending.load(); }
    // Set when the last Open failed because the system refused access (permissions).
    bool LastOpenDenied() const { return m_lastOpenDenied; }

    // One report. timeoutMs -1 waits without limit. Reports of other collections of the same
    // interface are skipped. The buffer starts with the report id (0 for unnumbered reports). False
    // with *outBytes 0 on timeout, cancellation, a closed channel or an I/O error; nothing stays
    // outstanding afterwards.
    bool ReadReport(uint8_t* buffer, uint32_t length, uint32_t* outBytes, int timeoutMs);
    bool WriteReport(const uint8_t* buffer, uint32_t length, uint32_t* outBytes, int timeoutMs);

    // Decodes a report into the data items whose report id equals the report's first byte.
    static bool UnpackReport(HidReportType type, const uint8_t* report, uint32_t reportLength,
                             HidDataItem* items, uint32_t itemCount, const HidPreparsedData* data);

    int Handle() const { return m_fd; }
    const std::wstring& Path() const { return m_path; }
    const HidCaps& Capabilities() const { return m_data.caps; }
    const HidAttributes& Attributes() const { return m_attributes; }
    const HidPreparsedData* DescriptorData() const { return IsOpen() ? &m_data : nullptr; }
    uint32_t InterfaceNumber() const { return m_interfaceNumber; }
    uint32_t CollectionNumber() const { return m_collectionNumber; }
    uint8_t* InputReportBuffer() { return m_groups[0].reportBuffer.data(); }
    HidDataItem* InputDataItems() { return m_groups[0].items.data(); }
    uint32_t InputDataItemCount() const { return static_cast<uint32_t>(m_groups[0].items.size()); }
    const std::vector<HidDataItem>& DataItems(HidReportType type) const {
        return m_groups[static_cast<int>(type)].items;
    }

private:
    struct ReportGroup {
        std::vector<uint8_t> reportBuffer;
        std::vector<HidDataItem> items;
    };

    void BuildReportGroups();
    // Marks the start and end of one read or write; false when the channel is closed or closing.
    bool BeginIo();
    void EndIo();
    // Waits for the node to be readable/writable or the cancel event; remaining time in *timeoutMs.
    enum class Wake { Ready, Cancelled, TimedOut, Failed };
    Wake WaitFor(short events, int timeoutMs, uint64_t deadline);

    std::vector<std::wstring> m_paths;
    size_t m_cursor = 0;
    bool m_listHeld = false;

    bool m_read = false, m_write = false, m_overlapped = false, m_exclusive = false;
    std::atomic<int> m_fd{-1};  // read by other threads (IsOpen) while one does I/O
    std::wstring m_path;
    HidPreparsedData m_data;
    HidAttributes m_attributes;
    ReportGroup m_groups[kHidReportTypes];
    uint32_t m_interfaceNumber = 0;
    uint32_t m_collectionNumber = 0;
    bool m_lastOpenDenied = false;
    bool m_writesZeroId = false;  // the node takes an unnumbered report with its 0 id byte (hidraw)

    int m_cancelFd = -1;  // eventfd: the cancel event
    std::mutex m_ioMutex;
    std::condition_variable m_ioIdle;
    int m_activeIo = 0;
    bool m_closing = false;
    std::atomic<bool> m_readPending{false};  // read by other threads (IsReadPending)
    std::atomic<bool> m_writePending{false};
};
