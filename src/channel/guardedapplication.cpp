#include "guardedapplication.h"

#include "logging/log.h"

#include <QEvent>
#include <QMetaObject>

#include <exception>

namespace dorvo_preview {

namespace {

void logDropped(QObject* receiver, QEvent* event, const char* what) noexcept
{
    try {
        const char* className = receiver ? receiver->metaObject()->className() : "none";
        LOG_E("event %d for %s failed, dropped: %s", event ? static_cast<int>(event->type()) : -1, className,
              what);
    } catch (...) {
    }
}

} // namespace

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        logDropped(receiver, event, e.what());
    } catch (...) {
        logDropped(receiver, event, "unknown exception");
    }
    return false;
}

} // namespace dorvo_preview
