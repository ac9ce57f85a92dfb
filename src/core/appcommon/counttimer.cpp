#include "counttimer.h"

#include "recordread.h"

namespace ns {

namespace {

using recordread::readBool;
using recordread::readInto;
using recordread::readString;
using recordread::readText;
using recordread::requireObject;

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
    return readText(text, timer, readTimer);
}

} // namespace ns
