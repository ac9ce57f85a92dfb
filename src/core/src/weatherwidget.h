#pragma once

// The simple weather widget (record type "SIMPLE_WEATHER", scene
// text/Weather.qml): lines of weather text from a template. Its metadata is
// the ns::SimpleWeather record. The widget fetches through the shared
// WeatherClient, keeps the last good answer and hands the scene the finished
// lines, so rebuilding the scene after a setter needs no new request.

#include "weatherfeedwidget.h"

#include "dorvo_records.h"

#include <QStringList>

namespace dorvo_preview {

class WeatherWidget : public WeatherFeedWidget
{
    Q_OBJECT
public:
    WeatherWidget(Window* window, QObject* parentItem, QObject* parent = nullptr);

    ns::SimpleWeather settings();
    // The lines the scene shows now.
    QStringList lines() const { return lines_; }

public Q_SLOTS:
    void setCity(std::string json);
    void setSharpened(int sharpened);
    void setDisplay(std::string text);
    void setTmpUnit(std::string unit);
    void setTmpSymbol(std::string symbol);
    void setCustomContent(std::string text);
    void setDisplayStyle(std::string json);
    void setFontStyle(std::string json);
    void setUpdateDuration(qint64 ms);
    void setLanguage(std::string language);
    void setBackground(std::string color);

protected:
    void addDefaults(nlohmann::json& metadata) override;
    void reconcile() override;
    void pushToScene() override;
    void weatherChanged() override;

private:
    void commit(const ns::SimpleWeather& next);
    void setTemplate(const char* setter, const std::string& text);
    void takeOver(const char* setter, const std::string& json);
    void showLines(const QStringList& lines);
    WeatherQuery query();
    QString scrollRecord() const;

    QStringList lines_;
};

} // namespace dorvo_preview
