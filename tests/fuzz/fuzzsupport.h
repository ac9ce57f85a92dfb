#pragma once

// Shared by the fuzz targets: the library's log is silenced (refusals are
// expected by the thousand), and inputs become text the way an export
// copies them.

#include "logging/spdlogapplication.h"

#include <cstddef>
#include <cstdint>
#include <string>

#include <spdlog/spdlog.h>

namespace fuzzsupport {

inline void silenceLog()
{
    static const bool silenced = [] {
        if (auto logger = RK::SpdlogApplication::instance().logger())
            logger->set_level(spdlog::level::off);
        return true;
    }();
    (void)silenced;
}

inline std::string text(const uint8_t* data, size_t size)
{
    return std::string(reinterpret_cast<const char*>(data), size);
}

} // namespace fuzzsupport
