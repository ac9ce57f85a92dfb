// The widget exports without the mouse: host-made geometry, the registry,
// containers' borrowed items, interval, music bookkeeping, deletion, and bad
// input of every kind.

#include "widgetfixture.h"

#include <limits>

using namespace testsupport;

namespace {

class WidgetCalls : public WidgetFixture
{
protected:
    static int interval(const std::string& id)
    {
        return readWidget<dorvo_preview::Widget>(win, id, [](auto* w) { return w->interval(); });
    }
    static bool sameRect(const Rect& a, const Rect& b)
    {
        return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
    }
};

} // namespace

TEST_F(WidgetCalls, HostGeometryMovesTheItemReportsRegistersAndDeletionRemovesAll)
{
    const std::string a = box(20, 20, 100, 80);
    clearEvents();
    setWidgetX(a.c_str(), 150.5f);
    setWidgetY(a.c_str(), 60);
    setWidgetWidth(a.c_str(), 200);
    setWidgetHeight(a.c_str(), 120);
    setWidgetZ(a.c_str(), 7);
    flush();
    EXPECT_TRUE(sameRect(geometry(a), Rect{"", false, 150.5, 60, 200, 120}));
    ns::ItemRectData entry;
    ASSERT_TRUE(inRegistry(a, &entry));
    EXPECT_DOUBLE_EQ(entry.x, 150.5);
    EXPECT_DOUBLE_EQ(entry.height, 120);
    const std::vector<std::string> reports = rects();
    ASSERT_EQ(reports.size(), 4u) << "one report per changed coordinate";
    EXPECT_EQ(reports.back(), "{\"id\":\"" + a +
                                  "\",\"drag\":false,\"w\":200.000000,\"h\":120.000000,\"x\":150.500000,"
                                  "\"y\":60.000000}");
    // Drawn where the host put it, and above a widget with a lower z.
    const std::string b = box(160, 70, 40, 40, "#0000FF");
    setWidgetZ(b.c_str(), 3);
    flush();
    EXPECT_TRUE(waitFor([&] { return screen->pixel(sx(180), sy(90)).near(255, 0, 0); }, 2000));
    // Deleted: no item, no registry entry, no id, nothing drawn.
    deleteWidget(a.c_str());
    flush();
    EXPECT_FALSE(inRegistry(a));
    EXPECT_EQ(dorvo_preview::EngineHost::getWidget(a), nullptr);
    EXPECT_TRUE(waitFor([&] { return screen->pixel(sx(300), sy(150)).near(0, 0, 0); }, 2000));
    deleteWidget(b.c_str());
}

TEST_F(WidgetCalls, BadGeometryUnknownIdsNullsAndBadCreationChangeNothing)
{
    const std::string a = box(20, 20, 100, 80);
    const Rect before = geometry(a);
    const size_t widgets = dorvo_preview::EngineHost::instance()->widgets().size();
    clearEvents();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    for (float bad : {nan, inf, -inf, -1.0f, 1e9f}) {
        setWidgetX(a.c_str(), bad);
        setWidgetY(a.c_str(), bad);
        setWidgetWidth(a.c_str(), bad);
        setWidgetHeight(a.c_str(), bad);
    }
    for (const char* id : {"no-such-widget", "", static_cast<const char*>(nullptr), win}) {
        setWidgetX(id, 10);
        setWidgetY(id, 10);
        setWidgetWidth(id, 10);
        setWidgetHeight(id, 10);
        setWidgetZ(id, 10);
        selectWidgetBorder(id, true);
        setWidgetInterval(id, 5);
        setWidgetDragEnable(id, false);
        setWidgetVisible(id, false);
        grabWidgetImage(id, "/tmp/x.png", true);
        setWidgetBackMusicDuration(id, 1000);
        addWidget(id, a.c_str());
        addWidget(a.c_str(), id);
        deleteWidget(id);
    }
    // Calls a box lacks are not an error of the engine.
    setWidgetVisible(a.c_str(), false);
    grabWidgetImage(a.c_str(), "/tmp/x.png", false);
    flush();
    EXPECT_TRUE(sameRect(geometry(a), before));
    EXPECT_EQ(dorvo_preview::EngineHost::instance()->widgets().size(), widgets);
    EXPECT_TRUE(selected().empty());
    EXPECT_TRUE(rects().empty());
    EXPECT_TRUE(logCount("invalid value"));
    EXPECT_TRUE(logCount("cannot find widget id no-such-widget"));
    EXPECT_TRUE(logCount("addWidget refused, " + std::string(win) + " is a window"));
    ns::ItemRectData entry;
    ASSERT_TRUE(inRegistry(a, &entry));
    EXPECT_DOUBLE_EQ(entry.x, 20);
    EXPECT_TRUE(screen->pixel(sx(70), sy(60)).near(255, 0, 0)) << "the widget left its window";
    // Zero is a size, not a refusal.
    setWidgetWidth(a.c_str(), 0);
    setWidgetHeight(a.c_str(), 0);
    selectWidgetBorder(a.c_str(), true);
    flush();
    EXPECT_EQ(geometry(a).w, 0);
    EXPECT_TRUE(isSelected(a));
    deleteWidget(a.c_str());
    flush();
    // Creation with bad input.
    const size_t count = dorvo_preview::EngineHost::instance()->widgets().size();
    EXPECT_EQ(createWidget(21, "", ""), nullptr);
    EXPECT_EQ(createWidget(-1, "", ""), nullptr);
    // A type no kind answers to yet: logged, nothing registered.
    ASSERT_NE(createWidget(0, "", ""), nullptr);
    flush();
    EXPECT_EQ(dorvo_preview::EngineHost::instance()->widgets().size(), count);
    EXPECT_TRUE(logCount("can not find this widget 0"));
    // Malformed, wrong-typed and null default content: the frame's defaults.
    for (const char* content : {"{bad json", "[1,2,3]", "{\"layout\":{\"x\":\"10\",\"width\":-5}}",
                                static_cast<const char*>(nullptr)}) {
        SCOPED_TRACE(content ? content : "(null)");
        const char* id = createWidget(kBoxType, "", content);
        ASSERT_NE(id, nullptr);
        flush();
        const Rect r = geometry(id);
        EXPECT_DOUBLE_EQ(r.x, 0);
        EXPECT_DOUBLE_EQ(r.w, 100);
        deleteWidget(id);
    }
    // An unknown container id: an ordinary widget.
    const char* loose = createWidget(kBoxType, "no-such-container",
                                     "{\"layout\":{\"x\":5,\"y\":5,\"width\":50,\"height\":50}}");
    flush();
    EXPECT_DOUBLE_EQ(geometry(loose).w, 50);
    EXPECT_TRUE(inRegistry(loose));
}

