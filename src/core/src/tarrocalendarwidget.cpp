#include "tarrocalendarwidget.h"

#include "dorvo_records.h"
#include "logging/log.h"

namespace dorvo_preview {

TarroCalendarWidget::TarroCalendarWidget(Window* window, QObject* parentItem, QObject* parent)
    : MetadataWidget(window, parentItem, "TARRO_CALENDAR", 20, "TarroCalendarWidget", parent)
{}

void TarroCalendarWidget::addDefaults(nlohmann::json& m)
{
    // A creation record whose lunarEnable is not a boolean falls back to the default.
    ns::Calendar calendar;
    if (m.contains("lunarEnable"))
        ns::from_json(nlohmann::json{{"lunarEnable", m["lunarEnable"]}}, calendar);
    nlohmann::json j;
    ns::to_json(j, calendar);
    m["lunarEnable"] = j["lunarEnable"];
}

void TarroCalendarWidget::setLunarEnabled(bool enabled)
{
    LOG_D("TarroCalendarWidget::setLunarEnabled %d", enabled ? 1 : 0);
    if (store("lunarEnable", enabled))
        updateWidget();
}

} // namespace dorvo_preview
