#include "dorvo_preview.h"

#include "exportframe.h"

using namespace dorvo_preview;
using namespace dorvo_preview::frame;

const char* NVideo_createWidget(void) noexcept
{
    return createFamilyWidget(DP_SITE, WidgetType::Video);
}

int NVideo_setSource(const char* widgetId, const char* source) noexcept
{
    return Post(DP_SITE, MsgType::SetWidgetSource, WidgetType::Video).str1(widgetId).str2(source).send();
}
