#pragma once

#include "widget.h"

#include <QPointer>

#include <deque>
#include <memory>
#include <string>

namespace dorvo_preview {

struct TextWidgetPrivate;

// The rich-text widget: keeps the widget record with its rich-text content,
// patches it on every setter and, while shown, rebuilds its QML scene
// (RichTextScale.qml) from the re-serialised record. Layout, paging,
// scrolling and effects run in QML.
class TextWidget : public Widget
{
    Q_OBJECT
public:
    TextWidget(Window* window, QObject* parentItem, QObject* parent = nullptr);
    ~TextWidget() override;

    void widgetShow() override;
    void widgetHide() override;
    int type() const override;
    void attachToItem(QObject* item) override;

    // The record as the scene gets it (compact JSON).
    std::string recordJson() const;
    // The visible scene, or null while hidden.
    QObject* contentItem() const;

public Q_SLOTS:
    void setSource(std::string source);
    void setDisplayType(int type);
    void setPageSwitchTime(int time);
    void setPageSwitchAnimationType(int type);
    void setPageSwitchAnimationTime(int time);
    void setBackgroundColor(std::string color);
    void setScrollSpeed(int speed);
    void setScrollDirection(int direction);
    void setScrollIsEndToEnd(bool endToEnd);
    void setScrollHeadToTailSpacing(int spacing);
    void setVerticalOffset(int offset);
    void setTextJagged(bool jagged);
    void setSyncByMusic(bool sync);
    void setBackMusicDuration(int duration) override;
    void grabWidgetImage(std::string path, bool autoUpdate);

private:
    void ensureRecord();
    // While shown, asks for the scene to be built again from the record, once
    // for all the setters of the current batch.
    void recreate();
    // Deletes the scene and builds it again, if a rebuild was asked for.
    void rebuildNow();
    // Builds the scenes asked for, in order, for a few milliseconds, and
    // leaves the rest to the next turn of the event loop.
    static void flushRebuilds();
    static std::deque<QPointer<TextWidget>>& rebuildQueue();
    static bool& rebuildScheduled();
    void deleteMainItem();
    void deleteGrabItem();
    bool isScroll() const;
    QObject* createScene(const std::string& json, bool grabCopy);

    std::unique_ptr<TextWidgetPrivate> m_impl;
};

} // namespace dorvo_preview
