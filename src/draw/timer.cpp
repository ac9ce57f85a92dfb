#include "dorvo_preview.h"

#include "exportframe.h"

using namespace dorvo_preview;
using namespace dorvo_preview::frame;

const char* NTimer_createWidget(void) noexcept
{
    return createFamilyWidget(DP_SITE, WidgetType::Timer);
}

int NTimer_setBackground(const char* widgetId, const char* color) noexcept
{
    return Post(DP_SITE, MsgType::SetWidgetBackgroundColor, WidgetType::Timer)
        .str1(widgetId)
        .str2(color)
        .send();
}

int NTimer_setModel(const char* widgetId, int value) noexcept
{
    return Post(DP_SITE, MsgType::NTimer_setModel, WidgetType::Timer).str1(widgetId).integer(value).send();
}

int NTimer_setDataTimeStyle(const char* widgetId, const char* value) noexcept
{
    return Post(DP_SITE, MsgType::NTimer_setDataTimeStyle, WidgetType::Timer)
        .str1(widgetId)
        .str2(value)
        .send();
}

int NTimer_setContent(const char* widgetId, const char* value) noexcept
{
    return Post(DP_SITE, MsgType::NTimer_setContent, WidgetType::Timer).str1(widgetId).str2(value).send();
}

int NTimer_setDisplayStyle(const char* widgetId, const char* value) noexcept
{
    return Post(DP_SITE, MsgType::NTimer_setDisplayStyle, WidgetType::Timer)
        .str1(widgetId)
        .str2(value)
        .send();
}

int NTimer_setFontStyle(const char* widgetId, const char* value) noexcept
{
    return Post(DP_SITE, MsgType::NTimer_setFontStyle, WidgetType::Timer).str1(widgetId).str2(value).send();
}

int NTimer_setName(const char* widgetId, const char* name) noexcept
{
    (void)widgetId;
    (void)name;
    return 0;
}
