#pragma once

#include <nlohmann/json.hpp>

#include <string>

namespace ns {

// Position and size of a widget on the canvas, in canvas pixels.
struct WidgetLayout
{
    double x = 0;
    double y = 0;
    double width = 100;
    double height = 100;
};

// The JSON record of one widget. The members every kind shares are typed;
// each kind keeps its own settings inside `metadata` (and `fold`, when it
// spreads over several rectangles). The record is what the widget item reads
// as its `info` / `widgetStr`.
struct Widget
{
    std::string id;
    std::string type;
    int zOrder = 0;
    WidgetLayout layout;
    int duration = 0;
    std::string backgroundColor = "#00000000";
    nlohmann::json fold; // null when the widget is not folded
    nlohmann::json metadata = nlohmann::json::object();

    // Compact JSON, members in a fixed order.
    std::string toJson() const;
    // Reads a record. Members that are missing or of the wrong type keep their
    // defaults; returns false (with reason) only when text is not a JSON object.
    static bool fromJson(const std::string& text, Widget& out, std::string* reason = nullptr);
};

void to_json(nlohmann::json& j, const WidgetLayout& layout);
void from_json(const nlohmann::json& j, WidgetLayout& layout);
void to_json(nlohmann::json& j, const Widget& widget);
void from_json(const nlohmann::json& j, Widget& widget);

} // namespace ns
