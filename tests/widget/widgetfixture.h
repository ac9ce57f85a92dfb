#pragma once

// A preview window of 800 x 600 at (0, 0) with a 400 x 300 canvas (on screen
// at 200, 150 while the scale is 100), driven through the exported functions
// as a host drives it, with the host callbacks recorded. Widgets are the test
// suite's own box kind (interface type kBoxType).

#include "support/hostwindow.h"
#include "support/scenewindow.h"
#include "testboxwidget.h"

#include "core/appcommon/itemrectdata.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <mutex>
#include <vector>

namespace testsupport {

constexpr int kBoxType = 20;
constexpr int kVideoBoxType = 13;

// What the host callbacks reported, in order, by callback.
constexpr int kSelected = 0, kRects = 1, kDoubleClicked = 2;
struct HostEvents
{
    std::mutex mutex;
    std::vector<std::string> lists[3];
};

inline HostEvents& events()
{
    static HostEvents e;
    return e;
}

template <int kind> void recordEvent(const char* text)
{
    std::lock_guard<std::mutex> lock(events().mutex);
    events().lists[kind].emplace_back(text ? text : "(null)");
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

class WidgetFixture : public ::testing::Test, public HostWindow
{
protected:
    static void SetUpTestSuite()
    {
        registerTestBox(kBoxType);
        registerTestBox(kVideoBoxType, 1);
        openPreview("/tmp/dorvo-widget-XXXXXX", [] {
            setOnWidgetSelected(&recordEvent<kSelected>);
            setOnRectChanged(&recordEvent<kRects>);
            setOnWidgetDoubleClicked(&recordEvent<kDoubleClicked>);
        });
    }

    static void TearDownTestSuite() { closePreview(); }

    void SetUp() override { clearEvents(); }

    void TearDown() override
    {
        for (const std::string& id : made)
            deleteWidget(id.c_str());
        if (!made.empty())
            flush();
    }

    // Keeps a made widget for deletion after the test; waits until the
    // engine has run the creation.
    std::string keep(const char* id)
    {
        EXPECT_NE(id, nullptr);
        made.push_back(id ? id : "");
        flush();
        return made.back();
    }

    // How often a text occurs in the engine's log.
    static size_t logCount(const std::string& what) { return occurrences(logText(), what); }

    static void clearEvents()
    {
        std::lock_guard<std::mutex> lock(events().mutex);
        for (auto& list : events().lists)
            list.clear();
    }
    static std::vector<std::string> recorded(int kind)
    {
        std::lock_guard<std::mutex> lock(events().mutex);
        return events().lists[kind];
    }
    static std::vector<std::string> selected() { return recorded(kSelected); }
    static std::vector<std::string> rects() { return recorded(kRects); }
    static std::vector<std::string> doubleClicked() { return recorded(kDoubleClicked); }

    // A box widget at the given canvas rectangle; waits until it is on screen.
    static const char* box(double x, double y, double w, double h, const char* color = "#FF0000")
    {
        const nlohmann::json content = {{"layout", {{"x", x}, {"y", y}, {"width", w}, {"height", h}}},
                                        {"color", color}};
        const char* id = createWidget(kBoxType, "", content.dump().c_str());
        EXPECT_NE(id, nullptr);
        const std::string wanted = id ? id : "";
        EXPECT_TRUE(waitFor([&] { return geometry(wanted).w == w; }, 5000)) << "box not created";
        settle();
        return id;
    }

    static void onQtThread(const std::function<void()>& fn) { onQtThreadOf(win, fn); }

    static dorvo_preview::Widget* widget(const std::string& id)
    {
        return qobject_cast<dorvo_preview::Widget*>(dorvo_preview::EngineHost::getWidget(id));
    }

    // A property of the widget's frame, read on the Qt thread.
    static QVariant frameProperty(const std::string& id, const char* property)
    {
        QVariant value;
        onQtThread([&] {
            auto* w = widget(id);
            if (QObject* frame = w && w->item() ? w->item()->findChild<QObject*>("dragBorder") : nullptr)
                value = frame->property(property);
        });
        return value;
    }

    // The widget item's geometry, read on the Qt thread; w is -1 without one.
    static Rect geometry(const std::string& id)
    {
        Rect r;
        r.w = -1;
        if (!dorvo_preview::EngineHost::getWindow(win))
            return r;
        onQtThread([&] {
            auto* w = widget(id);
            if (QObject* item = w ? w->item() : nullptr) {
                r.id = id;
                r.x = item->property("x").toDouble();
                r.y = item->property("y").toDouble();
                r.w = item->property("width").toDouble();
                r.h = item->property("height").toDouble();
            }
        });
        return r;
    }

    static bool inRegistry(const std::string& id, ns::ItemRectData* found = nullptr)
    {
        std::vector<ns::ItemRectData> all;
        onQtThread([&] {
            if (auto* window =
                    qobject_cast<dorvo_preview::Window*>(dorvo_preview::EngineHost::getWindow(win)))
                all = window->getRectVct("");
        });
        const auto it = std::find_if(all.begin(), all.end(), [&](const auto& r) { return r.id == id; });
        if (it != all.end() && found)
            *found = *it;
        return it != all.end();
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
        flushPosted(win);
        sync();
    }

    static bool isSelected(const std::string& id) { return frameProperty(id, "choosed").toBool(); }

    static bool anyPressed()
    {
        bool pressed = false;
        onQtThread([&] {
            for (QObject* object : dorvo_preview::EngineHost::instance()->widgets()) {
                auto* w = qobject_cast<dorvo_preview::Widget*>(object);
                pressed = pressed || (w && w->pressed());
            }
        });
        return pressed;
    }

    // A press closer than the double-click interval to the last click makes
    // a double click: waits out only what is left of that interval.
    static void afterLastClick()
    {
        const auto ready = lastClick() + std::chrono::milliseconds(450);
        if (std::chrono::steady_clock::now() < ready)
            std::this_thread::sleep_until(ready);
    }
    static std::chrono::steady_clock::time_point& lastClick()
    {
        static std::chrono::steady_clock::time_point at;
        return at;
    }

    static void click(int x, int y)
    {
        moveTo(x, y);
        afterLastClick();
        xdotool("click 1");
        sync();
        lastClick() = std::chrono::steady_clock::now();
    }

    // Moves the pointer, then presses. Waits until a widget took it when
    // expectWidget is set.
    static void press(int x, int y, bool expectWidget = true)
    {
        moveTo(x, y);
        afterLastClick();
        xdotool("mousedown 1");
        sync();
        if (expectWidget) {
            EXPECT_TRUE(within(
                3000, [] { return anyPressed(); }, "a widget taking the press"));
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
        lastClick() = std::chrono::steady_clock::now();
        EXPECT_TRUE(within(
            3000, [] { return !anyPressed(); }, "the release"));
    }

    // Presses at (x, y), moves by (dx, dy) in steps, releases.
    static void drag(int x, int y, int dx, int dy, int steps = 6, bool expectWidget = true)
    {
        press(x, y, expectWidget);
        for (int i = 1; i <= steps; ++i)
            moveTo(x + dx * i / steps, y + dy * i / steps);
        release();
    }

    std::vector<std::string> made;
};

} // namespace testsupport
