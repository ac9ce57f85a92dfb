#include "log.h"

#include "spdlogapplication.h"

#include <spdlog/spdlog.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace RK {

namespace {

spdlog::level::level_enum toSpd(Level level)
{
    switch (level) {
    case Level::Debug:
        return spdlog::level::debug;
    case Level::Info:
        return spdlog::level::info;
    case Level::Warn:
        return spdlog::level::warn;
    case Level::Error:
        return spdlog::level::err;
    }
    return spdlog::level::info;
}

const char* baseName(const char* path)
{
    const char* slash = std::strrchr(path, '/');
    const char* back = std::strrchr(path, '\\');
    if (back && (!slash || back > slash))
        slash = back;
    return slash ? slash + 1 : path;
}

} // namespace

void appendLocation(std::string& out, const char* file, const char* function, int line)
{
    out += " \n //";
    out += baseName(file ? file : "");
    out += ':';
    out += function ? function : "";
    out += "()#";
    out += std::to_string(line);
    out += '.';
}

void logText(Level level, const char* file, const char* function, int line, const char* text)
{
    std::shared_ptr<spdlog::logger> logger = SpdlogApplication::instance().logger();
    const auto spdLevel = toSpd(level);
    if (!logger || !logger->should_log(spdLevel))
        return;
    std::string message(text ? text : "");
    appendLocation(message, file, function, line);
    logger->log(spdLevel, spdlog::string_view_t(message.data(), message.size()));
}

void logf(Level level, const char* file, const char* function, int line, const char* format, ...)
{
    std::shared_ptr<spdlog::logger> logger = SpdlogApplication::instance().logger();
    const auto spdLevel = toSpd(level);
    if (!logger || !logger->should_log(spdLevel))
        return;

    char small[512];
    std::string message;
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int needed = std::vsnprintf(small, sizeof small, format, args);
    va_end(args);
    if (needed < 0) {
        message = format;
    } else if (static_cast<size_t>(needed) < sizeof small) {
        message.assign(small, static_cast<size_t>(needed));
    } else {
        message.resize(static_cast<size_t>(needed) + 1);
        std::vsnprintf(&message[0], message.size(), format, copy);
        message.resize(static_cast<size_t>(needed));
    }
    va_end(copy);
    appendLocation(message, file, function, line);
    logger->log(spdLevel, spdlog::string_view_t(message.data(), message.size()));
}

} // namespace RK
