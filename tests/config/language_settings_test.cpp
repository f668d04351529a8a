#include <gtest/gtest.h>

#include <fstream>

#include "config/language_list.h"
#include "config/registry_store.h"
#include "tests/support/temp_dir.h"

namespace {
void WriteFile(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path) << text;
}
}  // namespace

TEST(RegistryStore, KeysMustExistBeforeValuesAreWritten) {
    TempDir dir;
    CRegistryStore store((dir.Path() / "cfg/registry.json").wstring());
    const std::wstring key = AppRegistryKey();
    EXPECT_EQ(key, L"SOFTWARE\\Plemix PX-300 Device");
    EXPECT_FALSE(store.KeyExists(key));
    EXPECT_FALSE(store.WriteDword(key, L"LANGUAGE", 1));
    EXPECT_FALSE(store.ReadDword(key, L"LANGUAGE"));
    ASSERT_TRUE(store.CreateKey(key));
    EXPECT_TRUE(store.KeyExists(key));
    EXPECT_FALSE(store.ReadDword(key, L"LANGUAGE"));  // key without the value
    ASSERT_TRUE(store.WriteDword(key, L"LANGUAGE", 1033));
    EXPECT_EQ(store.ReadDword(key, L"LANGUAGE"), 1033u);
    EXPECT_TRUE(store.CreateKey(key));  // existing key keeps its values
    EXPECT_EQ(CRegistryStore(store.File()).ReadDword(key, L"LANGUAGE"), 1033u);
}

TEST(RegistryStore, DamagedStoreReadsAsEmpty) {
    TempDir dir;
    const auto file = dir.Path() / "registry.json";
    WriteFile(file, R"({"SOFTWARE\\Plemix PX-300 Device": {"LANGUAGE": "one"}})");
    CRegistryStore store(file.wstring());
    EXPECT_TRUE(store.KeyExists(AppRegistryKey()));
    EXPECT_FALSE(store.ReadDword(AppRegistryKey(), L"LANGUAGE"));
    WriteFile(file, "not json");
    EXPECT_FALSE(store.KeyExists(AppRegistryKey()));
    EXPECT_TRUE(store.CreateKey(AppRegistryKey()));
}

TEST(LanguageList, EntriesAndIndexLookup) {
    TempDir dir;
    const auto file = dir.Path() / "Language.config";
    WriteFile(file, R"({"Language": [
        {"Language_ID": 2052, "Language_name": "cn", "Language_file": "lan_cn.xml"},
        {"Language_ID": 1033, "Language_name": "en", "Language_file": "lan_en.xml"},
        {"Language_ID": 520, "Language_name": "x", "Language_file": "../../etc/passwd"}]})");
    const auto list = ReadLanguageList(file.wstring());
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[1].name, L"en");
    EXPECT_EQ(list[1].file, L"lan_en.xml");
    EXPECT_EQ(list[2].file, L"");  // never a path out of the skin folder
    EXPECT_EQ(LanguageIndexForId(list, 1033), 1u);
    EXPECT_EQ(LanguageIndexForId(list, kDefaultLanguageId), 2u);
    EXPECT_EQ(LanguageIndexForId(list, 7), 0u);  // no match
    EXPECT_TRUE(ReadLanguageList((dir.Path() / "missing").wstring()).empty());
}

TEST(LanguageList, FontFaceFollowsTheLanguage) {
    struct Case {
        size_t index;
        std::optional<size_t> previous;
        std::optional<std::wstring> face;
    };
    const Case cases[] = {
        {15, 3, L"Noto Sans Thai"},
        {0, std::nullopt, L"汉仪菱心体简"},
        {2, 1, L"Noto Sans CJK TC Regular"},
        {5, 15, L"Verdana Unicode MS"},
        {7, 5, std::nullopt},
        {1, std::nullopt, L"Verdana Unicode MS"},
        {3, 0, L"Verdana Unicode MS"},
        {3, 2, L"Verdana Unicode MS"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FontFaceForLanguage(c.index, c.previous), c.face) << c.index;
    }
}
