#pragma once

// The base of the weather widgets: a MetadataWidget whose WeatherFeed runs
// while the widget is shown and not paused. A kind hands the record's query
// and period to the feed (reconcile) and shows the feed's answer (pushToScene);
// the scene is rebuilt by setters, the answer is kept, so no rebuild fetches.

#include "metadatawidget.h"
#include "weatherfeed.h"

namespace dorvo_preview {

class WeatherFeedWidget : public MetadataWidget
{
    Q_OBJECT
public:
    WeatherFeedWidget(Window* window, QObject* parentItem, const char* typeText, int mediaType,
                      const char* name, QObject* parent = nullptr);

    bool requestInFlight() const { return feed_.inFlight(); }

    void widgetShow() override;
    void widgetHide() override;
    void pause() override;
    void resume() override;

public Q_SLOTS:
    void setSource(std::string source);

protected:
    // Hands the record's query and period to the feed.
    virtual void reconcile() = 0;
    // Shows the feed's answer, or its absence, in the scene.
    virtual void pushToScene() = 0;
    // The feed's answer changed.
    virtual void weatherChanged() { pushToScene(); }
    void sceneCreated(QQuickItem* content) override;
    WeatherFeed& feed() { return feed_; }
    const WeatherFeed& feed() const { return feed_; }

private:
    void updateRunning();

    WeatherFeed feed_;
    bool active_ = false;
    bool paused_ = false;
};

} // namespace dorvo_preview
