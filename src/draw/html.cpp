#include "dorvo_preview.h"

#include "exportframe.h"

using namespace dorvo_preview;
using namespace dorvo_preview::frame;

const char* NHtml_createWidget(void)
{
    return createFamilyWidget(DP_SITE, WidgetType::Html);
}

int NHtml_setPic(const char* widgetId, const char* picture)
{
    return acceptIgnored(DP_SITE, widgetId, picture);
}

int NHtml_setName(const char* widgetId, const char* name)
{
    (void)widgetId;
    (void)name;
    return 0;
}
