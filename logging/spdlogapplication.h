#pragma once

#include "spdlogbase.h"

namespace RK {

// The process-wide logger manager.
class SpdlogApplication : public SpdlogBase
{
public:
    static SpdlogApplication& instance();

    // The library's logger name and record pattern.
    static const char* const kLoggerName;
    static const char* const kPattern;

    // Points the library's logger at the console only.
    void useConsole();
    // Points the library's logger at a rotating file only.
    void useRotatingFile(const std::string& path, size_t maxSize, size_t maxFiles);

private:
    SpdlogApplication();
};

} // namespace RK
