#pragma once

#include "ieffect.h"

#include <QPolygonF>
#include <QVector>

namespace dorvo_preview {

// The picture uncovered clockwise from 12 o'clock by a point that runs
// along the border of the rectangle: the half top sides take an eighth of the
// time each, the whole sides a quarter.
class EffectWheel : public IEffect
{
public:
    EffectWheel();
    void paint(QPainter* painter) override;

    // The polygon uncovered at progress p for a w x h picture.
    static QPolygonF polygonAt(float p, float w, float h);

private:
    void buildPolygons();

    // One polygon per stretch of the border, the last one the whole picture.
    QVector<QPolygonF> polygons_;
};

} // namespace dorvo_preview
