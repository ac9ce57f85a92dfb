// Where the canvas lands: for top-level and embedded views, both call orders,
// two view sizes and three scales, the scaled 1920 x 1080 canvas is centred
// whenever it fits, and fills the view with scroll bars when it does not.
// Every view sits at (0, 0) over a blue host window; the view's background is
// green and the canvas black. With a host window of its own, the view becomes
// a native child of it and draws inside it at the geometry the host sets.

#include "dorvo_preview.h"
#include "support/wait.h"
#include "support/xscreen.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

using testsupport::Rgb;
using testsupport::waitFor;

namespace {

constexpr int kCanvasW = 1920, kCanvasH = 1080;

struct Mode
{
    bool embedded;
    bool canvasFirst;
};

struct Sample
{
    int x, y;
    Rgb colour;
};

const Rgb kCanvas{0, 0, 0}, kBack{0, 192, 0}, kBar{0x38, 0x38, 0x38};

// The samples that tell where the canvas is in a view of this size.
std::vector<Sample> expected(int viewW, int viewH, int percent)
{
    const int w = kCanvasW * percent / 100, h = kCanvasH * percent / 100;
    std::vector<Sample> out;
    if (w <= viewW && h <= viewH) {
        const int left = (viewW - w) / 2, top = (viewH - h) / 2;
        const int right = left + w, bottom = top + h;
        // Inside each corner, and beside it where the view shows around the canvas.
        for (int x : {left + 3, right - 4})
            for (int y : {top + 3, bottom - 4})
                out.push_back({x, y, kCanvas});
        if (left >= 4) {
            out.push_back({left - 4, top + 3, kBack});
            out.push_back({right + 3, bottom - 4, kBack});
        }
        if (top >= 4) {
            out.push_back({left + 3, top - 4, kBack});
            out.push_back({right - 4, bottom + 3, kBack});
        }
        // No bars when it fits, over the canvas or the view's background.
        out.push_back({left + w / 2, bottom - 9, kCanvas});
        out.push_back({viewW / 2, viewH - 3, bottom < viewH - 3 ? kBack : kCanvas});
    } else {
        // The canvas covers the view; the bars show with their handles in the middle.
        out.push_back({10, 10, kCanvas});
        out.push_back({viewW / 3, viewH / 3, kCanvas});
        if (w > viewW)
            out.push_back({viewW / 2, viewH - 9, kBar});
        if (h > viewH)
            out.push_back({viewW - 9, viewH / 2, kBar});
    }
    return out;
}

class Geometry : public ::testing::TestWithParam<Mode>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(screen.ok()) << "no X display";
        host = screen.createWindow(0, 0, 1920, 1080, 0x0000FF);
        ASSERT_TRUE(waitFor([&] { return screen.pixel(960, 540).near(0, 0, 255); }, 3000));
        char dir[] = "/tmp/dorvo-geometry-XXXXXX";
        ASSERT_NE(mkdtemp(dir), nullptr);
        initPreview(nullptr,
                    GetParam().embedded ? reinterpret_cast<void*>(static_cast<uintptr_t>(host)) : nullptr);
        setRunningPath(dir);
    }

    void TearDown() override { quit(); }

    // Shows one window and returns what did not match (empty when all did).
    std::string show(int viewW, int viewH, int percent)
    {
        const char* win = createWindow();
        if (!win)
            return "no window";
        auto view = [&] {
            setWindowX(win, 0);
            setWindowY(win, 0);
            setWindowWidth(win, static_cast<float>(viewW));
            setWindowHeight(win, static_cast<float>(viewH));
        };
        auto canvas = [&] {
            setCanvasWidth(win, kCanvasW);
            setCanvasHeight(win, kCanvasH);
        };
        if (GetParam().canvasFirst) {
            canvas();
            view();
        } else {
            view();
            canvas();
        }
        setWindowScale(win, percent);
        setWindowBackColor(win, "#FF00C000");
        attachWindow(win);
        const std::vector<Sample> samples = expected(viewW, viewH, percent);
        std::string mismatch;
        const bool shown = waitFor(
            [&] {
                for (const Sample& s : samples) {
                    const Rgb p = screen.pixel(s.x, s.y);
                    if (!p.near(s.colour.r, s.colour.g, s.colour.b, 30)) {
                        std::ostringstream why;
                        why << "(" << s.x << ", " << s.y << ") is " << p.r << "," << p.g << "," << p.b;
                        mismatch = why.str();
                        return false;
                    }
                }
                return true;
            },
            10000);
        destroyWindow(win);
        // The next window starts from the bare host.
        waitFor([&] { return screen.pixel(viewW / 2, viewH / 2).near(0, 0, 255); }, 5000);
        return shown ? std::string() : mismatch;
    }

    testsupport::XScreen screen;
    unsigned long host = 0;
};

