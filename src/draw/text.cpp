#include "dorvo_preview.h"

#include "exportframe.h"

using namespace dorvo_preview;
using namespace dorvo_preview::frame;

const char* NText_createWidget(void) noexcept
{
    return createFamilyWidget(DP_SITE, WidgetType::Text);
}

int NText_setSource(const char* widgetId, const char* source) noexcept
{
    return Post(DP_SITE, MsgType::SetWidgetSource, WidgetType::Text).str1(widgetId).str2(source).send();
}

int NText_setDisplayType(const char* widgetId, int value) noexcept
{
    return Post(DP_SITE, MsgType::NText_setDisplayType, WidgetType::Text)
        .str1(widgetId)
        .integer(value)
        .send();
}

int NText_setPageSwitchTime(const char* widgetId, int value) noexcept
{
    return Post(DP_SITE, MsgType::NText_setPageSwitchTime, WidgetType::Text)
        .str1(widgetId)
        .integer(value)
        .send();
}

int NText_setPageSwitchAnimationType(const char* widgetId, int value) noexcept
{
    return Post(DP_SITE, MsgType::NText_setPageSwitchAnimationType, WidgetType::Text)
        .str1(widgetId)
        .integer(value)
        .send();
}

int NText_setPageSwitchAnimationTime(const char* widgetId, int value) noexcept
{
    return Post(DP_SITE, MsgType::NText_setPageSwitchAnimationTime, WidgetType::Text)
        .str1(widgetId)
        .integer(value)
        .send();
}

int NText_setBackgroundColor(const char* widgetId, const char* value) noexcept
{
    return Post(DP_SITE, MsgType::NText_setBackgroundColor, WidgetType::Text)
        .str1(widgetId)
        .str2(value)
        .send();
}

int NText_setScrollSpeed(const char* widgetId, int value) noexcept
{
    return Post(DP_SITE, MsgType::NText_setScrollSpeed, WidgetType::Text)
        .str1(widgetId)
        .integer(value)
        .send();
}

int NText_setScrollDirection(const char* widgetId, int value) noexcept
{
    return Post(DP_SITE, MsgType::NText_setScrollDirection, WidgetType::Text)
        .str1(widgetId)
        .integer(value)
        .send();
}

int NText_setScrollIsEndToEnd(const char* widgetId, bool value) noexcept
{
    return Post(DP_SITE, MsgType::NText_setScrollIsEndToEnd, WidgetType::Text)
        .str1(widgetId)
        .flag(value)
        .send();
}

int NText_setScrollHeadToTailSpacing(const char* widgetId, int value) noexcept
{
    return Post(DP_SITE, MsgType::NText_setScrollHeadToTailSpacing, WidgetType::Text)
        .str1(widgetId)
        .integer(value)
        .send();
}

int NText_setVerticalOffset(const char* widgetId, int value) noexcept
{
    return Post(DP_SITE_PLAIN, MsgType::NText_setVerticalOffset, WidgetType::Text)
        .str1(widgetId)
        .integer(value)
        .send();
}

int NText_setTextJagged(const char* widgetId, bool value) noexcept
{
    return Post(DP_SITE_PLAIN, MsgType::NText_setTextJagged, WidgetType::Text)
        .str1(widgetId)
        .flag(value)
        .send();
}

int NText_setSyncByMusic(const char* widgetId, bool value) noexcept
{
    return Post(DP_SITE_PLAIN, MsgType::NText_setSyncByMusic, WidgetType::Text)
        .str1(widgetId)
        .flag(value)
        .send();
}

int NText_setBackMusicDuration(const char* widgetId, int value) noexcept
{
    return Post(DP_SITE_PLAIN, MsgType::NText_setBackMusicDuration, WidgetType::Text)
        .str1(widgetId)
        .integer(value)
        .send();
}
