#pragma once

#include "widget.h"

#include <nlohmann/json.hpp>

#include <memory>
#include <string>

namespace dorvo_preview {

struct ColorTextWidgetPrivate;

// The colourful text widget: one plain text in one style, filled with a
// gradient or a texture, optionally stroked, blinking, shown one character at
// a time or scrolling as a marquee. It keeps the widget record; every
// accepted setter patches the record and pushes it into the live QML item
// (colortext/ColorText.qml), which rebuilds its scene.
class ColorTextWidget : public Widget
{
    Q_OBJECT
public:
    ColorTextWidget(Window* window, QObject* parentItem, QObject* parent = nullptr);
    ~ColorTextWidget() override;

    void widgetShow() override;
    void widgetHide() override;
    void pause() override;
    void resume() override;
    int type() const override;
    void attachToItem(QObject* item) override;

    // The content a new widget starts with (the source posted right after creation).
    static std::string defaultSource();
    // The record as the item gets it (compact JSON).
    std::string recordJson() const;
    // The colourful text content (the record's metadata.content).
    const nlohmann::json& content() const;
    // The visible item, or null while hidden.
    QObject* contentItem() const;

public Q_SLOTS:
    void setSource(std::string source);
    void setColorfulEnable(bool enable);
    void setColors(std::string colors);
    void setColorfulType(int type);
    void setTexturePath(std::string path);
    void setStroke(bool enable);
    void setStrokeWidth(int width);
    void setStrokeColor(std::string color);
    void setDisplayType(int type);
    void setBackgroundColor(std::string color);
    void setBlink(bool enable);
    void setYOffset(int offset);
    void setText(std::string text);
    void setTextColor(std::string color);
    void setFontSize(int size);
    void setFontFamily(std::string family);
    void setFontBold(bool bold);
    void setFontItalic(bool italic);
    void setFontUnderline(bool underline);
    void setLineSpacing(int spacing);
    void setLetterSpacing(int spacing);
    void setVerticalAlignment(int alignment);
    void setHorizontalAlignment(int alignment);
    void setScrollType(int type);
    void setScrollSpeed(int speed);
    void setScrollHeadTail(bool headTail);
    void setScrollDirection(int direction);
    void setScrollHeadTailSpacing(int spacing);
    void grabWidgetImage(std::string path, bool autoUpdate);
    void setWidgetVisible(bool visible);

private:
    // Writes value at the member path of the content; logs an unchanged value
    // ("<operation> same value. no op") and returns false instead.
    bool patch(const char* operation, const nlohmann::json::json_pointer& member,
               const nlohmann::json& value);
    // Takes the record the widget was created with (its fold, colours and
    // content), once.
    void readCreationRecord();
    // Serialises the record into the live item's widgetStr.
    void push();

    std::unique_ptr<ColorTextWidgetPrivate> m_impl;
};

} // namespace dorvo_preview
