#include "config/file_names.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

std::string MakeTimeStampName(std::chrono::system_clock::time_point when) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
    const auto millis =
        std::chrono::duration_cast<std::chrono::milliseconds>(when.time_since_epoch()).count() % 1000;
    std::tm local = {};
    localtime_r(&seconds, &local);
    char text[64];
    std::snprintf(text, sizeof text, "%d_%02d_%02d_%02d_%02d_%02d_%03d", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                  static_cast<int>(millis < 0 ? millis + 1000 : millis));
    return text;
}

std::wstring FileTitleOf(std::wstring_view path) {
    const size_t slash = path.rfind(L'/');
    std::wstring_view name = slash == std::wstring_view::npos ? path : path.substr(slash + 1);
    const size_t dot = name.rfind(L'.');
    if (dot != std::wstring_view::npos && dot > 0) {
        name = name.substr(0, dot);
    }
    return std::wstring(name);
}

std::wstring FolderOf(std::wstring_view path) {
    const size_t slash = path.rfind(L'/');
    return slash == std::wstring_view::npos ? std::wstring() : std::wstring(path.substr(0, slash + 1));
}

bool SplitIndexedName(std::wstring_view name, std::wstring& prefix, int32_t& number) {
    const size_t underscore = name.rfind(L'_');
    if (underscore == std::wstring_view::npos) {
        return false;
    }
    prefix.assign(name.substr(0, underscore + 1));
    std::wstring_view rest = name.substr(underscore + 1);
    bool negative = false;
    if (!rest.empty() && (rest.front() == L'-' || rest.front() == L'+')) {
        negative = rest.front() == L'-';
        rest.remove_prefix(1);
    }
    int64_t value = 0;
    for (const wchar_t c : rest) {
        if (c < L'0' || c > L'9') {
            break;
        }
        value = std::min<int64_t>(value * 10 + (c - L'0'), int64_t{INT32_MAX} + 1);
    }
    value = negative ? -value : std::min<int64_t>(value, INT32_MAX);
    number = static_cast<int32_t>(value);
    return true;
}

bool IsPlainFileStem(std::wstring_view name) {
    return !name.empty() && name != L"." && name != L".." &&
           name.find_first_of(std::wstring_view(L"/\\\0", 3)) == std::wstring_view::npos;
}
