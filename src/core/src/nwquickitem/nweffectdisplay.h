#pragma once

#include <QQuickPaintedItem>

#include <memory>

class QPainter;

namespace dorvo_preview {

// The painted page effect: captures the source item once, then paints the
// captured picture as the chosen effect uncovers it by percent (0.0 to 1.0).
class NWEffectDisplay : public QQuickPaintedItem
{
    Q_OBJECT
    Q_PROPERTY(QQuickItem* source READ source WRITE setSource NOTIFY sourceChanged)
    Q_PROPERTY(EffectType type READ type WRITE setType NOTIFY typeChanged)
    Q_PROPERTY(qreal percent READ percent WRITE setPercent NOTIFY percentChanged)
public:
    enum EffectType
    {
        Wheel
    };
    Q_ENUM(EffectType)

    explicit NWEffectDisplay(QQuickItem* parent = nullptr);
    ~NWEffectDisplay() override;

    QQuickItem* source() const;
    void setSource(QQuickItem* item);
    EffectType type() const;
    void setType(EffectType type);
    qreal percent() const;
    void setPercent(qreal percent);

    // Captures source; imageReady() follows when the picture has arrived.
    // False (logged) when no capture could be started.
    Q_INVOKABLE bool start();
    Q_INVOKABLE bool hasPicture() const;

    void paint(QPainter* painter) override;

signals:
    void imageReady();
    void sourceChanged();
    void typeChanged();
    void percentChanged();

public slots:
    void onImageReady();

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace dorvo_preview
