// The widget frame under real mouse input: selection, moving, resizing,
// snapping and the rectangle reports, through the exported functions.

#include "widgetfixture.h"

#include <regex>

using namespace testsupport;

namespace {

class WidgetMouse : public WidgetFixture
{};

const std::regex kRectForm(
    R"(\{"id":"[0-9a-f-]{36}","drag":(true|false),"w":-?\d+\.\d{6},"h":-?\d+\.\d{6},"x":-?\d+\.\d{6},"y":-?\d+\.\d{6}\})");

} // namespace

TEST_F(WidgetMouse, SelectionByClickAndByTheHostThenDragReportsAndClampsAtTheEdges)
{
    const std::string a = box(20, 20, 100, 80);
    const std::string b = box(200, 100, 100, 80, "#0000FF");
    const auto clicked = [](int x, int y, const std::vector<std::string>& expected) {
        clearEvents();
        click(x, y);
        if (expected.empty())
            flush();
        else
            ASSERT_TRUE(waitFor([&] { return selected().size() >= expected.size(); }, 3000));
        EXPECT_EQ(selected(), expected);
    };
    // The host selects without hearing the id back; the frame is drawn: the
    // blue line just left of the widget (away from the white pill in the
    // middle of the edge).
    selectWidgetBorder(a.c_str(), true);
    flush();
    EXPECT_TRUE(isSelected(a));
    EXPECT_TRUE(selected().empty());
    EXPECT_TRUE(waitFor([&] { return screen->pixel(sx(20) - 1, sy(30)).near(0x26, 0x82, 0xFF, 40); }, 2000));
    clicked(sx(70), sy(60), {});        // already selected: nothing to report
    clicked(sx(250), sy(140), {"", b}); // the loser hears empty
    clicked(sx(250), sy(140), {});
    clicked(sx(380), sy(280), {""});
    clicked(sx(70), sy(60), {a});
    clearEvents();
    selectWidgetBorder(a.c_str(), false);
    ASSERT_TRUE(waitFor([] { return selected().size() >= 1; }, 3000));
    EXPECT_EQ(selected(), (std::vector<std::string>{""}));

    // A drag reports every coordinate, then a final rectangle, and stops at the edges.
    deleteWidget(b.c_str());
    click(sx(70), sy(60));
    clearEvents();

    drag(sx(70), sy(60), 30, 20);
    ASSERT_TRUE(waitFor([] { return !rects().empty() && !parseRect(rects().back()).drag; }, 3000));
    const std::vector<std::string> reports = rects();
    ASSERT_GE(reports.size(), 3u);
    for (size_t i = 0; i < reports.size(); ++i) {
        EXPECT_TRUE(std::regex_match(reports[i], kRectForm)) << reports[i];
        const Rect r = parseRect(reports[i]);
        EXPECT_EQ(r.id, a);
        EXPECT_EQ(r.drag, i + 1 < reports.size()) << "only the last report has drag false: " << reports[i];
    }
    EXPECT_EQ(reports.back(), "{\"id\":\"" + a +
                                  "\",\"drag\":false,\"w\":100.000000,\"h\":80.000000,\"x\":50.000000,"
                                  "\"y\":40.000000}");
    ns::ItemRectData entry;
    ASSERT_TRUE(inRegistry(a, &entry));
    EXPECT_DOUBLE_EQ(entry.x, 50);
    EXPECT_DOUBLE_EQ(entry.y, 40);
    // The widget is drawn where it was dropped.
    EXPECT_TRUE(screen->pixel(sx(55), sy(45)).near(255, 0, 0));
    EXPECT_TRUE(screen->pixel(sx(140), sy(110)).near(255, 0, 0));

    // Against the canvas edges it stops.
    drag(sx(70), sy(60), -150, -120);
    Rect r = geometry(a);
    EXPECT_DOUBLE_EQ(r.x, 0);
    EXPECT_DOUBLE_EQ(r.y, 0);
    drag(sx(50), sy(40), 500, 400, 8);
    r = geometry(a);
    EXPECT_DOUBLE_EQ(r.x, kCanvasW - 100);
    EXPECT_DOUBLE_EQ(r.y, kCanvasH - 80);
    for (const std::string& text : rects()) {
        const Rect report = parseRect(text);
        EXPECT_GE(report.x, 0);
        EXPECT_LE(report.x, kCanvasW);
    }
    // Host geometry during a press is ignored.
    press(sx(kCanvasW - 50), sy(kCanvasH - 40));
    setWidgetX(a.c_str(), 200);
    setWidgetWidth(a.c_str(), 50);
    flush();
    r = geometry(a);
    EXPECT_DOUBLE_EQ(r.x, kCanvasW - 100);
    EXPECT_DOUBLE_EQ(r.w, 100);
    release();
    setWidgetX(a.c_str(), 200);
    EXPECT_TRUE(waitFor([&] { return geometry(a).x == 200; }, 2000));
}

