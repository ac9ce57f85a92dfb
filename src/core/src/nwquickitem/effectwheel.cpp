#include "effectwheel.h"

#include <QBrush>
#include <QPainter>

namespace dorvo_preview {

namespace {

int rangeOf(float p)
{
    if (p < 0.125f)
        return 0;
    if (p < 0.375f)
        return 1;
    if (p < 0.625f)
        return 2;
    if (p < 0.875f)
        return 3;
    if (p < 1.0f)
        return 4;
    return 5;
}

} // namespace

EffectWheel::EffectWheel() : polygons_(6) {}

QPolygonF EffectWheel::polygonAt(float p, float w, float h)
{
    const QPointF centre(w / 2, h / 2);
    const QPointF topMiddle(w / 2, 0);
    QPolygonF poly;
    poly << centre << topMiddle;
    switch (rangeOf(p)) {
    case 0:
        poly << QPointF(w / 2 + 8 * p * w / 2, 0);
        break;
    case 1:
        poly << QPointF(w, 0) << QPointF(w, (p - 0.125f) * 4 * h);
        break;
    case 2:
        poly << QPointF(w, 0) << QPointF(w, h) << QPointF(w - (p - 0.375f) * 4 * w, h);
        break;
    case 3:
        // One pixel outside the left edge, so the left column is covered too.
        poly << QPointF(w, 0) << QPointF(w, h) << QPointF(0, h) << QPointF(-1, h - (p - 0.625f) * 4 * h);
        break;
    case 4:
        poly << QPointF(w, 0) << QPointF(w, h) << QPointF(0, h) << QPointF(0, 0)
             << QPointF((p - 0.875f) * 8 * w / 2, 0);
        break;
    default:
        poly.clear();
        poly << QPointF(w, 0) << QPointF(w, h) << QPointF(0, h) << QPointF(0, 0);
        break;
    }
    return poly;
}

void EffectWheel::buildPolygons()
{
    // Each stretch's polygon at the current progress; only the current one is filled.
    const float w = static_cast<float>(width);
    const float h = static_cast<float>(height);
    const float starts[6] = {0.0f, 0.125f, 0.375f, 0.625f, 0.875f, 1.0f};
    const int current = rangeOf(progress);
    for (int i = 0; i < 6; ++i)
        polygons_[i] = polygonAt(i == current ? progress : starts[i], w, h);
}

void EffectWheel::paint(QPainter* painter)
{
    if (!painter || picture.isNull() || width <= 0 || height <= 0)
        return;
    buildPolygons();
    if (progress <= 0.0f)
        return;
    painter->save();
    painter->setPen(Qt::NoPen);
    painter->setBrush(QBrush(picture));
    painter->drawPolygon(polygons_[rangeOf(progress)]);
    painter->restore();
}

} // namespace dorvo_preview
