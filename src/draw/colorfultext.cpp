#include "dorvo_preview.h"

#include "exportframe.h"

#include "core/src/colortextwidget.h"

using namespace dorvo_preview;
using namespace dorvo_preview::frame;

const char* NColorfulText_createWidget(void) noexcept
{
    return createFamilyWidget(DP_SITE, WidgetType::ColorfulText, &ColorTextWidget::defaultSource);
}

int NColorfulText_setColorfulEnable(const char* widgetId, bool value) noexcept
{
    return Post(DP_SITE_PLAIN, MsgType::NColorfulText_setColorfulEnable, WidgetType::ColorfulText)
        .str1(widgetId)
        .flag(value)
        .send();
}

int NColorfulText_setColors(const char* widgetId, const char* value) noexcept
{
    return Post(DP_SITE_PLAIN, MsgType::NColorfulText_setColors, WidgetType::ColorfulText)
        .str1(widgetId)
        .str2(value)
        .send();
}

int NColorfulText_setColorfulType(const char* widgetId, int value) noexcept
{
    return Post(DP_SITE_PLAIN, MsgType::NColorfulText_setColorfulType, WidgetType::ColorfulText)
        .str1(widgetId)
        .integer(value)
        .send();
}

int NColorfulText_setTexturePath(const char* widgetId, const char* value) noexcept
{
    return Post(DP_SITE_PLAIN, MsgType::NColorfulText_setTexturePath, WidgetType::ColorfulText)
        .str1(widgetId)
        .str2(value)
        .send();
}

int NColorfulText_setStroke(const char* widgetId, bool value) noexcept
{
    return Post(DP_SITE_PLAIN, MsgType::NColorfulText_setStroke, WidgetType::ColorfulText)
        .str1(widgetId)
        .flag(value)
        .send();
}

int NColorfulText_setStrokeWidth(const char* widgetId, int value) noexcept
{
    return Post(DP_SITE_PLAIN, MsgType::NColorfulText_setStrokeWidth, WidgetType::ColorfulText)
        .str1(widgetId)
        .integer(value)
        .send();
}

int NColorfulText_setStrokeColor(const char* widgetId, const char* value) noexcept
{
    return Post(DP_SITE_PLAIN, MsgType::NColorfulText_setStrokeColor, WidgetType::ColorfulText)
        .str1(widgetId)
        .str2(value)
        .send();
}

int NColorfulText_setDisplayType(const char* widgetId, int value) noexcept
{
    return Post(DP_SITE_PLAIN, MsgType::NColorfulText_setDisplayType, WidgetType::ColorfulText)
        .str1(widgetId)
        .integer(value)
        .send();
}

int NColorfulText_setBackgroundColor(const char* widgetId, const char* value) noexcept
{
    return Post(DP_SITE_PLAIN, MsgType::NColorfulText_setBackgroundColor, WidgetType::ColorfulText)
        .str1(widgetId)
        .str2(value)
        .send();
}

int NColorfulText_setBlink(const char* widgetId, bool value) noexcept
{
    return Post(DP_SITE_PLAIN, MsgType::NColorfulText_setBlink, WidgetType::ColorfulText)
        .str1(widgetId)
        .flag(value)
        .send();
}

int NColorfulText_setYOffset(const char* widgetId, int value) noexcept
{
    return Post(DP_SITE_PLAIN, MsgType::NColorfulText_setYOffset, WidgetType::ColorfulText)
        .str1(widgetId)
        .integer(value)
        .send();
}

int NColorfulText_setText(const char* widgetId, const char* value) noexcept
{
    return Post(DP_SITE_PLAIN, MsgType::NColorfulText_setText, WidgetType::ColorfulText)
        .str1(widgetId)
        .str2(value)
        .send();
}

int NColorfulText_setTextColor(const char* widgetId, const char* value) noexcept
{
    return Post(DP_SITE_PLAIN, MsgType::NColorfulText_setTextColor, WidgetType::ColorfulText)
        .str1(widgetId)
        .str2(value)
        .send();
}

