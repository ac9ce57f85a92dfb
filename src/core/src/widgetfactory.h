#pragma once

#include <functional>

class QObject;

namespace dorvo_preview {

class Widget;
class Window;

// Makes the widget object for an interface type code (the codes of
// createWidget and N<Family>_createWidget).
class WidgetFactory
{
public:
    using Creator = std::function<Widget*(Window* window, QObject* parentItem)>;

    // The new widget, or null when no kind answers to the code.
    static Widget* create(int type, Window* window, QObject* parentItem);
    // Adds or replaces the kind made for a code; an empty creator removes it.
    static void registerKind(int type, Creator creator);
};

} // namespace dorvo_preview
