#pragma once

// The text of the simple weather widget: its template with the tokens
//   $w weather text, $c temperature and sign, $h humidity and "%",
//   $b wind direction, a blank and the wind, $t "min~max" with signs,
// filled from the weather service's "weather" object. Each token is
// replaced at its first place only, all in one pass, so nothing the service
// sends is read as a token or a replacement pattern. A field that is
// missing or of the wrong type shows "--".

#include "dorvo_records.h"

#include <nlohmann/json.hpp>

#include <QString>
#include <QStringList>

namespace dorvo_preview {

class WeatherText
{
public:
    // The fetch period in milliseconds for a refreshPeriod (values below
    // 1000 or above 1 440 000 give 30 000).
    static int fetchPeriod(int refreshPeriod);
    static bool isFahrenheit(const ns::BaseWeather& settings);
    // "\u2103" or "\u2109" with isShowUnit, else "\u00b0".
    static QString unitSign(const ns::BaseWeather& settings);
    // Celsius to Fahrenheit, rounded to the nearest whole degree.
    static long fahrenheit(double celsius);
    // A temperature member in the widget's unit, or "--".
    static QString temperature(const nlohmann::json& weather, const char* key, bool fahrenheit);

    // The template's lines with every field "--".
    static QStringList placeholderLines(const ns::SimpleWeather& settings);
    // The template's lines filled from a "weather" object.
    static QStringList lines(const ns::SimpleWeather& settings, const nlohmann::json& weather);

    // Replaces, in one pass, the first occurrence of each "$<letter>" token
    // that values holds (values[letter - 'a']).
    static QString fill(const QString& text, const QString (&values)[26], const bool (&present)[26]);
};

} // namespace dorvo_preview
