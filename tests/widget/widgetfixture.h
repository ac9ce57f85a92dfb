#pragma once

// A preview window of 800 x 600 at (0, 0) with a 400 x 300 canvas (on screen
// at 200, 150 while the scale is 100), driven through the exported functions
// as a host drives it, with the host callbacks recorded. Widgets are the test
// suite's own box kind (interface type kBoxType).

#include "dorvo_preview.h"
#include "support/wait.h"
#include "support/xscreen.h"
#include "testboxwidget.h"

#include "core/appcommon/itemrectdata.h"
#include "channel/messagecontrol.h"
#include "channel/playchannel.h"
#include "core/src/enginehost.h"
#include "core/src/widget.h"
#include "core/src/window.h"

#include <QMetaObject>
#include <QPointer>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <chrono>
#include <cmath>
#include <fstream>
#include <functional>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace testsupport {

constexpr int kBoxType = 20;
constexpr int kVideoBoxType = 13;
constexpr int kViewW = 800, kViewH = 600;
constexpr int kCanvasW = 400, kCanvasH = 300;
constexpr int kCanvasLeft = (kViewW - kCanvasW) / 2, kCanvasTop = (kViewH - kCanvasH) / 2;

struct HostEvents
{
    std::mutex mutex;
    std::vector<std::string> selected;
    std::vector<std::string> rects;
    std::vector<std::string> doubleClicked;
};

inline HostEvents& events()
{
    static HostEvents e;
    return e;
}

inline void onSelected(const char* text)
{
    std::lock_guard<std::mutex> lock(events().mutex);
    events().selected.emplace_back(text ? text : "(null)");
}
inline void onRect(const char* text)
{
    std::lock_guard<std::mutex> lock(events().mutex);
    events().rects.emplace_back(text ? text : "(null)");
}
inline void onDoubleClicked(const char* text)
{
    std::lock_guard<std::mutex> lock(events().mutex);
    events().doubleClicked.emplace_back(text ? text : "(null)");
}

struct Rect
{
    std::string id;
    bool drag = false;
    double x = 0, y = 0, w = 0, h = 0;
};

inline Rect parseRect(const std::string& text)
{
    Rect r;
    nlohmann::json j = nlohmann::json::parse(text, nullptr, false);
    if (!j.is_object())
        return r;
    r.id = j.value("id", "");
    r.drag = j.value("drag", false);
    r.x = j.value("x", -1.0);
    r.y = j.value("y", -1.0);
    r.w = j.value("w", -1.0);
    r.h = j.value("h", -1.0);
    return r;
}

