#include "dorvo_preview.h"

#include "exportframe.h"

using namespace dorvo_preview;
using namespace dorvo_preview::frame;

const char* NAnalogClock_createWidget(void) noexcept
{
    return createFamilyWidget(DP_SITE, WidgetType::AnalogClock);
}

int NAnalogClock_setTimeZone(const char* widgetId, const char* value) noexcept
{
    return Post(DP_SITE, MsgType::NAnalogClock_setTimeZone, WidgetType::AnalogClock)
        .str1(widgetId)
        .str2(value)
        .send();
}

int NAnalogClock_setHourMarkerStyle(const char* widgetId, const char* value) noexcept
{
    return Post(DP_SITE, MsgType::NAnalogClock_setHourMarkerStyle, WidgetType::AnalogClock)
        .str1(widgetId)
        .str2(value)
        .send();
}

int NAnalogClock_setMinMarkerStyle(const char* widgetId, const char* value) noexcept
{
    return Post(DP_SITE, MsgType::NAnalogClock_setMinMarkerStyle, WidgetType::AnalogClock)
        .str1(widgetId)
        .str2(value)
        .send();
}

int NAnalogClock_setHourMarkerColor(const char* widgetId, const char* value) noexcept
{
    return Post(DP_SITE, MsgType::NAnalogClock_setHourMarkerColor, WidgetType::AnalogClock)
        .str1(widgetId)
        .str2(value)
        .send();
}

int NAnalogClock_setMinMarkerColor(const char* widgetId, const char* value) noexcept
{
    return Post(DP_SITE, MsgType::NAnalogClock_setMinMarkerColor, WidgetType::AnalogClock)
        .str1(widgetId)
        .str2(value)
        .send();
}

int NAnalogClock_setSecMarkerColor(const char* widgetId, const char* value) noexcept
{
    return Post(DP_SITE, MsgType::NAnalogClock_setSecMarkerColor, WidgetType::AnalogClock)
        .str1(widgetId)
        .str2(value)
        .send();
}

int NAnalogClock_setDateVisible(const char* widgetId, bool value) noexcept
{
    return Post(DP_SITE, MsgType::NAnalogClock_setDateVisible, WidgetType::AnalogClock)
        .str1(widgetId)
        .flag(value)
        .send();
}

int NAnalogClock_setDateFontStyle(const char* widgetId, const char* value) noexcept
{
    return Post(DP_SITE, MsgType::NAnalogClock_setDateFontStyle, WidgetType::AnalogClock)
        .str1(widgetId)
        .str2(value)
        .send();
}

int NAnalogClock_setContent(const char* widgetId, const char* value) noexcept
{
    return Post(DP_SITE, MsgType::NAnalogClock_setContent, WidgetType::AnalogClock)
        .str1(widgetId)
        .str2(value)
        .send();
}

int NAnalogClock_setFontStyle(const char* widgetId, const char* value) noexcept
{
    return Post(DP_SITE, MsgType::NAnalogClock_setFontStyle, WidgetType::AnalogClock)
        .str1(widgetId)
        .str2(value)
        .send();
}

int NAnalogClock_setName(const char* widgetId, const char* name) noexcept
{
    (void)widgetId;
    (void)name;
    return 0;
}
