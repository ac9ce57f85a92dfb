#pragma once

#include "core/appcommon/itemrectdata.h"
#include "qmlbaseview.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class QQuickItem;

namespace dorvo_preview {

class QWinQuickView;

// One preview window: a Quick view with a zoomable, scrollable canvas, the
// rectangle registry that snapping reads, and the preview-wide operations.
class Window : public QmlBaseView
{
    Q_OBJECT
public:
    explicit Window(const std::string& id);
    ~Window() override;

    QWinQuickView* view() const;
    QQuickItem* rootItem() const;
    const ns::ItemRectData& canvasRect() const;

public Q_SLOTS:
    void onKeyboardPressed(QString key);
    void onUpdateFPS(QString fps);
    void onMouseWheelChanged(QString direction);
    void attachWindow();
    void detachWindow();
    void setX(float x);
    void setY(float y);
    void setWidth(float width);
    void setHeight(float height);
    void setBackColor(std::string color);
    void setCanvasWidth(float width);
    void setCanvasHeight(float height);
    void setScale(int percent);
    void restartAllWidget();
    void addRect(ns::ItemRectData widgetInfo);
    void removeRect(std::string id);
    std::vector<ns::ItemRectData> getRectVct(std::string id);
    void addLine(double startX, double startY, double endX, double endY);
    void clearLine();
    void addSystemFont(QString fontPath);
    void pausePreviewForce();
    void pausePreview();
    void resumePreview();

private:
    void setCanvasSide(float value, double ns::ItemRectData::*side, const char* qmlFunction);

    struct Private;
    std::shared_ptr<Private> d;
};

} // namespace dorvo_preview
