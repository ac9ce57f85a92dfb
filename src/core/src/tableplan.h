#pragma once

// The drawing plan of a table: the content a host gives (rows, columns,
// merged cells, border, text styles, cells, display style) read defensively
// into cell rectangles in table pixels, the styles they use and how the table
// is shown. Table.qml only draws and moves what the plan says.

#include <nlohmann/json.hpp>

#include <QString>
#include <QVariantMap>

#include <cstdint>
#include <string>
#include <vector>

namespace dorvo_preview {

struct TableStyle
{
    QString horizontal = "CENTER"; // "LEFT", "CENTER" or "RIGHT"
    QString vertical = "CENTER";   // "TOP", "CENTER" or "BOTTOM"
    QString background = "#00000000";
    QString color = "#ffff0000";
    QString family;
    int size = 14;
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

struct TableCell
{
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
    int style = 0;
    QString text;
};

struct TablePlan
{
    enum class Mode
    {
        Static,
        Scroll,
        Page
    };

    // The container is never taller than this.
    static constexpr double kMaxHeight = 20000;
    // Nor wider than this (the largest picture the graphics take).
    static constexpr double kMaxWidth = 16384;
    // Grids larger than this in either direction are cut there.
    static constexpr int kMaxLines = 10000;
    static constexpr int kMaxMerges = 1000;
    static constexpr int kMaxCells = 100000;
    static constexpr int kMinPageMs = 1000;
    static constexpr int kDefaultSpeed = 60;

    Mode mode = Mode::Static;
    int borderWidth = 1;
    QString borderColor = "#ffff0000";
    double width = 0;          // sum of the column widths plus the border
    double height = 0;         // largest bottom edge plus border plus 3, capped
    double rowsBottom = 0;     // largest bottom edge, capped: what pages divide
    int speed = kDefaultSpeed; // pixels per second
    int pageMs = 5000;
    int effectType = 0;
    int effectDuration = 0;
    std::vector<TableStyle> styles;
    std::vector<TableCell> cells;

    // Reads a table content ({"ItemSource", "content": {...}}). Unusable parts
    // are logged and left out; never throws.
    static TablePlan read(const nlohmann::json& source);
    // Page interval from a page time in seconds (64-bit, at least kMinPageMs).
    static int pageInterval(double seconds);
    // The plan as QML reads it.
    QVariantMap toVariant() const;
    // The content a new table shows.
    static std::string defaultContent();
};

} // namespace dorvo_preview
