#pragma once

// The countdown / count-up timer (record type "COUNT_TIMER", scene
// countTime/CountTime.qml): a caption and the days, hours, minutes and
// seconds until or since a target. Its metadata is the ns::CountTimer record;
// the scene reads it at start, so every setter rebuilds the scene.

#include "metadatawidget.h"

#include "core/appcommon/counttimer.h"

namespace dorvo_preview {

class TimerWidget : public MetadataWidget
{
    Q_OBJECT
public:
    TimerWidget(Window* window, QObject* parentItem, QObject* parent = nullptr);

    // The record's metadata as a timer record.
    ns::CountTimer timer();

public Q_SLOTS:
    void setModel(int model);
    void setDataTimeStyle(std::string json);
    void setContent(std::string text);
    void setDisplayStyle(std::string json);
    void setFontStyle(std::string json);
    void setBackground(std::string color);

protected:
    void addDefaults(nlohmann::json& metadata) override;

private:
    // Writes the record into the metadata and rebuilds when it changed.
    void commit(const ns::CountTimer& timer);
    void takeOver(const char* setter, const std::string& json);
};

} // namespace dorvo_preview
