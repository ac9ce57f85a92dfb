#pragma once

// The analogue clock (record type "ANALOG_CLOCK", scene
// analogclock/AnalogClock.qml): a dial with hour and minute markers, three
// hands, a dial text and a date line for a zone. The scene reads its settings
// at start: every setter stores into the record and rebuilds it.

#include "metadatawidget.h"

namespace dorvo_preview {

class AnalogClockWidget : public MetadataWidget
{
    Q_OBJECT
public:
    AnalogClockWidget(Window* window, QObject* parentItem, QObject* parent = nullptr);

public Q_SLOTS:
    void setTimeZone(std::string json);
    void setHourMarkerStyle(std::string json);
    void setMinMarkerStyle(std::string json);
    void setHourMarkerColor(std::string color);
    void setMinMarkerColor(std::string color);
    void setSecMarkerColor(std::string color);
    void setDateVisible(bool visible);
    void setDateFontStyle(std::string json);
    void setContent(std::string text);
    void setFontStyle(std::string json);
    void setBackground(std::string color);

protected:
    void addDefaults(nlohmann::json& metadata) override;

private:
    // The metadata object group (an empty object when missing or not one).
    nlohmann::json groupOf(const char* group);
    // Sets member of the metadata object group and rebuilds when it changed.
    void patch(const char* group, const char* member, const nlohmann::json& value);
    void setMarkerStyle(const char* group, const std::string& json);
    void setColor(const char* group, const char* setter, const std::string& color);
};

} // namespace dorvo_preview
