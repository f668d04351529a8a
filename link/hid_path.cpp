#include "link/hid_path.h"

#include <cwchar>
#include <cwctype>

namespace {
std::wstring_view IdentityPart(std::wstring_view path) {
    const size_t hash = path.rfind(L'#');
    return hash == std::wstring_view::npos ? path : path.substr(hash);
}

uint16_t ParseAfterMarker(std::wstring_view path, std::wstring_view marker) {
    const std::wstring_view id = IdentityPart(path);
    for (size_t i = 0; i + marker.size() <= id.size(); ++i) {
        bool same = true;
        for (size_t k = 0; k < marker.size() && same; ++k) {
            same = static_cast<wchar_t>(std::towlower(id[i + k])) == marker[k];
        }
        if (!same) {
            continue;
        }
        uint32_t value = 0;
        size_t digits = 0;
        for (size_t p = i + marker.size(); p < id.size(); ++p, ++digits) {
            const wchar_t c = std::towlower(id[p]);
            uint32_t d;
            if (c >= L'0' && c <= L'9') {
                d = c - L'0';
            } else if (c >= L'a' && c <= L'f') {
                d = c - L'a' + 10;
            } else {
                break;
            }
            value = (value << 4) | d;  // keeps the low bits, like a %x scan into a narrower field
        }
        return digits == 0 ? 0 : static_cast<uint16_t>(value);
    }
    return 0;
}
}  // namespace

uint16_t ParseVid(std::wstring_view path) {
    return ParseAfterMarker(path, L"vid_");
}
uint16_t ParsePid(std::wstring_view path) {
    return ParseAfterMarker(path, L"pid_");
}
uint16_t ParseInterfaceNumber(std::wstring_view path) {
    return ParseAfterMarker(path, L"&mi_");
}
uint16_t ParseCollectionNumber(std::wstring_view path) {
    return ParseAfterMarker(path, L"&col");
}

std::wstring FormatInterfacePath(std::wstring_view transport, std::wstring_view node, uint16_t vendor,
                                 uint16_t product, std::optional<uint16_t> interfaceNumber,
                                 std::optional<uint16_t> collection) {
    wchar_t ids[64];
    std::swprintf(ids, 64, L"#vid_%04x&pid_%04x", vendor, product);
    std::wstring path;
    path.reserve(transport.size() + node.size() + 40);
    path.append(transport).append(L":").append(node).append(ids);
    if (interfaceNumber) {
        std::swprintf(ids, 64, L"&mi_%02x", *interfaceNumber);
        path += ids;
    }
    if (collection) {
        std::swprintf(ids, 64, L"&col%02x", *collection);
        path += ids;
    }
    return path;
}

std::optional<HidPathParts> SplitInterfacePath(std::wstring_view path) {
    const size_t colon = path.find(L':');
    if (colon == std::wstring_view::npos || colon == 0) {
        return std::nullopt;
    }
    const size_t hash = path.rfind(L'#');
    const size_t end = hash == std::wstring_view::npos || hash < colon ? path.size() : hash;
    if (end <= colon + 1) {
        return std::nullopt;
    }
    return HidPathParts{std::wstring(path.substr(0, colon)),
                        std::wstring(path.substr(colon + 1, end - colon - 1))};
}