class WidgetFixture : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        screen = new XScreen();
        ASSERT_TRUE(screen->ok()) << "no X display";
        registerTestBox(kBoxType);
        registerTestBox(kVideoBoxType, 1);
        char dir[] = "/tmp/dorvo-widget-XXXXXX";
        ASSERT_NE(mkdtemp(dir), nullptr);
        runningPath = dir;
        initPreview(nullptr, nullptr);
        setRunningPath(dir);
        setOnWidgetSelected(&onSelected);
        setOnRectChanged(&onRect);
        setOnWidgetDoubleClicked(&onDoubleClicked);
        win = createWindow();
        ASSERT_NE(win, nullptr);
        setWindowX(win, 0);
        setWindowY(win, 0);
        setWindowWidth(win, kViewW);
        setWindowHeight(win, kViewH);
        setCanvasWidth(win, kCanvasW);
        setCanvasHeight(win, kCanvasH);
        setWindowBackColor(win, "#FF00C000");
        attachWindow(win);
        ASSERT_TRUE(waitFor(
            [] {
                return screen->pixel(kViewW / 2, kViewH / 2).near(0, 0, 0) &&
                       screen->pixel(10, 10).near(0, 192, 0);
            },
            15000))
            << "the window did not show";
    }

    static void TearDownTestSuite()
    {
        quit();
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        delete screen;
    }

    void SetUp() override { clearEvents(); }

    static void clearEvents()
    {
        std::lock_guard<std::mutex> lock(events().mutex);
        events().selected.clear();
        events().rects.clear();
        events().doubleClicked.clear();
    }
    static std::vector<std::string> selected()
    {
        std::lock_guard<std::mutex> lock(events().mutex);
        return events().selected;
    }
    static std::vector<std::string> rects()
    {
        std::lock_guard<std::mutex> lock(events().mutex);
        return events().rects;
    }
    static std::vector<std::string> doubleClicked()
    {
        std::lock_guard<std::mutex> lock(events().mutex);
        return events().doubleClicked;
    }

    // A box widget at the given canvas rectangle; waits until it is on screen.
    static const char* box(double x, double y, double w, double h, const char* color = "#FF0000")
    {
        char content[256];
        std::snprintf(content, sizeof content,
                      "{\"layout\":{\"x\":%g,\"y\":%g,\"width\":%g,\"height\":%g},\"color\":\"%s\"}", x, y, w,
                      h, color);
        const char* id = createWidget(kBoxType, "", content);
        EXPECT_NE(id, nullptr);
        const std::string wanted = id ? id : "";
        EXPECT_TRUE(waitFor([&] { return geometry(wanted).w == w; }, 5000)) << "box not created";
        settle();
        return id;
    }

    // Runs fn on the Qt thread and waits for it.
    static void onQtThread(const std::function<void()>& fn)
    {
        QObject* window = dorvo_preview::EngineHost::getWindow(win);
        ASSERT_NE(window, nullptr);
        QMetaObject::invokeMethod(window, fn, Qt::BlockingQueuedConnection);
    }

    // The widget item's geometry, read on the Qt thread.
    static Rect geometry(const std::string& id)
    {
        Rect r;
        r.w = -1;
        QObject* window = dorvo_preview::EngineHost::getWindow(win);
        if (!window)
            return r;
        QMetaObject::invokeMethod(
            window,
            [&] {
                auto* widget = qobject_cast<dorvo_preview::Widget*>(dorvo_preview::EngineHost::getWidget(id));
                if (!widget || !widget->item())
                    return;
                QObject* item = widget->item();
                r.id = id;
                r.x = item->property("x").toDouble();
                r.y = item->property("y").toDouble();
                r.w = item->property("width").toDouble();
                r.h = item->property("height").toDouble();
            },
            Qt::BlockingQueuedConnection);
        return r;
    }

    static std::vector<ns::ItemRectData> registry()
    {
        std::vector<ns::ItemRectData> out;
        onQtThread([&] {
            auto* window = qobject_cast<dorvo_preview::Window*>(dorvo_preview::EngineHost::getWindow(win));
            if (window)
                out = window->getRectVct("");
        });
        return out;
    }

    static bool inRegistry(const std::string& id, ns::ItemRectData* found = nullptr)
    {
        for (const auto& r : registry()) {
            if (r.id == id) {
                if (found)
                    *found = r;
                return true;
            }
        }
        return false;
    }

    // Lets the engine run what was posted and the scene draw it.
    static void settle(int ms = 150) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

    static int sx(double canvasX) { return kCanvasLeft + static_cast<int>(std::lround(canvasX)); }
    static int sy(double canvasY) { return kCanvasTop + static_cast<int>(std::lround(canvasY)); }

    // Waits until the engine has handled the input sent so far: X events are
    // in the client's queue once xdotool returns, and two round trips through
    // the Qt thread's event loop let it dispatch them.
    static void sync()
    {
        settle(20);
        onQtThread([] {});
        settle(10);
        onQtThread([] {});
    }

    // Waits until every posted call has run, then lets the scene draw.
    static void flush()
    {
        auto channel = dorvo_preview::EngineHost::instance()->getPlayChannel();
        if (channel)
            waitFor([&] { return channel->control()->pending() == 0; }, 5000);
        sync();
        settle(60);
    }

    static bool isSelected(const std::string& id)
    {
        bool selected = false;
        onQtThread([&] {
            auto* widget = qobject_cast<dorvo_preview::Widget*>(dorvo_preview::EngineHost::getWidget(id));
            if (!widget || !widget->item())
                return;
            if (QObject* frame = widget->item()->findChild<QObject*>(QStringLiteral("dragBorder")))
                selected = frame->property("choosed").toBool();
        });
        return selected;
    }

    static bool anyPressed()
    {
        bool pressed = false;
        onQtThread([&] {
            for (QObject* object : dorvo_preview::EngineHost::instance()->widgets()) {
                auto* widget = qobject_cast<dorvo_preview::Widget*>(object);
                pressed = pressed || (widget && widget->pressed());
            }
        });
        return pressed;
    }

    static void click(int x, int y)
    {
        moveTo(x, y);
        settle(450);
        xdotool("click 1");
        sync();
        settle(450); // a press right after would make a double click
    }

    // Moves the pointer, then presses; the pause keeps a press that follows
    // a click from counting as a double click. Waits until a widget took it
    // when expectWidget is set.
    static void press(int x, int y, bool expectWidget = true)
    {
        moveTo(x, y);
        settle(450);
        xdotool("mousedown 1");
        sync();
        if (expectWidget) {
            EXPECT_TRUE(waitFor([] { return anyPressed(); }, 3000)) << "no widget took the press";
        }
    }

    static void moveTo(int x, int y)
    {
        xdotool("mousemove " + std::to_string(x) + " " + std::to_string(y));
        sync();
    }

    static void release()
    {
        xdotool("mouseup 1");
        sync();
        EXPECT_TRUE(waitFor([] { return !anyPressed(); }, 3000)) << "the release did not arrive";
    }

    // Presses at (x, y), moves by (dx, dy) in steps, releases.
    static void drag(int x, int y, int dx, int dy, int steps = 6, bool expectWidget = true)
    {
        press(x, y, expectWidget);
        for (int i = 1; i <= steps; ++i)
            moveTo(x + dx * i / steps, y + dy * i / steps);
        release();
    }

    static std::string logText()
    {
        std::ifstream in(runningPath + "/log/preview/preview.log");
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    static XScreen* screen;
    static const char* win;
    static std::string runningPath;
};

inline XScreen* WidgetFixture::screen = nullptr;
inline const char* WidgetFixture::win = nullptr;
inline std::string WidgetFixture::runningPath;

} // namespace testsupport
