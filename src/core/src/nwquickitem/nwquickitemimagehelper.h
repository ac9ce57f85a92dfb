#pragma once

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QSharedPointer>

class QQuickItem;
class QQuickItemGrabResult;

namespace dorvo_preview {

// Captures a Quick item into an image, asynchronously: grab() asks the scene
// graph for the item's picture at the item's size; imageReady() is emitted
// once it has arrived, and image() then holds it.
class NWQuickItemImageHelper : public QObject
{
    Q_OBJECT
public:
    explicit NWQuickItemImageHelper(QObject* parent = nullptr);
    ~NWQuickItemImageHelper() override;

    // Starts a capture of item; false (logged) when none can be started.
    bool grab(QQuickItem* item);
    QQuickItem* item() const;
    bool pending() const;
    QImage image() const;

signals:
    void imageReady();

public slots:
    void onImageReady();

private:
    QPointer<QQuickItem> item_;
    QSharedPointer<QQuickItemGrabResult> result_;
    QImage image_;
};

} // namespace dorvo_preview
