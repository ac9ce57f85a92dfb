#include "spdlogapplication.h"

#include <mutex>

namespace RK {

const char* const SpdlogApplication::kLoggerName = "dorvo_preview";
const char* const SpdlogApplication::kPattern = "[%Y-%m-%d %H:%M:%S.%f] %L [%t] %v";

SpdlogApplication::SpdlogApplication()
{
    setName("root");
}

SpdlogApplication& SpdlogApplication::instance()
{
    static std::once_flag once;
    static SpdlogApplication* app = nullptr;
    // Never destroyed: records may still be logged while static objects of
    // the library and of the host are torn down.
    std::call_once(once, [] { app = new SpdlogApplication(); });
    return *app;
}

// Both switch in one step: the new logger is built first and replaces the old
// one at once, so that records logged meanwhile by other threads are not lost.
void SpdlogApplication::useConsole()
{
    const std::shared_ptr<spdlog::logger> old = logger();
    clearSinks();
    addConsoleSink(kPattern);
    setName(kLoggerName);
    setup();
    retire(old);
}

void SpdlogApplication::useRotatingFile(const std::string& path, size_t maxSize, size_t maxFiles)
{
    const std::shared_ptr<spdlog::logger> old = logger();
    clearSinks();
    addRotatingFileSink(kPattern, path, maxSize, maxFiles);
    setName(kLoggerName);
    setup();
    retire(old);
}

} // namespace RK