struct HandleCase
{
    const char* name;
    double px, py; // point on the handle, in widget coordinates
    int dx, dy, steps;
    double x, y, w, h; // expected result; h -1: any height above 0
};

TEST_F(WidgetMouse, EachOfTheEightHandlesFollowsItsRuleWithinTheLimits)
{
    // Widget at (100, 100) 120 x 80; handles are 12 px thick.
    const HandleCase cases[] = {
        {"top-left", 0, 0, -10, -20, 5, 90, 80, 130, 100},
        {"top", 60, 3, 15, -10, 5, 100, 90, 120, 90},
        {"top-right", 120, 0, 10, 20, 5, 100, 120, 130, 60},
        {"right", 117, 40, 25, 30, 5, 100, 100, 145, 80},
        {"bottom-right", 120, 80, -20, -30, 5, 100, 100, 100, 50},
        {"bottom", 60, 77, 5, 20, 5, 100, 100, 120, 100},
        {"bottom-left", 0, 80, 20, 10, 5, 120, 100, 100, 90},
        {"left", 3, 40, -30, 5, 5, 70, 100, 150, 80},
        // Limits: the width is kept when the left edge passes the right one,
        // the canvas stops the right and the top edge, the height stays above 0.
        {"left past right", 3, 40, 200, 0, 1, 100, 100, 120, 80},
        {"right beyond the canvas", 117, 40, 250, 0, 5, 100, 100, kCanvasW - 100, 80},
        {"top above the canvas", 60, 3, 0, -150, 5, 100, 0, 120, 180},
        {"bottom above the top", 60, 77, 0, -400, 1, 100, 100, 120, -1},
    };
    for (const HandleCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string id = box(100, 100, 120, 80);
        selectWidgetBorder(id.c_str(), true);
        flush();
        drag(sx(100 + c.px), sy(100 + c.py), c.dx, c.dy, c.steps);
        const Rect r = geometry(id);
        EXPECT_NEAR(r.x, c.x, 0.01);
        EXPECT_NEAR(r.w, c.w, 0.01);
        if (c.h < 0) {
            EXPECT_GT(r.h, 0);
        } else {
            EXPECT_NEAR(r.y, c.y, 0.01);
            EXPECT_NEAR(r.h, c.h, 0.01);
        }
        deleteWidget(id.c_str());
        flush();
    }
}

TEST_F(WidgetMouse, DragNearANeighbourSnapsAndDrawsTheGuideLine)
{
    const std::string b = box(200, 150, 100, 80, "#0000FF");
    const std::string a = box(40, 20, 100, 80);
    click(sx(90), sy(60));
    // Left edge ends 3 px right of b's left edge: it snaps onto it.
    drag(sx(90), sy(60), 163, 0, 6);
    Rect r = geometry(a);
    EXPECT_DOUBLE_EQ(r.x, 200);
    EXPECT_DOUBLE_EQ(r.y, 20);
    // The guide line at canvas x = 200 runs from above a to below b while
    // the widget is held there (a release clears it).
    press(sx(250), sy(60));
    moveTo(sx(252), sy(62));
    moveTo(sx(253), sy(62));
    ASSERT_TRUE(waitFor([&] { return screen->pixel(sx(200), sy(120)).near(0xE0, 0x40, 0xFB, 40); }, 2000))
        << "no guide line between the widgets";
    r = geometry(a);
    EXPECT_DOUBLE_EQ(r.x, 200) << "stays snapped within 6 px";
    moveTo(sx(262), sy(62));
    EXPECT_DOUBLE_EQ(geometry(a).x, 212) << "7 px or more away it no longer snaps";
    moveTo(sx(253), sy(62));
    release();
    EXPECT_TRUE(waitFor([&] { return screen->pixel(sx(200), sy(120)).near(0, 0, 0); }, 2000))
        << "the release clears the guide line";
    // Draw it again, then clear it by clicking empty canvas.
    press(sx(250), sy(60));
    moveTo(sx(251), sy(60));
    ASSERT_TRUE(waitFor([&] { return screen->pixel(sx(200), sy(120)).near(0xE0, 0x40, 0xFB, 40); }, 2000));
    release();
    click(sx(20), sy(280));
    EXPECT_TRUE(waitFor([&] { return screen->pixel(sx(200), sy(120)).near(0, 0, 0); }, 2000))
        << "a click on empty canvas clears the guide line";
}

