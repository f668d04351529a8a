#pragma once
// Text at the boundary: memory holds wide strings, files, sockets and the command line UTF-8.
#include <string>
#include <string_view>

// Invalid UTF-8 sequences become U+FFFD; nothing is dropped silently.
std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);
