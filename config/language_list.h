#pragma once
// The interface languages the program offers ("Language.config": an array "Language" of elements
// with "Language_ID", "Language_name" and "Language_file"), and the choice of font face per language.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct LanguageEntry {
    uint32_t id = 0;    // stored in the settings store's "LANGUAGE"
    std::wstring name;  // the language name given to the text resources
    std::wstring file;  // the language text file
};

// Entries in file order (the position is the language index); empty when the file is missing or
// unreadable. An entry whose "Language_file" is not a plain file name gets an empty file (the texts
// are never loaded from outside the skin folder).
std::vector<LanguageEntry> ReadLanguageList(const std::wstring& path);

// The index of the first entry with this id; 0 when none has it.
size_t LanguageIndexForId(const std::vector<LanguageEntry>& list, uint32_t id);

// The id "LANGUAGE" reads as when the key exists but the value does not.
constexpr uint32_t kDefaultLanguageId = 520;

// The face every registered font takes when the language index changes from previous (nullopt:
// no language applied yet) to index; nullopt when the fonts stay as they are.
std::optional<std::wstring> FontFaceForLanguage(size_t index, std::optional<size_t> previous);
