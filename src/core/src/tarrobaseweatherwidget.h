#pragma once

// The Tarro base weather panel (record type "TARRO_BASE_WEATHER", scene
// tarrobaseweather/TarroBaseWeather.qml): city, icon, temperature, air
// quality, weather, range, wind and humidity in a layout chosen by size.
// Its metadata is the ns::BaseWeather record (refreshPeriod in seconds). The
// widget hands the scene the panel's values; the scene stays empty until
// the first good answer.

#include "tarroweatherwidget.h"

namespace dorvo_preview {

class TarroBaseWeatherWidget : public TarroWeatherWidget
{
    Q_OBJECT
public:
    TarroBaseWeatherWidget(Window* window, QObject* parentItem, QObject* parent = nullptr);

protected:
    void addDefaults(nlohmann::json& metadata) override;
    void pushToScene() override;
};

} // namespace dorvo_preview