TEST_F(WidgetCalls, DestroyingTheWindowTakesItsWidgets)
{
    const std::string a = box(20, 20, 100, 80);
    const std::string b = box(200, 20, 100, 80);
    destroyWindow(win);
    ASSERT_TRUE(waitFor([] { return dorvo_preview::EngineHost::instance()->widgets().empty(); }, 5000));
    // Calls to them afterwards are misses, not faults.
    for (const std::string& id : {a, b}) {
        setWidgetX(id.c_str(), 5);
        NText_setSource(id.c_str(), "{}");
        deleteWidget(id.c_str());
    }
    auto channel = dorvo_preview::EngineHost::instance()->getPlayChannel();
    ASSERT_TRUE(waitFor([&] { return channel->control()->pending() == 0; }, 5000));
    EXPECT_TRUE(logCount("cannot find widget id " + b));
}

TEST_F(WidgetCalls, BorrowedItemsIntervalMusicBookkeepingAndBorderScale)
{
    const std::string a = box(20, 20, 100, 80);
    // A widget made for a container borrows its item and stays out of the registry.
    const char* member =
        createWidget(kBoxType, a.c_str(), "{\"layout\":{\"x\":200,\"y\":200,\"width\":10,\"height\":10}}");
    ASSERT_NE(member, nullptr);
    flush();
    bool borrowed = false, shown = true, shared = false;
    onQtThread([&] {
        auto* w = qobject_cast<TestBoxWidget*>(widget(member));
        auto* h = qobject_cast<TestBoxWidget*>(widget(a));
        if (!w || !h)
            return;
        borrowed = w->itemBorrowed();
        shown = w->shows() > 0;
        shared = w->item() && w->item() == h->item();
    });
    EXPECT_TRUE(borrowed);
    EXPECT_FALSE(shown) << "not shown by itself";
    EXPECT_TRUE(shared) << "draws into the container's item";
    // Host geometry on the member changes the borrowed item; it is still not registered.
    setWidgetX(member, 30);
    flush();
    EXPECT_FALSE(inRegistry(member));
    // Deleting the member leaves the container's item alone.
    deleteWidget(member);
    flush();
    EXPECT_DOUBLE_EQ(geometry(a).w, 100);

    const char* video = createWidget(kVideoBoxType, "", "{}");
    flush();
    // A video gets four seconds more.
    setWidgetInterval(a.c_str(), 10);
    setWidgetInterval(video, 10);
    flush();
    EXPECT_EQ(interval(a), 10);
    EXPECT_EQ(interval(video), 14);

    setWidgetBackMusicDuration(a.c_str(), 5000);
    flush();
    EXPECT_TRUE(logCount("Widget::setBackMusicDuration error duration: 5000, music info is "));
    setWidgetBackMusic(
        a.c_str(),
        "{\"audioList\":[{\"originalDataSource\":\"/nonexistent/a.mp3\"}],\"playPolicy\":\"ORDER\"}");
    setWidgetBackMusicDuration(a.c_str(), 0);
    flush();
    EXPECT_TRUE(logCount("Widget::setBackMusicDuration error duration: 0"));
    pausePreviewForce(win, true);
    setWidgetBackMusicDuration(a.c_str(), 5000);
    flush();
    EXPECT_TRUE(logCount("pause force state, do not create music"));
    pausePreviewForce(win, false);
    setWidgetBackMusicDuration(a.c_str(), 5000);
    pausePreview(win);
    resumePreview(win);
    flush();
    EXPECT_TRUE(logCount("music start music interval is 5000"));
    EXPECT_TRUE(logCount("pauseMusic"));
    EXPECT_TRUE(logCount("resumeMusic"));

    const auto line = [&] { return frameProperty(a, "lineItemWidth").toDouble(); };
    setAllWidgetBorderScale(win, 200);
    flush();
    EXPECT_NEAR(line(), 2.0, 1e-6);
    EXPECT_NEAR(frameProperty(a, "areaMarginSize").toDouble(), 24.0, 1e-4);
    setAllWidgetBorderScale(win, 0);
    setAllWidgetBorderScale(win, -50);
    flush();
    EXPECT_NEAR(line(), 2.0, 1e-6);
    // A change of zoom applies the canvas scale again.
    setWindowScale(win, 50);
    setWindowScale(win, 100);
    flush();
    EXPECT_NEAR(line(), 1.0, 1e-6);
}
