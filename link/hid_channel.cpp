#include "link/hid_channel.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "link/hid_nodes.h"
#include "link/hid_path.h"
#include "link/report_decode.h"
#include "platform/tick.h"

namespace {
// One datagram or hidraw read: the longest report plus a prefix byte.
constexpr size_t kIoBufferSize = kMaxReportBytes + 1;
}  // namespace

CHidChannel::CHidChannel() : m_cancelFd(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

CHidChannel::~CHidChannel() {
    Close();
    FreePathList();
    if (m_cancelFd >= 0) {
        close(m_cancelFd);
    }
}

bool CHidChannel::EnumerateInterfaces() {
    FreePathList();
    std::vector<HidNode> nodes;
    if (!ListHidNodes(nodes)) {
        return false;
    }
    m_paths.reserve(nodes.size() * 2);
    for (const auto& n : nodes) {
        for (size_t c = 0; c < n.collections.size(); ++c) {
            m_paths.push_back(CollectionPath(n, c));
        }
    }
    m_listHeld = true;
    return true;
}

const wchar_t* CHidChannel::NextPath() {
    if (!m_listHeld || m_cursor >= m_paths.size()) {
        return nullptr;
    }
    return m_paths[m_cursor++].c_str();
}

void CHidChannel::FreePathList() {
    m_paths.clear();
    m_paths.shrink_to_fit();
    m_cursor = 0;
    m_listHeld = false;
}

bool CHidChannel::Open(const std::wstring& path, bool read, bool write, bool overlapped, bool exclusive) {
    m_read = read;
    m_write = write;
    m_overlapped = overlapped;
    m_exclusive = exclusive;
    m_path = path.substr(0, kMaxInterfacePath);
    Close();
    m_lastOpenDenied = false;
    const auto parts = SplitInterfacePath(path);
    if (path.size() > kMaxInterfacePath || !parts) {
        return false;
    }
    OpenedHidNode opened;
    if (!OpenHidNode(parts->transport, parts->node, read, write, opened, &m_lastOpenDenied)) {
        return false;
    }
    // The path names a top-level collection by its 1-based position; without one it is the only one.
    const uint16_t collection = ParseCollectionNumber(path);
    const size_t index = collection == 0 ? 0 : collection - 1u;
    if (index >= opened.collections.size() || (collection == 0 && opened.collections.size() != 1)) {
        close(opened.fd);
        return false;
    }
    m_writesZeroId = parts->transport == L"hidraw";
    m_data = std::move(opened.collections[index]);
    m_attributes = HidAttributes{opened.vendor, opened.product, opened.version};
    m_interfaceNumber = ParseInterfaceNumber(path);
    m_collectionNumber = collection;
    BuildReportGroups();
    std::lock_guard lock(m_ioMutex);
    m_fd = opened.fd;
    return true;
}

void CHidChannel::BuildReportGroups() {
    for (int t = 0; t < kHidReportTypes; ++t) {
        m_groups[t].reportBuffer.assign(m_data.caps.reportByteLength[t], 0);
        m_groups[t].items = BuildDataItems(m_data, static_cast<HidReportType>(t));
    }
}

void CHidChannel::Close() {
    std::unique_lock lock(m_ioMutex);
    if (m_fd < 0) {
        return;
    }
    m_closing = true;
    if (m_activeIo > 0) {
        const uint64_t one = 1;
        [[maybe_unused]] ssize_t n = ::write(m_cancelFd, &one, sizeof one);
        // A woken read or write returns at once; the node closes only after it has left, so no
        // call ever touches a closed (or reused) descriptor.
        m_ioIdle.wait(lock, [this] { return m_activeIo == 0; });
        uint64_t drained = 0;
        n = ::read(m_cancelFd, &drained, sizeof drained);
    }
    ::close(m_fd);
    m_fd = -1;
    m_closing = false;
    lock.unlock();
    m_data = HidPreparsedData{};
    m_attributes = HidAttributes{};
    for (auto& group : m_groups) {
        group = ReportGroup{};
    }
    m_interfaceNumber = 0;
    m_collectionNumber = 0;
}

bool CHidChannel::BeginIo() {
    std::lock_guard lock(m_ioMutex);
    if (m_fd < 0 || m_closing) {
        return false;
    }
    ++m_activeIo;
    return true;
}

void CHidChannel::EndIo() {
    std::lock_guard lock(m_ioMutex);
    if (--m_activeIo == 0) {
        m_ioIdle.notify_all();
    }
}

CHidChannel::Wake CHidChannel::WaitFor(short events, int timeoutMs, uint64_t deadline) {
    for (;;) {
        int wait = -1;
        if (timeoutMs >= 0) {
            const uint64_t now = GetTickCount64();
            wait = now >= deadline ? 0 : static_cast<int>(deadline - now);
        }
        pollfd fds[2] = {{m_cancelFd, POLLIN, 0}, {m_fd, events, 0}};
        const int n = poll(fds, 2, wait);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return Wake::Failed;
        }
        if (fds[0].revents & POLLIN) {
            return Wake::Cancelled;
        }
        if (fds[1].revents & events) {
            return Wake::Ready;
        }
        if (fds[1].revents & (POLLERR | POLLHUP | POLLNVAL)) {
            return Wake::Failed;
        }
        if (n == 0) {
            return Wake::TimedOut;
        }
    }
}

