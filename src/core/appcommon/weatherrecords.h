#pragma once

// The weather widgets' records (declared in the public dorvo_records.h) and
// the reading of a host's JSON text into them.

#include "dorvo_records.h"

#include <string>

namespace ns {

// Reads the keys present in text into the record. Text that is not UTF-8 or
// JSON, is not an object or holds a wrong-typed key logs
// "from_string: exception: %s. %s" and leaves the record unchanged.
bool fromString(const std::string& text, SimpleWeather& weather);
bool fromString(const std::string& text, SeniorWeather& weather);

} // namespace ns
