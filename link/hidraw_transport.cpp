#include <dirent.h>
#include <fcntl.h>
#include <linux/hidraw.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "link/hid_transports.h"
#include "platform/text.h"

namespace {
constexpr uint16_t kBusUsb = 0x0003;

// "HID_ID=0003:0000320F:00005055" and "HID_PHYS=usb-0000:00:14.0-1/input1" from a uevent file.
bool ParseUevent(const std::string& text, uint16_t& bus, uint16_t& vendor, uint16_t& product,
                 std::optional<uint16_t>& interfaceNumber) {
    bool haveId = false;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        if (line.rfind("HID_ID=", 0) == 0) {
            unsigned b = 0, v = 0, p = 0;
            char tail = 0;
            if (std::sscanf(line.c_str() + 7, "%x:%x:%x%c", &b, &v, &p, &tail) == 3 && b <= 0xFFFF &&
                v <= 0xFFFF && p <= 0xFFFF) {
                bus = static_cast<uint16_t>(b);
                vendor = static_cast<uint16_t>(v);
                product = static_cast<uint16_t>(p);
                haveId = true;
            }
        } else if (line.rfind("HID_PHYS=", 0) == 0) {
            const size_t at = line.rfind("/input");
            if (at != std::string::npos) {
                const char* digits = line.c_str() + at + 6;
                char* after = nullptr;
                const unsigned long n = std::strtoul(digits, &after, 10);
                if (after != digits && *after == '\0' && n <= 0xFF) {
                    interfaceNumber = static_cast<uint16_t>(n);
                }
            }
        }
    }
    return haveId;
}

int NodeNumber(const std::string& name) {
    return std::atoi(name.c_str() + 6);
}
}  // namespace

bool ReadSmallFile(const std::string& path, size_t limit, std::string& out) {
    // Non-blocking, and regular files only: a FIFO in a file's place must not hang the caller.
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        return false;
    }
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        return false;
    }
    out.clear();
    char buf[4096];
    bool ok = true;
    for (;;) {
        const ssize_t n = read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        if (out.size() + size_t(n) > limit) {
            ok = false;
            break;
        }
        out.append(buf, size_t(n));
    }
    close(fd);
    return ok;
}

bool ListHidrawNodes(const std::string& sysfsRoot, std::vector<RawHidNode>& out) {
    const std::string classDir = sysfsRoot + "/sys/class/hidraw";
    DIR* dir = opendir(classDir.c_str());
    if (dir == nullptr) {
        return errno == ENOENT || errno == ENOTDIR;
    }
    std::vector<std::string> names;
    while (const dirent* e = readdir(dir)) {
        if (std::strncmp(e->d_name, "hidraw", 6) == 0 && e->d_name[6] >= '0' && e->d_name[6] <= '9') {
            names.emplace_back(e->d_name);
        }
    }
    closedir(dir);
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return NodeNumber(a) < NodeNumber(b); });
    for (const auto& name : names) {
        const std::string base = classDir + "/" + name;
        RawHidNode raw;
        raw.node.transport = L"hidraw";
        raw.node.node = Utf8ToWide("/dev/" + name);
        // The class entry links to the device instance ("…/0003:320F:5055.0005/hidraw/hidraw3"), whose
        // sequence number changes on every plug; a plain directory (test trees) falls back to the
        // uevent file's inode and time.
        char target[PATH_MAX];
        const ssize_t len = readlink(base.c_str(), target, sizeof target - 1);
        if (len > 0) {
            raw.identity.assign(target, size_t(len));
        } else {
            struct stat st {};
            if (stat((base + "/device/uevent").c_str(), &st) != 0) {
                continue;
            }
            raw.identity = std::to_string(st.st_ino) + ":" + std::to_string(st.st_mtim.tv_sec) + "." +
                           std::to_string(st.st_mtim.tv_nsec);
        }
        raw.source = base;
        out.push_back(std::move(raw));
    }
    return true;
}

bool ReadHidrawNode(RawHidNode& raw, std::vector<uint8_t>& descriptor) {
    std::string uevent, bytes;
    uint16_t bus = 0;
    if (!ReadSmallFile(raw.source + "/device/uevent", 8192, uevent) ||
        !ParseUevent(uevent, bus, raw.node.vendor, raw.node.product, raw.node.interfaceNumber) ||
        !ReadSmallFile(raw.source + "/device/report_descriptor", kMaxDescriptorSize, bytes)) {
        return false;
    }
    if (bus != kBusUsb) {
        raw.node.interfaceNumber.reset();
    }
    descriptor.assign(bytes.begin(), bytes.end());
    return true;
}

bool OpenHidrawNode(const std::string& node, int accessFlags, OpenedHidNode& out,
                    std::vector<uint8_t>& descriptor, int& error) {
    const int fd = open(node.c_str(), accessFlags | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = errno;
        return false;
    }
    hidraw_devinfo info{};
    int size = 0;
    if (ioctl(fd, HIDIOCGRAWINFO, &info) < 0 || ioctl(fd, HIDIOCGRDESCSIZE, &size) < 0 || size <= 0 ||
        size > static_cast<int>(kMaxDescriptorSize)) {
        error = errno != 0 ? errno : EINVAL;
        close(fd);
        return false;
    }
    hidraw_report_descriptor rd{};
    rd.size = static_cast<uint32_t>(size);
    if (ioctl(fd, HIDIOCGRDESC, &rd) < 0) {
        error = errno;
        close(fd);
        return false;
    }
    out.fd = fd;
    out.vendor = static_cast<uint16_t>(info.vendor);
    out.product = static_cast<uint16_t>(info.product);
    descriptor.assign(rd.value, rd.value + rd.size);
    return true;
}
