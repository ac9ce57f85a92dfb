#pragma once

// The digital clock (record type "DIGITAL_CLOCK", scene
// digitalclock/DIGITAL_CLOCK.qml): date, week day and time of a zone as text
// from a "$" template. Setters change the live scene's properties at once and
// keep the record in step for the next rebuild.

#include "metadatawidget.h"

namespace dorvo_preview {

class DigitalClockWidget : public MetadataWidget
{
    Q_OBJECT
public:
    DigitalClockWidget(Window* window, QObject* parentItem, QObject* parent = nullptr);

public Q_SLOTS:
    void setGMT(std::string gmt);
    void setZone(std::string zone);
    void setOffset(int offset);
    void setFontStyle(std::string json);
    void setWeekTemplates(std::string json);
    void setRegular(std::string regular);
    void setSuffixTemplates(std::string json);

protected:
    void addDefaults(nlohmann::json& metadata) override;

private:
    // Stores value at key and sets the scene's property of that name (or of
    // propertyName).
    void apply(const char* key, const nlohmann::json& value, const QVariant& property,
               const char* propertyName = nullptr);
    // A JSON array of names; entries that are not strings become empty names.
    bool parseNames(const char* setter, const std::string& json, nlohmann::json& names);
};

} // namespace dorvo_preview
