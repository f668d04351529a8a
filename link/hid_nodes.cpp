#include "link/hid_nodes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <map>
#include <mutex>

#include "link/hid_path.h"
#include "link/hid_transports.h"
#include "link/virtual_wire.h"
#include "platform/text.h"

namespace {
std::mutex g_mutex;
std::string g_sysfsRoot;

struct CachedNode {
    std::string identity;
    HidNode node;
    bool usable = false;  // descriptor read and parsed
};
std::map<std::wstring, CachedNode> g_cache;  // by node path

// Fills the node from the cache, reading and parsing the descriptor only for a node not seen before
// under this identity. Caller holds g_mutex.
bool Resolve(RawHidNode& raw, HidNode& node) {
    CachedNode& cached = g_cache[raw.node.node];
    if (cached.identity != raw.identity || raw.identity.empty()) {
        cached = CachedNode{raw.identity, raw.node, false};
        std::vector<uint8_t> descriptor;
        std::vector<HidPreparsedData> collections;
        const bool read = raw.node.transport == L"hidraw" ? ReadHidrawNode(raw, descriptor)
                                                          : ReadVirtualNode(raw, descriptor);
        if (read && ParseReportDescriptor(descriptor.data(), descriptor.size(), collections)) {
            cached.node = raw.node;
            for (const auto& c : collections) {
                cached.node.collections.push_back({c.caps.usagePage, c.caps.usage});
            }
            cached.usable = true;
        }
    }
    node = cached.node;
    return cached.usable;
}
}  // namespace

uint16_t CollectionNumberOf(const HidNode& node, size_t index) {
    return node.collections.size() > 1 ? static_cast<uint16_t>(index + 1) : 0;
}

std::wstring CollectionPath(const HidNode& node, size_t index) {
    const uint16_t number = CollectionNumberOf(node, index);
    return FormatInterfacePath(node.transport, node.node, node.vendor, node.product, node.interfaceNumber,
                               number != 0 ? std::optional<uint16_t>(number) : std::nullopt);
}

void SetHidSysfsRoot(std::string root) {
    std::lock_guard lock(g_mutex);
    g_sysfsRoot = std::move(root);
    g_cache.clear();
}

bool ListHidNodes(std::vector<HidNode>& nodes) {
    std::vector<RawHidNode> raw;
    std::lock_guard lock(g_mutex);
    if (!ListHidrawNodes(g_sysfsRoot, raw) || !ListVirtualNodes(VirtualDeviceDir(), raw)) {
        return false;
    }
    nodes.clear();
    nodes.reserve(raw.size());
    for (auto& r : raw) {
        HidNode node;
        if (Resolve(r, node)) {
            nodes.push_back(std::move(node));
        }
    }
    if (g_cache.size() > 4 * raw.size() + 64) {  // forget nodes long gone
        g_cache.clear();
    }
    return true;
}

bool OpenHidNode(const std::wstring& transport, const std::wstring& node, bool read, bool write,
                 OpenedHidNode& out, bool* accessDenied) {
    const std::string path = WideToUtf8(node);
    const int access = read && write ? O_RDWR : write ? O_WRONLY : O_RDONLY;
    OpenedHidNode opened;
    std::vector<uint8_t> descriptor;
    int error = 0;
    bool ok = false;
    if (transport == L"hidraw") {
        ok = OpenHidrawNode(path, access, opened, descriptor, error);
    } else if (transport == L"virtual") {
        ok = OpenVirtualNode(path, opened, descriptor, error);
    } else {
        error = ENOENT;
    }
    if (accessDenied != nullptr) {
        *accessDenied = !ok && (error == EACCES || error == EPERM);
    }
    if (!ok) {
        return false;
    }
    if (!ParseReportDescriptor(descriptor.data(), descriptor.size(), opened.collections)) {
        close(opened.fd);
        return false;
    }
    out = std::move(opened);
    return true;
}

bool HidNodePresent(const std::wstring& transport, const std::wstring& node) {
    const std::string path = WideToUtf8(node);
    struct stat st {};
    if (transport == L"hidraw") {
        return stat(path.c_str(), &st) == 0 && S_ISCHR(st.st_mode);
    }
    if (transport == L"virtual") {
        const size_t n = std::char_traits<char>::length(kVirtualSocketSuffix);
        if (path.size() <= n) {
            return false;
        }
        const std::string info = path.substr(0, path.size() - n) + kVirtualInfoSuffix;
        return stat(info.c_str(), &st) == 0 && stat(path.c_str(), &st) == 0 && S_ISSOCK(st.st_mode);
    }
    return false;
}
