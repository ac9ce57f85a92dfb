#include "dorvo_preview.h"

#include "exportframe.h"

using namespace dorvo_preview;
using namespace dorvo_preview::frame;

const char* NTable_createWidget(void) noexcept
{
    return createFamilyWidget(DP_SITE, WidgetType::Table);
}

int NTable_setSource(const char* widgetId, const char* source) noexcept
{
    return Post(DP_SITE, MsgType::SetWidgetSource, WidgetType::Table).str1(widgetId).str2(source).send();
}

const char* NTable_getName(const char* widgetId) noexcept
{
    (void)widgetId;
    return nullptr;
}
