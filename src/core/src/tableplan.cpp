#include "tableplan.h"

#include "core/appcommon/jsonread.h"
#include "core/src/nwquickitem/qmlcallqtcommon.h"
#include "logging/log.h"

#include <QColor>
#include <QVariantList>

#include <algorithm>
#include <climits>
#include <cmath>
#include <map>

namespace dorvo_preview {

namespace {

using nlohmann::json;

const json& arrayAt(const json& j, const char* key)
{
    static const json empty = json::array();
    const json* v = ns::member(j, key);
    if (v && !v->is_array()) {
        ns::jsonread::logUnusable(key, "is not a list");
        return empty;
    }
    return v ? *v : empty;
}

void readColor(const json& j, const char* key, QString& out)
{
    std::string text;
    if (!ns::readString(j, key, text))
        return;
    const QString color = QString::fromStdString(text);
    if (color.isEmpty() || !QColor::isValidColor(color)) {
        ns::jsonread::logUnusable(key, "is not a colour");
        return;
    }
    out = color;
}

// The sizes of the grid lines by their index; entries outside 0..count-1 are skipped.
std::vector<double> lineSizes(const json& list, const char* sizeKey)
{
    const size_t count = std::min<size_t>(list.size(), TablePlan::kMaxLines);
    if (list.size() > count)
        LOG_E("table: %zu %s cut to %d", list.size(), sizeKey, TablePlan::kMaxLines);
    std::vector<double> sizes(count, 0.0);
    for (const json& entry : list) {
        int index = -1;
        double size = 0;
        ns::readInt(entry, "index", index);
        ns::jsonread::readNumber(entry, sizeKey, size);
        if (index < 0 || static_cast<size_t>(index) >= count) {
            LOG_E("table: %s entry with index %d outside 0..%zu skipped", sizeKey, index, count);
            continue;
        }
        sizes[static_cast<size_t>(index)] = std::clamp(size, 0.0, TablePlan::kMaxHeight);
    }
    return sizes;
}

TableStyle readStyle(const json& j)
{
    TableStyle s;
    std::string text;
    if (ns::readString(j, "horizontalAlignment", text))
        s.horizontal = text == "LEFT" || text == "CENTER" ? QString::fromStdString(text) : "RIGHT";
    if (ns::readString(j, "vertialAlignment", text))
        s.vertical = text == "TOP" || text == "CENTER" ? QString::fromStdString(text) : "BOTTOM";
    readColor(j, "backgroundColor", s.background);
    readColor(j, "textColor", s.color);
    const json& font = ns::jsonread::objectMember(j, "font");
    const json* family = ns::member(font, "family");
    std::string key;
    if (family && family->is_array() && !family->empty() && family->front().is_string())
        key = family->front().get<std::string>();
    else if (family && family->is_string())
        key = family->get<std::string>();
    const QString known = QmlCallQtCommon::fontFamilyFor(QString::fromStdString(key));
    s.family = known.isEmpty() ? QString::fromStdString(key) : known;
    ns::readBool(font, "isBold", s.bold);
    ns::readBool(font, "isUnderLine", s.underline);
    ns::readBool(font, "isItalic", s.italic);
    double size = s.size;
    if (ns::jsonread::readNumber(font, "size", size))
        s.size = static_cast<int>(std::clamp(size, 1.0, 2000.0));
    return s;
}

struct Merge
{
    int row, column, rowSpan, columnSpan;
    bool covers(int r, int c) const
    {
        return r >= row && r < row + rowSpan && c >= column && c < column + columnSpan;
    }
};

} // namespace

int TablePlan::pageInterval(double seconds)
{
    if (!std::isfinite(seconds))
        return kMinPageMs;
    const double ms = std::clamp(seconds * 1000.0, 0.0, static_cast<double>(INT_MAX));
    return static_cast<int>(std::max<int64_t>(static_cast<int64_t>(ms), kMinPageMs));
}

TablePlan TablePlan::read(const json& source)
{
    TablePlan plan;
    const json& content = ns::jsonread::objectMember(source, "content");

    const json& display = ns::jsonread::objectMember(content, "displayStyle");
    std::string type;
    ns::readString(display, "type", type);
    plan.mode = type == "STATIC" ? Mode::Static : type == "SCROLL" ? Mode::Scroll : Mode::Page;
    const json& page = ns::jsonread::objectMember(display, "pageSwitchAttributes");
    double remain = 5;
    ns::jsonread::readNumber(page, "remainDuration", remain);
    plan.pageMs = pageInterval(remain);
    const json& in = ns::jsonread::objectMember(page, "inAnimation");
    ns::readInt(in, "type", plan.effectType);
    ns::readInt(in, "duration", plan.effectDuration);
    plan.effectDuration = std::clamp(plan.effectDuration, 0, plan.pageMs);
    double speed = kDefaultSpeed;
    ns::jsonread::readNumber(
        ns::jsonread::objectMember(ns::jsonread::objectMember(display, "scrollAttributes"), "effects"),
        "speed", speed);
    plan.speed =
        speed > 0 && speed <= 500 ? static_cast<int>(std::lround(std::max(1.0, speed))) : kDefaultSpeed;

    const json& border = ns::jsonread::objectMember(content, "border");
    readColor(border, "color", plan.borderColor);
    std::string style;
    ns::readString(border, "style", style);
    plan.borderWidth = style == "None" ? 0 : style == "BoldSolid" ? 2 : style == "BoldSolidStrong" ? 3 : 1;

    const std::vector<double> heights = lineSizes(arrayAt(content, "rows"), "height");
    const std::vector<double> widths = lineSizes(arrayAt(content, "columns"), "width");
    std::vector<double> ys(heights.size() + 1, 0.0), xs(widths.size() + 1, 0.0);
    for (size_t i = 0; i < heights.size(); ++i)
        ys[i + 1] = ys[i] + heights[i];
    for (size_t i = 0; i < widths.size(); ++i)
        xs[i + 1] = xs[i] + widths[i];
    const int rowCount = static_cast<int>(heights.size());
    const int columnCount = static_cast<int>(widths.size());
    plan.width = std::min(xs.back() + plan.borderWidth, kMaxWidth);

    for (const json& entry : arrayAt(content, "textAttributes"))
        plan.styles.push_back(readStyle(entry.is_object() ? entry : json::object()));
    if (plan.styles.empty())
        plan.styles.push_back(TableStyle());

    std::vector<Merge> merges;
    for (const json& entry : arrayAt(content, "multiCells")) {
        if (merges.size() >= static_cast<size_t>(kMaxMerges)) {
            LOG_E("table: more than %d merged cells, the rest are ignored", kMaxMerges);
            break;
        }
        Merge m{-1, -1, 1, 1};
        ns::readInt(entry, "rowIndex", m.row);
        ns::readInt(entry, "columnIndex", m.column);
        ns::readInt(entry, "rowSpan", m.rowSpan);
        ns::readInt(entry, "columnSpan", m.columnSpan);
        if (m.row < 0 || m.row >= rowCount || m.column < 0 || m.column >= columnCount) {
            LOG_E("table: merged cell at row %d, column %d lies outside the %d x %d grid, skipped", m.row,
                  m.column, rowCount, columnCount);
            continue;
        }
        m.rowSpan = std::clamp(m.rowSpan, 1, rowCount - m.row);
        m.columnSpan = std::clamp(m.columnSpan, 1, columnCount - m.column);
        merges.push_back(m);
    }

    const json& cells = arrayAt(content, "cells");
    if (cells.size() > static_cast<size_t>(kMaxCells))
        LOG_E("table: %zu cells, only the first %d are drawn", cells.size(), kMaxCells);
    std::map<std::pair<int, int>, bool> seen;
    double bottom = 0;
    for (size_t n = 0; n < cells.size() && n < static_cast<size_t>(kMaxCells); ++n) {
        const json& entry = cells[n];
        int row = -1, column = -1, styleIndex = 0;
        ns::readInt(entry, "rowIndex", row);
        ns::readInt(entry, "colIndex", column);
        if (row < 0 || row >= rowCount || column < 0 || column >= columnCount) {
            LOG_E("table: cell at row %d, column %d lies outside the %d x %d grid, skipped", row, column,
                  rowCount, columnCount);
            continue;
        }
        if (!seen.emplace(std::make_pair(row, column), true).second) {
            LOG_E("table: cell at row %d, column %d is listed twice, the later one skipped", row, column);
            continue;
        }
        Merge span{row, column, 1, 1};
        bool covered = false;
        for (const Merge& m : merges) {
            if (m.row == row && m.column == column)
                span = m;
            else if (m.covers(row, column))
                covered = true;
        }
        if (covered)
            continue; // drawn by the merged cell it lies in
        TableCell cell;
        cell.x = xs[static_cast<size_t>(column)];
        cell.y = ys[static_cast<size_t>(row)];
        cell.width = xs[static_cast<size_t>(column + span.columnSpan)] - cell.x;
        cell.height = ys[static_cast<size_t>(row + span.rowSpan)] - cell.y;
        bottom = std::max(bottom, cell.y + cell.height);
        if (cell.y >= kMaxHeight)
            continue; // below the drawn part of the table
        if (ns::readInt(entry, "textAttributeIndex", styleIndex) &&
            (styleIndex < 0 || static_cast<size_t>(styleIndex) >= plan.styles.size())) {
            LOG_E("table: cell at row %d, column %d names text style %d of %zu, the first style is used", row,
                  column, styleIndex, plan.styles.size());
            styleIndex = 0;
        }
        cell.style = styleIndex;
        std::string text;
        ns::readString(entry, "content", text);
        cell.text = QString::fromStdString(text);
        plan.cells.push_back(std::move(cell));
    }
    plan.height = std::min(bottom + plan.borderWidth + 3, kMaxHeight);
    plan.rowsBottom = std::min(bottom, kMaxHeight);
    return plan;
}

QVariantMap TablePlan::toVariant() const
{
    QVariantList styleList;
    for (const TableStyle& s : styles)
        styleList.push_back(QVariantMap{{"horizontal", s.horizontal},
                                        {"vertical", s.vertical},
                                        {"background", s.background},
                                        {"color", s.color},
                                        {"family", s.family},
                                        {"size", s.size},
                                        {"bold", s.bold},
                                        {"italic", s.italic},
                                        {"underline", s.underline}});
    QVariantList cellList;
    for (const TableCell& c : cells)
        cellList.push_back(QVariantMap{
            {"x", c.x}, {"y", c.y}, {"w", c.width}, {"h", c.height}, {"style", c.style}, {"text", c.text}});
    const char* modeName = mode == Mode::Static ? "static" : mode == Mode::Scroll ? "scroll" : "page";
    return QVariantMap{{"mode", modeName},
                       {"borderWidth", borderWidth},
                       {"borderColor", borderColor},
                       {"width", width},
                       {"height", height},
                       {"rowsBottom", rowsBottom},
                       {"speed", speed},
                       {"pageMs", pageMs},
                       {"effect", QVariantMap{{"type", effectType}, {"duration", effectDuration}}},
                       {"styles", styleList},
                       {"cells", cellList}};
}

std::string TablePlan::defaultContent()
{
    json rows = json::array(), columns = json::array(), cells = json::array();
    for (int i = 0; i < 6; ++i) {
        rows.push_back({{"index", i}, {"height", 20}});
        columns.push_back({{"index", i}, {"width", 70}});
    }
    const char* samples[6] = {"Name", "Mon", "Tue", "Wed", "Thu", "Fri"};
    for (int r = 0; r < 6; ++r) {
        for (int c = 0; c < 6; ++c) {
            json cell = {{"rowIndex", r}, {"colIndex", c}, {"textAttributeIndex", 0}};
            if (r == 0)
                cell["content"] = samples[c];
            cells.push_back(cell);
        }
    }
    const json style = {{"horizontalAlignment", "CENTER"},
                        {"vertialAlignment", "CENTER"},
                        {"backgroundColor", "#00000000"},
                        {"textColor", "#ffff0000"},
                        {"font",
                         {{"family", {u8"\u9ed1\u4f53"}},
                          {"isBold", false},
                          {"isUnderLine", false},
                          {"isItalic", false},
                          {"size", 14}}}};
    const json content = {{"displayStyle",
                           {{"type", "STATIC"},
                            {"singleLine", true},
                            {"pageSwitchAttributes",
                             {{"inAnimation", {{"type", 18}, {"duration", 1000}}}, {"remainDuration", 5}}},
                            {"scrollAttributes",
                             {{"effects",
                               {{"speed", 3},
                                {"animation", "MARQUEE_LEFT"},
                                {"isHeadTail", false},
                                {"headTailSpacing", "10"}}}}},
                            {"offset", 0}}},
                          {"rows", rows},
                          {"columns", columns},
                          {"multiCells", json::array()},
                          {"border", {{"color", "#ffff0000"}, {"style", "Solid"}}},
                          {"textAttributes", json::array({style})},
                          {"cells", cells}};
    return json{{"ItemSource", ""}, {"content", content}}.dump();
}

} // namespace dorvo_preview
