// Timers, messages between threads, closing and modal runs of a window.
#include <gtest/gtest.h>

#include "platform/worker_thread.h"

#include <QTest>
#include <QTimer>
#include <atomic>
#include <thread>

#include "platform/tick.h"
#include "test_window.h"
#include "ui/messages.h"
#include "ui/notifications.h"

namespace {
constexpr uint32_t kTestMsg = kWmUser + 5;

// Handles the UI thread's queue until done() or the limit passes.
bool PumpUntil(const std::function<bool()>& done, int limitMs = 2000) {
    return QTest::qWaitFor(done, limitMs);
}

class MessagesTest : public ::testing::Test {
protected:
    void SetUp() override { OpenTestWindow(window); }

    CTestWindow window{L"person.xml"};
};

TEST_F(MessagesTest, WindowInitArrivesOnceAfterTheFirstShow) {
    window.ShowWindow(false);
    window.ShowWindow(true);
    CUiApplication::DoEvents();
    EXPECT_EQ(std::count(window.log.begin(), window.log.end(), L"windowinit:root"), 1);
}

TEST_F(MessagesTest, AControlTimerFiresUntilKilled) {
    CControlUI* slider = window.FindControl(L"slider");
    ASSERT_TRUE(slider->SetTimer(1001, 5));
    ASSERT_TRUE(PumpUntil([&] { return window.timers.size() >= 3; }));
    EXPECT_EQ(window.timers.front(), 1001u);
    slider->KillTimer(1001);
    const size_t fired = window.timers.size();
    QTest::qWait(40);
    EXPECT_EQ(window.timers.size(), fired);
}

TEST_F(MessagesTest, AControlTimerSetFromAWorkerThreadFiresOnTheUiThread) {
    CControlUI* slider = window.FindControl(L"slider");
    std::thread worker([slider] { slider->SetTimer(1002, 5); });
    worker.join();
    ASSERT_TRUE(PumpUntil([&] { return !window.timers.empty(); }));
    EXPECT_EQ(window.timers.front(), 1002u);
    slider->KillTimers();
}

TEST_F(MessagesTest, AWindowTimerDeliversTimerMessagesUntilKilled) {
    int ticks = 0;
    window.onMessage = [&](uint32_t msg, WPARAM wParam, LPARAM, bool& handled) -> LRESULT {
        if (msg == kWmTimer && wParam == 1011) {
            ++ticks;
            handled = true;
        }
        return 0;
    };
    ASSERT_TRUE(window.SetTimer(1011, 5));
    ASSERT_TRUE(PumpUntil([&] { return ticks >= 2; }));
    window.KillTimer(1011);
    const int seen = ticks;
    QTest::qWait(40);
    EXPECT_EQ(ticks, seen);
}

TEST_F(MessagesTest, AMessageSentFromAnotherThreadIsHandledOnTheUiThreadBeforeTheSenderGoesOn) {
    std::atomic<bool> handled{false};
    std::thread::id handlerThread;
    window.onMessage = [&](uint32_t msg, WPARAM wParam, LPARAM lParam, bool& isHandled) -> LRESULT {
        if (msg != kTestMsg) {
            return 0;
        }
        handlerThread = std::this_thread::get_id();
        SleepMs(30);  // the sender must still be waiting
        handled = true;
        isHandled = true;
        return static_cast<LRESULT>(wParam) + lParam;
    };
    std::atomic<bool> done{false};
    LRESULT result = 0;
    bool handledBeforeReturn = false;
    std::thread sender([&] {
        result = window.SendMessage(kTestMsg, 40, 2);
        handledBeforeReturn = handled;
        done = true;
    });
    ASSERT_TRUE(PumpUntil([&] { return done.load(); }));
    sender.join();
    EXPECT_EQ(result, 42);
    EXPECT_TRUE(handledBeforeReturn);
    EXPECT_EQ(handlerThread, std::this_thread::get_id());
}

TEST_F(MessagesTest, ASenderWaitingOnAClosingWindowGoesOnWithZero) {
    bool reached = false;
    window.onMessage = [&](uint32_t msg, WPARAM, LPARAM, bool& handled) -> LRESULT {
        reached = reached || msg == kTestMsg;
        handled = msg == kTestMsg;
        return 7;
    };
    std::atomic<bool> done{false};
    LRESULT result = -1;
    std::thread sender([&] {
        result = window.SendMessage(kTestMsg, 0, 0);
        done = true;
    });
    while (window.PendingSendCount() == 0) {  // the sender waits; the UI thread has not looked yet
        std::this_thread::yield();
    }
    window.SendMessage(kWmClose, 0, 0);
    sender.join();
    EXPECT_TRUE(done);
    EXPECT_EQ(result, 0);
    CUiApplication::DoEvents();
    EXPECT_FALSE(reached);
    EXPECT_FALSE(window.PostMessage(kTestMsg, 0, 0));
    EXPECT_EQ(window.SendMessage(kTestMsg, 0, 0), 0);
}

TEST_F(MessagesTest, AWorkerWaitingInSendMessageStopsWhenTheUiThreadStopsIt) {
    // The UI thread stops the worker without pumping messages: the send must give way to the stop.
    CWorkerThread worker(L"sender");
    LRESULT result = -1;
    worker.Start([&](const ThreadParam&) { result = window.SendMessage(kTestMsg, 1, 2); });
    while (window.PendingSendCount() == 0) {  // the worker waits in SendMessage
        std::this_thread::yield();
    }
    EXPECT_TRUE(worker.Stop(1000));
    EXPECT_EQ(result, 0);
}

TEST_F(MessagesTest, PostedMessagesArriveInOrderOnTheUiThread) {
    std::vector<WPARAM> seen;
    std::vector<std::thread::id> threads;
    window.onMessage = [&](uint32_t msg, WPARAM wParam, LPARAM, bool& handled) -> LRESULT {
        if (msg == kTestMsg) {
            seen.push_back(wParam);
            threads.push_back(std::this_thread::get_id());
            handled = true;
        }
        return 0;
    };
    std::thread poster([&] {
        for (WPARAM i = 1; i <= 3; ++i) {
            window.PostMessage(kTestMsg, i, 0);
        }
    });
    poster.join();
    EXPECT_TRUE(seen.empty());  // queued, not handled on the poster's thread
    ASSERT_TRUE(PumpUntil([&] { return seen.size() == 3; }));
    EXPECT_EQ(seen, (std::vector<WPARAM>{1, 2, 3}));
    EXPECT_EQ(threads[0], std::this_thread::get_id());
}

TEST_F(MessagesTest, ModalRunReturnsTheCloseCodeAndTheControlsStayReadable) {
    QTimer::singleShot(0, [&] { window.Close(5); });
    EXPECT_EQ(window.ShowModal(), 5);
    EXPECT_FALSE(window.IsWindow());
    EXPECT_NE(window.FindControl(L"ok_btn"), nullptr);
    CUiApplication::DoEvents();
    EXPECT_EQ(window.finalMessages, 1);
    EXPECT_EQ(window.ShowModal(), -1);
}

TEST_F(MessagesTest, AHandledCloseKeepsTheWindow) {
    window.onMessage = [](uint32_t msg, WPARAM, LPARAM, bool& handled) -> LRESULT {
        handled = msg == kWmClose;
        return 0;
    };
    window.Close(1);
    CUiApplication::DoEvents();
    EXPECT_TRUE(window.IsWindow());
    EXPECT_EQ(window.finalMessages, 0);
}

TEST_F(MessagesTest, DestroyIsTheLastMessageAndTimersStopWithTheWindow) {
    std::vector<uint32_t> messages;
    window.onMessage = [&](uint32_t msg, WPARAM, LPARAM, bool&) -> LRESULT {
        messages.push_back(msg);
        return 0;
    };
    window.SetTimer(7, 1);
    window.FindControl(L"slider")->SetTimer(8, 1);
    window.Close(0);
    CUiApplication::DoEvents();
    window.timers.clear();
    messages.clear();
    QTest::qWait(20);
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(window.timers.empty());
}

TEST_F(MessagesTest, ClosingAParentEndsTheWindowsItOwnsFirst) {
    std::vector<std::wstring> order;
    CTestWindow child(L"sample.xml");
    child.onMessage = [&](uint32_t msg, WPARAM, LPARAM, bool&) -> LRESULT {
        if (msg == kWmDestroy) {
            order.push_back(L"child");
        }
        return 0;
    };
    window.onMessage = [&](uint32_t msg, WPARAM, LPARAM, bool&) -> LRESULT {
        if (msg == kWmDestroy) {
            order.push_back(L"parent");
        }
        return 0;
    };
    ASSERT_TRUE(child.Create(&window, L"child"));
    child.ShowWindow();
    window.Close(0);
    CUiApplication::DoEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(child.IsWindow());
    EXPECT_EQ(order, (std::vector<std::wstring>{L"child", L"parent"}));
    EXPECT_EQ(child.finalMessages, 1);
    EXPECT_NE(child.FindControl(L"caption"), nullptr);
}

TEST(MessageFilter, RegisteredAndCopyDataPassPlainNumbersOnlyWhenAllowed) {
    CTestWindow window(L"person.xml");
    OpenTestWindow(window);
    const uint32_t identity = RegisterWindowMessage(L"Plemix PX-300 Device");
    EXPECT_TRUE(window.IsMessageAllowedFromOutside(identity));
    EXPECT_TRUE(window.IsMessageAllowedFromOutside(kWmCopyData));
    EXPECT_FALSE(window.IsMessageAllowedFromOutside(3090));
    window.ChangeWindowMessageFilter(3090, true);
    EXPECT_TRUE(window.IsMessageAllowedFromOutside(3090));
    window.ChangeWindowMessageFilter(3090, false);
    EXPECT_FALSE(window.IsMessageAllowedFromOutside(3090));
}
}  // namespace
