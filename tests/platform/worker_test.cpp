#include "platform/worker.h"

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

// Held-back jobs wait for the release, then run in the order posted; waiting
// for the worker releases them, so nothing can wait for ever.
TEST(MediaWorker, HeldBackJobsRunInOrderOnceReleased)
{
    std::vector<int> ran;
    std::atomic<bool> any{false};
    worker::holdBack();
    for (int i = 1; i <= 3; ++i)
        worker::post([&ran, &any, i] {
            ran.push_back(i);
            any = true;
        });
    EXPECT_FALSE(any.load());
    worker::release();
    worker::waitUntilIdle();
    EXPECT_EQ(ran, (std::vector<int>{1, 2, 3}));

    worker::holdBack();
    worker::post([&ran] { ran.push_back(4); });
    worker::waitUntilIdle();
    EXPECT_EQ(ran.back(), 4);
}
