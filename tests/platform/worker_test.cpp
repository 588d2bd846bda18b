#include "platform/worker.h"

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

// Held-back jobs wait for the release, then run in the order posted; waiting
// for the worker releases them, so nothing can wait for ever.
TEST(MediaWorker, HeldBackJobsRunInOrderOnceReleased)
{
    worker::Worker w{worker::Priority::Low};
    std::vector<int> ran;
    std::atomic<bool> any{false};
    w.holdBack();
    for (int i = 1; i <= 3; ++i)
        w.post([&ran, &any, i] {
            ran.push_back(i);
            any = true;
        });
    EXPECT_FALSE(any.load());
    w.release();
    w.waitUntilIdle();
    EXPECT_EQ(ran, (std::vector<int>{1, 2, 3}));

    w.holdBack();
    w.post([&ran] { ran.push_back(4); });
    w.waitUntilIdle();
    EXPECT_EQ(ran.back(), 4);
}

// Stopping lets the running job end, drops the waiting ones (freeing what they
// hold) and refuses new ones, also from the running job; started again, it
// takes jobs as before.
TEST(MediaWorker, StopJoinsAndDropsWhatWaits)
{
    worker::Worker w{worker::Priority::Normal};
    std::atomic<bool> inJob{false};
    std::atomic<bool> letGo{false};
    std::atomic<int> ran{0};
    auto held = std::make_shared<int>(1);
    bool postedFromJob = true;
    w.post([&] {
        inJob = true;
        while (!letGo)
            std::this_thread::yield();
        postedFromJob = w.post([&ran] { ++ran; });
        ++ran;
    });
    w.post([&ran, held] { ++ran; });
    while (!inJob)
        std::this_thread::yield();
    std::thread stopper([&w] { w.stop(); });
    while (w.post([] {}))  // refused once stop() has begun
        std::this_thread::yield();
    letGo = true;
    stopper.join();
    EXPECT_EQ(ran.load(), 1);
    EXPECT_FALSE(postedFromJob);
    EXPECT_EQ(held.use_count(), 1);

    w.start();
    EXPECT_TRUE(w.post([&ran] { ++ran; }));
    w.waitUntilIdle();
    EXPECT_EQ(ran.load(), 2);
}
