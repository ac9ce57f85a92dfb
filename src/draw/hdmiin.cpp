#include "dorvo_preview.h"

#include "exportframe.h"

using namespace dorvo_preview;
using namespace dorvo_preview::frame;

const char* NHdmi_createWidget(void) noexcept
{
    return createFamilyWidget(DP_SITE, WidgetType::Hdmi);
}

int NHdmi_setPic(const char* widgetId, const char* picture) noexcept
{
    return acceptIgnored(DP_SITE, widgetId, picture);
}

int NHdmi_setName(const char* widgetId, const char* name) noexcept
{
    (void)widgetId;
    (void)name;
    return 0;
}
