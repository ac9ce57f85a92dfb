#pragma once

#include <chrono>
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

} // namespace testsupport
