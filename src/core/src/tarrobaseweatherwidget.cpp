#include "tarrobaseweatherwidget.h"

#include "tarroweather.h"

#include "core/appcommon/jsonread.h"
#include "core/appcommon/weatherrecords.h"
#include "logging/log.h"

#include <QDateTime>
#include <QQuickItem>

namespace dorvo_preview {

TarroBaseWeatherWidget::TarroBaseWeatherWidget(Window* window, QObject* parentItem, QObject* parent)
    : WeatherFeedWidget(window, parentItem, "TARRO_BASE_WEATHER", 22, "TarroBaseWeatherWidget", parent)
{}

void TarroBaseWeatherWidget::addDefaults(nlohmann::json& m)
{
    ns::BaseWeather defaults;
    defaults.language = "zh";
    defaults.temperatureUnit = "Celsius";
    defaults.isShowUnit = true;
    defaults.refreshPeriod = 1800;
    ns::from_json(m, defaults);
    nlohmann::json j;
    ns::to_json(j, defaults);
    m = j;
}

ns::BaseWeather TarroBaseWeatherWidget::settings()
{
    ns::BaseWeather s;
    ns::from_json(metadata(), s);
    return s;
}

void TarroBaseWeatherWidget::reconcile()
{
    const ns::BaseWeather s = settings();
    feed().setPeriod(TarroWeather::fetchPeriod(s.refreshPeriod));
    WeatherQuery q;
    q.city = QString::fromStdString(s.cityNewCode.empty() ? s.area.cityCode : s.cityNewCode);
    q.lang = TarroWeather::language(s.language, false);
    q.windType = QString::fromStdString(s.windType);
    q.unit = QString::fromStdString(s.windSpeedUnit);
    feed().setQuery(q);
}

void TarroBaseWeatherWidget::commit(const ns::BaseWeather& next)
{
    nlohmann::json j;
    ns::to_json(j, next);
    if (j == metadata()) {
        LOG_D("%s same value. no op", "TarroBaseWeatherWidget record");
        return;
    }
    metadata() = j;
    reconcile();
    LOG_D("TarroBaseWeatherWidget::updateWidget");
    updateWidget();
}

void TarroBaseWeatherWidget::pushToScene()
{
    QQuickItem* scene = contentItem();
    if (!scene)
        return;
    const ns::BaseWeather s = settings();
    scene->setProperty("panel", TarroWeather::basePanel(s, feed().hasAnswer() ? &feed().answer() : nullptr,
                                                        QDateTime::currentMSecsSinceEpoch()));
}

void TarroBaseWeatherWidget::setTemperatureUnit(int unit)
{
    LOG_D("TarroBaseWeatherWidget::setTemperatureUnit %d", unit);
    ns::BaseWeather s = settings();
    s.temperatureUnit = unit != 0 ? "Fahrenheit" : "Celsius";
    commit(s);
}

void TarroBaseWeatherWidget::setLocation(std::string json)
{
    LOG_D("TarroBaseWeatherWidget::setLocation %.200s", json.c_str());
    ns::BaseWeather s = settings();
    if (TarroWeather::readLocation(json, s))
        commit(s);
}

void TarroBaseWeatherWidget::setRefreshCycle(int seconds)
{
    LOG_D("TarroBaseWeatherWidget::setRefreshCycle %d", seconds);
    ns::BaseWeather s = settings();
    s.refreshPeriod = seconds;
    commit(s);
}

void TarroBaseWeatherWidget::setLanguage(std::string language)
{
    LOG_D("TarroBaseWeatherWidget::setLanguage %.100s", language.c_str());
    if (!ns::jsonread::isValidUtf8(language)) {
        LOG_E("TarroBaseWeatherWidget::setLanguage refused, the language is not UTF-8 text");
        return;
    }
    ns::BaseWeather s = settings();
    s.language = language;
    commit(s);
}

} // namespace dorvo_preview
