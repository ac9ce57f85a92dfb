#pragma once

// The countdown timer's records (declared in the public dorvo_records.h) and
// the reading of a host's JSON text into them.

#include "dorvo_records.h"

#include <string>

namespace ns {

// Reads the keys present in text into timer. Text that does not parse, is
// not an object or holds a wrong-typed key logs
// "from_string: exception: %s. %s" and leaves timer unchanged.
bool fromString(const std::string& text, CountTimer& timer);

} // namespace ns
