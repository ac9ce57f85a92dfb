// Start-up and idle rendering of a preview window: the time from initPreview
// to the first frame of an empty window on screen, and the frame rate the
// window's meter reports for an idle 1920 x 1080 canvas at scale 100 and 50.
// Run under Xvfb with QSG_RENDER_LOOP=basic.

#include "dorvo_preview.h"
#include "support/xscreen.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

std::mutex g_mutex;
std::vector<int> g_fps;

void onFps(const char* text)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_fps.push_back(std::atoi(text));
}

void reportFps(const char* label)
{
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        g_fps.clear();
    }
    std::this_thread::sleep_for(std::chrono::seconds(5));
    std::lock_guard<std::mutex> lock(g_mutex);
    std::string values;
    for (int v : g_fps)
        values += std::to_string(v) + " ";
    std::printf("%-34s reported fps: %s(changes only)\n", label,
                values.empty() ? "(steady) " : values.c_str());
}

} // namespace

int main()
{
    setenv("QSG_RENDER_LOOP", "basic", 0);
    testsupport::XScreen screen;
    if (!screen.ok()) {
        std::fprintf(stderr, "bench_window needs an X display (run it under xvfb-run)\n");
        return 1;
    }
    char dir[] = "/tmp/dorvo-bench-XXXXXX";
    if (!mkdtemp(dir))
        return 1;

    const auto t0 = Clock::now();
    initPreview(nullptr, nullptr);
    setRunningPath(dir);
    setFpsCallback(&onFps);
    const char* win = createWindow();
    setWindowWidth(win, 1920);
    setWindowHeight(win, 1080);
    setCanvasWidth(win, 1600);
    setCanvasHeight(win, 900);
    setWindowBackColor(win, "#FF00C000");
    attachWindow(win);
    // The first frame: the black canvas inside the green surround.
    while (!screen.pixel(960, 540).near(0, 0, 0) || !screen.pixel(5, 5).near(0, 192, 0)) {
        if (Clock::now() - t0 > std::chrono::seconds(30)) {
            std::fprintf(stderr, "no frame after 30 s\n");
            return 1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
    std::printf("initPreview to first frame on screen: %.0f ms\n", ms);

    setCanvasWidth(win, 1920);
    setCanvasHeight(win, 1080);
    reportFps("idle 1920x1080 canvas, scale 100:");
    setWindowScale(win, 50);
    reportFps("idle 1920x1080 canvas, scale 50:");
    quit();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    return 0;
}
