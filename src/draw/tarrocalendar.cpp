#include "dorvo_preview.h"

#include "exportframe.h"

using namespace dorvo_preview;
using namespace dorvo_preview::frame;

const char* NCalendar_createWidget(void) noexcept
{
    return createFamilyWidget(DP_SITE, WidgetType::Calendar);
}

int NCalendar_setLunarEnabled(const char* widgetId, bool value) noexcept
{
    return Post(DP_SITE, MsgType::NCalendar_setLunarEnabled, WidgetType::Calendar)
        .str1(widgetId)
        .flag(value)
        .send();
}

int NCalendar_destroyWidget(const char* widgetId) noexcept
{
    (void)widgetId;
    return 0;
}
