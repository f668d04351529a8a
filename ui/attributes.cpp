#include "ui/attributes.h"

#include <cwctype>
#include <vector>

namespace {
std::wstring_view Trim(std::wstring_view s) {
    while (!s.empty() && std::iswspace(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && std::iswspace(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

bool ParseInts(std::wstring_view text, std::vector<int>& out, size_t count) {
    out.clear();
    for (;;) {
        const size_t comma = text.find(L',');
        int v = 0;
        if (!ParseInt(text.substr(0, comma), v)) {
            return false;
        }
        out.push_back(v);
        if (comma == std::wstring_view::npos) {
            return out.size() == count;
        }
        if (out.size() == count) {
            return false;  // more values than wanted
        }
        text.remove_prefix(comma + 1);
    }
}

bool ParseHex(std::wstring_view text, uint32_t& out) {
    if (text.empty() || text.size() > 8) {
        return false;
    }
    uint32_t v = 0;
    for (wchar_t c : text) {
        int d = 0;
        if (c >= L'0' && c <= L'9') {
            d = c - L'0';
        } else if (c >= L'a' && c <= L'f') {
            d = c - L'a' + 10;
        } else if (c >= L'A' && c <= L'F') {
            d = c - L'A' + 10;
        } else {
            return false;
        }
        v = v * 16 + static_cast<uint32_t>(d);
    }
    out = v;
    return true;
}
}  // namespace

bool ParseBool(std::wstring_view text, bool& out) {
    text = Trim(text);
    if (EqualsNoCase(text, L"true")) {
        out = true;
        return true;
    }
    if (EqualsNoCase(text, L"false")) {
        out = false;
        return true;
    }
    return false;
}

bool ParseInt(std::wstring_view text, int& out) {
    text = Trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == L'-' || text.front() == L'+')) {
        negative = text.front() == L'-';
        text.remove_prefix(1);
    }
    if (text.empty() || text.size() > 9) {
        return false;
    }
    int v = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') {
            return false;
        }
        v = v * 10 + (c - L'0');
    }
    out = negative ? -v : v;
    return true;
}

bool ParseColor(std::wstring_view text, UiColor& out) {
    text = Trim(text);
    size_t prefix = 0;
    if (text.starts_with(L"#")) {
        prefix = 1;
    } else if (text.starts_with(L"0x") || text.starts_with(L"0X")) {
        prefix = 2;
    } else {
        return false;
    }
    const std::wstring_view digits = text.substr(prefix);
    uint32_t v = 0;
    if ((digits.size() != 6 && digits.size() != 8) || !ParseHex(digits, v)) {
        return false;
    }
    out = digits.size() == 6 ? (0xFF000000u | v) : v;
    return true;
}

bool ParseRect(std::wstring_view text, UiRect& out) {
    std::vector<int> v;
    if (!ParseInts(text, v, 4)) {
        return false;
    }
    out = {v[0], v[1], v[2], v[3]};
    return true;
}

bool ParseSize(std::wstring_view text, UiSize& out) {
    std::vector<int> v;
    if (!ParseInts(text, v, 2)) {
        return false;
    }
    out = {v[0], v[1]};
    return true;
}

bool EqualsNoCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::towlower(a[i]) != std::towlower(b[i])) {
            return false;
        }
    }
    return true;
}

std::wstring ToLower(std::wstring_view text) {
    std::wstring out(text);
    for (auto& c : out) {
        c = static_cast<wchar_t>(std::towlower(c));
    }
    return out;
}
