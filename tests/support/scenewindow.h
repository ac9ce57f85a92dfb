#pragma once

// Helpers for tests that drive a preview window through the exported
// functions and read pictures from the window's own scene (no screen).

#include "support/wait.h"

#include "channel/messagecontrol.h"
#include "channel/playchannel.h"
#include "core/src/enginehost.h"
#include "core/src/widget.h"
#include "core/src/window.h"
#include "qwinquickview/qwinquickview.h"

#include <QImage>
#include <QMetaObject>
#include <QQuickItem>
#include <QQuickView>

#include <gtest/gtest.h>

#include <cstdlib>
#include <chrono>
#include <functional>
#include <future>
#include <memory>
#include <string>
#include <thread>

namespace testsupport {

// Runs fn on the Qt thread of the window and waits for it. The call is
// queued and its end handed back through a promise, a wait the thread
// sanitizer sees (Qt's blocking call waits on a semaphore it does not see,
// and its own code reads this thread's stack after fn has run). A window
// that goes before the call runs fails the test instead of blocking it.
inline void onQtThreadOf(const char* win, const std::function<void()>& fn)
{
    QObject* window = dorvo_preview::EngineHost::getWindow(win ? win : "");
    ASSERT_NE(window, nullptr);
    auto done = std::make_shared<std::promise<void>>();
    std::future<void> ran = done->get_future();
    QMetaObject::invokeMethod(
        window,
        [&fn, done = std::move(done)] {
            fn();
            done->set_value();
        },
        Qt::QueuedConnection);
    try {
        ran.get();
    } catch (const std::future_error&) {
        ADD_FAILURE() << "the window went away before the call ran";
    }
}

// What read(w) returns for the widget id as a W, read on the window's Qt
// thread; a value-initialised result when there is no such widget.
template <typename W, typename F> auto readWidget(const char* win, const std::string& id, F read)
{
    decltype(read(static_cast<W*>(nullptr))) out{};
    onQtThreadOf(win, [&] {
        if (auto* w = qobject_cast<W*>(dorvo_preview::EngineHost::getWidget(id)))
            out = read(w);
    });
    return out;
}

// Waits until every posted call has run, then lets the scene draw.
inline void flushPosted(const char* win)
{
    auto channel = dorvo_preview::EngineHost::instance()->getPlayChannel();
    if (channel) {
        EXPECT_TRUE(within(
            5000, [&] { return channel->control()->pending() == 0; }, "the posted calls"));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    onQtThreadOf(win, [] {});
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
}

// The widget's area of the window's picture (the part inside the window);
// null when the widget or the window is not there.
inline QImage grabWidgetArea(const char* win, const std::string& id)
{
    QImage out;
    onQtThreadOf(win, [&] {
        auto* w = qobject_cast<dorvo_preview::Widget*>(dorvo_preview::EngineHost::getWidget(id));
        auto* window = qobject_cast<dorvo_preview::Window*>(dorvo_preview::EngineHost::getWindow(win));
        if (!w || !window || !window->view() || !window->view()->quickView())
            return;
        auto* frame = qobject_cast<QQuickItem*>(w->item());
        if (!frame)
            return;
        const QImage all = window->view()->quickView()->grabWindow();
        const QRect r = frame->mapRectToScene(QRectF(0, 0, frame->width(), frame->height())).toAlignedRect();
        out = all.copy(r.intersected(all.rect()));
    });
    return out;
}

// Pictures that show the same thing: same size, and fewer than perMille
// thousandths of the pixels apart by more than a step of antialiasing. Text
// drawn twice may differ in a few edge pixels (its glyphs cached anew).
inline bool samePicture(const QImage& a, const QImage& b, int perMille = 10)
{
    if (a.size() != b.size())
        return false;
    int apart = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            apart += std::abs(qRed(p) - qRed(q)) > 48 || std::abs(qGreen(p) - qGreen(q)) > 48 ||
                     std::abs(qBlue(p) - qBlue(q)) > 48 || std::abs(qAlpha(p) - qAlpha(q)) > 48;
        }
    return apart * 1000 < perMille * a.width() * a.height();
}

} // namespace testsupport
