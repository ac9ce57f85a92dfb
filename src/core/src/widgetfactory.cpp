#include "widgetfactory.h"

#include "analogclockwidget.h"
#include "tarrobaseweatherwidget.h"
#include "tarroseniorweatherwidget.h"
#include "digitalclockwidget.h"
#include "colortextwidget.h"
#include "imagewidget.h"
#include "rtmediawidget.h"
#include "tablewidget.h"
#include "imagegroupwidget.h"
#include "textwidget.h"
#include "timerwidget.h"
#include "videowidget.h"
#include "weatherwidget.h"
#include "widget.h"
#include "widgetcontainer.h"
#include "tarroanalogclockwidget.h"
#include "tarrocalendarwidget.h"

#include <map>
#include <mutex>

namespace dorvo_preview {

namespace {

std::mutex g_kindsMutex;

std::map<int, WidgetFactory::Creator>& registeredKinds()
{
    static std::map<int, WidgetFactory::Creator> kinds;
    return kinds;
}

// The kinds built into the library, by interface type code.
Widget* createBuiltIn(int type, Window* window, QObject* parentItem)
{
    switch (type) {
    case 1:
        return new AnalogClockWidget(window, parentItem);
    case 2:
        return new ColorTextWidget(window, parentItem);
    case 3:
        return new DigitalClockWidget(window, parentItem);
    case 4:  // web page placeholder
    case 5:  // picture
    case 7:  // RSS placeholder
    case 9:  // stream placeholder
    case 20: // HDMI input placeholder
        return new ImageWidget(window, parentItem, type);
    case 8:
        return new RtMediaWidget(window, parentItem);
    case 10:
        return new TableWidget(window, parentItem);
    case 6:
        return new ImageGroupWidget(window, parentItem);
    case 11:
        return new TextWidget(window, parentItem);
    case 12:
        return new TimerWidget(window, parentItem);
    case 13:
        return new VideoWidget(window, parentItem);
    case 19:
        return new WidgetContainer(window, nullptr);
    case 14:
        return new TarroAnalogClockWidget(window, parentItem);
    case 16:
        return new TarroCalendarWidget(window, parentItem);
    case 18:
        return new WeatherWidget(window, parentItem);
    case 15:
        return new TarroBaseWeatherWidget(window, parentItem);
    case 17:
        return new TarroSeniorWeatherWidget(window, parentItem);
    default:
        return nullptr;
    }
}

} // namespace

Widget* WidgetFactory::create(int type, Window* window, QObject* parentItem)
{
    Creator creator;
    {
        std::lock_guard<std::mutex> lock(g_kindsMutex);
        auto it = registeredKinds().find(type);
        if (it != registeredKinds().end())
            creator = it->second;
    }
    if (creator)
        return creator(window, parentItem);
    return createBuiltIn(type, window, parentItem);
}

void WidgetFactory::registerKind(int type, Creator creator)
{
    std::lock_guard<std::mutex> lock(g_kindsMutex);
    if (creator)
        registeredKinds()[type] = std::move(creator);
    else
        registeredKinds().erase(type);
}

} // namespace dorvo_preview
