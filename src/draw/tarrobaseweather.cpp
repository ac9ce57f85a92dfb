#include "dorvo_preview.h"

#include "exportframe.h"

using namespace dorvo_preview;
using namespace dorvo_preview::frame;

const char* NBaseWeather_createWidget(void) noexcept
{
    return createFamilyWidget(DP_SITE, WidgetType::BaseWeather);
}

int NBaseWeather_setSource(const char* widgetId, const char* source) noexcept
{
    return Post(DP_SITE, MsgType::SetWidgetSource, WidgetType::BaseWeather)
        .str1(widgetId)
        .str2(source)
        .send();
}

int NBaseWeather_setTemperatureUnit(const char* widgetId, int value) noexcept
{
    return Post(DP_SITE, MsgType::NBaseWeather_setTemperatureUnit, WidgetType::BaseWeather)
        .str1(widgetId)
        .integer(value)
        .send();
}

int NBaseWeather_setLocation(const char* widgetId, const char* value) noexcept
{
    return Post(DP_SITE, MsgType::NBaseWeather_setLocation, WidgetType::BaseWeather)
        .str1(widgetId)
        .str2(value)
        .send();
}

int NBaseWeather_setRefreshCycle(const char* widgetId, int value) noexcept
{
    return Post(DP_SITE, MsgType::NBaseWeather_setRefreshCycle, WidgetType::BaseWeather)
        .str1(widgetId)
        .integer(value)
        .send();
}

int NBaseWeather_setLanguage(const char* widgetId, const char* value) noexcept
{
    return Post(DP_SITE, MsgType::NBaseWeather_setLanguage, WidgetType::BaseWeather)
        .str1(widgetId)
        .str2(value)
        .send();
}

int NBaseWeather_deleteWidget(const char* widgetId) noexcept
{
    (void)widgetId;
    return 0;
}
