// A preview window as a host drives it: through the shared library's exports,
// rendered under Xvfb, read back from the X server and touched with real
// mouse and key events. The view is a top-level window at (0, 0), 800 x 600.

#include "dorvo_preview.h"
#include "support/hostwindow.h"
#include "support/wait.h"
#include "support/xscreen.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <cstdlib>
#include <limits>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

using testsupport::Rgb;
using testsupport::waitFor;
using testsupport::xdotool;

namespace {

std::mutex g_mutex;
std::vector<std::string> g_keys;
std::vector<std::string> g_wheel;
std::vector<std::string> g_fps;
std::vector<std::chrono::steady_clock::time_point> g_fpsAt;

void onKey(const char* text)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_keys.emplace_back(text);
}
void onWheel(const char* text)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_wheel.emplace_back(text);
}
void onFps(const char* text)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_fps.emplace_back(text);
    g_fpsAt.push_back(std::chrono::steady_clock::now());
}
template <typename T> T copyOf(const T& value)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return value;
}
void clearEvents()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_keys.clear();
    g_wheel.clear();
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
            setOnKeyChanged(&onKey);
            setMouseWheelCallback(&onWheel);
            setFpsCallback(&onFps);
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
    scaleTo(100);
}

// Plain wheel turns report nothing, with Ctrl each turn reports once: what
// arrives before the last turn's report is all there was.
TEST_F(WindowTest, CtrlWheelReportsUpAndDownPlainWheelNothing)
{
    clearEvents();
    xdotool("mousemove 400 300");
    xdotool("click 4 click 5");
    xdotool("keydown ctrl click 4 click 5 click 4 keyup ctrl");
    ASSERT_TRUE(waitFor([] { return copyOf(g_wheel).size() >= 3; }, 3000)) << copyOf(g_wheel).size();
    EXPECT_EQ(copyOf(g_wheel), (std::vector<std::string>{"up", "down", "up"}));
}

TEST_F(WindowTest, KeysReportTheirNamesOnce)
{
    // Focus the view with a click on the canvas, then type.
    xdotool("mousemove 400 300 click 1");
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    clearEvents();
    xdotool("key Delete");
    xdotool("key Return");
    xdotool("key KP_Enter");
    xdotool("key ctrl+c");
    xdotool("key ctrl+v");
    xdotool("key ctrl+s");
    xdotool("key BackSpace");
    xdotool("key a");
    xdotool("key Delete"); // what arrives before this one is all the keys above made
    ASSERT_TRUE(waitFor([] { return copyOf(g_keys).size() >= 8; }, 5000)) << copyOf(g_keys).size();
    EXPECT_EQ(copyOf(g_keys), (std::vector<std::string>{"Delete", "Return", "Enter", "CtrlC", "CtrlV",
                                                        "CtrlS", "Backspace", "Delete"}));
}

TEST_F(WindowTest, FrameRateArrivesOnceASecondWhenItChanges)
{
    ASSERT_TRUE(testsupport::within(
        8000, [] { return copyOf(g_fps).size() >= 2; }, "two frame rates"));
    const auto values = copyOf(g_fps);
    const auto at = copyOf(g_fpsAt);
    for (size_t i = 1; i < values.size(); ++i) {
        EXPECT_NE(values[i], values[i - 1]);
        // Once a second, not every frame (a timer late under load makes the
        // next gap shorter; a second whose rate did not change is skipped).
        EXPECT_GE(std::chrono::duration_cast<std::chrono::milliseconds>(at[i] - at[i - 1]).count(), 500) << i;
    }
    for (const auto& v : values)
        EXPECT_GT(std::atoi(v.c_str()), 0) << v;
}

TEST_F(WindowTest, BadInputChangesNothing)
{
    scaleTo(100);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    setWindowScale(win, 0);
    setWindowScale(win, -50);
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
    // The log stays where it was: the refusals and the last miss land in it.
    ASSERT_TRUE(
        waitFor([] { return logText().find("cannot find window id nope") != std::string::npos; }, 5000));
    const std::string log = logText();
    EXPECT_NE(log.find("setScale invaild value 2147483647 no op"), std::string::npos);
    EXPECT_NE(log.find("setScale invaild value 1001 no op"), std::string::npos);
    EXPECT_NE(log.find("setCanvasHeight invalid value 0"), std::string::npos);
    EXPECT_NE(log.find("setCanvasWidth invalid value 0.5"), std::string::npos);
    EXPECT_NE(log.find("setRunningPath() refused, the path is empty"), std::string::npos);
    EXPECT_TRUE(screen->pixel(400, 300).near(0, 0, 0));
    EXPECT_TRUE(screen->pixel(210, 160).near(0, 0, 0));
    EXPECT_TRUE(screen->pixel(190, 300).near(0, 192, 0));
    EXPECT_TRUE(screen->pixel(10, 10).near(0, 192, 0));
    EXPECT_TRUE(screen->pixel(kViewW - 5, kViewH - 5).near(0, 192, 0));
}

TEST_F(WindowTest, AddedFontLoadsInTheAttachedWindow)
{
    ASSERT_EQ(addSystemFont("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"), 0);
    ASSERT_TRUE(waitFor([] { return logText().find("font loaded") != std::string::npos; }, 5000));
    EXPECT_NE(logText().find("add font name famliy is DejaVu Sans"), std::string::npos);
    // A missing file is reported, not fatal.
    ASSERT_EQ(addSystemFont("/no/such/font.ttf"), 0);
    ASSERT_TRUE(waitFor([] { return logText().find("font error") != std::string::npos; }, 5000));
}

TEST_F(WindowTest, AlphaColourAndNames)
{
    setWindowBackColor(win, "red");
    ASSERT_TRUE(waitFor([] { return screen->pixel(10, 10).near(255, 0, 0); }, 3000));
    setWindowBackColor(win, "#FF0000FF");
    ASSERT_TRUE(waitFor([] { return screen->pixel(10, 10).near(0, 0, 255); }, 3000));
    setWindowBackColor(win, "#FF00C000");
    ASSERT_TRUE(waitFor([] { return screen->pixel(10, 10).near(0, 192, 0); }, 3000));
}

} // namespace
