#include "jsonread.h"

#include "logging/log.h"

namespace ns {
namespace jsonread {

namespace {

// Length of the valid UTF-8 sequence at i, or 0.
size_t sequenceLength(std::string_view s, size_t i)
{
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = byte(i);
    size_t n = 0;
    unsigned char lo = 0x80, hi = 0xBF;
    if (c < 0x80)
        return 1;
    if (c >= 0xC2 && c <= 0xDF) {
        n = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        if (c == 0xE0)
            lo = 0xA0; // no overlong forms
        if (c == 0xED)
            hi = 0x9F; // no surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        if (c == 0xF0)
            lo = 0x90;
        if (c == 0xF4)
            hi = 0x8F; // nothing above U+10FFFF
    } else {
        return 0;
    }
    if (i + n > s.size())
        return 0;
    if (byte(i + 1) < lo || byte(i + 1) > hi)
        return 0;
    for (size_t k = 2; k < n; ++k) {
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF)
            return 0;
    }
    return n;
}

} // namespace

bool isValidUtf8(std::string_view text)
{
    for (size_t i = 0; i < text.size();) {
        const size_t n = sequenceLength(text, i);
        if (n == 0)
            return false;
        i += n;
    }
    return true;
}

std::string validUtf8(std::string_view text)
{
    if (isValidUtf8(text))
        return std::string(text);
    std::string out;
    out.reserve(text.size() + 16);
    for (size_t i = 0; i < text.size();) {
        const size_t n = sequenceLength(text, i);
        if (n == 0) {
            out += "\xEF\xBF\xBD";
            ++i;
        } else {
            out.append(text.substr(i, n));
            i += n;
        }
    }
    return out;
}

nlohmann::json parse(std::string_view text, std::string* reason)
{
    bool tooDeep = false;
    const nlohmann::json::parser_callback_t depthGuard = [&tooDeep](int depth, nlohmann::json::parse_event_t,
                                                                    nlohmann::json&) {
        if (depth > kMaxDepth)
            tooDeep = true;
        return !tooDeep;
    };
    nlohmann::json j;
    const std::string repaired = validUtf8(text);
    try {
        j = nlohmann::json::parse(repaired, depthGuard, false);
    } catch (const std::exception&) {
        j = nlohmann::json(nlohmann::json::value_t::discarded);
    }
    if (tooDeep)
        j = nlohmann::json(nlohmann::json::value_t::discarded);
    if (reason && j.is_discarded())
        *reason = tooDeep ? "nested too deep" : "not JSON";
    return j;
}

std::string dump(const nlohmann::json& j)
{
    try {
        return j.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    } catch (const std::exception& e) {
        LOG_E("json dump failed: %s", e.what());
        return "null";
    }
}

const nlohmann::json* member(const nlohmann::json& j, const char* key)
{
    if (!j.is_object())
        return nullptr;
    auto it = j.find(key);
    return it == j.end() ? nullptr : &*it;
}

const nlohmann::json& objectMember(const nlohmann::json& j, const char* key)
{
    static const nlohmann::json empty = nlohmann::json::object();
    const nlohmann::json* v = member(j, key);
    return v && v->is_object() ? *v : empty;
}

void logUnusable(const char* key, const char* why)
{
    LOG_E("json member \"%s\" %s, the field keeps its value", key, why);
}

bool readString(const nlohmann::json& j, const char* key, std::string& out)
{
    const nlohmann::json* v = member(j, key);
    if (!v)
        return false;
    if (!v->is_string()) {
        logUnusable(key, "is not a text");
        return false;
    }
    out = v->get<std::string>();
    return true;
}

bool readBool(const nlohmann::json& j, const char* key, bool& out)
{
    const nlohmann::json* v = member(j, key);
    if (!v)
        return false;
    if (!v->is_boolean()) {
        logUnusable(key, "is not true or false");
        return false;
    }
    out = v->get<bool>();
    return true;
}

} // namespace jsonread
} // namespace ns
