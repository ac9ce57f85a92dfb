#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace spdlog {
class logger;
namespace sinks {
class sink;
}
} // namespace spdlog

namespace RK {

// Builds a named spdlog logger from a list of sinks and keeps it as the
// current logger.
class SpdlogBase
{
public:
    SpdlogBase();
    virtual ~SpdlogBase();
    SpdlogBase(const SpdlogBase&) = delete;
    SpdlogBase& operator=(const SpdlogBase&) = delete;

    std::shared_ptr<spdlog::logger> logger() const;

    // Logs "<name> logger was shutdown.", unregisters the logger and forgets the sinks.
    void shutdown();
    void addConsoleSink(const std::string& pattern);
    void addRotatingFileSink(const std::string& pattern, const std::string& path, size_t maxSize,
                             size_t maxFiles);
    void addFileSink(const std::string& pattern, const std::string& path, bool truncate);
    // Any sink (used by tests to capture records).
    void addSink(std::shared_ptr<spdlog::sinks::sink> sink);
    void setName(const std::string& name);
    std::string name() const;
    // Builds the logger from the sinks, level debug, and makes it current.
    void setup();
    // Forgets the sinks collected for the next logger.
    void clearSinks();
    // Logs "<name> logger was shutdown." on a logger that is no longer current.
    static void retire(const std::shared_ptr<spdlog::logger>& old);

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace RK
