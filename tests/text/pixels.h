#pragma once

// Pixel predicates, counts and extents over grabbed pictures of the text scenes.

#include <QImage>
#include <QRect>

#include <functional>

namespace textpixels {

inline bool isRed(QRgb p)
{
    return qRed(p) > 150 && qGreen(p) < 90 && qBlue(p) < 90;
}
inline bool isGreen(QRgb p)
{
    return qGreen(p) > 150 && qRed(p) < 90 && qBlue(p) < 90;
}
inline bool isBlue(QRgb p)
{
    return qBlue(p) > 150 && qRed(p) < 90 && qGreen(p) < 90;
}

inline int count(const QImage& img, const std::function<bool(QRgb)>& pred)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += pred(img.pixel(x, y)) ? 1 : 0;
    return n;
}

// The smallest rectangle holding every matching pixel; null when none.
inline QRect box(const QImage& img, const std::function<bool(QRgb)>& pred)
{
    QRect r;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (pred(img.pixel(x, y)))
                r |= QRect(x, y, 1, 1);
    return r;
}

} // namespace textpixels
