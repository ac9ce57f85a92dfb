/*
 * dorvo_records.h - the JSON records in which widgets keep their settings
 * (the `metadata` object of a widget record), with their conversions to and
 * from nlohmann::json. Plain data: usable from any thread, before init().
 *
 * to_json(j, record) replaces j by an object holding every key of the record.
 * from_json(j, record) reads only the keys present in j: a missing key leaves
 * its field as it was. When j is not an object, or a present key holds a
 * value of the wrong type or out of range, it logs
 * "from_string: exception: ..." and leaves the whole record unchanged.
 */
#ifndef DORVO_RECORDS_H
#define DORVO_RECORDS_H

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

#if defined(DORVO_PREVIEW_BUILD)
#define DORVO_RECORDS_API __attribute__((visibility("default")))
#else
#define DORVO_RECORDS_API
#endif

namespace ns {

/* The words of one unit of a countdown: "zero" for 0, "singular" for 1,
 * "plural" otherwise. */
struct Units
{
    std::string name;
    std::string zero;
    std::string singular;
    std::string plural;
};

/* The settings of a countdown or count-up timer. */
struct CountTimer
{
    std::string solidText; /* key "solidText": {"text": ...}, shown before the count */
    nlohmann::json textAttributes = nlohmann::json::object(); /* font record */
    std::string DateTime;     /* target date, ISO form; the part before "T" is used */
    std::string TimeStr;      /* target time of day, "HH:mm:ss" */
    bool IsMultiLine = false; /* caption and count on separate lines */
    std::string regularNew;   /* template; "$d", "$H", "$m", "$s" choose the fields */
    std::vector<Units> units; /* days, hours, minutes, seconds */
    std::string regular;      /* older template, read like regularNew */
    std::string targetDateTime;
    std::string countType = "COUNT_DOWN"; /* "COUNT_DOWN" or "COUNT_UP" */
    bool isDisplayMilliseconds = false;
};

DORVO_RECORDS_API void to_json(nlohmann::json& j, const Units& units);
DORVO_RECORDS_API void from_json(const nlohmann::json& j, Units& units);
DORVO_RECORDS_API void to_json(nlohmann::json& j, const CountTimer& timer);
DORVO_RECORDS_API void from_json(const nlohmann::json& j, CountTimer& timer);

/* The settings of the day calendar. */
struct Calendar
{
    bool lunarEnable = true; /* show the Chinese lunar date under the day */
};

DORVO_RECORDS_API void to_json(nlohmann::json& j, const Calendar& calendar);
DORVO_RECORDS_API void from_json(const nlohmann::json& j, Calendar& calendar);
/* Where a weather widget is: names and the weather service's city code. */
struct Area
{
    std::string country;
    std::string province;
    std::string city;
    std::string county;
    std::string cityCode; /* used when cityNewCode is empty */
};

/* The settings every weather widget shares (key names as the fields). */
struct BaseWeather
{
    Area area;
    int weatherSource = 0;
    std::string language;        /* sent to the service as "lang" */
    std::string cityNewCode;     /* city code, preferred to area.cityCode */
    std::string windSpeedUnit;   /* sent as "unit" */
    std::string windType;        /* sent as "wind_type" */
    std::string temperatureUnit; /* holds "Fahrenheit" for Fahrenheit, else Celsius */
    bool isShowUnit = false;     /* unit sign "\u2103"/"\u2109" rather than "\u00b0" */
    int refreshPeriod = 0; /* fetch period; milliseconds for the simple widget, seconds for the others */
    std::string regular;   /* template of the simple widget */
    bool isShowInOneLine = false;
};

/* The simple weather widget: template text lines. */
struct SimpleWeather : BaseWeather
{
    nlohmann::json effects = nlohmann::json::object();        /* scrolling of the one-line form */
    nlohmann::json textAttributes = nlohmann::json::object(); /* font record */
    bool textAntialiasing = false;
};

/* The senior weather panel: a basic panel and a cycle of detail pages. */
struct SeniorWeather : BaseWeather
{
    int seniorWeatherStyle = 1; /* 1 to 4 */
    int pageSwitchTime = 0;     /* seconds */
    bool baseInfoEnabled = false;
    bool airQualityEnabled = false;
    bool comfortEnabled = false;
    bool speedAndPressureEnabled = false;
    bool sunriseAndSunsetEnabled = false;
    bool livingIndexEnabled = false;
    bool isdomestic = false;
};

DORVO_RECORDS_API void to_json(nlohmann::json& j, const Area& area);
DORVO_RECORDS_API void from_json(const nlohmann::json& j, Area& area);
DORVO_RECORDS_API void to_json(nlohmann::json& j, const BaseWeather& weather);
DORVO_RECORDS_API void from_json(const nlohmann::json& j, BaseWeather& weather);
DORVO_RECORDS_API void to_json(nlohmann::json& j, const SimpleWeather& weather);
DORVO_RECORDS_API void from_json(const nlohmann::json& j, SimpleWeather& weather);
DORVO_RECORDS_API void to_json(nlohmann::json& j, const SeniorWeather& weather);
DORVO_RECORDS_API void from_json(const nlohmann::json& j, SeniorWeather& weather);

} // namespace ns

#endif /* DORVO_RECORDS_H */
