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

void SpdlogApplication::useConsole()
{
    shutdown();
    addConsoleSink(kPattern);
    setName(kLoggerName);
    setup();
}

void SpdlogApplication::useRotatingFile(const std::string& path, size_t maxSize, size_t maxFiles)
{
    shutdown();
    addRotatingFileSink(kPattern, path, maxSize, maxFiles);
    setName(kLoggerName);
    setup();
}

} // namespace RK
