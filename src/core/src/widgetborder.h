#pragma once

#include <string>

namespace dorvo_preview {

// The decorative border of a widget: style, thickness, colours, the picture
// of style 102, direction and speed. The widget keeps one and hands its
// description to the widget item, whose border scene draws it.
struct WidgetBorder
{
    static constexpr const char* kDefaultBackColor = "#FF00B0F0";
    static constexpr const char* kDefaultGraColor = "#FFC00000";
    static constexpr int kDefaultWidth = 10;
    // Thicker borders are refused.
    static constexpr int kMaxWidth = 1000;
    // Speeds above this (pixels per second) are refused.
    static constexpr int kMaxSpeed = 500;

    int style = 0;
    int width = kDefaultWidth;
    std::string backColor = kDefaultBackColor;
    std::string graColor = kDefaultGraColor;
    std::string imagePath;
    std::string animation = "CLOCK_WISE";
    int speed = 60;

    // Whether a style code names a border (0 names none).
    static bool knownStyle(int style);
    // Whether there is anything to draw.
    bool visible() const { return style != 0 && width > 0; }
    // The description the border scene reads (compact JSON).
    std::string toJson() const;
};

} // namespace dorvo_preview
