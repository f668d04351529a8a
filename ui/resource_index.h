#pragma once
// The skin's resource index, res.xml: names that code uses for skin files ("XML_MAIN") mapped to
// files of the skin folder. Format: <Res><File name="XML_MAIN" path="XML/main.xml"/>...</Res>.
#include <map>
#include <string>
#include <string_view>

class CResourceIndex {
public:
    static CResourceIndex& Instance();

    // Reads the index file; false (and an empty index) when it is missing or malformed.
    bool Load(const std::wstring& file);
    // The skin-relative file of a name; the name itself when the index has none, so a plain file
    // name can stand where a resource name is expected.
    std::wstring File(std::wstring_view name) const;

private:
    std::map<std::wstring, std::wstring, std::less<>> m_files;
};
