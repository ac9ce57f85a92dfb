#include "svgimage.h"

#include "logging/log.h"
#include "utils/hosturl.h"

#include <QPainter>
#include <QSvgRenderer>

namespace dorvo_preview {

SvgImage::SvgImage(QQuickItem* parent)
    : QQuickPaintedItem(parent), renderer_(std::make_unique<QSvgRenderer>())
{}

SvgImage::~SvgImage() = default;

void SvgImage::setSource(const QString& source)
{
    source_ = source;
    if (!renderer_->load(urlToHostPath(source)))
        LOG_E("SvgImage cannot load %s", source.toUtf8().constData());
    defaultSize_ = renderer_->isValid() ? renderer_->defaultSize() : QSize();
    emit sourceChanged();
    update();
}

void SvgImage::paint(QPainter* painter)
{
    if (!renderer_->isValid())
        return;
    const QSizeF box(width(), height());
    if (defaultSize_.width() <= 0 || defaultSize_.height() <= 0 || box.width() <= 0 || box.height() <= 0) {
        LOG_E("error size");
        return;
    }
    QSizeF fitted;
    const double drawingRatio = static_cast<double>(defaultSize_.width()) / defaultSize_.height();
    if (drawingRatio > box.width() / box.height())
        fitted = QSizeF(box.width(), box.width() / drawingRatio);
    else
        fitted = QSizeF(box.height() * drawingRatio, box.height());
    const QRectF target((box.width() - fitted.width()) / 2, (box.height() - fitted.height()) / 2,
                        fitted.width(), fitted.height());
    painter->setRenderHint(QPainter::Antialiasing, true);
    renderer_->render(painter, target);
}

} // namespace dorvo_preview
