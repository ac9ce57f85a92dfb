#include "qwinquickview.h"

#include "logging/log.h"
#include "nativeparent.h"

#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickView>
#include <QWheelEvent>
#include <QWindow>

#include <cmath>
#include <limits>

namespace dorvo_preview {

QWinQuickView::QWinQuickView(void* hostWindow, const QString& importPath) : importPath_(importPath)
{
    if (hostWindow) {
        host_ = NativeParent::wrap(hostWindow);
        if (!host_) {
            LOG_E("create win widget error");
            hostMissing_ = true;
        }
    }
}

QWinQuickView::~QWinQuickView()
{
    delete quickView_;
    // The foreign window only wraps the host's window; deleting it leaves the
    // host's window alone.
    delete host_.data();
}

void QWinQuickView::setSource(const QUrl& url)
{
    // A host window was given but is not usable: no view at all, rather
    // than one in the wrong place.
    if (hostMissing_)
        return;
    if (!quickView_) {
        LOG_D("create view begin");
        quickView_ = new QQuickView(host_.data());
        LOG_D("create view end");
        if (!importPath_.isEmpty())
            quickView_->engine()->addImportPath(importPath_);
        quickView_->rootContext()->setContextProperty("UseQt6", false);
        quickView_->rootContext()->setContextProperty("useMdk", true);
        quickView_->setFlags(quickView_->flags() | Qt::FramelessWindowHint);
        quickView_->setResizeMode(QQuickView::SizeRootObjectToView);
        quickView_->setColor(QColor("#FF2A2A2A"));
        quickView_->installEventFilter(this);
    }
    quickView_->setSource(url);
    applyGeometry();
}

QQuickItem* QWinQuickView::rootObject() const
{
    return quickView_ ? quickView_->rootObject() : nullptr;
}

void QWinQuickView::attach()
{
    if (!quickView_)
        return;
    quickView_->show();
    quickView_->requestActivate();
}

void QWinQuickView::detach()
{
    if (quickView_)
        quickView_->hide();
}

namespace {

// Truncates toward zero; false for values that are no pixel position.
bool toPixels(float value, int& out)
{
    if (!std::isfinite(value) || std::fabs(value) > 1.0e6f)
        return false;
    out = static_cast<int>(value);
    return true;
}

} // namespace

void QWinQuickView::setX(float x)
{
    if (!toPixels(x, x_))
        LOG_E("invalid window x %f", static_cast<double>(x));
    applyGeometry();
}

void QWinQuickView::setY(float y)
{
    if (!toPixels(y, y_))
        LOG_E("invalid window y %f", static_cast<double>(y));
    applyGeometry();
}

void QWinQuickView::setWidth(float width)
{
    setSize("width", width, width_);
}

void QWinQuickView::setHeight(float height)
{
    setSize("height", height, height_);
}

void QWinQuickView::setSize(const char* which, float value, int& side)
{
    int pixels = 0;
    if (!toPixels(value, pixels) || pixels < 0) {
        LOG_E("invalid window %s %f", which, static_cast<double>(value));
        return;
    }
    side = pixels;
    applyGeometry();
}

bool QWinQuickView::setBackColor(const QString& color)
{
    const QColor parsed(color);
    if (!parsed.isValid()) {
        LOG_E("color is invalid %s", color.toUtf8().constData());
        return false;
    }
    if (quickView_)
        quickView_->setColor(parsed);
    return true;
}

void QWinQuickView::applyGeometry()
{
    if (!quickView_)
        return;
    // A window of no size cannot be shown; it keeps one pixel until sized.
    quickView_->setGeometry(x_, y_, std::max(width_, 1), std::max(height_, 1));
}

bool QWinQuickView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == quickView_ && event->type() == QEvent::Wheel) {
        auto* wheel = static_cast<QWheelEvent*>(event);
        if (wheel->modifiers() & Qt::ControlModifier) {
            const int delta = wheel->angleDelta().y();
            if (delta > 0)
                Q_EMIT mouseWheelChanged(QStringLiteral("up"));
            else if (delta < 0)
                Q_EMIT mouseWheelChanged(QStringLiteral("down"));
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace dorvo_preview
