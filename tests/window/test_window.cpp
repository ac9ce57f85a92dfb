// A preview window as a host drives it: through the shared library's exports,
// rendered under Xvfb, read back from the X server and touched with real
// mouse and key events. The view is a top-level window at (0, 0), 800 x 600.

#include "dorvo_preview.h"
#include "support/hostwindow.h"
#include "support/wait.h"
#include "support/xscreen.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <limits>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

using testsupport::Rgb;
using testsupport::waitFor;
using testsupport::xdotool;

namespace {

// What the host's callbacks received, by callback, and when the frame rates came.
std::mutex g_mutex;
std::map<std::string, std::vector<std::string>> g_events;
std::vector<std::chrono::steady_clock::time_point> g_fpsAt;

template <const char* kind> void record(const char* text)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_events[kind].emplace_back(text);
    if (kind == std::string("fps"))
        g_fpsAt.push_back(std::chrono::steady_clock::now());
}
constexpr char kKey[] = "key", kWheel[] = "wheel", kFps[] = "fps";

std::vector<std::string> events(const char* kind)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_events[kind];
}

using testsupport::kViewH;
using testsupport::kViewW;

// The bottom bar's handle: the run of handle-coloured pixels in the bar's row.
std::pair<int, int> handleSpan(testsupport::XScreen& screen)
{
    int first = -1, last = -1;
    for (int x = 0; x < kViewW; x += 2) {
        const Rgb p = screen.pixel(x, kViewH - 9);
        if (p.near(0x38, 0x38, 0x38, 30)) {
            if (first < 0)
                first = x;
            last = x;
        }
    }
    return {first, last};
}

class WindowTest : public ::testing::Test, public testsupport::HostWindow
{
protected:
    static void SetUpTestSuite()
    {
        openPreview("/tmp/dorvo-window-XXXXXX", [] {
            setOnKeyChanged(&record<kKey>);
            setMouseWheelCallback(&record<kWheel>);
            setFpsCallback(&record<kFps>);
        });
    }

    static void TearDownTestSuite() { closePreview(); }

    // Posts a scale and waits until the scene shows it: while the 400-pixel
    // canvas fits, its left edge sits at 400 - 2 * percent; beyond, the bars show.
    static void scaleTo(int percent)
    {
        setWindowScale(win, percent);
        if (percent >= 200) {
            ASSERT_TRUE(waitFor([] { return handleSpan(*screen).first >= 0; }, 5000)) << "no bars";
            return;
        }
        const int left = kViewW / 2 - 2 * percent;
        ASSERT_TRUE(waitFor(
            [&] {
                return screen->pixel(left + 4, kViewH / 2).near(0, 0, 0) &&
                       screen->pixel(left - 4, kViewH / 2).near(0, 192, 0);
            },
            5000))
            << "scale " << percent << " not shown";
    }
};

TEST_F(WindowTest, DoubleScaleShowsBarsCentredAndKeepsTheUsersPosition)
{
    scaleTo(300); // 1200 x 900 in an 800 x 600 view
    auto span = handleSpan(*screen);
    ASSERT_GE(span.first, 0) << "no horizontal bar";
    const int centre = (span.first + span.second) / 2;
    EXPECT_NEAR(centre, kViewW / 2, 12);

    // The user drags the handle to the right.
    const std::string row = std::to_string(kViewH - 9);
    xdotool("mousemove " + std::to_string(centre) + " " + row);
    xdotool("mousedown 1");
    for (int step = 1; step <= 6; ++step) {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        xdotool("mousemove " + std::to_string(centre + 20 * step) + " " + row);
    }
    xdotool("mouseup 1");
    std::pair<int, int> moved;
    ASSERT_TRUE(waitFor(
        [&] {
            moved = handleSpan(*screen);
            return moved.first >= 0 && (moved.first + moved.second) / 2 > centre + 40;
        },
        5000));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));

    // A later zoom step keeps the bar where the user left it (off the middle).
    scaleTo(350);
    std::pair<int, int> after;
    ASSERT_TRUE(testsupport::within(
        3000,
        [&] {
            after = handleSpan(*screen);
            return after.first >= 0 && after.second - after.first < moved.second - moved.first - 10;
        },
        "the shorter handle of the larger zoom"));
    EXPECT_GT((after.first + after.second) / 2, kViewW / 2 + 30);

    // Once the bars hide, the next overflow centres them again.
    scaleTo(100);
    EXPECT_LT(handleSpan(*screen).first, 0);
    scaleTo(300);
    auto again = handleSpan(*screen);
    ASSERT_GE(again.first, 0);
    EXPECT_NEAR((again.first + again.second) / 2, kViewW / 2, 12);
}

