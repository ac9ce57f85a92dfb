#include "nativeparent.h"

#include "logging/log.h"

#include <QGuiApplication>
#include <QWindow>

#include <X11/Xlib.h>

#include <cstdint>

namespace dorvo_preview {

namespace {

int ignoreXErrors(Display*, XErrorEvent*)
{
    return 0;
}

} // namespace

bool NativeParent::alive(void* handle)
{
    if (!handle || QGuiApplication::platformName() != QLatin1String("xcb"))
        return false;
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return false;
    auto previous = XSetErrorHandler(&ignoreXErrors);
    XWindowAttributes attributes;
    const Status ok =
        XGetWindowAttributes(display, static_cast<Window>(reinterpret_cast<uintptr_t>(handle)), &attributes);
    XSync(display, False);
    XSetErrorHandler(previous);
    XCloseDisplay(display);
    return ok != 0;
}

QWindow* NativeParent::wrap(void* handle)
{
    if (!handle)
        return nullptr;
    if (!alive(handle)) {
        LOG_E("host window %p is not a live X11 window", handle);
        return nullptr;
    }
    return QWindow::fromWinId(static_cast<WId>(reinterpret_cast<uintptr_t>(handle)));
}

} // namespace dorvo_preview
