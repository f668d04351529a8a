#include "config/json_access.h"

#include <gtest/gtest.h>

#include <climits>

#include "config/json_file.h"

TEST(NumberRule, EveryJsonTypeReadsAsSigned32Bit) {
    struct Case {
        const char* json;
        int32_t expected;
    };
    const Case cases[] = {
        {"null", 0},
        {"false", 0},
        {"true", 1},
        {"\"12\"", 0},  // wrong types read 0
        {"[1]", 0},
        {"{\"a\": 1}", 0},
        {"300", 300},
        {"-5", -5},
        {"2.9", 2},  // reals truncate toward zero
        {"-2.9", -2},
        {"2147483647", INT32_MAX},
        {"-2147483648", INT32_MIN},
        {"4294967297", 1},  // integers beyond 32 bits keep their low bits
        {"3000000000", -1294967296},
        {"-4294967295", 1},
        {"1e10", 0},  // reals outside the range read 0
        {"-1e300", 0},
    };
    for (const Case& c : cases) {
        const Json::Value value = ParseJsonText(c.json);
        EXPECT_EQ(JsonInt(value), c.expected) << c.json;
    }
}

TEST(NumberRule, TextReadsOnlyFromStrings) {
    EXPECT_EQ(JsonText(ParseJsonText("\"Gr\\u00fc\\u00dfe\"")), L"Gr\u00fc\u00dfe");
    EXPECT_EQ(JsonText(ParseJsonText("12")), L"");
    EXPECT_EQ(JsonText(ParseJsonText("null")), L"");
}
