#pragma once
// Language texts: the current language name and a table key -> text loaded from a language text file
// of the skin (format in skin/README.md). Controls with the resource-text flag show the text of their
// key; ReloadText makes every open window show the current texts. UI thread only.
#include <map>
#include <string>
#include <string_view>

class CResourceManager {
public:
    static CResourceManager& Instance();

    void SetLanguage(std::wstring name) { m_language = std::move(name); }
    const std::wstring& GetLanguage() const { return m_language; }

    // Loads a language text file (skin-relative or absolute) in place of the current texts. False when
    // it cannot be read or parsed; the current texts then stay.
    bool LoadLanguage(const std::wstring& file);
    // The text of a key; the key itself when the language has none, so nothing shows blank.
    std::wstring GetText(std::wstring_view key) const;
    bool HasText(std::wstring_view key) const;
    // Relayouts and repaints every window with the current texts.
    void ReloadText();

private:
    std::wstring m_language;
    std::map<std::wstring, std::wstring, std::less<>> m_texts;
};
