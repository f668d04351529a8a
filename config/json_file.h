#pragma once
// The JSON file helpers every configuration file of the system goes through. Paths are wide text
// (converted to UTF-8 for the file system). The text and name helpers (Utf8ToWide, WideToUtf8,
// MakeTimeStampName, FileTitleOf, SplitIndexedName) come with this header.
#include <json/value.h>

#include <string>
#include <string_view>

#include "config/file_names.h"
#include "platform/text.h"

// Files above this size are not read (a profile is some hundred kilobytes at most).
constexpr size_t kMaxJsonFileBytes = 64 * 1024 * 1024;

// The whole file as bytes. Writes the debug line "readjsonFile 错误吗：：<errno>" on every call
// (0 when the file opened). A file that cannot be opened, is not a regular file, is larger than
// kMaxJsonFileBytes or reads short gives an empty string.
std::string readjsonFile(const std::wstring& path);

// Parses JSON text; comments are accepted. Null on a parse error (without a debug line).
Json::Value ParseJsonText(std::string_view text);

// The parsed file; null when the file is missing, empty, unreadable (its path goes to the debug
// output) or not valid JSON.
Json::Value LoadJsonFile(const std::wstring& path);

// The value in the styled layout (three-space indent, members in key order), with CR LF line ends
// and a final line end.
std::string FormatJsonFile(const Json::Value& value);

// Replaces the file with FormatJsonFile(value) through a temporary file and a rename, so an
// interrupted write leaves the old file whole. Returns 1 on success; 0 on failure, which is also
// written to the debug output.
int WriteJsonFile(const std::wstring& path, const Json::Value& value);