int NColorfulText_setFontSize(const char* widgetId, int value) noexcept
{
    return Post(DP_SITE_PLAIN, MsgType::NColorfulText_setFontSize, WidgetType::ColorfulText)
        .str1(widgetId)
        .integer(value)
        .send();
}

int NColorfulText_setFontFamily(const char* widgetId, const char* value) noexcept
{
    return Post(DP_SITE_PLAIN, MsgType::NColorfulText_setFontFamily, WidgetType::ColorfulText)
        .str1(widgetId)
        .str2(value)
        .send();
}

int NColorfulText_setFontBold(const char* widgetId, bool value) noexcept
{
    return Post(DP_SITE_PLAIN, MsgType::NColorfulText_setFontBold, WidgetType::ColorfulText)
        .str1(widgetId)
        .flag(value)
        .send();
}

int NColorfulText_setFontItalic(const char* widgetId, bool value) noexcept
{
    return Post(DP_SITE_PLAIN, MsgType::NColorfulText_setFontItalic, WidgetType::ColorfulText)
        .str1(widgetId)
        .flag(value)
        .send();
}

int NColorfulText_setFontUnderline(const char* widgetId, bool value) noexcept
{
    return Post(DP_SITE_PLAIN, MsgType::NColorfulText_setFontUnderline, WidgetType::ColorfulText)
        .str1(widgetId)
        .flag(value)
        .send();
}

int NColorfulText_setLineSpacing(const char* widgetId, int value) noexcept
{
    return Post(DP_SITE_PLAIN, MsgType::NColorfulText_setLineSpacing, WidgetType::ColorfulText)
        .str1(widgetId)
        .integer(value)
        .send();
}

int NColorfulText_setLetterSpacing(const char* widgetId, int value) noexcept
{
    return Post(DP_SITE_PLAIN, MsgType::NColorfulText_setLetterSpacing, WidgetType::ColorfulText)
        .str1(widgetId)
        .integer(value)
        .send();
}

int NColorfulText_setVerticalAlignment(const char* widgetId, int value) noexcept
{
    return Post(DP_SITE_PLAIN, MsgType::NColorfulText_setVerticalAlignment, WidgetType::ColorfulText)
        .str1(widgetId)
        .integer(value)
        .send();
}

int NColorfulText_setHorizontalAlignment(const char* widgetId, int value) noexcept
{
    return Post(DP_SITE_PLAIN, MsgType::NColorfulText_setHorizontalAlignment, WidgetType::ColorfulText)
        .str1(widgetId)
        .integer(value)
        .send();
}

int NColorfulText_setScrollType(const char* widgetId, int value) noexcept
{
    return Post(DP_SITE_PLAIN, MsgType::NColorfulText_setScrollType, WidgetType::ColorfulText)
        .str1(widgetId)
        .integer(value)
        .send();
}

int NColorfulText_setScrollSpeed(const char* widgetId, int value) noexcept
{
    return Post(DP_SITE_PLAIN, MsgType::NColorfulText_setScrollSpeed, WidgetType::ColorfulText)
        .str1(widgetId)
        .integer(value)
        .send();
}

int NColorfulText_setScrollHeadTail(const char* widgetId, bool value) noexcept
{
    return Post(DP_SITE_PLAIN, MsgType::NColorfulText_setScrollHeadTail, WidgetType::ColorfulText)
        .str1(widgetId)
        .flag(value)
        .send();
}

int NColorfulText_setScrollDirection(const char* widgetId, int value) noexcept
{
    return Post(DP_SITE_PLAIN, MsgType::NColorfulText_setScrollDirection, WidgetType::ColorfulText)
        .str1(widgetId)
        .integer(value)
        .send();
}

int NColorfulText_setScrollHeadTailSpacing(const char* widgetId, int value) noexcept
{
    return Post(DP_SITE_PLAIN, MsgType::NColorfulText_setScrollHeadTailSpacing, WidgetType::ColorfulText)
        .str1(widgetId)
        .integer(value)
        .send();
}
