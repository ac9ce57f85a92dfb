#pragma once

#include <QMetaType>

#include <string>
#include <vector>

namespace ns {

// A widget's rectangle on the canvas (or the canvas itself, id "window"), as
// kept in a window's rectangle registry and reported to the host.
struct ItemRectData
{
    std::string id;
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
    bool drag = false;
};

} // namespace ns

Q_DECLARE_METATYPE(ns::ItemRectData)
Q_DECLARE_METATYPE(std::vector<ns::ItemRectData>)
