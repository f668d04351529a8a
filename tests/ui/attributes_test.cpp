// Attribute values and image strings of the layout dialect: malformed input keeps the default.
#include <gtest/gtest.h>

#include "ui/attributes.h"
#include "ui/image.h"

namespace {
TEST(Attributes, ColoursParseOrKeepTheDefault) {
    struct Case {
        std::wstring_view text;
        bool ok;
        UiColor value;
    };
    const Case cases[] = {
        {L"", false, 0},
        {L"#", false, 0},
        {L"red", false, 0},
        {L"#12345", false, 0},
        {L"#GG0000FF", false, 0},
        {L"#FF00FF00FF", false, 0},
        {L"#FF102030", true, 0xFF102030},
        {L"#102030", true, 0xFF102030},
        {L"0x80FFFFFF", true, 0x80FFFFFF},
        {L" #00000000 ", true, 0},
    };
    for (const auto& c : cases) {
        UiColor value = 0x12345678;
        EXPECT_EQ(ParseColor(c.text, value), c.ok) << c.text.data();
        EXPECT_EQ(value, c.ok ? c.value : 0x12345678u) << c.text.data();
    }
}

TEST(Attributes, NumbersRectanglesAndSizes) {
    UiRect rc{9, 9, 9, 9};
    EXPECT_FALSE(ParseRect(L"1,2,3", rc));
    EXPECT_FALSE(ParseRect(L"1,2,3,4,5", rc));
    EXPECT_FALSE(ParseRect(L"1,x,3,4", rc));
    EXPECT_EQ(rc, (UiRect{9, 9, 9, 9}));
    EXPECT_TRUE(ParseRect(L"1, -2,3 ,4", rc));
    EXPECT_EQ(rc, (UiRect{1, -2, 3, 4}));
    UiSize size;
    EXPECT_FALSE(ParseSize(L"800", size));
    EXPECT_TRUE(ParseSize(L"800,572", size));
    EXPECT_EQ(size.cx, 800);
    int n = 5;
    EXPECT_FALSE(ParseInt(L"99999999999", n));  // would overflow
    EXPECT_FALSE(ParseInt(L"-", n));
    EXPECT_EQ(n, 5);
    bool flag = false;
    EXPECT_TRUE(ParseBool(L"TRUE", flag));
    EXPECT_TRUE(flag);
    EXPECT_FALSE(ParseBool(L"1", flag));
}

TEST(ImageStrings, BareNamesAndAttributeForms) {
    struct Case {
        std::wstring_view text;
        bool ok;
        std::wstring file;
        int fade;
        bool hasSource;
        bool hasDest;
    };
    const Case cases[] = {
        {L"", false, L"", 255, false, false},
        {L"file=", false, L"", 255, false, false},
        {L"file='unterminated", false, L"", 255, false, false},
        {L"fade='100'", false, L"", 100, false, false},  // no file
        {L"common/base1.png", true, L"common/base1.png", 255, false, false},
        {L"file='a.png' source='0,0,10,10' fade='300'", true, L"a.png", 255, true, false},
        {L"res='b.svg' dest='1,2,3,4' corner='1,1,1,1' hole='true'", true, L"b.svg", 255, false, true},
        {L"file=\"c.png\" fade='-4' source='bad'", true, L"c.png", 0, false, false},
    };
    for (const auto& c : cases) {
        TDrawInfoUI info;
        EXPECT_EQ(ParseImageString(c.text, info), c.ok) << c.text.data();
        if (c.ok) {
            EXPECT_EQ(info.file, c.file) << c.text.data();
            EXPECT_EQ(info.fade, c.fade) << c.text.data();
            EXPECT_EQ(info.hasSource, c.hasSource) << c.text.data();
            EXPECT_EQ(info.hasDest, c.hasDest) << c.text.data();
        }
    }
}
}  // namespace
