#pragma once

// The day calendar of the template set (record type "TARRO_CALENDAR", scene
// tarrocalendar/TarroCalendar.qml): the local year and month, the day and
// an optional lunar line (LunarCalendar). The scene reads the record at start
// and turns the page itself at local midnight.

#include "metadatawidget.h"

namespace dorvo_preview {

class TarroCalendarWidget : public MetadataWidget
{
    Q_OBJECT
public:
    TarroCalendarWidget(Window* window, QObject* parentItem, QObject* parent = nullptr);

public Q_SLOTS:
    void setLunarEnabled(bool enabled);

protected:
    void addDefaults(nlohmann::json& metadata) override;
};

} // namespace dorvo_preview
