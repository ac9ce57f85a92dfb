#pragma once

#include <QApplication>

namespace dorvo_preview {

// The engine's Qt application. Every event, timer and queued call of the Qt
// loop passes through notify(): an exception thrown by any of them is logged
// with the receiver and the event type and dropped there, so that it never
// unwinds through the Qt loop into the host.
class GuardedApplication : public QApplication
{
public:
    GuardedApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace dorvo_preview
