// Widgets on one canvas: how fast widgets are created through the exported
// createWidget (queued mode, Qt running) up to 200 on a 1920 x 1080 canvas,
// the resident memory each adds, and the frame rate while a widget is dragged
// among the 200 with real mouse input. The widgets are the test suite's box
// kind (a filled rectangle in the shared widget frame). Run under Xvfb with
// QSG_RENDER_LOOP=basic.

#include "benchsupport.h"
#include "dorvo_preview.h"
#include "support/xscreen.h"
#include "testboxwidget.h"

#include "core/src/enginehost.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kBoxType = 20;

std::mutex g_mutex;
std::vector<int> g_fps;

void onFps(const char* text)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_fps.push_back(std::atoi(text));
}

long residentKiB()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * 4;
}

size_t widgetCount()
{
    return dorvo_preview::EngineHost::instance()->widgets().size();
}

bool waitCount(size_t n, int ms)
{
    const auto end = Clock::now() + std::chrono::milliseconds(ms);
    while (widgetCount() < n) {
        if (Clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

double seconds(Clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

} // namespace

int main()
{
    setenv("QSG_RENDER_LOOP", "basic", 0);
    testsupport::XScreen screen;
    if (!screen.ok()) {
        std::fprintf(stderr, "bench_widget needs an X display (run it under xvfb-run)\n");
        return 1;
    }
    testsupport::registerTestBox(kBoxType);
    if (!benchsupport::openFullHdPreview(&onFps))
        return 1;
    std::this_thread::sleep_for(std::chrono::seconds(3));

    // Creation: 200 boxes in a 20 x 10 grid of 90 x 100 cells.
    const long rssBefore = residentKiB();
    const auto t0 = Clock::now();
    std::vector<const char*> ids;
    for (int i = 0; i < 200; ++i) {
        char content[160];
        std::snprintf(content, sizeof content,
                      "{\"layout\":{\"x\":%d,\"y\":%d,\"width\":80,\"height\":90},\"color\":\"#%02X40%02X\"}",
                      (i % 20) * 96, 20 + (i / 20) * 104, (i * 37) % 256, (i * 91) % 256);
        ids.push_back(createWidget(kBoxType, "", content));
        if ((i + 1) % 50 == 0) {
            if (!waitCount(i + 1, 60000)) {
                std::fprintf(stderr, "widgets were not created\n");
                return 1;
            }
            const double s = seconds(Clock::now() - t0);
            std::printf("created %3d widgets in %6.3f s  (%6.1f widgets/s overall)\n", i + 1, s, (i + 1) / s);
        }
    }
    std::this_thread::sleep_for(std::chrono::seconds(2));
    const long rssAfter = residentKiB();
    std::printf("resident memory: %ld KiB before, %ld KiB with 200 widgets: %.1f KiB per widget\n", rssBefore,
                rssAfter, (rssAfter - rssBefore) / 200.0);

    // Frame rate while dragging one widget among the others for 6 seconds.
    const int startX = 40, startY = 65;
    std::system(
        ("xdotool mousemove " + std::to_string(startX) + " " + std::to_string(startY) + " click 1").c_str());
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    std::system(
        ("xdotool mousemove " + std::to_string(startX) + " " + std::to_string(startY) + " mousedown 1")
            .c_str());
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        g_fps.clear();
    }
    const auto dragStart = Clock::now();
    int step = 0, moves = 0;
    while (Clock::now() - dragStart < std::chrono::seconds(6)) {
        const int x = startX + (step % 400), y = startY + (step % 300);
        step += 3;
        std::system(("xdotool mousemove " + std::to_string(x) + " " + std::to_string(y)).c_str());
        ++moves;
    }
    std::system("xdotool mouseup 1");
    std::string values;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        for (int v : g_fps)
            values += std::to_string(v) + " ";
    }
    std::printf("dragging among 200 widgets: %d pointer moves in 6 s; reported fps: %s(changes only)\n",
                moves, values.empty() ? "(steady) " : values.c_str());
    std::fflush(stdout);
    quit();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    std::_Exit(0);
}
