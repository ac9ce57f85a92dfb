#pragma once

// The base of the Tarro weather panels: the settings they share (place,
// refresh in seconds, temperature unit, language) with their setters, and
// the query they hand to the feed. The metadata holds the kind's record,
// whose ns::BaseWeather keys this class reads and writes.

#include "weatherfeedwidget.h"

#include "dorvo_records.h"

namespace dorvo_preview {

class TarroWeatherWidget : public WeatherFeedWidget
{
    Q_OBJECT
public:
    // senior: the senior panel (its language map keeps Japanese).
    TarroWeatherWidget(Window* window, QObject* parentItem, const char* typeText, int mediaType,
                       const char* name, bool senior, QObject* parent = nullptr);

    ns::BaseWeather baseSettings();

public Q_SLOTS:
    void setTemperatureUnit(int unit);
    void setLocation(std::string json);
    void setRefreshCycle(int seconds);
    void setLanguage(std::string language);

protected:
    void reconcile() override;
    // Stores the record (the kind's to_json) when it changed, then applies it
    // and rebuilds the scene.
    void commitRecord(const nlohmann::json& record);
    void commitBase(const ns::BaseWeather& base);

private:
    bool senior_;
};

} // namespace dorvo_preview
