#pragma once

// The one Qt application of a test program that makes its own scenes (no
// engine), made on first use with the library's resources.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QThread>

inline void testInitPreviewResources()
{
    Q_INIT_RESOURCE(preview);
}

namespace testsupport {

// setup runs once, right after the application is made (QML types to
// register, for example).
template <typename App = QGuiApplication> App* app(void (*setup)() = nullptr)
{
    static int argc = 1;
    static char arg0[] = "dorvo_test";
    static char* argv[] = {arg0, nullptr};
    static App* instance = [&] {
        auto* a = new App(argc, argv);
        testInitPreviewResources();
        if (setup)
            setup();
        return a;
    }();
    return instance;
}

// Runs this thread's event loop until pred holds or ms pass (for scenes made
// on the test's own thread; see wait.h for an engine on its own thread).
template <typename Pred> bool spinUntil(Pred pred, int ms = 10000)
{
    QElapsedTimer timer;
    timer.start();
    while (!pred()) {
        if (timer.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        // Outside an event loop, objects destroyed by QML wait for this.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QThread::msleep(1);
    }
    return true;
}

} // namespace testsupport
