#pragma once

#include <gtest/gtest.h>

#include <algorithm>
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

// The speed of something moving, from two samples of its position taken
// apart ms apart (position() grabs a picture and measures it, say). A grab
// shows the scene at some moment within its own call, and on a busy machine
// one grab can take far longer than another: the speed lies between the
// distance over the longest and over the shortest time the two samples may
// be apart, and it is near a value when that range reaches it.
struct SpeedRange
{
    double first = 0, second = 0, slowest = 0, fastest = 0;
    bool near(double value, double tolerance) const
    {
        return fastest >= value - tolerance && slowest <= value + tolerance;
    }
};

template <typename Fn> SpeedRange speedBetween(Fn&& position, int ms)
{
    using Clock = std::chrono::steady_clock;
    auto seconds = [](Clock::duration d) { return std::chrono::duration<double>(d).count(); };
    SpeedRange r;
    const auto start0 = Clock::now();
    r.first = position();
    const auto end0 = Clock::now();
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    const auto start1 = Clock::now();
    r.second = position();
    const auto end1 = Clock::now();
    const double distance = r.second - r.first;
    const double a = distance / seconds(end1 - start0), b = distance / seconds(start1 - end0);
    r.slowest = std::min(a, b);
    r.fastest = std::max(a, b);
    return r;
}

} // namespace testsupport
