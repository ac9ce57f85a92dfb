#include "window.h"

#include "core/engine/qtengine.h"
#include "core/src/enginehost.h"
#include "logging/log.h"
#include "qwinquickview/qwinquickview.h"
#include "utils/metainvoke.h"

#include <QQmlError>
#include <QQuickItem>
#include <QPointer>
#include <QQuickView>

#include <cmath>

namespace dorvo_preview {

namespace {

// Canvas sizes beyond this are refused: no program is that large, and the
// scene would try to allocate for it.
constexpr float kMaxCanvasSize = 100000.0f;
// The zoom range of the view, in percent: beyond ten times a canvas pixel
// covers more than the view can usefully show.
constexpr int kMaxScalePercent = 1000;

// A canvas of no width or height shows nothing at all.
bool validCanvasSize(float value)
{
    return std::isfinite(value) && value >= 1.0f && value <= kMaxCanvasSize;
}

// Calls a function of the scene's root object.
void callRoot(QQuickItem* root, const char* function, const QVariant& a = QVariant(),
              const QVariant& b = QVariant(), const QVariant& c = QVariant(), const QVariant& d = QVariant())
{
    if (!root)
        return;
    QVariant result;
    if (!a.isValid()) {
        QMetaObject::invokeMethod(root, function, Q_RETURN_ARG(QVariant, result));
    } else if (!b.isValid()) {
        QMetaObject::invokeMethod(root, function, Q_RETURN_ARG(QVariant, result), Q_ARG(QVariant, a));
    } else {
        QMetaObject::invokeMethod(root, function, Q_RETURN_ARG(QVariant, result), Q_ARG(QVariant, a),
                                  Q_ARG(QVariant, b), Q_ARG(QVariant, c), Q_ARG(QVariant, d));
    }
}

// Calls an operation on every widget of the engine, of every window.
void forEachWidget(const char* operation)
{
    for (QObject* widget : EngineHost::instance()->widgets())
        invokeIfPresent(widget, operation, {});
}

} // namespace

struct Window::Private
{
    std::unique_ptr<QWinQuickView> view;
    ns::ItemRectData canvasRect;
    std::map<std::string, ns::ItemRectData> rects;
};

Window::Window(const std::string& id) : d(std::make_shared<Private>())
{
    d->canvasRect.id = "window";
    auto* engine = dynamic_cast<QtEngine*>(EngineHost::instance()->getEngine());
    if (!engine)
        return;
    d->view.reset(engine->createView());
    d->view->setSource(QUrl(QStringLiteral("qrc:/preview/qml/main.qml")));
    if (QQuickView* quick = d->view->quickView()) {
        for (const QQmlError& error : quick->errors())
            LOG_E("create quickview error: %s", error.toString().toUtf8().constData());
    }
    QQuickItem* root = d->view->rootObject();
    setItem(root);
    if (root) {
        connect(root, SIGNAL(itemKeyboardPressed(QString)), this, SLOT(onKeyboardPressed(QString)));
        connect(root, SIGNAL(updateFPS(QString)), this, SLOT(onUpdateFPS(QString)));
    }
    connect(d->view.get(), &QWinQuickView::mouseWheelChanged, this, &Window::onMouseWheelChanged);

    std::string uuid = id;
    if (uuid.empty()) {
        LOG_I("uuid is empty, generate a new one");
        uuid = createUuid();
    }
    setUuid(uuid, false);
    EngineHost::instance()->addWindow(uuid, this);
    LOG_I("window is created, uuid: %s", uuid.c_str());
}

Window::~Window()
{
    EngineHost::instance()->removeWindow(uuid());
    EngineHost::instance()->clearAttachWindow(this);
    // The widgets drawn in this window's scene go with it: none may stay
    // registered once its item is gone.
    QQuickWindow* scene = d->view ? d->view->quickView() : nullptr;
    if (!scene)
        return;
    std::vector<QPointer<QObject>> drawnHere;
    for (QObject* object : EngineHost::instance()->widgets()) {
        auto* widget = qobject_cast<QmlBaseView*>(object);
        auto* item = widget ? qobject_cast<QQuickItem*>(widget->item()) : nullptr;
        if (item && item->window() == scene)
            drawnHere.emplace_back(object);
    }
    // A container may take its members with it: each is deleted only once.
    for (const QPointer<QObject>& widget : drawnHere)
        delete widget.data();
}

QWinQuickView* Window::view() const
{
    return d->view.get();
}

QQuickItem* Window::rootItem() const
{
    return qobject_cast<QQuickItem*>(item());
}

const ns::ItemRectData& Window::canvasRect() const
{
    return d->canvasRect;
}

void Window::onKeyboardPressed(QString key)
{
    LOG_D("key is %s", key.toUtf8().constData());
    updateKey(key);
}

void Window::onUpdateFPS(QString fps)
{
    LOG_D("fps is %s", fps.toUtf8().constData());
    updataFps(fps);
}

void Window::onMouseWheelChanged(QString direction)
{
    LOG_D("onMouseWheelChanged direction is %s", direction.toUtf8().constData());
    updateMouseWheel(direction);
}

void Window::attachWindow()
{
    if (!d->view)
        return;
    EngineHost::instance()->setAttachWindow(this);
    d->view->attach();
}

void Window::detachWindow()
{
    if (d->view)
        d->view->detach();
}

void Window::setX(float x)
{
    if (d->view)
        d->view->setX(x);
}

void Window::setY(float y)
{
    if (d->view)
        d->view->setY(y);
}

void Window::setWidth(float width)
{
    if (!d->view)
        return;
    d->view->setWidth(width);
}

void Window::setHeight(float height)
{
    if (!d->view)
        return;
    d->view->setHeight(height);
}

void Window::setBackColor(std::string color)
{
    if (d->view)
        d->view->setBackColor(QString::fromStdString(color));
}

void Window::setCanvasWidth(float width)
{
    setCanvasSide(width, &ns::ItemRectData::width, "setCanvasWidth");
}

void Window::setCanvasHeight(float height)
{
    setCanvasSide(height, &ns::ItemRectData::height, "setCanvasHeight");
}

// Stores one side of the canvas in its registry rectangle and in the scene.
void Window::setCanvasSide(float value, double ns::ItemRectData::*side, const char* qmlFunction)
{
    if (!rootItem())
        return;
    if (!validCanvasSize(value)) {
        LOG_E("%s invalid value %f", qmlFunction, static_cast<double>(value));
        return;
    }
    d->canvasRect.*side = value;
    addRect(d->canvasRect);
    callRoot(rootItem(), qmlFunction, QVariant(static_cast<double>(value)));
}

void Window::setScale(int percent)
{
    if (percent < 1 || percent > kMaxScalePercent) {
        LOG_E("setScale invaild value %d no op", percent);
        return;
    }
    callRoot(rootItem(), "setWindowScale",
             QVariant(static_cast<double>(static_cast<float>(percent / 100.0))));
}

void Window::restartAllWidget()
{
    forEachWidget("widgetShow");
}

void Window::addRect(ns::ItemRectData widgetInfo)
{
    d->rects[widgetInfo.id] = widgetInfo;
}

void Window::removeRect(std::string id)
{
    d->rects.erase(id);
}

std::vector<ns::ItemRectData> Window::getRectVct(std::string id)
{
    std::vector<ns::ItemRectData> out;
    out.reserve(d->rects.size());
    for (const auto& entry : d->rects) {
        if (entry.first != id)
            out.push_back(entry.second);
    }
    return out;
}

void Window::addLine(double startX, double startY, double endX, double endY)
{
    callRoot(rootItem(), "addLine", startX, startY, endX, endY);
}

void Window::clearLine()
{
    callRoot(rootItem(), "clearLine");
}

void Window::addSystemFont(QString fontPath)
{
    callRoot(rootItem(), "addSystemFont", fontPath);
}

void Window::pausePreviewForce()
{
    LOG_D("Window::pausePreviewForce");
    EngineHost* host = EngineHost::instance();
    if (host->forcePaused())
        return;
    host->setForcePaused(true);
    forEachWidget("pause");
}

void Window::pausePreview()
{
    LOG_D("Window::pausePreview");
    forEachWidget("pause");
}

void Window::resumePreview()
{
    LOG_D("Window::resumePreview");
    if (EngineHost::instance()->forcePaused())
        return;
    forEachWidget("resume");
}

} // namespace dorvo_preview
