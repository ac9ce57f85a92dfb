#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

namespace testsupport {

// Polls pred every 2 ms until it holds or ms milliseconds have passed.
template <typename Pred> bool waitFor(Pred pred, int ms = 5000)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!pred()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

// waitFor as an assertion: ASSERT_TRUE(within(3000, pred, "the picture")) fails
// the test with what did not come and how long it was awaited.
template <typename Pred>::testing::AssertionResult within(int ms, Pred pred, const std::string& what)
{
    if (waitFor(pred, ms))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << what << ": not within " << ms << " ms";
}

// Runs fn (a grab, say) and sets at to the middle of its run: on a busy
// machine one grab can take far longer than another.
template <typename Fn> auto timedAtMiddle(Fn&& fn, std::chrono::steady_clock::time_point& at)
{
    const auto before = std::chrono::steady_clock::now();
    auto result = fn();
    at = before + (std::chrono::steady_clock::now() - before) / 2;
    return result;
}

} // namespace testsupport
