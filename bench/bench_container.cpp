// Widget container switching: the time from switchContainerIndex to the new
// member's colour on the X screen, and the longest frame (synchronise to
// swap) the scene takes while members switch. Three text members of
// different colours in a 960 x 540 container on a 1280 x 720 canvas. Run
// under Xvfb with QSG_RENDER_LOOP=basic.

#include "dorvo_preview.h"
#include "container/textrecord.h"
#include "support/xscreen.h"

#include "core/src/enginehost.h"
#include "core/src/widget.h"

#include <QElapsedTimer>
#include <QQuickItem>
#include <QQuickWindow>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Member
{
    const char* colour;
    int r, g, b;
};
const Member kMembers[] = {
    {"#FFE02020", 224, 32, 32}, {"#FF2020E0", 32, 32, 224}, {"#FFE0E020", 224, 224, 32}};

std::atomic<qint64> g_longestFrameUs{0};
std::atomic<int> g_frames{0};

bool waitUntil(const std::function<bool()>& pred, int ms)
{
    const auto end = Clock::now() + std::chrono::milliseconds(ms);
    while (!pred()) {
        if (Clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    return true;
}

} // namespace

int main()
{
    testsupport::XScreen screen;
    if (!screen.ok()) {
        std::fprintf(stderr, "bench_container: no X display\n");
        return 1;
    }
    initPreview(nullptr, nullptr);
    char dir[] = "/tmp/dorvo-bench-XXXXXX";
    if (!mkdtemp(dir))
        return 1;
    setRunningPath(dir);
    const char* win = createWindow();
    setWindowX(win, 0);
    setWindowY(win, 0);
    setWindowWidth(win, 1280);
    setWindowHeight(win, 720);
    setCanvasWidth(win, 1280);
    setCanvasHeight(win, 720);
    setWindowBackColor(win, "#FF00C000");
    attachWindow(win);
    const char* box = createWidgetContainer("{\"layout\":{\"x\":160,\"y\":90,\"width\":960,\"height\":540}}");
    setWidgetContainerEnable(box, true);
    std::vector<std::string> ids;
    for (const Member& m : kMembers)
        ids.push_back(createWidget(11, box, containertest::textRecord(m.colour).c_str()));
    const auto shows = [&](const Member& m) { return screen.pixel(640, 360).near(m.r, m.g, m.b, 24); };
    if (!waitUntil([&] { return shows(kMembers[2]); }, 20000)) {
        const testsupport::Rgb p = screen.pixel(640, 360);
        std::fprintf(stderr, "bench_container: the container did not show (%d,%d,%d)\n", p.r, p.g, p.b);
        return 1;
    }
    // Frame times, measured on the Qt thread.
    QObject* container = dorvo_preview::EngineHost::getWidget(box);
    QMetaObject::invokeMethod(
        container,
        [container] {
            auto* item = qobject_cast<QQuickItem*>(qobject_cast<dorvo_preview::Widget*>(container)->item());
            QQuickWindow* window = item ? item->window() : nullptr;
            if (!window)
                return;
            auto* clock = new QElapsedTimer();
            QObject::connect(
                window, &QQuickWindow::beforeSynchronizing, window, [clock] { clock->start(); },
                Qt::DirectConnection);
            QObject::connect(
                window, &QQuickWindow::frameSwapped, window,
                [clock] {
                    if (!clock->isValid())
                        return;
                    const qint64 us = clock->nsecsElapsed() / 1000;
                    qint64 old = g_longestFrameUs.load();
                    while (us > old && !g_longestFrameUs.compare_exchange_weak(old, us)) {
                    }
                    ++g_frames;
                },
                Qt::DirectConnection);
        },
        Qt::BlockingQueuedConnection);

    constexpr int kSwitches = 60;
    std::vector<double> ms;
    for (int i = 0; i < kSwitches; ++i) {
        const Member& next = kMembers[i % 3];
        const auto start = Clock::now();
        switchContainerIndex(box, ids[static_cast<size_t>(i % 3)].c_str());
        if (!waitUntil([&] { return shows(next); }, 5000)) {
            std::fprintf(stderr, "bench_container: switch %d did not show\n", i);
            return 1;
        }
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
    }
    std::sort(ms.begin(), ms.end());
    double sum = 0;
    for (double v : ms)
        sum += v;
    std::printf("switchContainerIndex to new member on screen: %d switches, mean %.1f ms, median %.1f ms, "
                "p95 %.1f ms, max %.1f ms\n",
                kSwitches, sum / kSwitches, ms[ms.size() / 2], ms[ms.size() * 95 / 100], ms.back());
    std::printf("longest frame during switching: %.1f ms over %d frames\n", g_longestFrameUs.load() / 1000.0,
                g_frames.load());
    quit();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    return 0;
}
