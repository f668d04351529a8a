#include "ui/image.h"

#include <algorithm>

#include "ui/attributes.h"

namespace {
// Reads the next key='value' pair; false at the end or on a malformed pair.
bool NextPair(std::wstring_view& s, std::wstring_view& key, std::wstring_view& value) {
    while (!s.empty() && s.front() == L' ') {
        s.remove_prefix(1);
    }
    const size_t eq = s.find(L'=');
    if (s.empty() || eq == std::wstring_view::npos || eq + 1 >= s.size()) {
        return false;
    }
    key = s.substr(0, eq);
    while (!key.empty() && key.back() == L' ') {
        key.remove_suffix(1);
    }
    const wchar_t quote = s[eq + 1];
    if (quote != L'\'' && quote != L'"') {
        return false;
    }
    const size_t end = s.find(quote, eq + 2);
    if (end == std::wstring_view::npos) {
        return false;
    }
    value = s.substr(eq + 2, end - eq - 2);
    s.remove_prefix(end + 1);
    return true;
}
}  // namespace

bool ParseImageString(std::wstring_view image, TDrawInfoUI& out) {
    out = TDrawInfoUI{};
    if (image.find(L'=') == std::wstring_view::npos) {
        out.file = std::wstring(image);
        return !out.file.empty();
    }
    std::wstring_view rest = image;
    std::wstring_view key;
    std::wstring_view value;
    while (NextPair(rest, key, value)) {
        bool flag = false;
        int n = 0;
        if (key == L"file" || key == L"res") {
            out.file = std::wstring(value);
        } else if (key == L"source") {
            out.hasSource = ParseRect(value, out.source);
        } else if (key == L"corner") {
            ParseRect(value, out.corner);
        } else if (key == L"dest") {
            out.hasDest = ParseRect(value, out.dest);
        } else if (key == L"fade" && ParseInt(value, n)) {
            out.fade = std::clamp(n, 0, 255);
        } else if (key == L"hole" && ParseBool(value, flag)) {
            out.hole = flag;
        } else if (key == L"xtiled" && ParseBool(value, flag)) {
            out.xtiled = flag;
        } else if (key == L"ytiled" && ParseBool(value, flag)) {
            out.ytiled = flag;
        }
    }
    return !out.file.empty();
}
