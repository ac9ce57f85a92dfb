#include "weatherrecords.h"

#include "recordread.h"

namespace ns {

namespace {

using recordread::readBool;
using recordread::readInt;
using recordread::readInto;
using recordread::readObject;
using recordread::readString;
using recordread::readText;
using recordread::requireObject;

void readArea(const nlohmann::json& j, Area& a)
{
    requireObject(j, "the area");
    readString(j, "country", a.country);
    readString(j, "province", a.province);
    readString(j, "city", a.city);
    readString(j, "county", a.county);
    readString(j, "cityCode", a.cityCode);
}

void readBase(const nlohmann::json& j, BaseWeather& w)
{
    requireObject(j, "the weather record");
    if (auto it = j.find("area"); it != j.end())
        readArea(*it, w.area);
    readInt(j, "weatherSource", w.weatherSource);
    readString(j, "language", w.language);
    readString(j, "cityNewCode", w.cityNewCode);
    readString(j, "windSpeedUnit", w.windSpeedUnit);
    readString(j, "windType", w.windType);
    readString(j, "temperatureUnit", w.temperatureUnit);
    readBool(j, "isShowUnit", w.isShowUnit);
    readInt(j, "refreshPeriod", w.refreshPeriod);
    readString(j, "regular", w.regular);
    readBool(j, "isShowInOneLine", w.isShowInOneLine);
}

void readSimple(const nlohmann::json& j, SimpleWeather& w)
{
    readBase(j, w);
    readObject(j, "effects", w.effects);
    readObject(j, "textAttributes", w.textAttributes);
    readBool(j, "textAntialiasing", w.textAntialiasing);
}

void readSenior(const nlohmann::json& j, SeniorWeather& w)
{
    readBase(j, w);
    readInt(j, "seniorWeatherStyle", w.seniorWeatherStyle);
    readInt(j, "pageSwitchTime", w.pageSwitchTime);
    readBool(j, "baseInfoEnabled", w.baseInfoEnabled);
    readBool(j, "airQualityEnabled", w.airQualityEnabled);
    readBool(j, "comfortEnabled", w.comfortEnabled);
    readBool(j, "speedAndPressureEnabled", w.speedAndPressureEnabled);
    readBool(j, "sunriseAndSunsetEnabled", w.sunriseAndSunsetEnabled);
    readBool(j, "livingIndexEnabled", w.livingIndexEnabled);
    readBool(j, "isdomestic", w.isdomestic);
}

nlohmann::json objectOrEmpty(const nlohmann::json& j)
{
    return j.is_object() ? j : nlohmann::json::object();
}

} // namespace

void to_json(nlohmann::json& j, const Area& a)
{
    j = nlohmann::json{{"country", a.country},
                       {"province", a.province},
                       {"city", a.city},
                       {"county", a.county},
                       {"cityCode", a.cityCode}};
}

void from_json(const nlohmann::json& j, Area& a)
{
    readInto(j, a, readArea);
}

void to_json(nlohmann::json& j, const BaseWeather& w)
{
    nlohmann::json area;
    to_json(area, w.area);
    j = nlohmann::json::object();
    j["area"] = std::move(area);
    j["weatherSource"] = w.weatherSource;
    j["language"] = w.language;
    j["cityNewCode"] = w.cityNewCode;
    j["windSpeedUnit"] = w.windSpeedUnit;
    j["windType"] = w.windType;
    j["temperatureUnit"] = w.temperatureUnit;
    j["isShowUnit"] = w.isShowUnit;
    j["refreshPeriod"] = w.refreshPeriod;
    j["regular"] = w.regular;
    j["isShowInOneLine"] = w.isShowInOneLine;
}

void from_json(const nlohmann::json& j, BaseWeather& w)
{
    readInto(j, w, readBase);
}

void to_json(nlohmann::json& j, const SimpleWeather& w)
{
    to_json(j, static_cast<const BaseWeather&>(w));
    j["effects"] = objectOrEmpty(w.effects);
    j["textAttributes"] = objectOrEmpty(w.textAttributes);
    j["textAntialiasing"] = w.textAntialiasing;
}

void from_json(const nlohmann::json& j, SimpleWeather& w)
{
    readInto(j, w, readSimple);
}

void to_json(nlohmann::json& j, const SeniorWeather& w)
{
    to_json(j, static_cast<const BaseWeather&>(w));
    j["seniorWeatherStyle"] = w.seniorWeatherStyle;
    j["pageSwitchTime"] = w.pageSwitchTime;
    j["baseInfoEnabled"] = w.baseInfoEnabled;
    j["airQualityEnabled"] = w.airQualityEnabled;
    j["comfortEnabled"] = w.comfortEnabled;
    j["speedAndPressureEnabled"] = w.speedAndPressureEnabled;
    j["sunriseAndSunsetEnabled"] = w.sunriseAndSunsetEnabled;
    j["livingIndexEnabled"] = w.livingIndexEnabled;
    j["isdomestic"] = w.isdomestic;
}

void from_json(const nlohmann::json& j, SeniorWeather& w)
{
    readInto(j, w, readSenior);
}

bool fromString(const std::string& text, SimpleWeather& w)
{
    return readText(text, w, readSimple);
}

bool fromString(const std::string& text, SeniorWeather& w)
{
    return readText(text, w, readSenior);
}

} // namespace ns
