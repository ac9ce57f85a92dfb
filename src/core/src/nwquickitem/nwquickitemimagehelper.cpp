#include "nwquickitemimagehelper.h"

#include "logging/log.h"

#include <QQuickItem>
#include <QQuickItemGrabResult>
#include <QQuickWindow>

#include <cmath>

namespace dorvo_preview {

namespace {

// Larger captures than a texture can hold are refused by the scene graph anyway.
constexpr qreal kMaxGrabSide = 16384;

} // namespace

NWQuickItemImageHelper::NWQuickItemImageHelper(QObject* parent) : QObject(parent) {}

NWQuickItemImageHelper::~NWQuickItemImageHelper() = default;

bool NWQuickItemImageHelper::grab(QQuickItem* item)
{
    if (result_) {
        disconnect(result_.data(), nullptr, this, nullptr);
        result_.reset();
    }
    item_ = item;
    const qreal w = item ? item->width() : 0;
    const qreal h = item ? item->height() : 0;
    if (!item || !item->window() || !(w >= 1 && h >= 1) || w > kMaxGrabSide || h > kMaxGrabSide) {
        LOG_E("grab image fail");
        return false;
    }
    const QSize size(static_cast<int>(std::ceil(w)), static_cast<int>(std::ceil(h)));
    result_ = item->grabToImage(size);
    if (!result_) {
        LOG_E("grab image fail");
        return false;
    }
    connect(result_.data(), &QQuickItemGrabResult::ready, this, &NWQuickItemImageHelper::onImageReady);
    return true;
}

QQuickItem* NWQuickItemImageHelper::item() const
{
    return item_.data();
}

bool NWQuickItemImageHelper::pending() const
{
    return !result_.isNull();
}

QImage NWQuickItemImageHelper::image() const
{
    return image_;
}

void NWQuickItemImageHelper::onImageReady()
{
    if (!result_)
        return;
    image_ = result_->image().copy();
    disconnect(result_.data(), nullptr, this, nullptr);
    result_.reset();
    emit imageReady();
}

} // namespace dorvo_preview
