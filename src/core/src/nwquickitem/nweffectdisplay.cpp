#include "nweffectdisplay.h"

#include "effectwheel.h"
#include "ieffect.h"
#include "nwquickitemimagehelper.h"

#include "logging/log.h"

#include <QMetaEnum>
#include <QPainter>
#include <QPixmap>
#include <QPointer>

#include <cmath>
#include <functional>
#include <map>
#include <string>

namespace dorvo_preview {

namespace {

using EffectFactory = std::function<std::unique_ptr<IEffect>()>;

// The painted effects by name.
const std::map<std::string, EffectFactory>& effectTable()
{
    static const std::map<std::string, EffectFactory> table = {
        {"Wheel", [] { return std::unique_ptr<IEffect>(new EffectWheel()); }},
    };
    return table;
}

std::unique_ptr<IEffect> makeEffect(NWEffectDisplay::EffectType type)
{
    const char* key = QMetaEnum::fromType<NWEffectDisplay::EffectType>().valueToKey(type);
    const auto& table = effectTable();
    auto it = key ? table.find(key) : table.end();
    if (it == table.end()) {
        LOG_E("NWEffectDisplay unknown effect type %d, using Wheel", static_cast<int>(type));
        it = table.find("Wheel");
    }
    return it->second();
}

} // namespace

struct NWEffectDisplay::Private
{
    NWQuickItemImageHelper helper;
    QPointer<QQuickItem> source;
    QPixmap picture;
    EffectType type = Wheel;
    qreal percent = 0.0;
    std::unique_ptr<IEffect> effect;
};

NWEffectDisplay::NWEffectDisplay(QQuickItem* parent) : QQuickPaintedItem(parent), d(new Private)
{
    setRenderTarget(QQuickPaintedItem::FramebufferObject);
    d->effect = makeEffect(d->type);
    connect(&d->helper, &NWQuickItemImageHelper::imageReady, this, &NWEffectDisplay::onImageReady);
}

NWEffectDisplay::~NWEffectDisplay() = default;

QQuickItem* NWEffectDisplay::source() const
{
    return d->source.data();
}

void NWEffectDisplay::setSource(QQuickItem* item)
{
    if (d->source == item)
        return;
    d->source = item;
    emit sourceChanged();
}

NWEffectDisplay::EffectType NWEffectDisplay::type() const
{
    return d->type;
}

void NWEffectDisplay::setType(EffectType type)
{
    if (!QMetaEnum::fromType<EffectType>().valueToKey(type)) {
        LOG_E("NWEffectDisplay::setType unknown type %d", static_cast<int>(type));
        return;
    }
    if (d->type == type)
        return;
    d->type = type;
    auto effect = makeEffect(type);
    effect->progress = d->effect->progress;
    effect->width = d->effect->width;
    effect->height = d->effect->height;
    effect->picture = d->effect->picture;
    d->effect = std::move(effect);
    emit typeChanged();
    update();
}

qreal NWEffectDisplay::percent() const
{
    return d->percent;
}

void NWEffectDisplay::setPercent(qreal percent)
{
    if (!std::isfinite(percent)) {
        LOG_E("NWEffectDisplay::setPercent refused %f", percent);
        return;
    }
    percent = std::min(1.0, std::max(0.0, percent));
    d->effect->progress = static_cast<float>(percent);
    if (d->percent != percent) {
        d->percent = percent;
        emit percentChanged();
    }
    update();
}

bool NWEffectDisplay::start()
{
    if (!d->source) {
        LOG_E("NWEffectDisplay::start no source");
        return false;
    }
    return d->helper.grab(d->source);
}

bool NWEffectDisplay::hasPicture() const
{
    return !d->picture.isNull();
}

void NWEffectDisplay::onImageReady()
{
    const QImage image = d->helper.image();
    const int w = static_cast<int>(std::lround(width()));
    const int h = static_cast<int>(std::lround(height()));
    if (image.isNull() || w <= 0 || h <= 0) {
        LOG_E("NWEffectDisplay::onImageReady empty picture %dx%d", w, h);
        d->picture = QPixmap();
    } else {
        d->picture = QPixmap::fromImage(image).scaled(w, h, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    }
    d->effect->width = w;
    d->effect->height = h;
    d->effect->picture = d->picture;
    update();
    emit imageReady();
}

void NWEffectDisplay::paint(QPainter* painter)
{
    if (d->picture.isNull())
        return;
    d->effect->paint(painter);
}

} // namespace dorvo_preview
