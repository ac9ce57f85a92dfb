#include "digitalclockwidget.h"

#include "clocktext.h"
#include "logging/log.h"
#include "core/appcommon/jsonread.h"

#include <QTimeZone>

namespace dorvo_preview {

namespace {

// Hours a clock may be shifted by, either way.
constexpr int kMaxOffsetHours = 24;

} // namespace

DigitalClockWidget::DigitalClockWidget(Window* window, QObject* parentItem, QObject* parent)
    : MetadataWidget(window, parentItem, "DIGITAL_CLOCK", 9, "DigitalClockWidget", parent)
{}

void DigitalClockWidget::addDefaults(nlohmann::json& m)
{
    const nlohmann::json defaults = {
        {"gmt", "GMT+00:00"},
        {"zone", ""},
        {"offset", 0},
        {"regular", "$HH:$mm:$ss"},
        {"weekTemplates", {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"}},
        {"suffixTemplates", {"AM", "PM"}},
        {"textAttributes",
         {{"font", {{"family", {"DejaVu Sans"}}, {"style", "NORMAL"}, {"size", 24}, {"isUnderline", false}}},
          {"textColor", "#FFFF0000"}}}};
    fillMissing(m, defaults);
}

void DigitalClockWidget::apply(const char* key, const nlohmann::json& value, const QVariant& property,
                               const char* propertyName)
{
    if (!store(key, value))
        return;
    if (QQuickItem* scene = contentItem())
        scene->setProperty(propertyName ? propertyName : key, property);
}

void DigitalClockWidget::setGMT(std::string gmt)
{
    if (!ClockText::parseGmt(QString::fromStdString(gmt), nullptr)) {
        LOG_E("DigitalClockWidget::setGMT refused, %.100s is not an offset like GMT+08:00", gmt.c_str());
        return;
    }
    apply("gmt", gmt, QString::fromStdString(gmt));
}

void DigitalClockWidget::setZone(std::string zone)
{
    if (!zone.empty() && !QTimeZone::isTimeZoneIdAvailable(QByteArray::fromStdString(zone)))
        LOG_I("DigitalClockWidget::setZone %.100s is not a known zone: no daylight-saving time",
              zone.c_str());
    apply("zone", zone, QString::fromStdString(zone));
}

void DigitalClockWidget::setOffset(int offset)
{
    if (offset < -kMaxOffsetHours || offset > kMaxOffsetHours) {
        LOG_E("DigitalClockWidget::setOffset refused, %d hours is out of range", offset);
        return;
    }
    apply("offset", offset, offset);
}

void DigitalClockWidget::setFontStyle(std::string json)
{
    nlohmann::json attributes;
    if (!parseObject(json, attributes))
        return;
    apply("textAttributes", attributes,
          QString::fromStdString(attributes.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace)),
          "fontStyle");
}

bool DigitalClockWidget::parseNames(const char* setter, const std::string& json, nlohmann::json& names)
{
    const nlohmann::json j = ns::jsonread::parse(json);
    if (j.is_discarded() || !j.is_array()) {
        LOG_E("DigitalClockWidget::%s refused, not a JSON array: %.200s", setter, json.c_str());
        return false;
    }
    names = nlohmann::json::array();
    for (const auto& entry : j)
        names.push_back(entry.is_string() ? entry.get<std::string>() : std::string());
    return true;
}

void DigitalClockWidget::setWeekTemplates(std::string json)
{
    nlohmann::json names;
    if (parseNames("setWeekTemplates", json, names))
        apply("weekTemplates", names, ClockText::nameList(QString::fromStdString(names.dump())));
}

void DigitalClockWidget::setSuffixTemplates(std::string json)
{
    nlohmann::json names;
    if (parseNames("setSuffixTemplates", json, names))
        apply("suffixTemplates", names, ClockText::nameList(QString::fromStdString(names.dump())));
}

void DigitalClockWidget::setRegular(std::string regular)
{
    apply("regular", regular, QString::fromStdString(regular));
}

} // namespace dorvo_preview
