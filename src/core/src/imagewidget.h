#pragma once

#include "widget.h"

#include <memory>
#include <string>

namespace dorvo_preview {

struct ImageWidgetPrivate;

// The picture widget: one picture file in the widget rectangle (still,
// animated or SVG; stretched or fitted; with an entrance effect or as a
// marquee). It keeps the widget record, patches it on every setter and, while
// shown, rebuilds its QML scene (text/Picture.qml) from the re-serialised
// record. The placeholders of web pages, RSS feeds, streams and HDMI input are
// picture widgets made under their own type codes: without a picture they
// show the icon of their kind on a neutral fill.
class ImageWidget : public Widget
{
    Q_OBJECT
public:
    // interfaceType: 5 for a picture, 4, 7, 9 or 20 for a placeholder.
    ImageWidget(Window* window, QObject* parentItem, int interfaceType = 5, QObject* parent = nullptr);
    ~ImageWidget() override;

    void widgetShow() override;
    void widgetHide() override;
    void pause() override;
    void resume() override;
    void clearQmlObj() override;
    int type() const override;
    void attachToItem(QObject* item) override;

    // The record as the scene gets it (compact JSON).
    std::string recordJson() const;
    // The visible scene, or null while hidden.
    QObject* contentItem() const;

    // How a picture file is shown, from its name's suffix (any case) and the
    // record's type: "svg", "animated" (GIF, or a WebP of several frames, or
    // a record of type "GIF") or "still".
    static const char* pictureKind(const std::string& path, const std::string& recordType);
    // The icon of a placeholder's interface type code, or "" for a picture.
    static const char* placeholderIcon(int interfaceType);

public Q_SLOTS:
    void setSource(std::string source);
    void setKeepOriginalScale(bool keep);
    void setEffectType(int type);
    void setEffectDuration(int duration);
    void setScrollSpeed(int speed);
    void setScrollDirection(int direction);
    void whenPictureStarted(QString name);
    void whenPictureFailed(QString reason);

private:
    void ensureRecord();
    // Deletes the scene and, while shown, builds it again from the record.
    void recreate();
    void deleteScene();

    std::unique_ptr<ImageWidgetPrivate> m_impl;
};

} // namespace dorvo_preview
