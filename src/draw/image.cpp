#include "dorvo_preview.h"

#include "exportframe.h"

using namespace dorvo_preview;
using namespace dorvo_preview::frame;

const char* NImage_createWidget(void) noexcept
{
    return createFamilyWidget(DP_SITE, WidgetType::Image);
}

int NImage_setSource(const char* widgetId, const char* source) noexcept
{
    return Post(DP_SITE, MsgType::SetWidgetSource, WidgetType::Image).str1(widgetId).str2(source).send();
}

int NImage_setKeepOriginalScale(const char* widgetId, bool value) noexcept
{
    return Post(DP_SITE, MsgType::NImage_setKeepOriginalScale, WidgetType::Image)
        .str1(widgetId)
        .flag(value)
        .send();
}

int NImage_setEffectType(const char* widgetId, int value) noexcept
{
    return Post(DP_SITE, MsgType::NImage_setEffectType, WidgetType::Image)
        .str1(widgetId)
        .integer(value)
        .send();
}

int NImage_setEffectDuration(const char* widgetId, int value) noexcept
{
    return Post(DP_SITE, MsgType::NImage_setEffectDuration, WidgetType::Image)
        .str1(widgetId)
        .integer(value)
        .send();
}

int NImage_setScrollSpeed(const char* widgetId, int value) noexcept
{
    return Post(DP_SITE, MsgType::NImage_setScrollSpeed, WidgetType::Image)
        .str1(widgetId)
        .integer(value)
        .send();
}

int NImage_setScrollDirection(const char* widgetId, int value) noexcept
{
    return Post(DP_SITE, MsgType::NImage_setScrollDirection, WidgetType::Image)
        .str1(widgetId)
        .integer(value)
        .send();
}
