#pragma once

// The base of the widget kinds that keep all their settings in the metadata
// object of their widget record and whose scene reads that record at start
// (clocks, timer): the record from the creation content and setSource, the
// scene built while shown and rebuilt by updateWidget(), and pause, resume
// and hide forwarded to the scene.

#include "widget.h"

#include <nlohmann/json.hpp>

#include <QPointer>
#include <QQuickItem>

#include <string>

namespace dorvo_preview {

class MetadataWidget : public Widget
{
    Q_OBJECT
public:
    // typeText: the record's type; mediaType: what type() returns; name: the
    // class name the log lines carry.
    MetadataWidget(Window* window, QObject* parentItem, const char* typeText, int mediaType, const char* name,
                   QObject* parent = nullptr);
    ~MetadataWidget() override;

    void widgetShow() override;
    void widgetHide() override;
    void pause() override;
    void resume() override;
    void clearQmlObj() override;
    int type() const override { return mediaType_; }
    void attachToItem(QObject* item) override;

    // The record as the scene gets it (compact JSON).
    std::string recordJson() const;
    // The scene while shown, else null.
    QQuickItem* contentItem() const { return qml_; }

public Q_SLOTS:
    // The whole record from JSON; text that is not a JSON object is refused.
    void setSource(std::string source);

protected:
    // The metadata of the record (read from the creation content the first time).
    nlohmann::json& metadata();
    // Called once, when the record is first read, to add the kind's defaults.
    virtual void addDefaults(nlohmann::json& metadata);
    // Brings metadata read from a record into the kind's shape: by default an
    // object (anything else is replaced by one) with the kind's defaults added.
    virtual void prepareMetadata(nlohmann::json& metadata);
    // Called with every new scene right after it was created from the record,
    // before it shows (to hand it what the widget keeps outside the record).
    virtual void sceneCreated(QQuickItem* scene);
    // Adds each member of defaults that metadata lacks (or holds as a
    // non-object where the default is an object).
    static void fillMissing(nlohmann::json& metadata, const nlohmann::json& defaults);
    // Rebuilds the scene from the record (logs "widget init %s").
    void updateWidget();
    // Stores value at key in the metadata; false (logging "... same value.
    // no op") when it is already there.
    bool store(const char* key, const nlohmann::json& value);
    const char* name() const { return name_; }
    // Parses host text that must be a JSON object; logs
    // "from_string: exception: %s. %s" and returns false otherwise.
    static bool parseObject(const std::string& text, nlohmann::json& out);
    // A colour text Qt accepts, not empty.
    static bool validColor(const std::string& color);
    // The record's backgroundColor from a setBackground call: refused (logged)
    // when not a colour; rebuilds when it changed.
    void storeBackground(const std::string& color);

private:
    void ensureRecord();
    void deleteQml();
    void callQml(const char* function);

    const char* typeText_;
    int mediaType_;
    const char* name_;
    bool initialised_ = false;
    bool shown_ = false;
    QPointer<QQuickItem> qml_;
};

} // namespace dorvo_preview