// Plain wheel turns report nothing, with Ctrl each turn reports once; keys
// report their names once. What arrives before the last report is all there was.
TEST_F(WindowTest, CtrlWheelKeysAndFrameRateReport)
{
    // The click focuses the view for the keys.
    xdotool("mousemove 400 300 click 1");
    xdotool("click 4 click 5");
    xdotool("keydown ctrl click 4 click 5 click 4 keyup ctrl");
    ASSERT_TRUE(waitFor([] { return events(kWheel).size() >= 3; }, 3000)) << events(kWheel).size();
    EXPECT_EQ(events(kWheel), (std::vector<std::string>{"up", "down", "up"}));
    xdotool("key Delete Return KP_Enter ctrl+c ctrl+v ctrl+s BackSpace a Delete");
    ASSERT_TRUE(waitFor([] { return events(kKey).size() >= 8; }, 5000)) << events(kKey).size();
    EXPECT_EQ(events(kKey), (std::vector<std::string>{"Delete", "Return", "Enter", "CtrlC", "CtrlV", "CtrlS",
                                                      "Backspace", "Delete"}));

    // The frame rate arrives once a second when it changes.
    ASSERT_TRUE(testsupport::within(
        8000, [] { return events(kFps).size() >= 2; }, "two frame rates"));
    const auto values = events(kFps);
    std::lock_guard<std::mutex> lock(g_mutex);
    const auto at = g_fpsAt;
    for (size_t i = 1; i < values.size(); ++i) {
        EXPECT_NE(values[i], values[i - 1]);
        // Once a second, not every frame (a timer late under load makes the
        // next gap shorter; a second whose rate did not change is skipped).
        EXPECT_GE(std::chrono::duration_cast<std::chrono::milliseconds>(at[i] - at[i - 1]).count(), 500) << i;
    }
    for (const auto& v : values)
        EXPECT_GT(std::atoi(v.c_str()), 0) << v;
}

// Colour names and #AARRGGBB are taken, added fonts load (a missing file is
// reported, not fatal); bad input changes nothing.
TEST_F(WindowTest, BackColourFontsAndBadInput)
{
    ASSERT_EQ(addSystemFont("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"), 0);
    ASSERT_EQ(addSystemFont("/no/such/font.ttf"), 0);
    scaleTo(100);
    setWindowBackColor(win, "red");
    ASSERT_TRUE(waitFor([] { return screen->pixel(10, 10).near(255, 0, 0); }, 3000));
    setWindowBackColor(win, "#FF00C000");
    ASSERT_TRUE(waitFor([] { return screen->pixel(10, 10).near(0, 192, 0); }, 3000));
    const float nan = std::numeric_limits<float>::quiet_NaN();
    setWindowScale(win, 0);
    setWindowBackColor(win, "#GG0000");
    setWindowBackColor(win, "");
    setWindowBackColor(win, nullptr);
    setCanvasWidth(win, nan);
    setCanvasHeight(win, 1e9f);
    setCanvasWidth(win, -5);
    setWindowWidth(win, nan);
    setWindowHeight(win, 1e9f);
    setWindowX(win, nan);
    setWindowScale("not-a-window", 200);
    setWindowBackColor("not-a-window", "#FFFF0000");
    setCanvasWidth(nullptr, 100);
    // Values that cannot be drawn, and a running path that would move the log.
    setWindowScale(win, std::numeric_limits<int>::max());
    setWindowScale(win, 1001);
    setCanvasHeight(win, 0);
    setCanvasWidth(win, 0.5f);
    setRunningPath(nullptr);
    setRunningPath("");
    attachWindow("");
    destroyWindow("nope");
    // A last colour, drawn once everything before it has run.
    setWindowBackColor(win, "#FF0000C0");
    ASSERT_TRUE(waitFor([] { return screen->pixel(10, 10).near(0, 0, 192); }, 5000));
    // The log stays where it was: the fonts, the refusals and the last miss land in it.
    for (const char* said :
         {"font loaded", "add font name famliy is DejaVu Sans", "font error", "cannot find window id nope",
          "setScale invaild value 2147483647 no op", "setScale invaild value 1001 no op",
          "setCanvasHeight invalid value 0", "setCanvasWidth invalid value 0.5",
          "setRunningPath() refused, the path is empty"})
        EXPECT_TRUE(testsupport::within(
            5000, [&] { return logText().find(said) != std::string::npos; }, said));
    for (auto [x, y, canvas] : {std::tuple{400, 300, true},
                                {210, 160, true},
                                {190, 300, false},
                                {10, 10, false},
                                {kViewW - 5, kViewH - 5, false}})
        EXPECT_TRUE(screen->pixel(x, y).near(0, 0, canvas ? 0 : 192)) << x << ", " << y;
}

} // namespace
