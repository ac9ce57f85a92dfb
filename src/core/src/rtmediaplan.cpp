#include "rtmediaplan.h"

#include "core/appcommon/jsonread.h"
#include "logging/log.h"

#include <QJsonDocument>
#include <QVariantList>

#include <algorithm>
#include <climits>
#include <cmath>

namespace dorvo_preview {

namespace {

using nlohmann::json;

QVariant jsonToVariant(const json& j)
{
    return QJsonDocument::fromJson(QByteArray::fromStdString(ns::jsonread::dump(j))).toVariant();
}

// "HLEFT".. or 0..2 as "LEFT", "CENTER" or "RIGHT"; empty when unusable.
QString horizontalOf(const json& entry)
{
    const json* v = ns::member(entry, "horizontalAlignment");
    if (!v)
        return "CENTER";
    if (v->is_string()) {
        const std::string s = v->get<std::string>();
        if (s == "HLEFT")
            return "LEFT";
        if (s == "HRIGHT")
            return "RIGHT";
        return "CENTER";
    }
    int n = 1;
    if (ns::readInt(entry, "horizontalAlignment", n))
        return n == 0 ? "LEFT" : n == 2 ? "RIGHT" : "CENTER";
    return "CENTER";
}

} // namespace

int RtMediaPlan::pageInterval(int64_t remainMs)
{
    const int64_t ms = std::clamp<int64_t>(remainMs, INT_MIN, INT_MAX) + 500;
    return static_cast<int>(std::clamp<int64_t>(ms, kMinPageMs, INT_MAX));
}

std::vector<RtMediaPlan::Row> RtMediaPlan::rowsOf(const std::string& regular)
{
    std::vector<Row> rows;
    const QStringList lines = QString::fromStdString(regular).split('\n');
    for (QString line : lines) {
        line.remove('\r');
        if (line.isEmpty())
            continue;
        if (rows.size() >= static_cast<size_t>(kMaxRows)) {
            LOG_E("rt_media: more than %d lines, the rest are not shown", kMaxRows);
            break;
        }
        Row row;
        const int at = line.indexOf('$');
        row.label = at < 0 ? line : line.left(at);
        row.key = at < 0 ? QString() : line.mid(at);
        rows.push_back(row);
    }
    return rows;
}

RtMediaPlan RtMediaPlan::read(const json& m)
{
    RtMediaPlan plan;
    const json& solid = ns::jsonread::objectMember(m, "solidText");
    std::string text;
    if (ns::readString(solid, "text", text))
        plan.title = QString::fromStdString(text);
    plan.titleStyle = ns::jsonread::objectMember(solid, "textAttributes");
    plan.labelStyle = ns::jsonread::objectMember(m, "textAttributes");
    plan.valueStyle = ns::jsonread::objectMember(m, "valueTextAttributes");
    plan.unitStyle = ns::jsonread::objectMember(m, "unitTextAttributes");

    const json* layout = ns::member(m, "layoutStyles");
    if (layout && layout->is_array()) {
        for (const json& entry : *layout) {
            int type = -1;
            ns::readInt(entry, "type", type);
            if (type < Spacing || type > ValueAndUnit) {
                LOG_E("rt_media: layoutStyles type error ,type = %s",
                      ns::jsonread::dump(entry.value("type", json())).c_str());
                continue;
            }
            Column c;
            c.type = type;
            const QString h = horizontalOf(entry);
            c.align = type == Label          ? "RIGHT"
                      : type == ValueAndUnit ? (h == "LEFT" ? "LEFT" : "CENTER")
                                             : "LEFT";
            std::string v;
            if (ns::readString(entry, "verticalAlignment", v))
                c.vertical = QString::fromStdString(v);
            double p = 0;
            ns::jsonread::readNumber(entry, "proportion", p);
            c.proportion = std::clamp(p, 0.0, 100.0);
            plan.columns.push_back(c);
        }
    }

    std::string regular;
    ns::readString(m, "regular", regular);
    plan.rows = rowsOf(regular);
    const json* contents = ns::member(m, "regularContents");
    if (contents && contents->is_array()) {
        for (Row& row : plan.rows) {
            for (const json& entry : *contents) {
                std::string key, unit;
                if (ns::readString(entry, "key", key) && QString::fromStdString(key) == row.key &&
                    ns::readString(entry, "unit", unit)) {
                    row.unit = QString::fromStdString(unit);
                    break;
                }
            }
        }
    }

    const json& display = ns::jsonread::objectMember(m, "displayStyle");
    std::string type;
    ns::readString(display, "type", type);
    plan.mode = type == "SCROLL" ? Mode::Scroll : type == "PAGE_SWITCH" ? Mode::Page : Mode::Static;
    const json& page = ns::jsonread::objectMember(display, "pageSwitchAttributes");
    int64_t remain = 5000;
    ns::jsonread::readNumber(page, "remainDuration", remain);
    plan.pageMs = pageInterval(remain);
    const json& in = ns::jsonread::objectMember(page, "inAnimation");
    ns::readInt(in, "type", plan.effectType);
    ns::readInt(in, "duration", plan.effectDuration);
    plan.effectDuration = static_cast<int>(
        std::clamp<int64_t>(plan.effectDuration, 0, std::clamp<int64_t>(remain, 0, INT_MAX)));
    double speed = kDefaultSpeed;
    ns::jsonread::readNumber(
        ns::jsonread::objectMember(ns::jsonread::objectMember(display, "scrollAttributes"), "effects"),
        "speed", speed);
    plan.speed =
        speed > 0 && speed <= 500 ? static_cast<int>(std::lround(std::max(1.0, speed))) : kDefaultSpeed;
    int64_t update = 60000;
    ns::jsonread::readNumber(m, "updatePeriod", update);
    plan.updateMs = static_cast<int>(std::clamp<int64_t>(update, 1000, INT_MAX));
    return plan;
}

QVariantMap RtMediaPlan::toVariant() const
{
    QVariantList columnList, rowList;
    for (const Column& c : columns)
        columnList.push_back(QVariantMap{
            {"type", c.type}, {"align", c.align}, {"vertical", c.vertical}, {"proportion", c.proportion}});
    for (const Row& r : rows)
        rowList.push_back(
            QVariantMap{{"label", r.label}, {"key", r.key}, {"unit", r.unit}, {"value", r.value}});
    const char* modeName = mode == Mode::Static ? "static" : mode == Mode::Scroll ? "scroll" : "page";
    return QVariantMap{{"mode", modeName},
                       {"title", title},
                       {"titleStyle", jsonToVariant(titleStyle)},
                       {"labelStyle", jsonToVariant(labelStyle)},
                       {"valueStyle", jsonToVariant(valueStyle)},
                       {"unitStyle", jsonToVariant(unitStyle)},
                       {"columns", columnList},
                       {"rows", rowList},
                       {"speed", speed},
                       {"pageMs", pageMs},
                       {"effect", QVariantMap{{"type", effectType}, {"duration", effectDuration}}},
                       {"updateMs", updateMs}};
}

} // namespace dorvo_preview
