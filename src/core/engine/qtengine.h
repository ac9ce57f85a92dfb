#pragma once

#include "engine.h"

#include <QObject>

#include <functional>

class QTimer;

namespace dorvo_preview {
class QWinQuickView;
}

namespace dorvo_preview {

// The Qt engine: registers the library's meta and QML types, routes Qt's own
// messages into the library log and runs the 1 ms message timer that feeds
// queued messages into the Qt event loop.
class QtEngine : public QObject, public Engine
{
    Q_OBJECT
public:
    QtEngine();
    ~QtEngine() override;

    // Registers the meta types and the QML types of the scenes (once per process).
    static void registerTypes();

    void setHandles(void* moduleHandle, void* hostWindow);
    void* moduleHandle() const { return moduleHandle_; }
    void* hostWindow() const { return hostWindow_; }

    // Replaces the message timer by a new one that runs step once per 1 ms tick.
    void startMsgTimer(const std::function<void()>& step);
    void stopMsgTimer();
    // Deletes the timer; called on the Qt thread once its event loop has ended.
    void releaseMsgTimer();
    bool msgTimerActive() const;

    // The Quick view of a new preview window, embedded in the host's window,
    // with the running path as QML import path.
    QWinQuickView* createView();

private:
    void* moduleHandle_ = nullptr;
    void* hostWindow_ = nullptr;
    QTimer* msgTimer_ = nullptr;
};

} // namespace dorvo_preview
