#include "link/virtual_wire.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>

std::string VirtualDeviceDir() {
    if (const char* dir = std::getenv("PX300_VIRTUAL_DIR"); dir != nullptr && *dir != '\0') {
        return dir;
    }
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr && *runtime != '\0') {
        return std::string(runtime) + "/px300-virtual";
    }
    return "/tmp/px300-virtual-" + std::to_string(getuid());
}

std::string FormatVirtualInfo(const VirtualInterfaceInfo& info) {
    char head[96];
    std::snprintf(head, sizeof head, "vendor %04x\nproduct %04x\ninterface %u\ndescriptor ", info.vendor,
                  info.product, info.interfaceNumber);
    std::string text = head;
    static const char kHex[] = "0123456789abcdef";
    for (uint8_t b : info.descriptor) {
        text.push_back(kHex[b >> 4]);
        text.push_back(kHex[b & 15]);
    }
    text.push_back('\n');
    return text;
}

namespace {
bool ParseHexNumber(const std::string& text, unsigned long max, unsigned long& out) {
    if (text.empty() || text.size() > 8) {
        return false;
    }
    char* end = nullptr;
    out = std::strtoul(text.c_str(), &end, 16);
    return *end == '\0' && out <= max;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}
}  // namespace

bool ParseVirtualInfo(std::string_view text, VirtualInterfaceInfo& out) {
    VirtualInterfaceInfo info;
    unsigned seen = 0;
    std::istringstream lines{std::string(text)};
    std::string key, value;
    while (lines >> key >> value) {
        unsigned long number = 0;
        if (key == "vendor" && ParseHexNumber(value, 0xFFFF, number)) {
            info.vendor = static_cast<uint16_t>(number);
            seen |= 1;
        } else if (key == "product" && ParseHexNumber(value, 0xFFFF, number)) {
            info.product = static_cast<uint16_t>(number);
            seen |= 2;
        } else if (key == "interface" && value.size() <= 3 &&
                   value.find_first_not_of("0123456789") == std::string::npos) {
            info.interfaceNumber = static_cast<uint16_t>(std::stoul(value));
            seen |= 4;
        } else if (key == "descriptor" && value.size() % 2 == 0 && value.size() / 2 <= kMaxDescriptorSize) {
            for (size_t i = 0; i < value.size(); i += 2) {
                const int hi = HexDigit(value[i]), lo = HexDigit(value[i + 1]);
                if (hi < 0 || lo < 0) {
                    return false;
                }
                info.descriptor.push_back(static_cast<uint8_t>(hi * 16 + lo));
            }
            seen |= 8;
        } else {
            return false;
        }
    }
    if (seen != 15) {
        return false;
    }
    out = std::move(info);
    return true;
}
