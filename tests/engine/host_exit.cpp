// A host that starts the engine and leaves without calling quit(): the
// process must still end.

#include "dorvo_preview.h"

#include <QCoreApplication>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    initPreview(nullptr, nullptr);
    setRunningPath(argv[1]);
    // Leave while the Qt loop runs and messages are still flowing. A family
    // creation returns once the engine thread has run it, so the loop is up.
    for (int i = 0; i < 1000 && !QCoreApplication::instance(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    NText_createWidget();
    for (int i = 0; i < 100; ++i)
        setWidgetX("some-widget", static_cast<float>(i));
    std::printf("leaving\n");
    return 0;
}
