#pragma once
// The program's private fonts and its font table.
#include <string>

// Loads the four fonts below the program folder, in order; a font that cannot be loaded is skipped.
void LoadPrivateFonts();
// Unloads them in reverse order.
void UnloadPrivateFonts();

// Registers the font table (ids 0-11 and 50, and the default font) with one face.
void RegisterFontTable(const std::wstring& face);
