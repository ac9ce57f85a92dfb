#pragma once

// Starting the engine and showing one preview window through the exported
// functions, as a host does; shared by the test fixtures.

#include "dorvo_preview.h"
#include "support/textfile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

namespace testsupport {

struct PreviewWindowSetup
{
    int viewW = 800, viewH = 600;
    int canvasW = 600, canvasH = 400;
    const char* backColor = "#FF000000";
    bool atOrigin = false; // place the view at (0, 0) of the screen
};

// Starts the engine with a running path made from dirTemplate (mkdtemp),
// runs beforeWindow (callbacks to set, kinds to make before a window exists),
// then makes and attaches the window. Sets runningPath and win; win stays
// null when something failed (the test has failed then).
inline void startPreviewWindow(const char* dirTemplate, const PreviewWindowSetup& setup,
                               const std::function<void()>& beforeWindow, std::string& runningPath,
                               const char*& win)
{
    std::string dir = dirTemplate;
    ASSERT_NE(mkdtemp(&dir[0]), nullptr);
    runningPath = dir;
    initPreview(nullptr, nullptr);
    setRunningPath(dir.c_str());
    if (beforeWindow)
        beforeWindow();
    win = createWindow();
    ASSERT_NE(win, nullptr);
    if (setup.atOrigin) {
        setWindowX(win, 0);
        setWindowY(win, 0);
    }
    setWindowWidth(win, static_cast<float>(setup.viewW));
    setWindowHeight(win, static_cast<float>(setup.viewH));
    setCanvasWidth(win, static_cast<float>(setup.canvasW));
    setCanvasHeight(win, static_cast<float>(setup.canvasH));
    setWindowBackColor(win, setup.backColor);
    attachWindow(win);
}

// The engine's log under a running path.
inline std::string logOf(const std::string& runningPath)
{
    return readText(runningPath + "/log/preview/preview.log");
}

} // namespace testsupport
