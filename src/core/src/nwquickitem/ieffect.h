#pragma once

#include <QPixmap>

class QPainter;

namespace dorvo_preview {

// A painted page effect: draws the picture as far as progress (0.0 to 1.0)
// has uncovered it, at width x height.
class IEffect
{
public:
    virtual ~IEffect();
    // Draws the whole picture; effects draw their partial state instead.
    virtual void paint(QPainter* painter);

    float progress = 0.0f;
    int width = 0;
    int height = 0;
    QPixmap picture;
};

} // namespace dorvo_preview
