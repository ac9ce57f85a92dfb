#include "weatherfeedwidget.h"

namespace dorvo_preview {

WeatherFeedWidget::WeatherFeedWidget(Window* window, QObject* parentItem, const char* typeText, int mediaType,
                                     const char* name, QObject* parent)
    : MetadataWidget(window, parentItem, typeText, mediaType, name, parent),
      feed_(this, name, [this] { weatherChanged(); })
{}

void WeatherFeedWidget::sceneCreated(QQuickItem*)
{
    pushToScene();
}

void WeatherFeedWidget::updateRunning()
{
    feed_.setRunning(active_ && !paused_);
}

void WeatherFeedWidget::widgetShow()
{
    active_ = true;
    reconcile();
    MetadataWidget::widgetShow();
    updateRunning();
}

void WeatherFeedWidget::widgetHide()
{
    active_ = false;
    updateRunning();
    MetadataWidget::widgetHide();
}

void WeatherFeedWidget::pause()
{
    paused_ = true;
    updateRunning();
    MetadataWidget::pause();
}

void WeatherFeedWidget::resume()
{
    MetadataWidget::resume();
    paused_ = false;
    updateRunning();
}

void WeatherFeedWidget::setSource(std::string source)
{
    MetadataWidget::setSource(std::move(source));
    reconcile();
    pushToScene();
}

} // namespace dorvo_preview
