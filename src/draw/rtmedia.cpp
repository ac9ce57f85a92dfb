#include "dorvo_preview.h"

#include "exportframe.h"

using namespace dorvo_preview;
using namespace dorvo_preview::frame;

const char* NRtMedia_createWidget(void) noexcept
{
    return createFamilyWidget(DP_SITE, WidgetType::RtMedia);
}

int NRtMedia_setFontFamily(const char* widgetId, const char* value) noexcept
{
    return Post(DP_SITE_PLAIN, MsgType::NRtMedia_setFontFamily, WidgetType::RtMedia)
        .str1(widgetId)
        .str2(value)
        .send();
}

int NRtMedia_setTextColor(const char* widgetId, const char* value) noexcept
{
    return Post(DP_SITE, MsgType::NRtMedia_setTextColor, WidgetType::RtMedia)
        .str1(widgetId)
        .str2(value)
        .send();
}

int NRtMedia_setBold(const char* widgetId, bool value) noexcept
{
    return Post(DP_SITE, MsgType::NRtMedia_setBold, WidgetType::RtMedia).str1(widgetId).flag(value).send();
}

int NRtMedia_setItalic(const char* widgetId, bool value) noexcept
{
    return Post(DP_SITE, MsgType::NRtMedia_setItalic, WidgetType::RtMedia).str1(widgetId).flag(value).send();
}

int NRtMedia_setUnderLine(const char* widgetId, bool value) noexcept
{
    return Post(DP_SITE, MsgType::NRtMedia_setUnderLine, WidgetType::RtMedia)
        .str1(widgetId)
        .flag(value)
        .send();
}

int NRtMedia_setLabelPixelSize(const char* widgetId, int value) noexcept
{
    return Post(DP_SITE, MsgType::NRtMedia_setLabelPixelSize, WidgetType::RtMedia)
        .str1(widgetId)
        .integer(value)
        .send();
}

int NRtMedia_setValuePixelSize(const char* widgetId, int value) noexcept
{
    return Post(DP_SITE, MsgType::NRtMedia_setValuePixelSize, WidgetType::RtMedia)
        .str1(widgetId)
        .integer(value)
        .send();
}

int NRtMedia_setUnitPixelSize(const char* widgetId, int value) noexcept
{
    return Post(DP_SITE, MsgType::NRtMedia_setUnitPixelSize, WidgetType::RtMedia)
        .str1(widgetId)
        .integer(value)
        .send();
}

int NRtMedia_setAlignStyles(const char* widgetId, int value) noexcept
{
    return Post(DP_SITE, MsgType::NRtMedia_setAlignStyles, WidgetType::RtMedia)
        .str1(widgetId)
        .integer(value)
        .send();
}

int NRtMedia_setDisplayStyle(const char* widgetId, int value) noexcept
{
    return Post(DP_SITE, MsgType::NRtMedia_setDisplayStyle, WidgetType::RtMedia)
        .str1(widgetId)
        .integer(value)
        .send();
}

int NRtMedia_setScrollType(const char* widgetId, int value) noexcept
{
    return Post(DP_SITE, MsgType::NRtMedia_setScrollType, WidgetType::RtMedia)
        .str1(widgetId)
        .integer(value)
        .send();
}

int NRtMedia_setScrollSpeed(const char* widgetId, int value) noexcept
{
    return Post(DP_SITE, MsgType::NRtMedia_setScrollSpeed, WidgetType::RtMedia)
        .str1(widgetId)
        .integer(value)
        .send();
}

int NRtMedia_setPlayTime(const char* widgetId, int value) noexcept
{
    return Post(DP_SITE, MsgType::NRtMedia_setPlayTime, WidgetType::RtMedia)
        .str1(widgetId)
        .integer(value)
        .send();
}

int NRtMedia_setRegular(const char* widgetId, const char* value) noexcept
{
    return Post(DP_SITE, MsgType::NRtMedia_setRegular, WidgetType::RtMedia).str1(widgetId).str2(value).send();
}

int NRtMedia_setRegularContents(const char* widgetId, const char* value) noexcept
{
    return Post(DP_SITE, MsgType::NRtMedia_setRegularContents, WidgetType::RtMedia)
        .str1(widgetId)
        .str2(value)
        .send();
}

int NRtMedia_setTemperatureUnit(const char* widgetId, int value) noexcept
{
    return Post(DP_SITE, MsgType::NRtMedia_setTemperatureUnit, WidgetType::RtMedia)
        .str1(widgetId)
        .integer(value)
        .send();
}

int NRtMedia_setTemperatureCompensation(const char* widgetId, int value) noexcept
{
    return Post(DP_SITE, MsgType::NRtMedia_setTemperatureCompensation, WidgetType::RtMedia)
        .str1(widgetId)
        .integer(value)
        .send();
}

int NRtMedia_setPageSwitchAnimation(const char* widgetId, int value) noexcept
{
    return Post(DP_SITE, MsgType::NRtMedia_setPageSwitchAnimation, WidgetType::RtMedia)
        .str1(widgetId)
        .integer(value)
        .send();
}

int NRtMedia_setPageSwitchAnimationTime(const char* widgetId, int value) noexcept
{
    return Post(DP_SITE, MsgType::NRtMedia_setPageSwitchAnimationTime, WidgetType::RtMedia)
        .str1(widgetId)
        .integer(value)
        .send();
}

int NRtMedia_setPageSwitchTime(const char* widgetId, int value) noexcept
{
    return Post(DP_SITE, MsgType::NRtMedia_setPageSwitchTime, WidgetType::RtMedia)
        .str1(widgetId)
        .integer(value)
        .send();
}

int NRtMedia_setUpdateDuration(const char* widgetId, int value) noexcept
{
    return Post(DP_SITE, MsgType::NRtMedia_setUpdateDuration, WidgetType::RtMedia)
        .str1(widgetId)
        .integer(value)
        .send();
}
