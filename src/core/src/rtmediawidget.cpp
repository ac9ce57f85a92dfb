#include "rtmediawidget.h"

#include "core/appcommon/jsonread.h"
#include "logging/log.h"
#include "private/widgetprivate.h"
#include "rtmediaplan.h"

#include <QQuickItem>

#include <climits>

namespace dorvo_preview {

namespace {

using nlohmann::json;

const char* const kStyles[] = {"textAttributes", "valueTextAttributes", "unitTextAttributes"};

json textStyle(int size)
{
    return {
        {"textColor", "#FFFF0000"},
        {"font", {{"family", {"DejaVu Sans"}}, {"style", "NORMAL"}, {"size", size}, {"isUnderline", false}}}};
}

json column(int type, const char* horizontal, double proportion)
{
    return {{"type", type},
            {"horizontalAlignment", horizontal},
            {"verticalAlignment", "VCENTER"},
            {"proportion", proportion}};
}

json preset(int style)
{
    switch (style) {
    case 1:
        return json::array({column(0, "HCENTER", 1), column(1, "HRIGHT", 45), column(2, "HLEFT", 35),
                            column(3, "HLEFT", 18)});
    case 2:
        return json::array({column(0, "HCENTER", 1), column(1, "HRIGHT", 50), column(4, "HLEFT", 49)});
    case 3:
        return json::array({column(0, "HCENTER", 1), column(1, "HRIGHT", 50), column(4, "HCENTER", 49)});
    case 4:
        return json::array({column(0, "HCENTER", 1), column(2, "HLEFT", 99)});
    default:
        return json::array();
    }
}

// The member at key, made an object when it is none.
json& objectIn(json& j, const char* key)
{
    json& v = j[key];
    if (!v.is_object())
        v = json::object();
    return v;
}

bool styleBold(const json& s)
{
    return s == "BOLD" || s == "BOLD_ITALIC" || s == 0 || s == 3;
}

bool styleItalic(const json& s)
{
    return s == "ITALIC" || s == "BOLD_ITALIC" || s == 2 || s == 3;
}

const char* styleName(bool bold, bool italic)
{
    return bold ? (italic ? "BOLD_ITALIC" : "BOLD") : (italic ? "ITALIC" : "NORMAL");
}

bool sizeAccepted(const char* setter, int size)
{
    if (size > 0 && size <= 2000)
        return true;
    LOG_E("RtMediaWidget::%s refused, pixel size %d is not within 1..2000", setter, size);
    return false;
}

} // namespace

RtMediaWidget::RtMediaWidget(Window* window, QObject* parentItem, QObject* parent)
    : MetadataWidget(window, parentItem, "RT_MEDIA", 17, "RtMediaWidget", parent)
{}

void RtMediaWidget::addDefaults(json& m)
{
    const json defaults = {
        {"solidText", {{"text", ""}, {"textAttributes", textStyle(16)}}},
        {"textAttributes", textStyle(16)},
        {"valueTextAttributes", textStyle(16)},
        {"unitTextAttributes", textStyle(16)},
        {"layoutStyles", preset(1)},
        {"regular", "Temperature:$t\nHumidity:$AH\nPM2.5:$PM2.5"},
        {"regularContents", json::array({{{"key", "$t"}, {"unit", "\xE2\x84\x83"}, {"type", 0}},
                                         {{"key", "$AH"}, {"unit", "%RH"}, {"type", 0}},
                                         {{"key", "$PM2.5"}, {"unit", "ug/m3"}, {"type", 0}}})},
        {"temperatureUnit", 0},
        {"temperatureCompensation", 0},
        {"displayStyle",
         {{"type", "STATIC"},
          {"pageSwitchAttributes",
           {{"inAnimation", {{"type", 0}, {"duration", 1000}}}, {"remainDuration", 5000}}},
          {"scrollAttributes",
           {{"effects", {{"animation", "MARQUEE_UP"}, {"speed", 30}, {"speedByPixelEnable", true}}}}}}},
        {"updatePeriod", 60000}};
    fillMissing(m, defaults);
}

void RtMediaWidget::sceneCreated(QQuickItem* scene)
{
    scene->setProperty("plan", RtMediaPlan::read(metadata()).toVariant());
}

template <typename Change> void RtMediaWidget::patch(const char* setter, Change change)
{
    json changed = metadata();
    change(changed);
    if (changed == metadata()) {
        LOG_D("%s same value. no op", setter);
        return;
    }
    metadata() = std::move(changed);
    updateWidget();
}

void RtMediaWidget::setFontFamily(std::string family)
{
    if (family.empty() || family.size() > 256 || !ns::jsonread::isValidUtf8(family)) {
        LOG_E("RtMediaWidget::setFontFamily refused, \"%.100s\" is no font family name", family.c_str());
        return;
    }
    patch("setFontFamily", [&](json& m) {
        for (const char* key : kStyles)
            objectIn(objectIn(m, key), "font")["family"] = json::array({family});
    });
}

void RtMediaWidget::setTextColor(std::string color)
{
    if (!validColor(color)) {
        LOG_E("RtMediaWidget::setTextColor refused, \"%.100s\" is no colour", color.c_str());
        return;
    }
    patch("setTextColor", [&](json& m) {
        for (const char* key : kStyles)
            objectIn(m, key)["textColor"] = color;
    });
}

void RtMediaWidget::setBold(bool bold)
{
    patch("setBold", [&](json& m) {
        for (const char* key : kStyles) {
            json& font = objectIn(objectIn(m, key), "font");
            font["style"] = styleName(bold, styleItalic(font.value("style", json("NORMAL"))));
        }
    });
}

void RtMediaWidget::setItalic(bool italic)
{
    patch("setItalic", [&](json& m) {
        for (const char* key : kStyles) {
            json& font = objectIn(objectIn(m, key), "font");
            font["style"] = styleName(styleBold(font.value("style", json("NORMAL"))), italic);
        }
    });
}

void RtMediaWidget::setUnderLine(bool underline)
{
    patch("setUnderLine", [&](json& m) {
        for (const char* key : kStyles)
            objectIn(objectIn(m, key), "font")["isUnderline"] = underline;
    });
}

void RtMediaWidget::setLabelPixelSize(int size)
{
    if (sizeAccepted("setLabelPixelSize", size))
        patch("setLabelPixelSize",
              [&](json& m) { objectIn(objectIn(m, kStyles[0]), "font")["size"] = size; });
}

void RtMediaWidget::setValuePixelSize(int size)
{
    if (sizeAccepted("setValuePixelSize", size))
        patch("setValuePixelSize",
              [&](json& m) { objectIn(objectIn(m, kStyles[1]), "font")["size"] = size; });
}

void RtMediaWidget::setUnitPixelSize(int size)
{
    if (sizeAccepted("setUnitPixelSize", size))
        patch("setUnitPixelSize", [&](json& m) { objectIn(objectIn(m, kStyles[2]), "font")["size"] = size; });
}

void RtMediaWidget::setAlignStyles(int style)
{
    patch("setAlignStyles", [&](json& m) { m["layoutStyles"] = preset(style); });
}

void RtMediaWidget::setDisplayStyle(int type)
{
    LOG_D("aaaa setDisplayStyle");
    if (type < 0 || type > 2) {
        LOG_E("RtMediaWidget::setDisplayStyle refused, %d is not 0 (page switch), 1 (scroll) or 2 (static)",
              type);
        return;
    }
    static const char* const names[] = {"PAGE_SWITCH", "SCROLL", "STATIC"};
    patch("setDisplayStyle", [&](json& m) { objectIn(m, "displayStyle")["type"] = names[type]; });
}

void RtMediaWidget::setScrollType(int type)
{
    patch("setScrollType", [&](json& m) {
        objectIn(objectIn(objectIn(m, "displayStyle"), "scrollAttributes"), "effects")["speedByPixelEnable"] =
            type == 1;
    });
}

void RtMediaWidget::setScrollSpeed(int speed)
{
    if (speed <= 0 || speed > 500) {
        LOG_E("RtMediaWidget::setScrollSpeed refused, %d is not within 1..500 pixels per second", speed);
        return;
    }
    patch("setScrollSpeed", [&](json& m) {
        json& effects = objectIn(objectIn(objectIn(m, "displayStyle"), "scrollAttributes"), "effects");
        effects["speed"] = speed;
        effects["animation"] = "MARQUEE_UP";
    });
}

void RtMediaWidget::setPlayTime(int ms)
{
    if (ms < 0) {
        LOG_E("RtMediaWidget::setPlayTime refused, %d ms", ms);
        return;
    }
    metadata(); // the record is read before it is changed
    int& duration = widgetPrivate()->record.duration;
    if (duration == ms) {
        LOG_D("%d same value. no op", ms);
        return;
    }
    duration = ms;
    updateWidget();
}

void RtMediaWidget::setRegular(std::string regular)
{
    LOG_D("RtMediaWidget::setRegular: %.200s", regular.c_str());
    if (regular.size() > 65536) {
        LOG_E("RtMediaWidget::setRegular refused, %zu bytes is more than 65536", regular.size());
        return;
    }
    const std::string text = ns::jsonread::validUtf8(regular);
    patch("setRegular", [&](json& m) { m["regular"] = text; });
}

void RtMediaWidget::setRegularContents(std::string text)
{
    std::string reason;
    json parsed = ns::jsonread::parse(text, &reason);
    if (parsed.is_discarded() || !parsed.is_array()) {
        LOG_E("RtMediaWidget::setRegularContents refused, %s: %.200s",
              reason.empty() ? "not a JSON list" : reason.c_str(), text.c_str());
        return;
    }
    patch("setRegularContents", [&](json& m) { m["regularContents"] = parsed; });
}

void RtMediaWidget::setTemperatureUnit(int unit)
{
    patch("setTemperatureUnit", [&](json& m) { m["temperatureUnit"] = unit; });
}

void RtMediaWidget::setTemperatureCompensation(int compensation)
{
    patch("setTemperatureCompensation", [&](json& m) { m["temperatureCompensation"] = compensation; });
}

void RtMediaWidget::setPageSwitchAnimation(int code)
{
    patch("setPageSwitchAnimation", [&](json& m) {
        objectIn(objectIn(objectIn(m, "displayStyle"), "pageSwitchAttributes"), "inAnimation")["type"] = code;
    });
}

void RtMediaWidget::setPageSwitchAnimationTime(int ms)
{
    if (ms < 0) {
        LOG_E("RtMediaWidget::setPageSwitchAnimationTime refused, %d ms", ms);
        return;
    }
    patch("setPageSwitchAnimationTime", [&](json& m) {
        objectIn(objectIn(objectIn(m, "displayStyle"), "pageSwitchAttributes"), "inAnimation")["duration"] =
            ms;
    });
}

void RtMediaWidget::setPageSwitchTime(int ms)
{
    patch("setPageSwitchTime", [&](json& m) {
        objectIn(objectIn(m, "displayStyle"), "pageSwitchAttributes")["remainDuration"] = ms;
    });
}

void RtMediaWidget::setUpdateDuration(int seconds)
{
    if (seconds <= 0) {
        LOG_E("RtMediaWidget::setUpdateDuration refused, %d seconds", seconds);
        return;
    }
    const int64_t ms = std::min<int64_t>(static_cast<int64_t>(seconds) * 1000, INT_MAX);
    patch("setUpdateDuration", [&](json& m) { m["updatePeriod"] = ms; });
}

} // namespace dorvo_preview
