#include "tarroweatherwidget.h"

#include "tarroweather.h"

#include "core/appcommon/jsonread.h"
#include "core/appcommon/weatherrecords.h"
#include "logging/log.h"

namespace dorvo_preview {

TarroWeatherWidget::TarroWeatherWidget(Window* window, QObject* parentItem, const char* typeText,
                                       int mediaType, const char* name, bool senior, QObject* parent)
    : WeatherFeedWidget(window, parentItem, typeText, mediaType, name, parent), senior_(senior)
{}

ns::BaseWeather TarroWeatherWidget::baseSettings()
{
    ns::BaseWeather s;
    ns::from_json(metadata(), s);
    return s;
}

void TarroWeatherWidget::reconcile()
{
    const ns::BaseWeather s = baseSettings();
    feed().setPeriod(TarroWeather::fetchPeriod(s.refreshPeriod));
    WeatherQuery q;
    q.city = QString::fromStdString(s.cityNewCode.empty() ? s.area.cityCode : s.cityNewCode);
    q.lang = TarroWeather::language(s.language, senior_);
    q.windType = QString::fromStdString(s.windType);
    q.unit = QString::fromStdString(s.windSpeedUnit);
    feed().setQuery(q);
}

void TarroWeatherWidget::commitRecord(const nlohmann::json& record)
{
    if (record == metadata()) {
        LOG_D("%s record same value. no op", name());
        return;
    }
    metadata() = record;
    reconcile();
    LOG_D("%s::updateWidget", name());
    updateWidget();
}

void TarroWeatherWidget::commitBase(const ns::BaseWeather& base)
{
    nlohmann::json keys;
    ns::to_json(keys, base);
    nlohmann::json record = metadata();
    for (auto it = keys.begin(); it != keys.end(); ++it)
        record[it.key()] = it.value();
    commitRecord(record);
}

void TarroWeatherWidget::setTemperatureUnit(int unit)
{
    LOG_D("%s::setTemperatureUnit %d", name(), unit);
    ns::BaseWeather s = baseSettings();
    s.temperatureUnit = unit != 0 ? "Fahrenheit" : "Celsius";
    commitBase(s);
}

void TarroWeatherWidget::setLocation(std::string json)
{
    LOG_D("%s::setLocation %.200s", name(), json.c_str());
    ns::BaseWeather s = baseSettings();
    if (TarroWeather::readLocation(json, s))
        commitBase(s);
}

void TarroWeatherWidget::setRefreshCycle(int seconds)
{
    LOG_D("%s::setRefreshCycle %d", name(), seconds);
    ns::BaseWeather s = baseSettings();
    s.refreshPeriod = seconds;
    commitBase(s);
}

void TarroWeatherWidget::setLanguage(std::string language)
{
    LOG_D("%s::setLanguage %.100s", name(), language.c_str());
    if (!ns::jsonread::isValidUtf8(language)) {
        LOG_E("%s::setLanguage refused, the language is not UTF-8 text", name());
        return;
    }
    ns::BaseWeather s = baseSettings();
    s.language = language;
    commitBase(s);
}

} // namespace dorvo_preview
