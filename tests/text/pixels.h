#pragma once

// Pixel predicates and counts over grabbed pictures of the text scenes.

#include <QImage>

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

// The first column (across) or row holding a matching pixel, from the start
// or from the end; -1 when none.
inline int firstLine(const QImage& img, const std::function<bool(QRgb)>& pred, bool across, bool fromEnd)
{
    const int lines = across ? img.width() : img.height(), length = across ? img.height() : img.width();
    for (int i = 0; i < lines; ++i) {
        const int at = fromEnd ? lines - 1 - i : i;
        for (int j = 0; j < length; ++j)
            if (pred(across ? img.pixel(at, j) : img.pixel(j, at)))
                return at;
    }
    return -1;
}
inline int leftmost(const QImage& img, const std::function<bool(QRgb)>& pred)
{
    return firstLine(img, pred, true, false);
}
inline int rightmost(const QImage& img, const std::function<bool(QRgb)>& pred)
{
    return firstLine(img, pred, true, true);
}
inline int topmost(const QImage& img, const std::function<bool(QRgb)>& pred)
{
    return firstLine(img, pred, false, false);
}
inline int bottommost(const QImage& img, const std::function<bool(QRgb)>& pred)
{
    return firstLine(img, pred, false, true);
}

} // namespace textpixels