TEST_P(Geometry, CanvasIsCentredWhereverItFits)
{
    for (auto [viewW, viewH] : {std::pair<int, int>{960, 540}, {1920, 1080}}) {
        for (int percent : {25, 50, 100})
            EXPECT_EQ(show(viewW, viewH, percent), "") << viewW << "x" << viewH << " at " << percent << " %";
    }
}

INSTANTIATE_TEST_SUITE_P(Views, Geometry,
                         ::testing::Values(Mode{false, false}, Mode{false, true}, Mode{true, false},
                                           Mode{true, true}),
                         [](const ::testing::TestParamInfo<Mode>& info) {
                             return std::string(info.param.embedded ? "Embedded" : "TopLevel") +
                                    (info.param.canvasFirst ? "CanvasFirst" : "WindowFirst");
                         });

TEST(Embed, ViewIsAChildOfTheHostWindowAtTheGivenGeometry)
{
    testsupport::XScreen screen;
    ASSERT_TRUE(screen.ok());
    // The host's window: blue, at (100, 80), 900 x 700.
    const unsigned long host = screen.createWindow(100, 80, 900, 700, 0x0000FF);
    ASSERT_TRUE(waitFor([&] { return screen.pixel(150, 130).near(0, 0, 255); }, 3000));
    EXPECT_EQ(screen.childCount(host), 0);

    char dir[] = "/tmp/dorvo-embed-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    initPreview(nullptr, reinterpret_cast<void*>(static_cast<uintptr_t>(host)));
    setRunningPath(dir);
    const char* win = createWindow();
    ASSERT_NE(win, nullptr);
    // The view at (50, 40) inside the host, 600 x 400, canvas 200 x 100, grey around it.
    setWindowX(win, 50);
    setWindowY(win, 40);
    setWindowWidth(win, 600);
    setWindowHeight(win, 400);
    setCanvasWidth(win, 200);
    setCanvasHeight(win, 100);
    setWindowBackColor(win, "#FF808080");
    attachWindow(win);

    // Screen position of the view: host (100, 80) + (50, 40) = (150, 120).
    ASSERT_TRUE(waitFor([&] { return screen.pixel(150 + 300, 120 + 200).near(0, 0, 0); }, 15000))
        << "the canvas is not drawn at the view's centre";
    EXPECT_GE(screen.childCount(host), 1);
    EXPECT_TRUE(screen.pixel(150 + 5, 120 + 5).near(128, 128, 128));      // view background
    EXPECT_TRUE(screen.pixel(150 + 595, 120 + 395).near(128, 128, 128));  // view's far corner
    EXPECT_TRUE(screen.pixel(150 - 10, 120 + 200).near(0, 0, 255));       // host left of the view
    EXPECT_TRUE(screen.pixel(150 + 300, 120 + 400 + 10).near(0, 0, 255)); // host below the view

    // Moving the view inside the host.
    setWindowX(win, 250);
    ASSERT_TRUE(waitFor([&] { return screen.pixel(150 + 5, 120 + 5).near(0, 0, 255); }, 5000));
    EXPECT_TRUE(screen.pixel(350 + 5, 120 + 5).near(128, 128, 128));

    // Detached, the host shows through again.
    detachWindow(win);
    ASSERT_TRUE(waitFor([&] { return screen.pixel(350 + 300, 120 + 200).near(0, 0, 255); }, 5000));
    quit();
}

} // namespace
