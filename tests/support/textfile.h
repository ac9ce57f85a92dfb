#pragma once

// Reading what a test program or the engine wrote: a file's whole text, and
// how often a text stands in it.

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace testsupport {

// The whole text of a file; empty when it cannot be read.
inline std::string readText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// How often what stands in text (overlapping occurrences count).
inline size_t occurrences(const std::string& text, const std::string& what)
{
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

} // namespace testsupport
