#include "dorvo_preview.h"

#include "exportframe.h"

#include "core/src/imagegroupwidget.h"

using namespace dorvo_preview;
using namespace dorvo_preview::frame;

const char* NImageGroup_createWidget(void)
{
    const char* id = createFamilyWidget(DP_SITE, WidgetType::ImageGroup);
    if (id) {
        // The widget starts from the default content, given as its source.
        const std::string source = ImageGroupWidget::defaultSource();
        Post(DP_SITE_PLAIN, MsgType::SetWidgetSource, WidgetType::ImageGroup)
            .str1(id)
            .str2(source.c_str())
            .send();
    }
    return id;
}

int NImageGroup_setEffectType(const char* widgetId, int value)
{
    return Post(DP_SITE_PLAIN, MsgType::NImageGroup_setEffectType, WidgetType::ImageGroup)
        .str1(widgetId)
        .integer(value)
        .send();
}

int NImageGroup_setPageDuration(const char* widgetId, int value)
{
    return Post(DP_SITE_PLAIN, MsgType::NImageGroup_setPageDuration, WidgetType::ImageGroup)
        .str1(widgetId)
        .integer(value)
        .send();
}

int NImageGroup_setEffectDuration(const char* widgetId, int value)
{
    return Post(DP_SITE_PLAIN, MsgType::NImageGroup_setEffectDuration, WidgetType::ImageGroup)
        .str1(widgetId)
        .integer(value)
        .send();
}

int NImageGroup_setDisplayType(const char* widgetId, int value)
{
    return Post(DP_SITE_PLAIN, MsgType::NImageGroup_setDisplayType, WidgetType::ImageGroup)
        .str1(widgetId)
        .integer(value)
        .send();
}

int NImageGroup_setScrollSpeed(const char* widgetId, int value)
{
    return Post(DP_SITE_PLAIN, MsgType::NImageGroup_setScrollSpeed, WidgetType::ImageGroup)
        .str1(widgetId)
        .integer(value)
        .send();
}

int NImageGroup_setPictureList(const char* widgetId, const char* value)
{
    return Post(DP_SITE_PLAIN, MsgType::NImageGroup_setPictureList, WidgetType::ImageGroup)
        .str1(widgetId)
        .str2(value)
        .send();
}

int NImageGroup_setHeaderPath(const char* widgetId, const char* value)
{
    return Post(DP_SITE_PLAIN, MsgType::NImageGroup_setHeaderPath, WidgetType::ImageGroup)
        .str1(widgetId)
        .str2(value)
        .send();
}
