#include "tarrobaseweatherwidget.h"

#include "tarroweather.h"

#include "core/appcommon/jsonread.h"
#include "core/appcommon/weatherrecords.h"
#include "logging/log.h"

#include <QDateTime>
#include <QQuickItem>

namespace dorvo_preview {

TarroBaseWeatherWidget::TarroBaseWeatherWidget(Window* window, QObject* parentItem, QObject* parent)
    : MetadataWidget(window, parentItem, "TARRO_BASE_WEATHER", 22, "TarroBaseWeatherWidget", parent),
      feed_(this, "TarroBaseWeatherWidget", [this] { pushToScene(); })
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
    feed_.setPeriod(TarroWeather::fetchPeriod(s.refreshPeriod));
    WeatherQuery q;
    q.city = QString::fromStdString(s.cityNewCode.empty() ? s.area.cityCode : s.cityNewCode);
    q.lang = TarroWeather::language(s.language, false);
    q.windType = QString::fromStdString(s.windType);
    q.unit = QString::fromStdString(s.windSpeedUnit);
    feed_.setQuery(q);
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
    scene->setProperty("panel", TarroWeather::basePanel(s, feed_.hasAnswer() ? &feed_.answer() : nullptr,
                                                        QDateTime::currentMSecsSinceEpoch()));
}

void TarroBaseWeatherWidget::contentCreated(QQuickItem*)
{
    pushToScene();
}

void TarroBaseWeatherWidget::updateRunning()
{
    feed_.setRunning(active_ && !paused_);
}

void TarroBaseWeatherWidget::widgetShow()
{
    active_ = true;
    reconcile();
    MetadataWidget::widgetShow();
    updateRunning();
}

void TarroBaseWeatherWidget::widgetHide()
{
    active_ = false;
    updateRunning();
    MetadataWidget::widgetHide();
}

void TarroBaseWeatherWidget::pause()
{
    paused_ = true;
    updateRunning();
    MetadataWidget::pause();
}

void TarroBaseWeatherWidget::resume()
{
    MetadataWidget::resume();
    paused_ = false;
    updateRunning();
}

void TarroBaseWeatherWidget::setSource(std::string source)
{
    MetadataWidget::setSource(std::move(source));
    reconcile();
    pushToScene();
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
    nlohmann::json parsed;
    if (!parseObject(json, parsed))
        return;
    // An area, or an object holding "area" and perhaps "cityNewCode".
    const nlohmann::json* area = ns::jsonread::member(parsed, "area");
    const nlohmann::json* code = ns::jsonread::member(parsed, "cityNewCode");
    if (code && !code->is_string()) {
        LOG_E("from_string: exception: %s. %.200s", "\"cityNewCode\" is not a string", json.c_str());
        return;
    }
    const ns::BaseWeather s = settings();
    ns::BaseWeather next = s;
    ns::from_json(area ? *area : parsed, next.area);
    // A new place without a new code: the old code would keep the old city.
    if (code)
        next.cityNewCode = code->get<std::string>();
    else if (next.area.cityCode != s.area.cityCode || next.area.city != s.area.city)
        next.cityNewCode.clear();
    commit(next);
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
