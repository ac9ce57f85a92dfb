#pragma once

// Shared by the fuzz targets: the entry point silences the library's log
// (refusals are expected by the thousand) and hands each input, as the text
// an export copies, to the target's fuzzOne(). Targets that choose a setter
// by the first byte take input[0] and input.substr(1).

#include "logging/spdlogapplication.h"

#include <cstddef>
#include <cstdint>
#include <string>

#include <spdlog/spdlog.h>

namespace fuzzsupport {

void fuzzOne(const std::string& input);

} // namespace fuzzsupport

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool silenced = [] {
        if (auto logger = RK::SpdlogApplication::instance().logger())
            logger->set_level(spdlog::level::off);
        return true;
    }();
    (void)silenced;
    fuzzsupport::fuzzOne(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
