#pragma once

// Strict reading of the widget records (dorvo_records.h): a key that is
// present with a value of the wrong type, or text that is not UTF-8, throws,
// so that readInto() can drop the partly filled copy and log once.

#include "jsonread.h"
#include "logging/log.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

namespace ns {
namespace recordread {

inline void requireObject(const nlohmann::json& j, const char* what)
{
    if (!j.is_object())
        throw std::invalid_argument(std::string(what) + " is not a JSON object");
}

inline void readString(const nlohmann::json& j, const char* key, std::string& out)
{
    auto it = j.find(key);
    if (it == j.end())
        return;
    if (!it->is_string())
        throw std::invalid_argument(std::string("\"") + key + "\" is not a string");
    const std::string& s = it->get_ref<const std::string&>();
    if (!jsonread::isValidUtf8(s))
        throw std::invalid_argument(std::string("\"") + key + "\" is not UTF-8 text");
    out = s;
}

inline void readBool(const nlohmann::json& j, const char* key, bool& out)
{
    auto it = j.find(key);
    if (it == j.end())
        return;
    if (!it->is_boolean())
        throw std::invalid_argument(std::string("\"") + key + "\" is not a boolean");
    out = it->get<bool>();
}

// A whole number within the range of int (2.0 counts, 2.5 does not).
inline void readInt(const nlohmann::json& j, const char* key, int& out)
{
    auto it = j.find(key);
    if (it == j.end())
        return;
    if (!it->is_number())
        throw std::invalid_argument(std::string("\"") + key + "\" is not a number");
    const double d = it->get<double>();
    if (!std::isfinite(d) || d != std::floor(d) || d < std::numeric_limits<int>::min() ||
        d > std::numeric_limits<int>::max())
        throw std::invalid_argument(std::string("\"") + key + "\" is not a whole number within range");
    out = it->is_number_integer() && !it->is_number_unsigned() ? static_cast<int>(it->get<int64_t>())
                                                               : static_cast<int>(d);
}

inline void readObject(const nlohmann::json& j, const char* key, nlohmann::json& out)
{
    auto it = j.find(key);
    if (it == j.end())
        return;
    requireObject(*it, (std::string("\"") + key + "\"").c_str());
    out = *it;
}

inline std::string shortText(const nlohmann::json& j)
{
    std::string text = j.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    if (text.size() > 200)
        text = text.substr(0, 200) + "...";
    return text;
}

// Fills a copy and commits it only when every present key could be read.
template <typename Record, typename Reader> bool readInto(const nlohmann::json& j, Record& out, Reader reader)
{
    Record copy = out;
    try {
        reader(j, copy);
    } catch (const std::exception& e) {
        LOG_E("from_string: exception: %s. %s", e.what(), shortText(j).c_str());
        return false;
    }
    out = std::move(copy);
    return true;
}

// Host text into a record: text that is not UTF-8 or not JSON is refused
// with the same log line and leaves the record unchanged.
template <typename Record, typename Reader> bool readText(const std::string& text, Record& out, Reader reader)
{
    std::string reason = "the text is not UTF-8";
    nlohmann::json j;
    if (jsonread::isValidUtf8(text))
        j = jsonread::parse(text, &reason);
    else
        j = nlohmann::json(nlohmann::json::value_t::discarded);
    if (j.is_discarded()) {
        LOG_E("from_string: exception: %s. %.200s", reason.c_str(), jsonread::validUtf8(text).c_str());
        return false;
    }
    return readInto(j, out, reader);
}

} // namespace recordread
} // namespace ns
