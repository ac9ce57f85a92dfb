#include "dorvo_preview.h"

#include "exportframe.h"

using namespace dorvo_preview;
using namespace dorvo_preview::frame;

const char* NWeather_createWidget(void) noexcept
{
    return createFamilyWidget(DP_SITE, WidgetType::Weather);
}

int NWeather_setCity(const char* widgetId, const char* value) noexcept
{
    return Post(DP_SITE, MsgType::NWeather_setCity, WidgetType::Weather).str1(widgetId).str2(value).send();
}

int NWeather_setSharpened(const char* widgetId, int value) noexcept
{
    return Post(DP_SITE, MsgType::NWeather_setSharpened, WidgetType::Weather)
        .str1(widgetId)
        .integer(value)
        .send();
}

int NWeather_setDisplay(const char* widgetId, const char* value) noexcept
{
    return Post(DP_SITE, MsgType::NWeather_setDisplay, WidgetType::Weather).str1(widgetId).str2(value).send();
}

int NWeather_setTmpUnit(const char* widgetId, const char* value) noexcept
{
    return Post(DP_SITE, MsgType::NWeather_setTmpUnit, WidgetType::Weather).str1(widgetId).str2(value).send();
}

int NWeather_setTmpSymbol(const char* widgetId, const char* value) noexcept
{
    return Post(DP_SITE, MsgType::NWeather_setTmpSymbol, WidgetType::Weather)
        .str1(widgetId)
        .str2(value)
        .send();
}

int NWeather_setCustomContent(const char* widgetId, const char* value) noexcept
{
    return Post(DP_SITE, MsgType::NWeather_setCustomContent, WidgetType::Weather)
        .str1(widgetId)
        .str2(value)
        .send();
}

int NWeather_setDisplayStyle(const char* widgetId, const char* value) noexcept
{
    return Post(DP_SITE, MsgType::NWeather_setDisplayStyle, WidgetType::Weather)
        .str1(widgetId)
        .str2(value)
        .send();
}

int NWeather_setFontStyle(const char* widgetId, const char* value) noexcept
{
    return Post(DP_SITE, MsgType::NWeather_setFontStyle, WidgetType::Weather)
        .str1(widgetId)
        .str2(value)
        .send();
}

int NWeather_setUpdateDuration(const char* widgetId, int64_t value) noexcept
{
    return Post(DP_SITE, MsgType::NWeather_setUpdateDuration, WidgetType::Weather)
        .str1(widgetId)
        .integer(value)
        .send();
}

int NWeather_setLanguage(const char* widgetId, const char* value) noexcept
{
    return Post(DP_SITE, MsgType::NWeather_setLanguage, WidgetType::Weather)
        .str1(widgetId)
        .str2(value)
        .send();
}

int NWeather_setName(const char* widgetId, const char* name) noexcept
{
    (void)widgetId;
    (void)name;
    return 0;
}
