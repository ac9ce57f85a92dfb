#pragma once

// What the Tarro weather panels show, worked out from their record and the
// weather service's "weather" object: the language of the labels and of the
// request, the icon and background of a weather code, and the texts of the
// base panel. Icons are chosen only from the numeric code; nothing the
// service sends becomes a path.

#include "dorvo_records.h"

#include <nlohmann/json.hpp>

#include <QString>
#include <QVariantMap>

namespace dorvo_preview {

class TarroWeather
{
public:
    // The language for the request and the labels: "zh", "en", "ja", "fr",
    // "es" or "pt" ("ja" only for the senior panel; the base panel shows
    // English for it). Unknown values give "zh".
    static QString language(const std::string& value, bool senior);
    // The fetch period in ms for refreshPeriod seconds: the simple weather
    // widget's bounds (1000 to 1 440 000 ms, else 30 000) without overflow.
    static int fetchPeriod(int seconds);
    // Day is the local hours 7 to 17 in the service's zone.
    static bool isDay(int localHour);
    // The icon of a weather code under qrc:/preview/img/tarroweather/ (its
    // night form, a moon for the sun, when night is set and the icon has a
    // sun), or empty for a code the table does not hold.
    static QString iconUrl(int code, bool night = false);
    // "sunshine" or "cloudy" for a code in the table, else empty.
    static QString backgroundType(int code);
    // The background: "sunshine", "cloud", "sunshinenight" or "cloudnight",
    // by the code's type and the hour (day is 7 to 17) in the service's zone.
    static QString background(int code, int localHour);

    // The base panel's values for QML: "ready" (false until a good answer),
    // "lang" (the labels' language, "ja" included), "city", "icon" (by the
    // code and the local hour), "temperature", "sign", "airQuality" (empty
    // when the city is not domestic), "weather", "range", "windDirection",
    // "windValue", "humidity", "background".
    static QVariantMap basePanel(const ns::BaseWeather& settings, const nlohmann::json* weather,
                                 qint64 nowUtcMs);

    // The senior panel's values: "ready", "style" (1 to 4; others give 1),
    // "pages" (the enabled detail pages in order), "pageInterval" (ms, 1000
    // to 3 600 000, or 0 to keep the first page), "showBase", the basic
    // panel's texts, "airRows" (the style's air figures, each with a bar
    // fraction clamped to 0..1 or -1 for no bar; "domestic" false hides
    // them), comfort, wind and pressure, "sunrise"/"sunset" ("HH:mm")
    // and "sunPosition" (0..1, or -1 when the times are not usable), and the
    // living-index texts.
    static QVariantMap seniorPanel(const ns::SeniorWeather& settings, const nlohmann::json* weather,
                                   qint64 nowUtcMs);
    // Where the sun stands between sunrise and sunset (0..1), or -1 when the
    // times are missing or sunset is not after sunrise.
    static double sunPosition(double sunrise, double sunset, double now);

    // Reads a host's place into settings: an area object, or an object with
    // "area" and perhaps "cityNewCode". A new place without a new code drops
    // the old code. False (logged) when the text is refused.
    static bool readLocation(const std::string& json, ns::BaseWeather& settings);
};

} // namespace dorvo_preview
