#pragma once

// The Tarro senior weather panel (record type "TARRO_SENIOR_WEATHER", scene
// tarroseniorweather/TarroSeniorWeather.qml): a basic panel and a cycle of
// detail pages (air quality, comfort, wind and pressure, sunrise and sunset,
// living indices) in one of four styles. Its metadata is the
// ns::SeniorWeather record (refreshPeriod and pageSwitchTime in seconds).

#include "tarroweatherwidget.h"

namespace dorvo_preview {

class TarroSeniorWeatherWidget : public TarroWeatherWidget
{
    Q_OBJECT
public:
    TarroSeniorWeatherWidget(Window* window, QObject* parentItem, QObject* parent = nullptr);

    ns::SeniorWeather settings();

public Q_SLOTS:
    void setStyle(int style);
    void setRefreshTime(int value);
    void setBaseInfoEnabled(bool enabled);
    void setAirQualityEnabled(bool enabled);
    void setComfortEnabled(bool enabled);
    void setSpeedAndPressureEnabled(bool enabled);
    void setSunriseAndSunsetEnabled(bool enabled);
    void setLivingIndexEnabled(bool enabled);
    void setPageSwitchTime(int seconds);
    void setIsDomestic(bool domestic);

protected:
    void addDefaults(nlohmann::json& metadata) override;
    void pushToScene() override;

private:
    void commit(const ns::SeniorWeather& next);
    void setFlag(const char* setter, bool ns::SeniorWeather::*flag, bool value);
};

} // namespace dorvo_preview
