#include "platform/message_target.h"

#include <gtest/gtest.h>

TEST(RegisteredMessages, SameNameSameNumberInTheRegisteredRange) {
    const uint32_t a = RegisterWindowMessage(L"Plemix PX-300 Device");
    const uint32_t b = RegisterWindowMessage(L"Game_Start");
    EXPECT_GE(a, 0xC000u);
    EXPECT_NE(a, b);
    EXPECT_EQ(RegisterWindowMessage(L"Plemix PX-300 Device"), a);
    EXPECT_EQ(RegisteredMessageName(b), L"Game_Start");
    EXPECT_EQ(RegisteredMessageName(3090), L"");
    EXPECT_EQ(RegisterWindowMessage(L""), 0u);
}
