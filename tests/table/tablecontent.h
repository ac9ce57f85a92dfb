#pragma once

// Table contents for the tests: a grid of rows x columns of
// the given sizes whose rows are filled with their own colours.

#include <QColor>

#include <nlohmann/json.hpp>

#include <string>

namespace tabletest {

// The fill of row r of a coloured table.
inline QColor rowColor(int r)
{
    return QColor::fromHsv((r * 30) % 360, 255, r >= 12 ? 160 : 255);
}

inline nlohmann::json grid(int rows, int columns, int rowHeight, int columnWidth, const char* type = "STATIC",
                           bool coloured = false, const char* border = "Solid")
{
    using nlohmann::json;
    json r = json::array(), c = json::array(), cells = json::array(), styles = json::array();
    for (int i = 0; i < rows; ++i)
        r.push_back({{"index", i}, {"height", rowHeight}});
    for (int i = 0; i < columns; ++i)
        c.push_back({{"index", i}, {"width", columnWidth}});
    const int styleCount = coloured ? rows : 1;
    for (int i = 0; i < styleCount; ++i)
        styles.push_back(
            {{"horizontalAlignment", "CENTER"},
             {"vertialAlignment", "CENTER"},
             {"backgroundColor", coloured ? rowColor(i).name(QColor::HexArgb).toStdString() : "#00000000"},
             {"textColor", "#ffffffff"},
             {"font", {{"family", {"DejaVu Sans"}}, {"size", 12}}}});
    for (int i = 0; i < rows; ++i)
        for (int j = 0; j < columns; ++j)
            cells.push_back({{"rowIndex", i}, {"colIndex", j}, {"textAttributeIndex", coloured ? i : 0}});
    json display = {
        {"type", type},
        {"pageSwitchAttributes", {{"inAnimation", {{"type", 0}, {"duration", 0}}}, {"remainDuration", 1}}},
        {"scrollAttributes", {{"effects", {{"speed", 60}}}}}};
    return {{"ItemSource", ""},
            {"content",
             {{"displayStyle", display},
              {"rows", r},
              {"columns", c},
              {"multiCells", json::array()},
              {"border", {{"color", "#ffff0000"}, {"style", border}}},
              {"textAttributes", styles},
              {"cells", cells}}}};
}

} // namespace tabletest
