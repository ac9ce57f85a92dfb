#include "xscreen.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace testsupport {

XScreen::XScreen() : display_(XOpenDisplay(nullptr)) {}

XScreen::~XScreen()
{
    if (display_)
        XCloseDisplay(static_cast<Display*>(display_));
}

Rgb XScreen::pixel(int x, int y) const
{
    Rgb out;
    auto* display = static_cast<Display*>(display_);
    XImage* image = XGetImage(display, DefaultRootWindow(display), x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image)
        return out;
    const unsigned long p = XGetPixel(image, 0, 0);
    out.r = static_cast<int>((p >> 16) & 0xFF);
    out.g = static_cast<int>((p >> 8) & 0xFF);
    out.b = static_cast<int>(p & 0xFF);
    XDestroyImage(image);
    return out;
}

int XScreen::childCount(unsigned long window) const
{
    ::Window root = 0, parent = 0;
    ::Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(static_cast<Display*>(display_), window, &root, &parent, &children, &count))
        return -1;
    if (children)
        XFree(children);
    return static_cast<int>(count);
}

unsigned long XScreen::createWindow(int x, int y, int width, int height, unsigned long rgb)
{
    auto* display = static_cast<Display*>(display_);
    XSetWindowAttributes attributes{};
    attributes.background_pixel = rgb;
    attributes.override_redirect = True;
    const ::Window window =
        XCreateWindow(display, DefaultRootWindow(display), x, y, static_cast<unsigned>(width),
                      static_cast<unsigned>(height), 0, CopyFromParent, InputOutput, CopyFromParent,
                      CWBackPixel | CWOverrideRedirect, &attributes);
    XMapWindow(display, window);
    XSync(display, False);
    return window;
}

} // namespace testsupport
