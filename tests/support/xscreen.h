#pragma once

// Reads pixels from the X server and sends real input through XTest (via
// xdotool), so that tests see and touch the screen as a user would.

#include <cstdlib>
#include <string>

namespace testsupport {

struct Rgb
{
    int r = 0, g = 0, b = 0;
    bool near(int R, int G, int B, int tolerance = 12) const
    {
        return std::abs(r - R) <= tolerance && std::abs(g - G) <= tolerance && std::abs(b - B) <= tolerance;
    }
};

class XScreen
{
public:
    XScreen();
    ~XScreen();
    XScreen(const XScreen&) = delete;
    XScreen& operator=(const XScreen&) = delete;

    bool ok() const { return display_ != nullptr; }
    // The colour of one screen pixel (root window coordinates).
    Rgb pixel(int x, int y) const;
    // How many child windows a window has (-1 when it does not exist).
    int childCount(unsigned long window) const;
    // A mapped top-level window filled with a colour (0xRRGGBB), as a host
    // application's own window; returns its X window id.
    unsigned long createWindow(int x, int y, int width, int height, unsigned long rgb);

private:
    void* display_;
};

// Runs xdotool with the given arguments (real X input through XTest).
inline int xdotool(const std::string& args)
{
    return std::system(("xdotool " + args + " >/dev/null 2>&1").c_str());
}

} // namespace testsupport
