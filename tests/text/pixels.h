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

// Leftmost / topmost column or row holding a matching pixel, -1 when none.
inline int leftmost(const QImage& img, const std::function<bool(QRgb)>& pred)
{
    for (int x = 0; x < img.width(); ++x)
        for (int y = 0; y < img.height(); ++y)
            if (pred(img.pixel(x, y)))
                return x;
    return -1;
}
inline int topmost(const QImage& img, const std::function<bool(QRgb)>& pred)
{
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (pred(img.pixel(x, y)))
                return y;
    return -1;
}

// Rightmost / bottommost column or row holding a matching pixel, -1 when none.
inline int rightmost(const QImage& img, const std::function<bool(QRgb)>& pred)
{
    for (int x = img.width() - 1; x >= 0; --x)
        for (int y = 0; y < img.height(); ++y)
            if (pred(img.pixel(x, y)))
                return x;
    return -1;
}
inline int bottommost(const QImage& img, const std::function<bool(QRgb)>& pred)
{
    for (int y = img.height() - 1; y >= 0; --y)
        for (int x = 0; x < img.width(); ++x)
            if (pred(img.pixel(x, y)))
                return y;
    return -1;
}

} // namespace textpixels
