#pragma once

#include <QObject>
#include <QString>

namespace dorvo_preview {

// Reads a picture's size from its header and scales it to cover a box,
// keeping the aspect ratio (QML type NWImageReader of an.kest.imageReader).
class NWImageReader : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString source READ source WRITE setSource NOTIFY sourceChanged)
    Q_PROPERTY(int nWidth READ nWidth NOTIFY sizeChanged)
    Q_PROPERTY(int nHeight READ nHeight NOTIFY sizeChanged)
    Q_PROPERTY(int widgetWidth READ widgetWidth WRITE setWidgetWidth NOTIFY widgetSizeChanged)
    Q_PROPERTY(int widgetHeight READ widgetHeight WRITE setWidgetHeight NOTIFY widgetSizeChanged)
public:
    explicit NWImageReader(QObject* parent = nullptr);

    QString source() const { return source_; }
    void setSource(const QString& source);
    int nWidth() const { return nWidth_; }
    int nHeight() const { return nHeight_; }
    int widgetWidth() const { return widgetWidth_; }
    void setWidgetWidth(int width);
    int widgetHeight() const { return widgetHeight_; }
    void setWidgetHeight(int height);

    // True when the header was read and nWidth/nHeight now cover the box.
    Q_INVOKABLE bool calPictureSize();

Q_SIGNALS:
    void sourceChanged();
    void sizeChanged();
    void widgetSizeChanged();

private:
    QString source_;
    int nWidth_ = 0;
    int nHeight_ = 0;
    int widgetWidth_ = 0;
    int widgetHeight_ = 0;
};

} // namespace dorvo_preview
