#pragma once

// Shared by the benches: filler text, the content of a left marquee, and a
// full-HD preview window made through the exported calls.

#include "dorvo_preview.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QString>

#include <sys/resource.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace benchsupport {

// CPU seconds (user and system) this process has used so far.
inline double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Percent of one core used over the next ms milliseconds.
inline double cpuPercent(int ms)
{
    using Clock = std::chrono::steady_clock;
    const double cpu0 = cpuSeconds();
    const auto t0 = Clock::now();
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    return 100.0 * (cpuSeconds() - cpu0) / std::chrono::duration<double>(Clock::now() - t0).count();
}

inline QString latin(int n)
{
    static const QString words = "Lorem ipsum dolor sit amet, consectetur adipiscing elit, sed do eiusmod "
                                 "tempor incididunt ut labore. ";
    QString s;
    while (s.size() < n)
        s += words;
    s.truncate(n);
    return s;
}

// Rich-text content of one line, "Marquee <index>: " and 120 characters,
// white DejaVu Sans 24 px, scrolling left at 120 pixels per second.
inline QJsonObject marqueeContent(int index)
{
    QJsonObject attr{
        {"key", "a"},
        {"attributes", QJsonObject{{"textColor", "#ffffffff"},
                                   {"font", QJsonObject{{"family", "DejaVu Sans"}, {"size", 24}}}}}};
    QJsonObject seg{{"content", QString("Marquee %1: ").arg(index) + latin(120)}, {"attributeKey", "a"}};
    QJsonObject paragraph{{"lines", QJsonArray{QJsonObject{{"segs", QJsonArray{seg}}}}},
                          {"verticalAlignment", "CENTER"}};
    QJsonObject effects{{"speed", 120}, {"animation", "MARQUEE_LEFT"}};
    return QJsonObject{
        {"paragraphs", QJsonArray{paragraph}},
        {"textAttributes", QJsonArray{attr}},
        {"displayStyle",
         QJsonObject{{"type", "SCROLL"}, {"scrollAttributes", QJsonObject{{"effects", effects}}}}}};
}

// initPreview with its running path in a new temporary folder. False when
// no folder could be made.
inline bool startPreview(void (*fpsCallback)(const char*) = nullptr)
{
    static char dir[] = "/tmp/dorvo-bench-XXXXXX";
    if (!mkdtemp(dir))
        return false;
    initPreview(nullptr, nullptr);
    setRunningPath(dir);
    if (fpsCallback)
        setFpsCallback(fpsCallback);
    return true;
}

// An attached 1920 x 1080 window with a canvas of the same size; its id.
inline const char* openFullHdWindow()
{
    const char* win = createWindow();
    setWindowX(win, 0);
    setWindowY(win, 0);
    setWindowWidth(win, 1920);
    setWindowHeight(win, 1080);
    setCanvasWidth(win, 1920);
    setCanvasHeight(win, 1080);
    attachWindow(win);
    return win;
}

// Both of the above; the window's id, or null.
inline const char* openFullHdPreview(void (*fpsCallback)(const char*) = nullptr)
{
    return startPreview(fpsCallback) ? openFullHdWindow() : nullptr;
}

} // namespace benchsupport
