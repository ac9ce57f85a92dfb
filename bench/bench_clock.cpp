// Clocks on one canvas: the CPU the process uses while 20 analogue and 50
// digital clocks (each ticking once a second) are shown on a 1920 x 1080
// canvas, and while they are paused; also how often the dials were painted.
// The CPU figures include the window's own continuous rendering (see the
// empty canvas line).
// Run under Xvfb with QSG_RENDER_LOOP=basic and Mesa's software renderer.

#include "dorvo_preview.h"
#include "benchsupport.h"

#include "core/src/enginehost.h"
#include "core/src/metadatawidget.h"

#include <QMetaObject>
#include <QQuickItem>

#include <sys/resource.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

using benchsupport::cpuPercent;

using Clock = std::chrono::steady_clock;

std::atomic<int> g_fps{0};

void onFps(const char* text)
{
    g_fps = std::atoi(text);
}

int paintCount(const std::vector<std::string>& ids, const char* window)
{
    int total = 0;
    QObject* host = dorvo_preview::EngineHost::getWindow(window);
    if (!host)
        return -1;
    QMetaObject::invokeMethod(
        host,
        [&] {
            for (const std::string& id : ids) {
                auto* w =
                    qobject_cast<dorvo_preview::MetadataWidget*>(dorvo_preview::EngineHost::getWidget(id));
                if (w && w->contentItem())
                    total += w->contentItem()->property("paintCount").toInt();
            }
        },
        Qt::BlockingQueuedConnection);
    return total;
}

} // namespace

int main()
{
    setenv("QSG_RENDER_LOOP", "basic", 0);
    char dir[] = "/tmp/dorvo-bench-XXXXXX";
    if (!mkdtemp(dir))
        return 1;
    initPreview(nullptr, nullptr);
    setRunningPath(dir);
    setFpsCallback(&onFps);
    const char* win = createWindow();
    setWindowWidth(win, 1280);
    setWindowHeight(win, 720);
    setCanvasWidth(win, 1920);
    setCanvasHeight(win, 1080);
    setWindowScale(win, 50);
    setWindowBackColor(win, "#FF202020");
    attachWindow(win);
    std::this_thread::sleep_for(std::chrono::seconds(2));
    const double idle = cpuPercent(3000);

    std::vector<std::string> analog;
    for (int i = 0; i < 20; ++i) {
        const char* id = NAnalogClock_createWidget();
        setWidgetX(id, static_cast<float>((i % 10) * 190));
        setWidgetY(id, static_cast<float>((i / 10) * 190));
        setWidgetWidth(id, 180);
        setWidgetHeight(id, 180);
        NAnalogClock_setTimeZone(id, i % 2 ? R"({"gmt":"GMT+05:30"})"
                                           : R"({"gmt":"GMT+01:00","zone":"Europe/Berlin"})");
        analog.emplace_back(id);
    }
    for (int i = 0; i < 50; ++i) {
        const char* id = NDigitalClock_createWidget();
        setWidgetX(id, static_cast<float>((i % 10) * 190));
        setWidgetY(id, static_cast<float>(400 + (i / 10) * 130));
        setWidgetWidth(id, 180);
        setWidgetHeight(id, 120);
        NDigitalClock_setDataTimeRegular(id, "$yyyy-$MM-$dd\n$E\n$HH:$mm:$ss");
    }
    std::this_thread::sleep_for(std::chrono::seconds(3));
    const int painted0 = paintCount(analog, win);
    const auto t0 = Clock::now();
    const double shown = cpuPercent(10000);
    const double paintsPerSecond = (paintCount(analog, win) - painted0) /
                                   std::chrono::duration<double>(Clock::now() - t0).count() / analog.size();
    pausePreview(win);
    std::this_thread::sleep_for(std::chrono::seconds(1));
    const int paused0 = paintCount(analog, win);
    const double paused = cpuPercent(5000);
    const int pausedPaints = paintCount(analog, win) - paused0;

    // The window's frame-rate meter keeps the scene rendering at the display's
    // rate whatever the clocks do: the empty canvas is the floor.
    std::printf("bench_clock: frames per second reported by the window: %d\n", g_fps.load());
    std::printf("bench_clock: CPU of one core, empty canvas: %.1f %%\n", idle);
    std::printf("bench_clock: CPU of one core, 20 analogue + 50 digital clocks: %.1f %% (aim <= 25 %%)\n",
                shown);
    std::printf("bench_clock: dial paints per clock per second: %.2f (one per displayed second)\n",
                paintsPerSecond);
    std::printf("bench_clock: CPU of one core, paused: %.1f %%, dial paints while paused: %d\n", paused,
                pausedPaints);
    quit();
    return 0;
}
