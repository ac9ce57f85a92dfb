// With the engine started in queued mode, no message queued and the Qt loop
// not running, the worker thread sleeps instead of spinning.

#include "dorvo_preview.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <sys/resource.h>
#include <thread>

namespace {

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 + usage.ru_stime.tv_sec +
           usage.ru_stime.tv_usec / 1e6;
}

TEST(IdleCpu, WorkerUsesNoMeasurableCpuWhileIdle)
{
    initPreview(nullptr, nullptr);
    openConsoleLog();
    setWidgetX("warm-up", 1); // the worker has run once and gone back to waiting
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const double before = cpuSeconds();
    const auto t0 = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(5));
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    const double used = cpuSeconds() - before;
    std::printf("idle worker: %.4f s of CPU over %.2f s (%.3f%% of a core)\n", used, wall,
                100.0 * used / wall);
    EXPECT_LT(used / wall, 0.01);
}

} // namespace
