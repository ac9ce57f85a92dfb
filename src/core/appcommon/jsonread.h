#pragma once

// Defensive reading of JSON records sent by the host: a member that is
// missing or of the wrong type leaves the target as it was.

#include <nlohmann/json.hpp>

#include <cmath>
#include <limits>
#include <string>

namespace ns {

// The member key of an object, or null.
inline const nlohmann::json* member(const nlohmann::json& j, const char* key)
{
    if (!j.is_object())
        return nullptr;
    auto it = j.find(key);
    return it == j.end() ? nullptr : &*it;
}

// A finite number within int range.
inline void readInt(const nlohmann::json& j, const char* key, int& out)
{
    const nlohmann::json* v = member(j, key);
    if (!v || !v->is_number())
        return;
    const double d = v->get<double>();
    if (std::isfinite(d) && d >= std::numeric_limits<int>::min() && d <= std::numeric_limits<int>::max())
        out = static_cast<int>(d);
}

inline void readBool(const nlohmann::json& j, const char* key, bool& out)
{
    const nlohmann::json* v = member(j, key);
    if (v && v->is_boolean())
        out = v->get<bool>();
}

inline void readString(const nlohmann::json& j, const char* key, std::string& out)
{
    const nlohmann::json* v = member(j, key);
    if (v && v->is_string())
        out = v->get<std::string>();
}

} // namespace ns
