#include "nwimagereader.h"

#include "logging/log.h"
#include "utils/hosturl.h"

#include <QImageReader>

#include <algorithm>
#include <cmath>

namespace dorvo_preview {

NWImageReader::NWImageReader(QObject* parent) : QObject(parent) {}

void NWImageReader::setSource(const QString& source)
{
    if (source_ == source)
        return;
    source_ = source;
    emit sourceChanged();
}

void NWImageReader::setWidgetWidth(int width)
{
    if (widgetWidth_ == width)
        return;
    widgetWidth_ = width;
    emit widgetSizeChanged();
}

void NWImageReader::setWidgetHeight(int height)
{
    if (widgetHeight_ == height)
        return;
    widgetHeight_ = height;
    emit widgetSizeChanged();
}

bool NWImageReader::calPictureSize()
{
    LOG_D("NWImageReader::calPictureSize:%s", source_.toUtf8().constData());
    QImageReader reader(urlToHostPath(source_));
    const QSize size = reader.size();
    if (!size.isValid()) {
        LOG_E("calPictureSize::errorString:%s", reader.errorString().toUtf8().constData());
        return false;
    }
    if (size.width() <= 1 || size.height() <= 1) {
        LOG_E(
            "calPictureSize,originwidth:%d,originheight:%d,mabey picture's data is corrupted! errorString:%s",
            size.width(), size.height(), reader.errorString().toUtf8().constData());
        return false;
    }
    // Cover the box: the larger of the two scale factors.
    const double scale = std::max(static_cast<double>(widgetWidth_) / size.width(),
                                  static_cast<double>(widgetHeight_) / size.height());
    nWidth_ = static_cast<int>(std::lround(size.width() * scale));
    nHeight_ = static_cast<int>(std::lround(size.height() * scale));
    LOG_D("NWImageReader::originwidth:%d,originheight:%d,targetWidth:%d,targetnHeight:%d", size.width(),
          size.height(), nWidth_, nHeight_);
    emit sizeChanged();
    return true;
}

} // namespace dorvo_preview
