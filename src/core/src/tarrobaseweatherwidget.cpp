#include "tarrobaseweatherwidget.h"

#include "tarroweather.h"

#include <QDateTime>
#include <QQuickItem>

namespace dorvo_preview {

TarroBaseWeatherWidget::TarroBaseWeatherWidget(Window* window, QObject* parentItem, QObject* parent)
    : TarroWeatherWidget(window, parentItem, "TARRO_BASE_WEATHER", 22, "TarroBaseWeatherWidget", false,
                         parent)
{}

void TarroBaseWeatherWidget::addDefaults(nlohmann::json& m)
{
    ns::BaseWeather defaults;
    defaults.language = "zh";
    defaults.temperatureUnit = "Celsius";
    defaults.isShowUnit = true;
    defaults.refreshPeriod = 1800;
    ns::from_json(m, defaults);
    nlohmann::json j;
    ns::to_json(j, defaults);
    m = j;
}

void TarroBaseWeatherWidget::pushToScene()
{
    QQuickItem* scene = contentItem();
    if (!scene)
        return;
    scene->setProperty("panel", TarroWeather::basePanel(baseSettings(),
                                                        feed().hasAnswer() ? &feed().answer() : nullptr,
                                                        QDateTime::currentMSecsSinceEpoch()));
}

} // namespace dorvo_preview
