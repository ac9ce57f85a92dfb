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

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

namespace testsupport {

// Runs fn on the Qt thread of the window and waits for it. The flag hands
// what fn wrote over to this thread in a way the thread sanitizer sees (Qt's
// own wait is not instrumented).
inline void onQtThreadOf(const char* win, const std::function<void()>& fn)
{
    QObject* window = dorvo_preview::EngineHost::getWindow(win ? win : "");
    ASSERT_NE(window, nullptr);
    std::atomic<bool> ran{false};
    QMetaObject::invokeMethod(
        window,
        [&] {
            fn();
            ran.store(true, std::memory_order_release);
        },
        Qt::BlockingQueuedConnection);
    EXPECT_TRUE(ran.load(std::memory_order_acquire));
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

} // namespace testsupport
