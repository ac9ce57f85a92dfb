#include "dorvo_preview.h"

#include "exportframe.h"

using namespace dorvo_preview;
using namespace dorvo_preview::frame;

const char* NSeniorWeather_createWidget(void) noexcept
{
    return createFamilyWidget(DP_SITE, WidgetType::SeniorWeather);
}

int NSeniorWeather_setSource(const char* widgetId, const char* source) noexcept
{
    return Post(DP_SITE, MsgType::SetWidgetSource, WidgetType::SeniorWeather)
        .str1(widgetId)
        .str2(source)
        .send();
}

int NSeniorWeather_setStyle(const char* widgetId, int value) noexcept
{
    return Post(DP_SITE, MsgType::NSeniorWeather_setStyle, WidgetType::SeniorWeather)
        .str1(widgetId)
        .integer(value)
        .send();
}

int NSeniorWeather_setLocation(const char* widgetId, const char* value) noexcept
{
    return Post(DP_SITE, MsgType::NSeniorWeather_setLocation, WidgetType::SeniorWeather)
        .str1(widgetId)
        .str2(value)
        .send();
}

int NSeniorWeather_setRefreshCycle(const char* widgetId, int value) noexcept
{
    return Post(DP_SITE, MsgType::NSeniorWeather_setRefreshCycle, WidgetType::SeniorWeather)
        .str1(widgetId)
        .integer(value)
        .send();
}

int NSeniorWeather_setRefreshTime(const char* widgetId, int value) noexcept
{
    return Post(DP_SITE, MsgType::NSeniorWeather_setRefreshTime, WidgetType::SeniorWeather)
        .str1(widgetId)
        .integer(value)
        .send();
}

int NSeniorWeather_setBaseInfoEnabled(const char* widgetId, bool value) noexcept
{
    return Post(DP_SITE, MsgType::NSeniorWeather_setBaseInfoEnabled, WidgetType::SeniorWeather)
        .str1(widgetId)
        .flag(value)
        .send();
}

int NSeniorWeather_setAirQualityEnabled(const char* widgetId, bool value) noexcept
{
    return Post(DP_SITE, MsgType::NSeniorWeather_setAirQualityEnabled, WidgetType::SeniorWeather)
        .str1(widgetId)
        .flag(value)
        .send();
}

int NSeniorWeather_setComfortEnabled(const char* widgetId, bool value) noexcept
{
    return Post(DP_SITE, MsgType::NSeniorWeather_setComfortEnabled, WidgetType::SeniorWeather)
        .str1(widgetId)
        .flag(value)
        .send();
}

int NSeniorWeather_setSpeedAndPressureEnabled(const char* widgetId, bool value) noexcept
{
    return Post(DP_SITE, MsgType::NSeniorWeather_setSpeedAndPressureEnabled, WidgetType::SeniorWeather)
        .str1(widgetId)
        .flag(value)
        .send();
}

int NSeniorWeather_setSunriseAndSunsetEnabled(const char* widgetId, bool value) noexcept
{
    return Post(DP_SITE, MsgType::NSeniorWeather_setSunriseAndSunsetEnabled, WidgetType::SeniorWeather)
        .str1(widgetId)
        .flag(value)
        .send();
}

int NSeniorWeather_setLivingIndexEnabled(const char* widgetId, bool value) noexcept
{
    return Post(DP_SITE, MsgType::NSeniorWeather_setLivingIndexEnabled, WidgetType::SeniorWeather)
        .str1(widgetId)
        .flag(value)
        .send();
}

int NSeniorWeather_setTemperatureUnit(const char* widgetId, int value) noexcept
{
    return Post(DP_SITE, MsgType::NSeniorWeather_setTemperatureUnit, WidgetType::SeniorWeather)
        .str1(widgetId)
        .integer(value)
        .send();
}

int NSeniorWeather_setPageSwitchTime(const char* widgetId, int value) noexcept
{
    return Post(DP_SITE, MsgType::NSeniorWeather_setPageSwitchTime, WidgetType::SeniorWeather)
        .str1(widgetId)
        .integer(value)
        .send();
}

int NSeniorWeather_setIsDomestic(const char* widgetId, bool value) noexcept
{
    return Post(DP_SITE, MsgType::NSeniorWeather_setIsDomestic, WidgetType::SeniorWeather)
        .str1(widgetId)
        .flag(value)
        .send();
}

int NSeniorWeather_setLanguage(const char* widgetId, const char* value) noexcept
{
    return Post(DP_SITE, MsgType::NSeniorWeather_setLanguage, WidgetType::SeniorWeather)
        .str1(widgetId)
        .str2(value)
        .send();
}

int NSeniorWeather_destroyWidget(const char* widgetId) noexcept
{
    (void)widgetId;
    return 0;
}
