#pragma once

// The real-time data widget (record type "RT_MEDIA", scene
// text/Rt_mediaScale.qml): sensor readings as labelled rows under an optional
// title, still, scrolling upwards or page by page. No sensor is attached to a
// preview, so every value shows "--". Its settings are the record's metadata;
// the scene gets the plan read from it (RtMediaPlan).

#include "metadatawidget.h"

namespace dorvo_preview {

class RtMediaWidget : public MetadataWidget
{
    Q_OBJECT
public:
    RtMediaWidget(Window* window, QObject* parentItem, QObject* parent = nullptr);

    // The metadata as the widget keeps it.
    const nlohmann::json& settings() { return metadata(); }

public Q_SLOTS:
    void setFontFamily(std::string family);
    void setTextColor(std::string color);
    void setBold(bool bold);
    void setItalic(bool italic);
    void setUnderLine(bool underline);
    void setLabelPixelSize(int size);
    void setValuePixelSize(int size);
    void setUnitPixelSize(int size);
    void setAlignStyles(int style);
    void setDisplayStyle(int type);
    void setScrollType(int type);
    void setScrollSpeed(int speed);
    void setPlayTime(int ms);
    void setRegular(std::string regular);
    void setRegularContents(std::string json);
    void setTemperatureUnit(int unit);
    void setTemperatureCompensation(int compensation);
    void setPageSwitchAnimation(int code);
    void setPageSwitchAnimationTime(int ms);
    void setPageSwitchTime(int ms);
    void setUpdateDuration(int seconds);

protected:
    void addDefaults(nlohmann::json& metadata) override;
    void sceneCreated(QQuickItem* scene) override;

private:
    // Applies change to a copy of the metadata; rebuilds when it differs.
    template <typename Change> void patch(const char* setter, Change change);
};

} // namespace dorvo_preview
