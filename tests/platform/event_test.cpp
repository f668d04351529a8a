#include "platform/event.h"

#include <gtest/gtest.h>

#include <thread>

#include "platform/tick.h"

TEST(Event, AutoResetReleasesOneWaitThenResets) {
    CEvent ev(false, true);
    EXPECT_TRUE(ev.Wait(0));
    EXPECT_FALSE(ev.Wait(0));
}

TEST(Event, ManualResetStaysSetUntilReset) {
    CEvent ev(true, false);
    ev.Set();
    EXPECT_TRUE(ev.Wait(0));
    EXPECT_TRUE(ev.Wait(0));
    ev.Reset();
    EXPECT_FALSE(ev.Wait(0));
}

TEST(Event, WaitTimesOutAfterRoughlyTheTimeout) {
    CEvent ev;
    const uint64_t start = GetTickCount64();
    EXPECT_FALSE(ev.Wait(30));
    EXPECT_GE(GetTickCount64() - start, 29u);
}

TEST(Event, WaitAnyReportsTheFirstSignalledInListOrder) {
    CEvent a(false), b(false), c(true);
    b.Set();
    c.Set();
    EXPECT_EQ(CEvent::WaitAny({&a, &b, &c}, 0), 1);
    EXPECT_FALSE(b.IsSet());  // auto-reset consumed
    EXPECT_TRUE(c.IsSet());   // not consumed: only the first is taken
    EXPECT_EQ(CEvent::WaitAny({&a, &b}, 0), -1);
}

TEST(Event, SetFromAnotherThreadWakesAnUnboundedWait) {
    CEvent a, b;
    std::thread setter([&] {
        SleepMs(20);
        b.Set();
    });
    EXPECT_EQ(CEvent::WaitAny({&a, &b}, kWaitInfinite), 1);
    setter.join();
}
