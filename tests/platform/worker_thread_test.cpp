#include "platform/worker_thread.h"

#include <gtest/gtest.h>

#include <atomic>

#include "platform/debug.h"

TEST(WorkerThread, StopEndsALoopThatWaitsOnTheStopEventAndSaysSo) {
    CDebugCapture capture;
    CEvent stop(true, false);
    std::atomic<int> passes{0};
    int marker = 7;
    void* seenOwner = nullptr;
    CWorkerThread worker(L"test worker");
    ASSERT_TRUE(worker.Start(
        [&](const ThreadParam& p) {
            seenOwner = p.owner;
            while (!p.stopEvent->Wait(1)) {
                ++passes;
            }
        },
        &marker, &stop));
    EXPECT_FALSE(worker.Start([](const ThreadParam&) {}));
    while (passes < 3) {
        std::this_thread::yield();
    }
    EXPECT_TRUE(worker.Stop(1000));
    EXPECT_EQ(seenOwner, &marker);
    EXPECT_FALSE(worker.Running());
    EXPECT_EQ(capture.Count(L"test worker: thread ended"), 1u);
}

TEST(WorkerThread, ABodyThatOverrunsTheBoundIsReportedAndStillJoined) {
    CDebugCapture capture;
    CWorkerThread worker(L"slow");
    CEvent release(true, false);
    worker.Start([&](const ThreadParam&) { release.Wait(200); });
    EXPECT_FALSE(worker.Stop(10));
    EXPECT_EQ(capture.Count(L"slow: thread did not end within 10 ms"), 1u);
}

TEST(WorkerThread, RestartedWithItsOwnStopEventRunsUntilStoppedAgain) {
    CWorkerThread worker(L"again");
    for (int run = 0; run < 2; ++run) {
        std::atomic<int> stopSetAtStart{-1};
        ASSERT_TRUE(worker.Start([&](const ThreadParam& p) {
            stopSetAtStart = p.stopEvent->IsSet() ? 1 : 0;
            p.stopEvent->Wait(kWaitInfinite);
        })) << "run "
            << run;
        while (stopSetAtStart < 0) {
            std::this_thread::yield();
        }
        EXPECT_EQ(stopSetAtStart, 0) << "run " << run << " would end before it is stopped";
        EXPECT_TRUE(worker.Stop(1000));
    }
}
