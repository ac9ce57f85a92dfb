#pragma once

#include "core/appcommon/itemrectdata.h"
#include "core/appcommon/widgetrecord.h"
#include "core/src/widgetborder.h"

#include <QString>

namespace dorvo_preview {

// State of a widget shared by the base and the widget kinds: the record the
// widget item reads, the rectangle last reported to the host and the frame's
// bookkeeping.
struct WidgetPrivate
{
    ns::Widget record;
    ns::ItemRectData rect;
    bool pressed = false;
    int interval = 0;
    QString musicInfo;
    WidgetBorder border;
};

} // namespace dorvo_preview
