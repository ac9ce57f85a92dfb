#include "dorvo_preview.h"

#include "exportframe.h"

using namespace dorvo_preview;
using namespace dorvo_preview::frame;

const char* NDigitalClock_createWidget(void) noexcept
{
    return createFamilyWidget(DP_SITE, WidgetType::DigitalClock);
}

int NDigitalClock_setGMT(const char* widgetId, const char* value) noexcept
{
    return Post(DP_SITE_PLAIN, MsgType::NDigitalClock_setGMT, WidgetType::DigitalClock)
        .str1(widgetId)
        .str2(value)
        .send();
}

int NDigitalClock_setZone(const char* widgetId, const char* value) noexcept
{
    return Post(DP_SITE_PLAIN, MsgType::NDigitalClock_setZone, WidgetType::DigitalClock)
        .str1(widgetId)
        .str2(value)
        .send();
}

int NDigitalClock_setOffset(const char* widgetId, int value) noexcept
{
    return Post(DP_SITE_PLAIN, MsgType::NDigitalClock_setOffset, WidgetType::DigitalClock)
        .str1(widgetId)
        .integer(value)
        .send();
}

int NDigitalClock_setFontStyle(const char* widgetId, const char* value) noexcept
{
    return Post(DP_SITE_PLAIN, MsgType::NDigitalClock_setFontStyle, WidgetType::DigitalClock)
        .str1(widgetId)
        .str2(value)
        .send();
}

int NDigitalClock_setWeekTemplates(const char* widgetId, const char* value) noexcept
{
    return Post(DP_SITE_PLAIN, MsgType::NDigitalClock_setWeekTemplates, WidgetType::DigitalClock)
        .str1(widgetId)
        .str2(value)
        .send();
}

int NDigitalClock_setDataTimeRegular(const char* widgetId, const char* value) noexcept
{
    return Post(DP_SITE_PLAIN, MsgType::NDigitalClock_setDataTimeRegular, WidgetType::DigitalClock)
        .str1(widgetId)
        .str2(value)
        .send();
}

int NDigitalClock_setSuffixTemplates(const char* widgetId, const char* value) noexcept
{
    return Post(DP_SITE_PLAIN, MsgType::NDigitalClock_setSuffixTemplates, WidgetType::DigitalClock)
        .str1(widgetId)
        .str2(value)
        .send();
}
