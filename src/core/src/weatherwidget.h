#pragma once

// The simple weather widget (record type "SIMPLE_WEATHER", scene
// text/Weather.qml): lines of weather text from a template. Its metadata is
// the ns::SimpleWeather record. The widget fetches through the shared
// WeatherClient, keeps the last good answer and hands the scene the finished
// lines, so rebuilding the scene after a setter needs no new request.

#include "metadatawidget.h"

#include "weatherfeed.h"

#include "dorvo_records.h"

#include <QStringList>

namespace dorvo_preview {

class WeatherWidget : public MetadataWidget
{
    Q_OBJECT
public:
    WeatherWidget(Window* window, QObject* parentItem, QObject* parent = nullptr);

    ns::SimpleWeather settings();
    // The lines the scene shows now.
    QStringList lines() const { return lines_; }
    bool requestInFlight() const { return feed_.inFlight(); }

    void widgetShow() override;
    void widgetHide() override;
    void pause() override;
    void resume() override;

public Q_SLOTS:
    void setSource(std::string source);
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
    void contentCreated(QQuickItem* content) override;

private:
    void commit(const ns::SimpleWeather& next);
    void setTemplate(const char* setter, const std::string& text);
    void takeOver(const char* setter, const std::string& json);
    // Applies the record to the feed (query, period) and makes the lines again.
    void reconcile();
    void onWeather();
    void showLines(const QStringList& lines);
    void pushToScene();
    WeatherQuery query();
    QString scrollRecord() const;
    void updateRunning();

    WeatherFeed feed_;
    bool active_ = false;
    bool paused_ = false;
    QStringList lines_;
};

} // namespace dorvo_preview
