// A program that arms NQExceptionHandler and then crashes on purpose; test_crash runs it and checks the
// files the handler leaves behind.
//
// Usage: crash_victim <crash folder> <mode> [--reporter <path>] [--early] [--name <application name>]
//                     [--hang-in-callback]
//   mode      segv, abort, fpe, ill, bus, raise-segv, thread-segv, overflow, or none (normal exit)
//   --early   arm the handler before the QCoreApplication exists, as the preview engine does
//   --name    the application name (default "crash_victim")
//   --hang-in-callback  the crash callback never returns

#include "crash/nqexceptionhandler.h"

#include <QCoreApplication>
#include <QString>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <thread>

#include <sys/mman.h>
#include <unistd.h>

// The crashing functions stay out-of-line so that they show up as frames of their own, and are not
// checked by the undefined-behaviour sanitizer, which would otherwise end the program before the fault.
#define VICTIM_FRAME __attribute__((noinline, no_sanitize("undefined")))

volatile bool g_keepRecursing = true;
volatile int g_unreached = 0;
bool g_hangInCallback = false;

VICTIM_FRAME void victimCrashSegv()
{
    volatile int* volatile target = nullptr;
    *target = 42;
}

VICTIM_FRAME void victimCrashAbort()
{
    std::abort();
}

VICTIM_FRAME void victimCrashFpe()
{
    volatile int one = 1;
    volatile int zero = 0;
    volatile int quotient = one / zero;
    (void)quotient;
}

VICTIM_FRAME void victimCrashIll()
{
    __builtin_trap();
}

VICTIM_FRAME void victimCrashBus()
{
    // Reading a mapped page past the end of an empty file raises SIGBUS.
    char path[] = "/tmp/crash_victim_bus_XXXXXX";
    const int fd = ::mkstemp(path);
    if (fd < 0)
        return;
    ::unlink(path);
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    void* page = ::mmap(nullptr, static_cast<size_t>(pageSize), PROT_READ, MAP_SHARED, fd, 0);
    ::close(fd);
    if (page == MAP_FAILED)
        return;
    const volatile char* bytes = static_cast<const volatile char*>(page);
    const char value = bytes[0];
    (void)value;
}

VICTIM_FRAME void victimRaiseSegv()
{
    std::raise(SIGSEGV);
    // Not reached; keeps the call to raise() from becoming a jump that leaves no frame of this function.
    g_unreached = 1;
}

VICTIM_FRAME void victimCrashOnThread()
{
    std::thread worker([] { victimCrashSegv(); });
    worker.join();
}

VICTIM_FRAME int victimRecurse(int depth)
{
    volatile char padding[512];
    padding[0] = static_cast<char>(depth);
    if (!g_keepRecursing)
        return padding[0];
    return victimRecurse(depth + 1) + padding[0];
}

void victimCallback()
{
    static const char text[] = "crash callback called\n";
    const ssize_t written = ::write(STDERR_FILENO, text, sizeof(text) - 1);
    (void)written;
    while (g_hangInCallback)
        ::pause();
}

int main(int argc, char** argv)
{
    const std::map<std::string, void (*)()> modes = {
        {"segv", victimCrashSegv},
        {"abort", victimCrashAbort},
        {"fpe", victimCrashFpe},
        {"ill", victimCrashIll},
        {"bus", victimCrashBus},
        {"raise-segv", victimRaiseSegv},
        {"thread-segv", victimCrashOnThread},
        {"overflow", [] { std::fprintf(stderr, "recursion ended: %d\n", victimRecurse(0)); }},
        {"none", nullptr},
    };
    if (argc < 3 || !modes.count(argv[2]))
        return 2;
    QString reporter;
    QString name = QStringLiteral("crash_victim");
    bool early = false;
    for (int i = 3; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--reporter" && i + 1 < argc)
            reporter = QString::fromLocal8Bit(argv[++i]);
        else if (option == "--name" && i + 1 < argc)
            name = QString::fromLocal8Bit(argv[++i]);
        early |= option == "--early";
        if (option == "--hang-in-callback")
            g_hangInCallback = true;
    }
    auto makeHandler = [&] {
        return std::make_unique<dorvo_preview::NQExceptionHandler>(
            QString::fromLocal8Bit(argv[1]), reporter, true, QStringLiteral("v1.1.0"),
            QStringLiteral("Brantel"), &victimCallback);
    };
    std::unique_ptr<dorvo_preview::NQExceptionHandler> handler;
    if (early)
        handler = makeHandler();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(name);
    if (!early)
        handler = makeHandler();
    if (!handler->armed())
        return 4;
    if (!modes.at(argv[2]))
        return 0;
    modes.at(argv[2])();
    std::fprintf(stderr, "survived the crash\n");
    return 3;
}
