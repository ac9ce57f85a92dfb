#include "analogclockwidget.h"

#include "core/appcommon/jsonread.h"

#include "clocktext.h"
#include "logging/log.h"

#include <cmath>

namespace dorvo_preview {

namespace {

const char* const kDefaultDateRegular = "$dd/$MM/$yyyy\n$E";
// Marker sizes beyond this many pixels are refused.
constexpr double kMaxMarkerSize = 1000;

nlohmann::json defaultWeekNames()
{
    return {"星期日", "星期一", "星期二", "星期三", "星期四", "星期五", "星期六"};
}

nlohmann::json font(const char* family, int size)
{
    return {{"font", {{"family", {family}}, {"style", 1}, {"size", size}, {"isUnderline", false}}},
            {"textColor", "#FFFF0000"}};
}

} // namespace

AnalogClockWidget::AnalogClockWidget(Window* window, QObject* parentItem, QObject* parent)
    : MetadataWidget(window, parentItem, "ANALOG_CLOCK", 8, "AnalogClockWidget", parent)
{}

void AnalogClockWidget::addDefaults(nlohmann::json& m)
{
    const nlohmann::json defaults = {
        {"gmt", "GMT+00:00"},
        {"zone", ""},
        {"hourScale",
         {{"shape", "OVAL"},
          {"width", 4},
          {"height", 4},
          {"color", "#FF00B0F0"},
          {"textAttributes", font("Arial", 12)}}},
        {"minuteScale",
         {{"shape", "RECTANGLE"},
          {"width", 5},
          {"height", 5},
          {"color", "#FF0000FF"},
          {"textAttributes", font("Arial", 12)}}},
        {"hourHand", {{"color", "#FFFFFFFF"}}},
        {"minuteHand", {{"color", "#FFFFFFFF"}}},
        {"secondHand", {{"color", "#FFFF0000"}}},
        {"background", {{"color", "#00000000"}}},
        {"date",
         {{"enable", true},
          {"regular", kDefaultDateRegular},
          {"weekTemplates", defaultWeekNames()},
          {"textAttributes", font("Arial", 12)}}},
        {"text", {{"enable", true}, {"text", "测试一下abc1123"}, {"textAttributes", font("Arial", 12)}}}};
    fillMissing(m, defaults);
}

nlohmann::json AnalogClockWidget::groupOf(const char* group)
{
    auto it = metadata().find(group);
    return it != metadata().end() && it->is_object() ? *it : nlohmann::json::object();
}

void AnalogClockWidget::patch(const char* group, const char* member, const nlohmann::json& value)
{
    nlohmann::json object = groupOf(group);
    object[member] = value;
    if (store(group, object))
        updateWidget();
}

void AnalogClockWidget::setTimeZone(std::string json)
{
    // One log line for a refusal: this one, not the record reader's.
    const nlohmann::json j = ns::jsonread::parse(json);
    if (!j.is_object()) {
        LOG_E("parse timeZone error %.200s", ns::jsonread::validUtf8(json).c_str());
        return;
    }
    std::string zone, gmt = "GMT+00:00";
    if (auto it = metadata().find("zone"); it != metadata().end() && it->is_string())
        zone = it->get<std::string>();
    if (auto it = metadata().find("gmt"); it != metadata().end() && it->is_string())
        gmt = it->get<std::string>();
    if (j.contains("zone")) {
        if (!j["zone"].is_string()) {
            LOG_E("parse timeZone error %.200s", json.c_str());
            return;
        }
        zone = j["zone"].get<std::string>();
    }
    if (j.contains("gmt")) {
        if (!j["gmt"].is_string() ||
            !ClockText::parseGmt(QString::fromStdString(j["gmt"].get<std::string>()), nullptr)) {
            LOG_E("parse timeZone error, gmt is not an offset like GMT+08:00: %.200s", json.c_str());
            return;
        }
        gmt = j["gmt"].get<std::string>();
    }
    LOG_D("zone is %s", zone.c_str());
    LOG_D("gmt is %s", gmt.c_str());
    const bool zoneChanged = store("zone", zone);
    const bool gmtChanged = store("gmt", gmt);
    if (zoneChanged || gmtChanged)
        updateWidget();
}

void AnalogClockWidget::setMarkerStyle(const char* group, const std::string& json)
{
    nlohmann::json j;
    if (!parseObject(json, j))
        return;
    nlohmann::json object = groupOf(group);
    for (auto it = j.begin(); it != j.end(); ++it) {
        const std::string& key = it.key();
        const nlohmann::json& v = it.value();
        bool ok = true;
        if (key == "shape")
            ok = v.is_string() && (v == "RECTANGLE" || v == "OVAL" || v == "DIGITAL");
        else if (key == "width" || key == "height")
            ok = v.is_number() && std::isfinite(v.get<double>()) && v.get<double>() >= 0 &&
                 v.get<double>() <= kMaxMarkerSize;
        else if (key == "color")
            ok = v.is_string() && validColor(v.get<std::string>());
        else if (key == "textAttributes")
            ok = v.is_object();
        if (!ok) {
            LOG_E("%s::setMarkerStyle refused, \"%s\" is not valid: %.200s", name(), key.c_str(),
                  json.c_str());
            return;
        }
        object[key] = v;
    }
    if (store(group, object))
        updateWidget();
}

void AnalogClockWidget::setHourMarkerStyle(std::string json)
{
    LOG_D("AnalogClockWidget::setHourMarkerStyle = %s", json.c_str());
    setMarkerStyle("hourScale", json);
}

void AnalogClockWidget::setMinMarkerStyle(std::string json)
{
    LOG_D("AnalogClockWidget::setMinMarkerStyle = %s", json.c_str());
    setMarkerStyle("minuteScale", json);
}

void AnalogClockWidget::setColor(const char* group, const char* setter, const std::string& color)
{
    if (!validColor(color)) {
        LOG_E("AnalogClockWidget::%s error %.100s", setter, color.c_str());
        return;
    }
    patch(group, "color", color);
}

void AnalogClockWidget::setHourMarkerColor(std::string color)
{
    setColor("hourHand", "setHourMarkerColor", color);
}

void AnalogClockWidget::setMinMarkerColor(std::string color)
{
    setColor("minuteHand", "setMinMarkerColor", color);
}

void AnalogClockWidget::setSecMarkerColor(std::string color)
{
    setColor("secondHand", "setSecMarkerColor", color);
}

void AnalogClockWidget::setBackground(std::string color)
{
    setColor("background", "setBackground", color);
}

void AnalogClockWidget::setDateVisible(bool visible)
{
    nlohmann::json date = groupOf("date");
    date["enable"] = visible;
    if (visible) {
        date["regular"] = kDefaultDateRegular;
        date["weekTemplates"] = defaultWeekNames();
    }
    if (store("date", date))
        updateWidget();
}

void AnalogClockWidget::setDateFontStyle(std::string json)
{
    nlohmann::json attributes;
    if (parseObject(json, attributes))
        patch("date", "textAttributes", attributes);
}

void AnalogClockWidget::setContent(std::string text)
{
    nlohmann::json object = groupOf("text");
    object["text"] = text;
    object["enable"] = true;
    if (store("text", object))
        updateWidget();
}

void AnalogClockWidget::setFontStyle(std::string json)
{
    nlohmann::json attributes;
    if (parseObject(json, attributes))
        patch("text", "textAttributes", attributes);
}

} // namespace dorvo_preview
