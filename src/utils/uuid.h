#pragma once

#include <string>

namespace dorvo_preview {

// A fresh version-4 UUID as 36 lower-case characters (8-4-4-4-12, no braces),
// made from two 64-bit values of a non-deterministic random source.
std::string makeIdentifier();

} // namespace dorvo_preview
