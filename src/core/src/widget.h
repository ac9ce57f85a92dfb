#pragma once

#include "qmlbaseview.h"

#include <memory>
#include <string>

namespace ns {
struct ItemRectData;
}

namespace dorvo_preview {

class Window;
struct WidgetPrivate;

// The base of every widget on a canvas. It owns the widget item (the frame
// from WidgetContainer.qml that holds position, size, selection, moving,
// resizing, the anti-black snapshot and the background music), reports the
// frame's events to the host, and keeps the record every kind builds its
// content from. A kind derives from it, returns its media type from type(),
// creates its content in widgetShow() with createChildItem(item(), json) and
// removes it in widgetHide().
class Widget : public QmlBaseView
{
    Q_OBJECT
public:
    // Without a parent item the widget creates its own item on the window's
    // canvas; with one (a container's item) it borrows that item.
    Widget(Window* window, QObject* parentItem, QObject* parent = nullptr);
    // Largest pixel size of a container's hint text.
    static constexpr int kMaxEmptyPixelSize = 1000;
    ~Widget() override;

    // Reached by name from windows and containers as well.
    Q_INVOKABLE virtual void widgetShow();
    Q_INVOKABLE virtual void widgetHide();
    Q_INVOKABLE virtual void pause();
    Q_INVOKABLE virtual void resume();
    Q_INVOKABLE virtual void clearQmlObj();
    // The media type code of the kind; -1 for the base.
    virtual int type() const;
    // Moves the kind's content into another widget item.
    virtual void attachToItem(QObject* item);
    virtual void setDefaultContent(std::string content);

    // Keeps the current frame visible while the content is rebuilt.
    void keepBackground();
    // The engine's attached window, or null (logged).
    Window* getAttachWindow() const;
    void addRect2Window(bool clearLines);
    void updateRect();

    bool containerPreview() const { return containerPreview_; }
    // Whether the container that shows this widget runs its automatic play.
    void setWidgetContainerPreview(bool running);
    const std::string& defaultContent() const { return defaultContent_; }
    int interval() const;
    bool pressed() const;
    QString musicInfo() const;

    WidgetPrivate* widgetPrivate() const { return d.get(); }

Q_SIGNALS:
    void widgetPlayFinish();

public Q_SLOTS:
    void onItemSelected(QString widgetType, bool sendState);
    void onItemPressed();
    void onItemReleased(double x, double y);
    void onItemXChanged(double x);
    void onItemYChanged(double y);
    void onItemWidthChanged(double width);
    void onItemHeightChanged(double height);
    void onItemDoubleClicked();
    void onItemStarted(QString id);
    void setX(float x);
    void setY(float y);
    void setWidth(float width);
    void setHeight(float height);
    void setZ(float z);
    void setSelect(bool select, bool notify = false);
    void setInterval(int interval);
    void setBackMusic(QString info);
    virtual void setBackMusicDuration(int duration);
    // The hint text a container shows while it holds no widget.
    void setEmptyContainerText(QString text);
    void setEmptyContainerPixelSize(int size);
    void setEmptyTextVisible(bool visible);
    void setBorderScale(int percent);
    void setDragEnable(bool enable);
    void addWidget(dorvo_preview::Widget* widget);
    // The decorative border (widgetborder.cpp).
    void setBorderType(int type, std::string borderPath);
    void setBorderWidth(int width);
    void setBorderBackColor(QString color);
    void setBorderGraColor(QString color);
    void setBorderSpeed(int speed);
    void setBorderDirection(int direction);

protected:
    // Connects the item's eight signals to the item slots, or disconnects them.
    void connectItem(QObject* item);
    void disconnectItem(QObject* item);
    // Calls a function of the widget item by name; false when it has none.
    bool callItem(const char* function, const QVariantList& args = {}) const;
    // Sets a property of the widget item (ignored while there is none).
    void setGeometry(const char* property, float value, double ns::ItemRectData::*member);
    // Stores a coordinate the item reported, tells the host and the registry.
    void storeReported(double ns::ItemRectData::*member, double value);
    // Moves a kind's content item into another widget item (attachToItem of
    // the kinds); who names the caller in the log line when there is nothing
    // to move.
    static void moveContent(QObject* content, QObject* target, const char* who);
    // Hands the border's description to the widget item, or removes the border.
    void updateBorder();

private:
    std::shared_ptr<WidgetPrivate> d;
    bool containerPreview_ = false;
    std::string defaultContent_;
};

} // namespace dorvo_preview

Q_DECLARE_METATYPE(dorvo_preview::Widget*)
