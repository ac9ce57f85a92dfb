#pragma once

// The preview window of the tests that read the X screen, made through the
// exported functions as a host makes it: 800 x 600 at (0, 0), a 400 x 300
// canvas in its middle (200, 150 on screen at scale 100), green around it.
// A suite calls openPreview() from SetUpTestSuite() and closePreview() from
// TearDownTestSuite().

#include "support/previewwindow.h"
#include "support/wait.h"
#include "support/xscreen.h"

namespace testsupport {

constexpr int kViewW = 800, kViewH = 600;
constexpr int kCanvasW = 400, kCanvasH = 300;
constexpr int kCanvasLeft = (kViewW - kCanvasW) / 2, kCanvasTop = (kViewH - kCanvasH) / 2;

struct HostWindow
{
    // Starts the engine with a running path made from dirTemplate (mkdtemp),
    // runs beforeWindow (callbacks to set, for example), then shows the window
    // and waits until it is on screen.
    static void openPreview(const char* dirTemplate, const std::function<void()>& beforeWindow = {})
    {
        screen = new XScreen();
        ASSERT_TRUE(screen->ok()) << "no X display";
        startPreviewWindow(dirTemplate,
                           PreviewWindowSetup{kViewW, kViewH, kCanvasW, kCanvasH, "#FF00C000", true},
                           beforeWindow, runningPath, win);
        ASSERT_NE(win, nullptr);
        ASSERT_TRUE(waitFor(
            [] {
                return screen->pixel(kViewW / 2, kViewH / 2).near(0, 0, 0) &&
                       screen->pixel(10, 10).near(0, 192, 0);
            },
            15000))
            << "the preview window never showed";
    }

    // A well-behaved host ends the engine before it leaves: quit() returns
    // once the engine has stopped.
    static void closePreview()
    {
        quit();
        delete screen;
        screen = nullptr;
    }

    static std::string logText() { return logOf(runningPath); }

    static inline XScreen* screen = nullptr;
    static inline const char* win = nullptr;
    static inline std::string runningPath;
};

} // namespace testsupport
