#pragma once
// Small name helpers shared by the configuration files.
#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

// The local time as "2019_03_07_09_05_02_045" (year, month, day, hour, minute, second, millisecond):
// a unique name for new profiles and macros.
std::string MakeTimeStampName(std::chrono::system_clock::time_point when = std::chrono::system_clock::now());

// The file name without its folder and its extension: "/a/b/2019_03.Json" gives "2019_03".
std::wstring FileTitleOf(std::wstring_view path);

// The folder part of a path up to and including the last '/'; empty when there is none.
std::wstring FolderOf(std::wstring_view path);

// Splits "color_option_12" at its last '_' into the prefix "color_option_" (the '_' included) and
// the number 12. The text after the '_' is read like atoi: leading digits with an optional sign,
// anything else reads 0, and values beyond 32 bits are clamped. False when there is no '_'.
bool SplitIndexedName(std::wstring_view name, std::wstring& prefix, int32_t& number);

// True when a name taken from a file may be used as a file name stem in its folder: not empty,
// no '/', '\\' or NUL, and not "." or "..".
bool IsPlainFileStem(std::wstring_view name);
