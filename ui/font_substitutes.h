#pragma once
// Face names the skin and the program use that are not installed fonts, mapped to families that are
// (the first one present wins). Applies to every font drawn afterwards.
#include <initializer_list>
#include <string>

void SetFontSubstitutes(const std::wstring& face, std::initializer_list<const wchar_t*> families);
