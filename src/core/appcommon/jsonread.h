#pragma once

// Defensive reading of JSON text that comes from a host or from files: text
// that is not UTF-8 is repaired rather than thrown on, nesting is bounded,
// and members are read only when present, of the right type and, for
// numbers, within the range of the field. A member that is present but
// unusable is logged and leaves the field as it was.

#include <nlohmann/json.hpp>

#include <cmath>
#include <limits>
#include <string>
#include <string_view>
#include <type_traits>

namespace ns {
namespace jsonread {

// Deeper documents are refused: nothing the library reads nests this far.
constexpr int kMaxDepth = 256;

// The text with every byte that is not part of a valid UTF-8 sequence
// replaced by U+FFFD. Valid text comes back unchanged.
std::string validUtf8(std::string_view text);
bool isValidUtf8(std::string_view text);

// Parses host text (repaired to UTF-8 first). Gives a discarded value, with
// the reason, for text that is not JSON or nests deeper than kMaxDepth.
nlohmann::json parse(std::string_view text, std::string* reason = nullptr);

// Compact text of a value; never throws.
std::string dump(const nlohmann::json& j);

// The member, or null when j is no object or lacks it.
const nlohmann::json* member(const nlohmann::json& j, const char* key);

// The member when it is an object, else an empty object (never null).
const nlohmann::json& objectMember(const nlohmann::json& j, const char* key);

// Logs a member that is present but cannot be used.
void logUnusable(const char* key, const char* why);

// Reads a number into out when the member is a finite number that fits T
// (integral T: within its range, fractions truncated toward zero).
template <typename T> bool readNumber(const nlohmann::json& j, const char* key, T& out)
{
    static_assert(std::is_arithmetic<T>::value, "numbers only");
    const nlohmann::json* v = member(j, key);
    if (!v)
        return false;
    if (!v->is_number()) {
        logUnusable(key, "is not a number");
        return false;
    }
    const double d = v->get<double>();
    bool fits = std::isfinite(d);
    if (fits && std::is_integral<T>::value) {
        fits = d >= static_cast<double>(std::numeric_limits<T>::lowest()) &&
               d < static_cast<double>(std::numeric_limits<T>::max()) + 1.0;
    } else if (fits && std::is_floating_point<T>::value) {
        fits = std::fabs(d) <= static_cast<double>(std::numeric_limits<T>::max());
    }
    if (!fits) {
        logUnusable(key, "is out of range");
        return false;
    }
    if (std::is_integral<T>::value && v->is_number_integer() && !v->is_number_unsigned())
        out = static_cast<T>(v->get<int64_t>());
    else
        out = static_cast<T>(d);
    return true;
}

bool readString(const nlohmann::json& j, const char* key, std::string& out);
bool readBool(const nlohmann::json& j, const char* key, bool& out);

} // namespace jsonread

// The readers the records use, by their short names.
using jsonread::member;
using jsonread::readBool;
using jsonread::readString;
inline bool readInt(const nlohmann::json& j, const char* key, int& out)
{
    return jsonread::readNumber(j, key, out);
}

} // namespace ns
