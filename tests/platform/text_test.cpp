#include "platform/text.h"

#include <gtest/gtest.h>

TEST(Text, RoundTripsEveryPlane) {
    const std::wstring wide = L"abc \u00e9 \u547d\u4ee4 \U0001F3AE";
    EXPECT_EQ(Utf8ToWide(WideToUtf8(wide)), wide);
    EXPECT_EQ(WideToUtf8(L"\u547d"), "\xe5\x91\xbd");
}

TEST(Text, InvalidUtf8BecomesReplacementCharacters) {
    struct Case {
        std::string input;
        std::wstring expected;
    };
    const Case cases[] = {
        {"\xff", L"\xfffd"},                      // never valid
        {"a\xe5\x91", L"a\xfffd\xfffd"},          // truncated at the end
        {"\xc0\xaf", L"\xfffd\xfffd"},            // overlong
        {"\xed\xa0\x80", L"\xfffd\xfffd\xfffd"},  // surrogate
        {"\xe5x", L"\xfffdx"},                    // bad continuation
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8ToWide(c.input), c.expected) << c.input;
    }
}
