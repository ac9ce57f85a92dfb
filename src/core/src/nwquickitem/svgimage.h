#pragma once

#include <QQuickPaintedItem>
#include <QSize>
#include <QString>

#include <memory>

class QSvgRenderer;

namespace dorvo_preview {

// Paints an SVG drawing fitted into the item, centred, keeping its aspect
// ratio (QML type SvgImage of com.kest.svgImage).
class SvgImage : public QQuickPaintedItem
{
    Q_OBJECT
    Q_PROPERTY(QString source READ source WRITE setSource NOTIFY sourceChanged)
public:
    explicit SvgImage(QQuickItem* parent = nullptr);
    ~SvgImage() override;

    QString source() const { return source_; }
    void setSource(const QString& source);

    void paint(QPainter* painter) override;

Q_SIGNALS:
    void sourceChanged();

private:
    QString source_;
    std::unique_ptr<QSvgRenderer> renderer_;
    QSize defaultSize_;
};

} // namespace dorvo_preview
