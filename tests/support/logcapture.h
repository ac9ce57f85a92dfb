#pragma once

// Captures the library's log records in memory for the duration of a test.

#include "core/src/enginehost.h"
#include "logging/spdlogapplication.h"

#include <spdlog/sinks/base_sink.h>

#include <algorithm>
#include <mutex>
#include <string>
#include <vector>

namespace testsupport {

class MemorySink : public spdlog::sinks::base_sink<std::mutex>
{
public:
    struct Record
    {
        spdlog::level::level_enum level;
        std::string text;
    };
    std::vector<Record> records()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return records_;
    }
    void reset()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        records_.clear();
    }

protected:
    void sink_it_(const spdlog::details::log_msg& msg) override
    {
        records_.push_back({msg.level, std::string(msg.payload.data(), msg.payload.size())});
    }
    void flush_() override {}

private:
    std::vector<Record> records_;
};

// Points the library's logger at a memory sink (and nothing else).
inline std::shared_ptr<MemorySink> captureLog()
{
    // The engine host points the log at the console when it is created: create it first.
    dorvo_preview::EngineHost::instance();
    auto sink = std::make_shared<MemorySink>();
    auto& app = RK::SpdlogApplication::instance();
    app.shutdown();
    app.addSink(sink);
    app.setName(RK::SpdlogApplication::kLoggerName);
    app.setup();
    sink->reset();
    return sink;
}

inline size_t countStartingWith(MemorySink& sink, const std::string& prefix)
{
    auto records = sink.records();
    return static_cast<size_t>(
        std::count_if(records.begin(), records.end(), [&](const MemorySink::Record& r) {
            return r.text.compare(0, prefix.size(), prefix) == 0;
        }));
}

} // namespace testsupport