TEST_F(WidgetMouse, SelectionFrameKeepsItsScreenSizeAtEveryZoomAndDragDisabledStopsMoving)
{
    const std::string a = box(100, 100, 120, 80);
    selectWidgetBorder(a.c_str(), true);
    flush();
    int dotAt100 = 0;
    for (int percent : {100, 50, 200}) {
        SCOPED_TRACE(percent);
        setWindowScale(win, percent);
        settle(600);
        // Canvas centred; canvas point (cx, cy) on screen at centre + (c - centre) * s.
        const double s = percent / 100.0;
        auto toX = [&](double cx) {
            return static_cast<int>(std::lround(kViewW / 2 + (cx - kCanvasW / 2) * s));
        };
        auto toY = [&](double cy) {
            return static_cast<int>(std::lround(kViewH / 2 + (cy - kCanvasH / 2) * s));
        };
        // The corner dot on the bottom-left corner: scan along the row through its centre.
        const int cornerX = toX(100), cornerY = toY(180);
        int left = cornerX - 20;
        while (left < cornerX && !screen->pixel(left, cornerY + 2).near(255, 255, 255, 40))
            ++left;
        int dot = 0;
        while (dot < 200 && screen->pixel(left + dot, cornerY + 2).near(255, 255, 255, 40))
            ++dot;
        EXPECT_GE(dot, 8);
        EXPECT_LE(dot, 14);
        if (percent == 100)
            dotAt100 = dot;
        else
            EXPECT_NEAR(dot, dotAt100, 2);
        // The blue line left of the widget stays about one screen pixel wide.
        int blueRun = 0;
        for (int x = toX(100) - 4; x <= toX(100) + 1; ++x)
            blueRun += screen->pixel(x, toY(112)).near(0x26, 0x82, 0xFF, 60) ? 1 : 0;
        EXPECT_GE(blueRun, 1);
        EXPECT_LE(blueRun, 2);
    }
    // Back at 100 %: a corner dot (white) sits on the top-left corner while
    // handles show; drag disabled hides them and stops moving.
    setWindowScale(win, 100);
    ASSERT_TRUE(
        waitFor([&] { return screen->pixel(sx(100) - 2, sy(100) - 2).near(255, 255, 255, 30); }, 2000));
    setWidgetDragEnable(a.c_str(), false);
    ASSERT_TRUE(
        waitFor([&] { return !screen->pixel(sx(100) - 2, sy(100) - 2).near(255, 255, 255, 30); }, 2000));
    drag(sx(160), sy(140), 40, 30);
    Rect r = geometry(a);
    EXPECT_DOUBLE_EQ(r.x, 100);
    EXPECT_DOUBLE_EQ(r.y, 100);
    // The right edge's handle is gone: the press falls through to the canvas.
    drag(sx(219), sy(179), 30, 30, 6, false);
    r = geometry(a);
    EXPECT_DOUBLE_EQ(r.w, 120) << "no resizing either";
    // Still selectable and double-clickable.
    clearEvents();
    moveTo(sx(160), sy(140));
    afterLastClick();
    xdotool("click --repeat 2 --delay 80 1");
    ASSERT_TRUE(waitFor([] { return !doubleClicked().empty(); }, 3000));
    EXPECT_EQ(doubleClicked().front(), a);
    // true does not bring the handles back.
    setWidgetDragEnable(a.c_str(), true);
    flush();
    EXPECT_FALSE(screen->pixel(sx(100) - 2, sy(100) - 2).near(255, 255, 255, 30));
    drag(sx(160), sy(140), 40, 30);
    EXPECT_DOUBLE_EQ(geometry(a).x, 100);
}
