#include "spdlogbase.h"

#include <spdlog/sinks/basic_file_sink.h>
#include <spdlog/sinks/rotating_file_sink.h>
#include <spdlog/sinks/stdout_color_sinks.h>
#include <spdlog/spdlog.h>

#include <cstdio>
#include <exception>
#include <mutex>
#include <vector>

namespace RK {

struct SpdlogBase::Private
{
    mutable std::mutex mutex;
    std::vector<spdlog::sink_ptr> sinks;
    std::string name;
    std::shared_ptr<spdlog::logger> logger;
};

SpdlogBase::SpdlogBase() : d(std::make_unique<Private>()) {}

SpdlogBase::~SpdlogBase() = default;

std::shared_ptr<spdlog::logger> SpdlogBase::logger() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->logger;
}

void SpdlogBase::clearSinks()
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->sinks.clear();
}

void SpdlogBase::retire(const std::shared_ptr<spdlog::logger>& old)
{
    if (!old)
        return;
    try {
        old->info("{} logger was shutdown.", old->name());
        old->flush();
    } catch (const std::exception& e) {
        std::printf("logger shutdown failed: %s\n", e.what());
    }
}

void SpdlogBase::shutdown()
{
    std::shared_ptr<spdlog::logger> old;
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        old = std::move(d->logger);
        d->logger.reset();
        d->sinks.clear();
    }
    if (!old)
        return;
    try {
        old->info("{} logger was shutdown.", old->name());
        old->flush();
        spdlog::drop(old->name());
    } catch (const spdlog::spdlog_ex& e) {
        std::printf("logger shutdown failed: %s\n", e.what());
    } catch (const std::exception& e) {
        std::printf("logger shutdown failed: %s\n", e.what());
    } catch (...) {
        std::printf("logger shutdown failed\n");
    }
}

void SpdlogBase::addSink(std::shared_ptr<spdlog::sinks::sink> sink)
{
    if (!sink)
        return;
    std::lock_guard<std::mutex> lock(d->mutex);
    d->sinks.push_back(std::move(sink));
}

void SpdlogBase::addConsoleSink(const std::string& pattern)
{
    auto sink = std::make_shared<spdlog::sinks::stdout_color_sink_mt>();
    sink->set_pattern(pattern);
    addSink(sink);
}

void SpdlogBase::addRotatingFileSink(const std::string& pattern, const std::string& path, size_t maxSize,
                                     size_t maxFiles)
{
    try {
        auto sink = std::make_shared<spdlog::sinks::rotating_file_sink_mt>(path, maxSize, maxFiles);
        sink->set_pattern(pattern);
        addSink(sink);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "dorvo_preview: cannot open log file %s: %s\n", path.c_str(), e.what());
    }
}

void SpdlogBase::addFileSink(const std::string& pattern, const std::string& path, bool truncate)
{
    try {
        auto sink = std::make_shared<spdlog::sinks::basic_file_sink_mt>(path, truncate);
        sink->set_pattern(pattern);
        addSink(sink);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "dorvo_preview: cannot open log file %s: %s\n", path.c_str(), e.what());
    }
}

void SpdlogBase::setName(const std::string& name)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->name = name;
}

std::string SpdlogBase::name() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->name;
}

void SpdlogBase::setup()
{
    std::shared_ptr<spdlog::logger> logger;
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        logger = std::make_shared<spdlog::logger>(d->name, d->sinks.begin(), d->sinks.end());
    }
    logger->set_level(spdlog::level::debug);
    logger->flush_on(spdlog::level::debug);
    logger->set_error_handler([](const std::string& message) {
        std::fprintf(stderr, "dorvo_preview log error: %s\n", message.c_str());
    });
    try {
        spdlog::drop(logger->name());
        spdlog::register_logger(logger);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "dorvo_preview: cannot register logger: %s\n", e.what());
    }
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->logger = logger;
    }
    logger->info("{} logger is setup.", logger->name());
}

} // namespace RK
