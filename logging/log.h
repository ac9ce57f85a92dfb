#pragma once

// printf-style logging through the library's named logger. Every record is the
// formatted text followed by the source-location suffix
// " \n //<file>:<function>()#<line>.".

#include <string>

namespace RK {

enum class Level
{
    Debug = 1,
    Info = 2,
    Warn = 3,
    Error = 4
};

void logf(Level level, const char* file, const char* function, int line, const char* format, ...)
    __attribute__((format(printf, 5, 6)));
// Logs text as it stands (no format), with the suffix.
void logText(Level level, const char* file, const char* function, int line, const char* text);

// The suffix for a location, as every record carries it.
void appendLocation(std::string& out, const char* file, const char* function, int line);

} // namespace RK

#define DP_LOG(level, ...) ::RK::logf(level, __FILE__, __func__, __LINE__, __VA_ARGS__)
#define LOG_D(...) DP_LOG(::RK::Level::Debug, __VA_ARGS__)
#define LOG_I(...) DP_LOG(::RK::Level::Info, __VA_ARGS__)
#define LOG_W(...) DP_LOG(::RK::Level::Warn, __VA_ARGS__)
#define LOG_E(...) DP_LOG(::RK::Level::Error, __VA_ARGS__)
