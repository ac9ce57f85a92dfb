// A host that starts the engine, waits for the Qt loop and then crashes with
// a null write, as a faulty host or widget would.

#include "dorvo_preview.h"

#include <QCoreApplication>

#include <chrono>
#include <cstdio>
#include <thread>

// A plain null write (left unchecked in sanitizer builds, so that it faults).
__attribute__((noinline, no_sanitize("undefined"))) void writeThroughNull(volatile int* where)
{
    *where = 42;
}

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    initPreview(nullptr, nullptr);
    setRunningPath(argv[1]);
    for (int i = 0; i < 500 && !QCoreApplication::instance(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    std::printf("crashing\n");
    std::fflush(stdout);
    writeThroughNull(nullptr);
    return 0;
}
