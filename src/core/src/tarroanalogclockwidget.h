#pragma once

// The fixed-look analogue clock of the template set (record type
// "TARRO_ANALOG_CLOCK", scene tarroclock/TarroClock.qml) with an AM/PM label
// in the widget's language. The language lives in the widget and is handed
// to every scene it builds.

#include "metadatawidget.h"

#include <QString>

namespace dorvo_preview {

class TarroAnalogClockWidget : public MetadataWidget
{
    Q_OBJECT
public:
    TarroAnalogClockWidget(Window* window, QObject* parentItem, QObject* parent = nullptr);

    std::string language() const { return language_; }
    // The label of the hour (0..23) in a language: "上午"/"下午" for "zh",
    // "AM"/"PM" for every other language.
    static QString meridiem(const QString& language, int hour);

public Q_SLOTS:
    // A language code of letters, digits, "-" or "_" (at most 16); anything
    // else is refused with a log line.
    void setLanguage(std::string language);

protected:
    void sceneCreated(QQuickItem* content) override;

private:
    std::string language_ = "zh";
};

} // namespace dorvo_preview
