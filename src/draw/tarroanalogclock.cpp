#include "dorvo_preview.h"

#include "exportframe.h"

using namespace dorvo_preview;
using namespace dorvo_preview::frame;

const char* NTarroAnalogClock_createWidget(void) noexcept
{
    return createFamilyWidget(DP_SITE, WidgetType::TarroAnalogClock);
}

int NTarroAnalogClock_setLanguage(const char* widgetId, const char* value) noexcept
{
    return Post(DP_SITE, MsgType::NTarroAnalogClock_setLanguage, WidgetType::TarroAnalogClock)
        .str1(widgetId)
        .str2(value)
        .send();
}

int NTarroAnalogClock_destroyWidget(const char* widgetId) noexcept
{
    (void)widgetId;
    return 0;
}
