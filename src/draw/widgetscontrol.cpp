#include "dorvo_preview.h"

#include "exportframe.h"

using namespace dorvo_preview;
using namespace dorvo_preview::frame;

int destroyWidgetContainer(const char* containerId) noexcept
{
    return Post(DP_SITE, MsgType::DestroyWidgetContainer).str1(containerId).send();
}

int setEmptyContainerText(const char* containerId, const char* text) noexcept
{
    return Post(DP_SITE, MsgType::SetEmptyContainerText).str1(containerId).str2(text).send();
}

int setEmptyContainerPixelSize(const char* containerId, int pixelSize) noexcept
{
    return Post(DP_SITE, MsgType::SetEmptyContainerPixelSize).str1(containerId).integer(pixelSize).send();
}

int deleteWidgetFromContainer(const char* containerId, const char* widgetId) noexcept
{
    return Post(DP_SITE, MsgType::DeleteWidgetFromContainer).str1(containerId).str2(widgetId).send();
}

int startPreviewFromContainer(const char* containerId) noexcept
{
    return Post(DP_SITE, MsgType::StartPreviewFromContainer).str1(containerId).send();
}

int switchContainerIndex(const char* containerId, const char* widgetId) noexcept
{
    return Post(DP_SITE, MsgType::SwitchContainerIndex).str1(containerId).str2(widgetId).send();
}

int widgetUpFromContainer(const char* containerId, const char* widgetId) noexcept
{
    return Post(DP_SITE, MsgType::WidgetUpFromContainer).str1(containerId).str2(widgetId).send();
}

int widgetDownFromContainer(const char* containerId, const char* widgetId) noexcept
{
    return Post(DP_SITE, MsgType::WidgetDownFromContainer).str1(containerId).str2(widgetId).send();
}

int widgetInsertFromContainer(const char* containerId, const char* widgetId, int index) noexcept
{
    return Post(DP_SITE, MsgType::WidgetInsertFromContainer)
        .str1(containerId)
        .str2(widgetId)
        .integer(index)
        .send();
}

const char* createWidget(int type, const char* containerId, const char* defaultContent) noexcept
{
    return createWidget(DP_SITE, type, containerId, defaultContent);
}

const char* createWidgetContainer(const char* defaultContent) noexcept
{
    return createWidgetContainer(DP_SITE, defaultContent);
}

int addWidget(const char* targetId, const char* widgetId) noexcept
{
    return Post(DP_SITE, MsgType::AddWidget).str1(targetId).str2(widgetId).send();
}

int deleteWidget(const char* widgetId) noexcept
{
    return Post(DP_SITE, MsgType::DeleteWidget).str1(widgetId).send();
}

int setWidgetBorderType(const char* widgetId, int type, const char* borderPath) noexcept
{
    return Post(DP_SITE, MsgType::SetWidgetBorderType).str1(widgetId).integer(type).str2(borderPath).send();
}

int setWidgetBorderWidth(const char* widgetId, int width) noexcept
{
    return Post(DP_SITE, MsgType::SetWidgetBorderWidth).str1(widgetId).integer(width).send();
}

int setWidgetBorderBackColor(const char* widgetId, const char* color) noexcept
{
    return Post(DP_SITE, MsgType::SetWidgetBorderBackColor).str1(widgetId).str2(color).send();
}

int setWidgetBorderGraColor(const char* widgetId, const char* colors) noexcept
{
    return Post(DP_SITE, MsgType::SetWidgetBorderGraColor).str1(widgetId).str2(colors).send();
}

int setWidgetBorderScrollSpeed(const char* widgetId, int speed) noexcept
{
    return Post(DP_SITE, MsgType::SetWidgetBorderScrollSpeed).str1(widgetId).integer(speed).send();
}

int setWidgetBorderDirection(const char* widgetId, int direction) noexcept
{
    return Post(DP_SITE, MsgType::SetWidgetBorderDirection).str1(widgetId).integer(direction).send();
}

int setWidgetBackMusic(const char* widgetId, const char* musicInfo) noexcept
{
    return Post(DP_SITE, MsgType::SetWidgetBackMusic).str1(widgetId).str2(musicInfo).send();
}

int setWidgetBackMusicDuration(const char* widgetId, int duration) noexcept
{
    return Post(DP_SITE, MsgType::SetWidgetBackMusicDuration).str1(widgetId).integer(duration).send();
}

int setWidgetDragEnable(const char* widgetId, bool enable) noexcept
{
    return Post(DP_SITE, MsgType::SetWidgetDragEnable).str1(widgetId).flag(enable).send();
}

int setWidgetContainerEnable(const char* containerId, bool enable) noexcept
{
    return Post(DP_SITE, MsgType::SetWidgetContainerEnable).str1(containerId).flag(enable).send();
}

int grabWidgetImage(const char* widgetId, const char* path, bool autoUpdate) noexcept
{
    return Post(DP_SITE, MsgType::GrabWidgetImage).str1(widgetId).str2(path).flag(autoUpdate).send();
}

int setWidgetVisible(const char* widgetId, bool visible) noexcept
{
    return Post(DP_SITE, MsgType::SetWidgetVisible).str1(widgetId).flag(visible).send();
}

int setDisplayRatio(const char* widgetId, const char* ratio) noexcept
{
    return Post(DP_SITE, MsgType::SetDisplayRatio, WidgetType::Video).str1(widgetId).str2(ratio).send();
}

int setWidgetX(const char* widgetId, float x) noexcept
{
    return Post(DP_SITE, MsgType::SetWidgetX).str1(widgetId).real(x).send();
}

int setWidgetY(const char* widgetId, float y) noexcept
{
    return Post(DP_SITE, MsgType::SetWidgetY).str1(widgetId).real(y).send();
}

int setWidgetZ(const char* widgetId, int z) noexcept
{
    return Post(DP_SITE, MsgType::SetWidgetZ).str1(widgetId).real(static_cast<float>(z)).send();
}

int setWidgetWidth(const char* widgetId, float width) noexcept
{
    return Post(DP_SITE, MsgType::SetWidgetWidth).str1(widgetId).real(width).send();
}

int setWidgetHeight(const char* widgetId, float height) noexcept
{
    return Post(DP_SITE, MsgType::SetWidgetHeight).str1(widgetId).real(height).send();
}

int selectWidgetBorder(const char* widgetId, bool selected) noexcept
{
    return Post(DP_SITE, MsgType::SelectWidget).str1(widgetId).flag(selected).send();
}

int setWidgetInterval(const char* widgetId, int seconds) noexcept
{
    return Post(DP_SITE, MsgType::SetWidgetInterval).str1(widgetId).integer(seconds).send();
}
