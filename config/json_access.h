#pragma once
// Member access shared by every reader and writer of a configuration document. Reads never insert
// members and never throw; wrong JSON types read as 0 or empty. Writes never throw: a parent of the
// wrong type is replaced by an empty object or array, since no reader could make use of it.
#include <json/value.h>

#include <cstdint>
#include <string>
#include <string_view>

// Array positions a writer may create. Larger indices come from bad input (a group or slot number
// read from a file) and are refused instead of being grown into a document of millions of nulls.
constexpr int64_t kMaxDocumentIndex = 1024;

inline bool IsDocumentIndex(int64_t index) {
    return index >= 0 && index < kMaxDocumentIndex;
}
// IsDocumentIndex, with a debug line "profile: <what> <index> is out of range" when it is not.
bool CheckDocumentIndex(int64_t index, std::wstring_view what);

// Member `key` of an object; null when `object` is no object or has no such member.
const Json::Value& MemberOf(const Json::Value& object, const char* key);
// Element `index` of an array; null when `array` is no array or is too short.
const Json::Value& ElementOf(const Json::Value& array, int64_t index);

// The number rule: integers keep their low 32 bits, reals inside the 32-bit range truncate toward
// zero, true reads 1; everything else (false, null, strings, arrays, objects, huge reals) reads 0.
int32_t JsonInt(const Json::Value& value);
// A flag: any nonzero number is true.
inline bool JsonFlag(const Json::Value& value) {
    return JsonInt(value) != 0;
}
// A string member as wide text; any other type reads empty.
std::wstring JsonText(const Json::Value& value);

// Writable member `key`; `parent` becomes an object first when it is none.
Json::Value& ObjectMember(Json::Value& parent, const char* key);
// Writable element `index`; `parent` becomes an array first when it is none, and a shorter array
// is filled with nulls up to the index. An index taken from a file or a caller's argument is checked
// with IsDocumentIndex first.
Json::Value& ArrayElement(Json::Value& parent, int64_t index);