bool CHidChannel::ReadReport(uint8_t* buffer, uint32_t length, uint32_t* outBytes, int timeoutMs) {
    if (outBytes != nullptr) {
        *outBytes = 0;
    }
    if (!BeginIo()) {
        return false;
    }
    m_readPending = true;
    const uint64_t deadline = GetTickCount64() + static_cast<uint64_t>(std::max(timeoutMs, 0));
    // Unnumbered reports arrive without an id byte; callers always see one (0), as the report byte
    // lengths count it.
    const size_t prefix = m_data.numberedReports ? 0 : 1;
    uint8_t io[kIoBufferSize];
    bool ok = false;
    for (;;) {
        if (WaitFor(POLLIN, timeoutMs, deadline) != Wake::Ready) {
            break;
        }
        const ssize_t n = ::read(m_fd, io + prefix, sizeof io - prefix);
        if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
            continue;
        }
        if (n <= 0) {
            break;  // error, or the peer went away
        }
        io[0] = prefix ? 0 : io[0];
        if (!m_data.HasReportId(io[0])) {
            continue;  // another collection's report on the same interface
        }
        const uint32_t size = std::min<uint32_t>(length, static_cast<uint32_t>(n + prefix));
        std::memcpy(buffer, io, size);
        if (outBytes != nullptr) {
            *outBytes = size;
        }
        ok = true;
        break;
    }
    m_readPending = false;
    EndIo();
    return ok;
}

bool CHidChannel::WriteReport(const uint8_t* buffer, uint32_t length, uint32_t* outBytes, int timeoutMs) {
    if (outBytes != nullptr) {
        *outBytes = 0;
    }
    if (length == 0 || !BeginIo()) {
        return false;
    }
    m_writePending = true;
    const uint64_t deadline = GetTickCount64() + static_cast<uint64_t>(std::max(timeoutMs, 0));
    // hidraw takes the report id first, 0 for unnumbered reports, and drops that 0 itself; a virtual
    // node's datagram holds only the report.
    const size_t prefix = m_data.numberedReports || m_writesZeroId ? 0 : 1;
    bool ok = false;
    while (length > prefix && WaitFor(POLLOUT, timeoutMs, deadline) == Wake::Ready) {
        // send() with MSG_NOSIGNAL: a socket whose server went away must fail the write, not raise
        // SIGPIPE; hidraw nodes are not sockets and take a plain write().
        ssize_t n = ::send(m_fd, buffer + prefix, length - prefix, MSG_NOSIGNAL);
        if (n < 0 && errno == ENOTSOCK) {
            n = ::write(m_fd, buffer + prefix, length - prefix);
        }
        if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
            continue;
        }
        ok = n == static_cast<ssize_t>(length - prefix);
        break;
    }
    if (ok && outBytes != nullptr) {
        *outBytes = length;
    }
    m_writePending = false;
    EndIo();
    return ok;
}

bool CHidChannel::UnpackReport(HidReportType type, const uint8_t* report, uint32_t reportLength,
                               HidDataItem* items, uint32_t itemCount, const HidPreparsedData* data) {
    if (report == nullptr || reportLength == 0 || data == nullptr) {
        return false;
    }
    for (uint32_t i = 0; i < itemCount; ++i) {
        HidDataItem& item = items[i];
        if (item.reportId != report[0]) {
            continue;
        }
        if (item.isButton) {
            uint32_t count = item.usageListCapacity;
            item.usageList.resize(item.usageListCapacity);
            item.status = HidGetUsages(type, item.usagePage, item.usageList.data(), &count, *data, report,
                                       reportLength);
            // Keep the usages of this item's range, in order, then terminate when shorter.
            uint32_t kept = 0;
            for (uint32_t k = 0; k < count; ++k) {
                const uint16_t u = item.usageList[k];
                if (u >= item.usageMin && u <= item.usageMax) {
                    item.usageList[kept++] = u;
                }
            }
            if (kept < item.usageListCapacity) {
                item.usageList[kept] = 0;
            }
        } else {
            item.status = HidGetUsageValue(type, item.usagePage, item.usage, &item.rawValue, *data, report,
                                           reportLength);
            if (item.status != HIDP_STATUS_SUCCESS) {
                return false;
            }
            item.status = HidGetScaledUsageValue(type, item.usagePage, item.usage, &item.scaledValue, *data,
                                                 report, reportLength);
        }
        item.isSet = true;
    }
    return true;
}
