// Embedding: with a host window of its own, the preview view becomes a native
// child of it and draws inside it at the geometry the host sets.

#include "dorvo_preview.h"
#include "support/wait.h"
#include "support/xscreen.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <thread>

using testsupport::waitFor;

namespace {

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
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
}

} // namespace
