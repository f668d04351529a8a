#pragma once
// Parsing of layout attribute values. Each parser returns false for a malformed value and leaves the
// output as it was, so a bad attribute keeps the control's default.
#include <string_view>

#include "ui/types.h"

bool ParseBool(std::wstring_view text, bool& out);      // "true" / "false"
bool ParseInt(std::wstring_view text, int& out);        // decimal, optional sign
bool ParseColor(std::wstring_view text, UiColor& out);  // "#AARRGGBB", "#RRGGBB" (opaque), "0xAARRGGBB"
bool ParseRect(std::wstring_view text, UiRect& out);    // "l,t,r,b"
bool ParseSize(std::wstring_view text, UiSize& out);    // "cx,cy"
bool EqualsNoCase(std::wstring_view a, std::wstring_view b);
std::wstring ToLower(std::wstring_view text);
