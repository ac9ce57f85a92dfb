#include "ieffect.h"

#include <QPainter>

namespace dorvo_preview {

IEffect::~IEffect() = default;

void IEffect::paint(QPainter* painter)
{
    if (!painter || picture.isNull())
        return;
    painter->drawPixmap(0, 0, picture);
}

} // namespace dorvo_preview
