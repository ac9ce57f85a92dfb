#pragma once

// A widget that plays one video file in its rectangle (content component
// video/mdkvideo.qml). Alone it plays its video in a loop; inside a widget
// container it reports the end with widgetPlayFinish and lets the container
// decide what follows.

#include "core/src/widget.h"

#include <QPointer>
#include <QQuickItem>

#include <string>

namespace dorvo_preview {

class VideoWidget : public Widget
{
    Q_OBJECT
public:
    VideoWidget(Window* window, QObject* parentItem, QObject* parent = nullptr);
    ~VideoWidget() override;

    void widgetShow() override;
    void widgetHide() override;
    void pause() override;
    void resume() override;
    void clearQmlObj() override;
    // Media type "VIDEO".
    int type() const override { return 1; }

    QQuickItem* contentItem() const { return qml_; }
    const std::string& source() const { return source_; }

public Q_SLOTS:
    void setSource(std::string source);
    void setDisplayRatio(std::string ratio);
    void whenBaseMediaStart(QString name);
    void whenBaseMediaShown(QString name);
    void whenBaseMediaFinished(QString name);

private:
    void updateWidget();
    void deleteQml();

    std::string source_;
    std::string displayRatio_;
    QPointer<QQuickItem> qml_;
    // Hidden by the container it plays in.
    bool hidden_ = false;
};

} // namespace dorvo_preview
