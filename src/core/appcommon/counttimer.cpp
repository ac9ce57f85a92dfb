#include "counttimer.h"

#include "logging/log.h"
#include "jsonread.h"

#include <stdexcept>

namespace ns {

namespace {

// Strict readers: a present key of the wrong type throws, so that the caller
// can drop the partly filled copy.
void readString(const nlohmann::json& j, const char* key, std::string& out)
{
    auto it = j.find(key);
    if (it == j.end())
        return;
    if (!it->is_string())
        throw std::invalid_argument(std::string("\"") + key + "\" is not a string");
    out = it->get<std::string>();
}

void readBool(const nlohmann::json& j, const char* key, bool& out)
{
    auto it = j.find(key);
    if (it == j.end())
        return;
    if (!it->is_boolean())
        throw std::invalid_argument(std::string("\"") + key + "\" is not a boolean");
    out = it->get<bool>();
}

void requireObject(const nlohmann::json& j, const char* what)
{
    if (!j.is_object())
        throw std::invalid_argument(std::string(what) + " is not a JSON object");
}

void readUnits(const nlohmann::json& j, Units& units)
{
    requireObject(j, "a unit");
    readString(j, "name", units.name);
    readString(j, "zero", units.zero);
    readString(j, "singular", units.singular);
    readString(j, "plural", units.plural);
}

void readTimer(const nlohmann::json& j, CountTimer& timer)
{
    requireObject(j, "the timer record");
    if (auto it = j.find("solidText"); it != j.end()) {
        requireObject(*it, "\"solidText\"");
        readString(*it, "text", timer.solidText);
    }
    if (auto it = j.find("textAttributes"); it != j.end()) {
        requireObject(*it, "\"textAttributes\"");
        timer.textAttributes = *it;
    }
    readString(j, "DateTime", timer.DateTime);
    readString(j, "TimeStr", timer.TimeStr);
    readBool(j, "IsMultiLine", timer.IsMultiLine);
    readString(j, "regularNew", timer.regularNew);
    if (auto it = j.find("units"); it != j.end()) {
        if (!it->is_array())
            throw std::invalid_argument("\"units\" is not an array");
        std::vector<Units> units;
        for (const auto& entry : *it) {
            Units u;
            readUnits(entry, u);
            units.push_back(std::move(u));
        }
        timer.units = std::move(units);
    }
    readString(j, "regular", timer.regular);
    readString(j, "targetDateTime", timer.targetDateTime);
    readString(j, "countType", timer.countType);
    readBool(j, "isDisplayMilliseconds", timer.isDisplayMilliseconds);
}

std::string shortText(const nlohmann::json& j)
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

} // namespace

void to_json(nlohmann::json& j, const Units& units)
{
    j = nlohmann::json{
        {"name", units.name}, {"zero", units.zero}, {"singular", units.singular}, {"plural", units.plural}};
}

void from_json(const nlohmann::json& j, Units& units)
{
    readInto(j, units, readUnits);
}

void to_json(nlohmann::json& j, const CountTimer& timer)
{
    nlohmann::json units = nlohmann::json::array();
    for (const Units& u : timer.units) {
        nlohmann::json entry;
        to_json(entry, u);
        units.push_back(std::move(entry));
    }
    j = nlohmann::json::object();
    j["solidText"] = nlohmann::json{{"text", timer.solidText}};
    j["textAttributes"] = timer.textAttributes.is_object() ? timer.textAttributes : nlohmann::json::object();
    j["DateTime"] = timer.DateTime;
    j["TimeStr"] = timer.TimeStr;
    j["IsMultiLine"] = timer.IsMultiLine;
    j["regularNew"] = timer.regularNew;
    j["units"] = std::move(units);
    j["regular"] = timer.regular;
    j["targetDateTime"] = timer.targetDateTime;
    j["countType"] = timer.countType;
    j["isDisplayMilliseconds"] = timer.isDisplayMilliseconds;
}

void from_json(const nlohmann::json& j, CountTimer& timer)
{
    readInto(j, timer, readTimer);
}

bool fromString(const std::string& text, CountTimer& timer)
{
    std::string reason;
    const nlohmann::json j = jsonread::parse(text, &reason);
    if (j.is_discarded()) {
        LOG_E("from_string: exception: %s. %.200s", reason.c_str(), jsonread::validUtf8(text).c_str());
        return false;
    }
    return readInto(j, timer, readTimer);
}

} // namespace ns
