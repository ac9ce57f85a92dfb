#include "tarroseniorweatherwidget.h"

#include "tarroweather.h"

#include "core/appcommon/jsonread.h"
#include "core/appcommon/weatherrecords.h"
#include "logging/log.h"

#include <QDateTime>
#include <QQuickItem>

namespace dorvo_preview {

TarroSeniorWeatherWidget::TarroSeniorWeatherWidget(Window* window, QObject* parentItem, QObject* parent)
    : TarroWeatherWidget(window, parentItem, "TARRO_SENIOR_WEATHER", 23, "TarroSeniorWeatherWidget", true,
                         parent)
{}

void TarroSeniorWeatherWidget::addDefaults(nlohmann::json& m)
{
    ns::SeniorWeather defaults;
    defaults.language = "zh";
    defaults.temperatureUnit = "Celsius";
    defaults.isShowUnit = true;
    defaults.refreshPeriod = 1800;
    defaults.pageSwitchTime = 5;
    defaults.baseInfoEnabled = true;
    defaults.airQualityEnabled = true;
    defaults.comfortEnabled = true;
    defaults.speedAndPressureEnabled = true;
    defaults.sunriseAndSunsetEnabled = true;
    defaults.livingIndexEnabled = true;
    defaults.isdomestic = true;
    ns::from_json(m, defaults);
    nlohmann::json j;
    ns::to_json(j, defaults);
    m = j;
}

ns::SeniorWeather TarroSeniorWeatherWidget::settings()
{
    ns::SeniorWeather s;
    ns::from_json(metadata(), s);
    return s;
}

void TarroSeniorWeatherWidget::commit(const ns::SeniorWeather& next)
{
    nlohmann::json j;
    ns::to_json(j, next);
    commitRecord(j);
}

void TarroSeniorWeatherWidget::pushToScene()
{
    QQuickItem* scene = contentItem();
    if (!scene)
        return;
    scene->setProperty("panel",
                       TarroWeather::seniorPanel(settings(), feed().hasAnswer() ? &feed().answer() : nullptr,
                                                 QDateTime::currentMSecsSinceEpoch()));
}

void TarroSeniorWeatherWidget::setFlag(const char* setter, bool ns::SeniorWeather::*flag, bool value)
{
    LOG_D("TarroSeniorWeatherWidget::%s %d", setter, value ? 1 : 0);
    ns::SeniorWeather s = settings();
    s.*flag = value;
    commit(s);
}

void TarroSeniorWeatherWidget::setStyle(int style)
{
    LOG_D("TarroSeniorWeatherWidget::setStyle %d", style);
    if (style < 1 || style > 4) {
        LOG_E("TarroSeniorWeatherWidget::setStyle %d is not a style 1 to 4, style 1 is used", style);
        style = 1;
    }
    ns::SeniorWeather s = settings();
    s.seniorWeatherStyle = style;
    commit(s);
}

void TarroSeniorWeatherWidget::setRefreshTime(int value)
{
    LOG_D("TarroSeniorWeatherWidget::setRefreshTime %d", value);
}

void TarroSeniorWeatherWidget::setBaseInfoEnabled(bool enabled)
{
    setFlag("setBaseInfoEnabled", &ns::SeniorWeather::baseInfoEnabled, enabled);
}

void TarroSeniorWeatherWidget::setAirQualityEnabled(bool enabled)
{
    setFlag("setAirQualityEnabled", &ns::SeniorWeather::airQualityEnabled, enabled);
}

void TarroSeniorWeatherWidget::setComfortEnabled(bool enabled)
{
    setFlag("setComfortEnabled", &ns::SeniorWeather::comfortEnabled, enabled);
}

void TarroSeniorWeatherWidget::setSpeedAndPressureEnabled(bool enabled)
{
    setFlag("setSpeedAndPressureEnabled", &ns::SeniorWeather::speedAndPressureEnabled, enabled);
}

void TarroSeniorWeatherWidget::setSunriseAndSunsetEnabled(bool enabled)
{
    setFlag("setSunriseAndSunsetEnabled", &ns::SeniorWeather::sunriseAndSunsetEnabled, enabled);
}

void TarroSeniorWeatherWidget::setLivingIndexEnabled(bool enabled)
{
    setFlag("setLivingIndexEnabled", &ns::SeniorWeather::livingIndexEnabled, enabled);
}

void TarroSeniorWeatherWidget::setIsDomestic(bool domestic)
{
    setFlag("setIsDomestic", &ns::SeniorWeather::isdomestic, domestic);
}

void TarroSeniorWeatherWidget::setPageSwitchTime(int seconds)
{
    LOG_D("TarroSeniorWeatherWidget::setPageSwitchTime %d", seconds);
    ns::SeniorWeather s = settings();
    s.pageSwitchTime = seconds;
    commit(s);
}

} // namespace dorvo_preview
