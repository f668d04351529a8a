#include <dirent.h>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "link/hid_transports.h"
#include "link/virtual_wire.h"
#include "platform/text.h"

namespace {
std::string Stem(const std::string& path, const char* suffix) {
    const size_t n = std::strlen(suffix);
    return path.size() > n && path.compare(path.size() - n, n, suffix) == 0 ? path.substr(0, path.size() - n)
                                                                            : std::string();
}

bool ReadInfo(const std::string& infoPath, VirtualInterfaceInfo& info) {
    std::string text;
    return ReadSmallFile(infoPath, 2 * kMaxDescriptorSize + 256, text) && ParseVirtualInfo(text, info);
}
}  // namespace

bool ListVirtualNodes(const std::string& dirPath, std::vector<RawHidNode>& out) {
    DIR* dir = opendir(dirPath.c_str());
    if (dir == nullptr) {
        return errno == ENOENT || errno == ENOTDIR;
    }
    std::vector<std::string> stems;
    while (const dirent* e = readdir(dir)) {
        std::string stem = Stem(e->d_name, kVirtualInfoSuffix);
        if (!stem.empty()) {
            stems.push_back(std::move(stem));
        }
    }
    closedir(dir);
    std::sort(stems.begin(), stems.end());
    for (const auto& stem : stems) {
        const std::string infoPath = dirPath + "/" + stem + kVirtualInfoSuffix;
        struct stat st {};
        if (stat(infoPath.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
            continue;
        }
        RawHidNode raw;
        raw.identity = std::to_string(st.st_ino) + ":" + std::to_string(st.st_size) + ":" +
                       std::to_string(st.st_mtim.tv_sec) + "." + std::to_string(st.st_mtim.tv_nsec);
        raw.source = infoPath;
        raw.node.transport = L"virtual";
        raw.node.node = Utf8ToWide(dirPath + "/" + stem + kVirtualSocketSuffix);
        out.push_back(std::move(raw));
    }
    return true;
}

bool ReadVirtualNode(RawHidNode& raw, std::vector<uint8_t>& descriptor) {
    VirtualInterfaceInfo info;
    if (!ReadInfo(raw.source, info)) {
        return false;
    }
    raw.node.vendor = info.vendor;
    raw.node.product = info.product;
    raw.node.interfaceNumber = info.interfaceNumber;
    descriptor = std::move(info.descriptor);
    return true;
}

bool OpenVirtualNode(const std::string& socketPath, OpenedHidNode& out, std::vector<uint8_t>& descriptor,
                     int& error) {
    const std::string stem = Stem(socketPath, kVirtualSocketSuffix);
    VirtualInterfaceInfo info;
    sockaddr_un addr{};
    if (stem.empty() || socketPath.size() >= sizeof addr.sun_path) {
        error = ENOENT;
        return false;
    }
    if (!ReadInfo(stem + kVirtualInfoSuffix, info)) {
        error = errno == EACCES ? EACCES : ENOENT;
        return false;
    }
    const int fd = socket(AF_UNIX, SOCK_SEQPACKET | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        error = errno;
        return false;
    }
    addr.sun_family = AF_UNIX;
    std::memcpy(addr.sun_path, socketPath.c_str(), socketPath.size() + 1);
    if (connect(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0) {
        error = errno;
        close(fd);
        return false;
    }
    out.fd = fd;
    out.vendor = info.vendor;
    out.product = info.product;
    descriptor = std::move(info.descriptor);
    return true;
}
