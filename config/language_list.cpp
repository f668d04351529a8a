#include "config/language_list.h"

#include "config/json_access.h"
#include "config/json_file.h"

std::vector<LanguageEntry> ReadLanguageList(const std::wstring& path) {
    const Json::Value root = LoadJsonFile(path);
    const Json::Value& list = MemberOf(root, "Language");
    std::vector<LanguageEntry> entries;
    for (Json::ArrayIndex i = 0; list.isArray() && i < list.size(); ++i) {
        LanguageEntry e;
        e.id = static_cast<uint32_t>(JsonInt(MemberOf(list[i], "Language_ID")));
        e.name = JsonText(MemberOf(list[i], "Language_name"));
        e.file = JsonText(MemberOf(list[i], "Language_file"));
        if (e.file.find_first_of(L"/\\") != std::wstring::npos || e.file == L".." || e.file == L".") {
            e.file.clear();
        }
        entries.push_back(std::move(e));
    }
    return entries;
}

size_t LanguageIndexForId(const std::vector<LanguageEntry>& list, uint32_t id) {
    for (size_t i = 0; i < list.size(); ++i) {
        if (list[i].id == id) {
            return i;
        }
    }
    return 0;
}

std::optional<std::wstring> FontFaceForLanguage(size_t index, std::optional<size_t> previous) {
    switch (index) {
        case 15:
            return L"Noto Sans Thai";
        case 0:
            return L"汉仪菱心体简";
        case 2:
            return L"Noto Sans CJK TC Regular";
        default:
            break;
    }
    // Leaving a language with its own face goes back to the common face; otherwise fonts stay.
    if (!previous || *previous == 15 || *previous == 0 || *previous == 2) {
        return L"Verdana Unicode MS";
    }
    return std::nullopt;
}
