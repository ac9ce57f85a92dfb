#pragma once

// The drawing plan of the real-time data widget: its record's metadata read
// defensively into the optional title, the rows (label, sensor key, unit and
// the value, "--" while no reading is attached), the columns of a row and how
// the rows are shown. Rt_media.qml only lays the rows out and moves them.

#include <nlohmann/json.hpp>

#include <QString>
#include <QVariantMap>

#include <cstdint>
#include <vector>

namespace dorvo_preview {

struct RtMediaPlan
{
    enum class Mode
    {
        Static,
        Scroll,
        Page
    };
    // Column kinds of a row.
    enum ColumnType
    {
        Spacing = 0,
        Label = 1,
        Value = 2,
        Unit = 3,
        ValueAndUnit = 4
    };

    struct Column
    {
        int type = Spacing;
        QString align = "CENTER"; // "LEFT", "CENTER" or "RIGHT", as the column draws its text
        QString vertical = "VCENTER";
        double proportion = 0; // percent of the row width
    };
    struct Row
    {
        QString label;
        QString key; // "$t" and so on; empty for a line without "$"
        QString unit;
        QString value = "--";
    };

    static constexpr int kMaxRows = 1000;
    static constexpr int kMinPageMs = 1000;
    static constexpr int kDefaultSpeed = 60;

    Mode mode = Mode::Static;
    QString title;
    nlohmann::json titleStyle, labelStyle, valueStyle, unitStyle; // text attributes as recorded
    std::vector<Column> columns;
    std::vector<Row> rows;
    int speed = kDefaultSpeed;
    int pageMs = 5500;
    int effectType = 0;
    int effectDuration = 0;
    int updateMs = 60000;

    // Reads the widget's metadata; unusable parts are logged and left out.
    static RtMediaPlan read(const nlohmann::json& metadata);
    // The page interval for a page time in ms: 500 ms more, at least kMinPageMs.
    static int pageInterval(int64_t remainMs);
    // The rows of a template: one per non-empty line, split at its first "$".
    static std::vector<Row> rowsOf(const std::string& regular);
    QVariantMap toVariant() const;
};

} // namespace dorvo_preview
