#include "config/file_names.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

TEST(FileNames, SplitIndexedName) {
    struct Case {
        const wchar_t* name;
        bool split;
        const wchar_t* prefix;
        int32_t number;
    };
    const Case cases[] = {
        {L"color_option", true, L"color_", 0},  // text that is no number reads 0
        {L"coloroption12", false, L"", 0},
        {L"color_option_12", true, L"color_option_", 12},
        {L"_7", true, L"_", 7},
        {L"light_", true, L"light_", 0},
        {L"key_12ab", true, L"key_", 12},  // leading digits count
        {L"key_-3", true, L"key_", -3},
        {L"key_99999999999", true, L"key_", INT32_MAX},  // clamped, not wrapped
    };
    for (const Case& c : cases) {
        std::wstring prefix;
        int32_t number = -100;
        ASSERT_EQ(SplitIndexedName(c.name, prefix, number), c.split) << c.name;
        if (c.split) {
            EXPECT_EQ(prefix, c.prefix) << c.name;
            EXPECT_EQ(number, c.number) << c.name;
        }
    }
}

TEST(FileNames, FileTitleOf) {
    EXPECT_EQ(FileTitleOf(L"/home/u/.local/share/x/2019_03_07.Json"), L"2019_03_07");
    EXPECT_EQ(FileTitleOf(L"name.tar.gz"), L"name.tar");
    EXPECT_EQ(FileTitleOf(L"/a.b/noext"), L"noext");
    EXPECT_EQ(FileTitleOf(L"/a/.hidden"), L".hidden");
}

TEST(FileNames, OnlyPlainStemsAreFileNames) {
    for (const wchar_t* good : {L"abc", L"{3F2504E0-4F89}", L"a.b", L"...x"}) {
        EXPECT_TRUE(IsPlainFileStem(good)) << good;
    }
    for (const wchar_t* bad : {L"", L".", L"..", L"../x", L"a/b", L"/abs", L"a\\b"}) {
        EXPECT_FALSE(IsPlainFileStem(bad)) << bad;
    }
    EXPECT_FALSE(IsPlainFileStem(std::wstring(L"a\0b", 3)));
}

TEST(FileNames, TimeStampNameIsLocalTimeWithMilliseconds) {
    setenv("TZ", "UTC", 1);
    tzset();
    // 2019-03-07 09:05:02.045 UTC
    const auto when = std::chrono::system_clock::from_time_t(1551949502) + std::chrono::milliseconds(45);
    EXPECT_EQ(MakeTimeStampName(when), "2019_03_07_09_05_02_045");
}
