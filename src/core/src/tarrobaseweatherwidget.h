#pragma once

// The Tarro base weather panel (record type "TARRO_BASE_WEATHER", scene
// tarrobaseweather/TarroBaseWeather.qml): city, icon, temperature, air
// quality, weather, range, wind and humidity in a layout chosen by size.
// Its metadata is the ns::BaseWeather record (refreshPeriod in seconds). The
// widget fetches through a WeatherFeed and hands the scene the panel's
// values; the scene stays empty until the first good answer.

#include "weatherfeedwidget.h"

#include "dorvo_records.h"

namespace dorvo_preview {

class TarroBaseWeatherWidget : public WeatherFeedWidget
{
    Q_OBJECT
public:
    TarroBaseWeatherWidget(Window* window, QObject* parentItem, QObject* parent = nullptr);

    ns::BaseWeather settings();

public Q_SLOTS:
    void setTemperatureUnit(int unit);
    void setLocation(std::string json);
    void setRefreshCycle(int seconds);
    void setLanguage(std::string language);

protected:
    void addDefaults(nlohmann::json& metadata) override;
    void reconcile() override;
    void pushToScene() override;

private:
    void commit(const ns::BaseWeather& next);
};

} // namespace dorvo_preview
