#pragma once

#include "widget.h"

#include <nlohmann/json.hpp>

#include <memory>
#include <string>

namespace dorvo_preview {

struct ImageGroupWidgetPrivate;

// The picture group widget: a list of pictures in one widget rectangle, shown
// one at a time for each picture's own duration (page switch, with an
// optional entrance effect), only the first (static), or stacked and
// scrolling upwards under an optional fixed header (scroll). It keeps the
// group's content (the record's metadata) and pushes the re-serialised record
// into the live QML item (office/Office.qml), which rebuilds its scene.
class ImageGroupWidget : public Widget
{
    Q_OBJECT
public:
    ImageGroupWidget(Window* window, QObject* parentItem, QObject* parent = nullptr);
    ~ImageGroupWidget() override;

    // A picture's page duration when none usable is given, in milliseconds.
    static constexpr int kDefaultPageDuration = 5000;
    // Longer lists are cut to this many pictures.
    static constexpr int kMaxPictures = 1000;

    void widgetShow() override;
    void widgetHide() override;
    void pause() override;
    void resume() override;
    int type() const override;
    void attachToItem(QObject* item) override;

    // The content a new widget starts with (the source posted right after creation).
    static std::string defaultSource();
    // The record as the item gets it (compact JSON); every picture and the
    // header carry their URL besides the host's path.
    std::string recordJson() const;
    // The group content (the record's metadata).
    const nlohmann::json& content() const;
    // The visible item, or null while hidden.
    QObject* contentItem() const;

public Q_SLOTS:
    void setSource(std::string source);
    void setEffectType(int code);
    void setPageDuration(int ms);
    void setEffectDuration(int ms);
    void setDisplayType(int type);
    void setScrollSpeed(int pixelsPerSecond);
    void setPictureList(std::string list);
    void setHeaderPath(std::string path);

private:
    void readCreationRecord();
    // Takes a content object (display type, pictures, header, scroll
    // settings); false when refused (logged) or unchanged.
    bool adopt(const nlohmann::json& parsed, const char* operation);
    // A picture entry from a list element: an object with dataSource,
    // duration and inAnimation, or a path.
    nlohmann::json pictureOf(const nlohmann::json& element, const char* operation) const;
    // Writes value at member of every picture (and keeps it for pictures that
    // come later); logs an unchanged value instead.
    void setForEveryPicture(const char* operation, const nlohmann::json::json_pointer& member, int value);
    // A new picture entry with the group's settings.
    nlohmann::json newPicture() const;
    void push();

    std::unique_ptr<ImageGroupWidgetPrivate> m_impl;
};

} // namespace dorvo_preview
