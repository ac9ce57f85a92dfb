#pragma once

class QWindow;

namespace dorvo_preview {

// The platform layer of the embedding: turns the host's native window handle
// into a window that Qt can parent a view to. On X11 the handle is an X window
// id; the result is a foreign QWindow wrapping it.
class NativeParent
{
public:
    // A QWindow for the handle, or null when the handle is null or names no
    // live native window (logged).
    static QWindow* wrap(void* handle);
    // Whether the native window behind a handle still exists.
    static bool alive(void* handle);
};

} // namespace dorvo_preview
