#include "dorvo_preview.h"

#include "exportframe.h"

#include "core/src/imagegroupwidget.h"

using namespace dorvo_preview;
using namespace dorvo_preview::frame;

const char* NImageGroup_createWidget(void) noexcept
{
    return createFamilyWidget(DP_SITE, WidgetType::ImageGroup, &ImageGroupWidget::defaultSource);
}

int NImageGroup_setEffectType(const char* widgetId, int value) noexcept
{
    return Post(DP_SITE_PLAIN, MsgType::NImageGroup_setEffectType, WidgetType::ImageGroup)
        .str1(widgetId)
        .integer(value)
        .send();
}

int NImageGroup_setPageDuration(const char* widgetId, int value) noexcept
{
    return Post(DP_SITE_PLAIN, MsgType::NImageGroup_setPageDuration, WidgetType::ImageGroup)
        .str1(widgetId)
        .integer(value)
        .send();
}

int NImageGroup_setEffectDuration(const char* widgetId, int value) noexcept
{
    return Post(DP_SITE_PLAIN, MsgType::NImageGroup_setEffectDuration, WidgetType::ImageGroup)
        .str1(widgetId)
        .integer(value)
        .send();
}

int NImageGroup_setDisplayType(const char* widgetId, int value) noexcept
{
    return Post(DP_SITE_PLAIN, MsgType::NImageGroup_setDisplayType, WidgetType::ImageGroup)
        .str1(widgetId)
        .integer(value)
        .send();
}

int NImageGroup_setScrollSpeed(const char* widgetId, int value) noexcept
{
    return Post(DP_SITE_PLAIN, MsgType::NImageGroup_setScrollSpeed, WidgetType::ImageGroup)
        .str1(widgetId)
        .integer(value)
        .send();
}

int NImageGroup_setPictureList(const char* widgetId, const char* value) noexcept
{
    return Post(DP_SITE_PLAIN, MsgType::NImageGroup_setPictureList, WidgetType::ImageGroup)
        .str1(widgetId)
        .str2(value)
        .send();
}

int NImageGroup_setHeaderPath(const char* widgetId, const char* value) noexcept
{
    return Post(DP_SITE_PLAIN, MsgType::NImageGroup_setHeaderPath, WidgetType::ImageGroup)
        .str1(widgetId)
        .str2(value)
        .send();
}
