#pragma once

// The weather of one widget: fetches through the shared WeatherClient at
// start, every period and, while the data is bad, every 30 s; one request
// at a time; keeps the last good "weather" object. A new query forgets the
// old answer (it belongs to another place) and fetches at once.

#include "weatherclient.h"

#include <nlohmann/json.hpp>

#include <QObject>
#include <QTimer>

#include <functional>

namespace dorvo_preview {

class WeatherFeed : public QObject
{
    Q_OBJECT
public:
    // owner: the class name for the log; changed runs when the answer was
    // replaced or cleared (a bad answer keeps the last good one).
    WeatherFeed(QObject* parent, const char* owner, std::function<void()> changed);

    // False when the query is the one in use.
    bool setQuery(const WeatherQuery& query);
    void setPeriod(int ms);
    // Running: fetching now and on the timers.
    void setRunning(bool running);

    bool inFlight() const { return inFlight_; }
    bool hasAnswer() const { return hasAnswer_; }
    const nlohmann::json& answer() const { return answer_; }

private:
    void fetch();
    void onAnswer(quint64 generation, const WeatherAnswer& answer);

    const char* owner_;
    std::function<void()> changed_;
    QTimer fetchTimer_;
    QTimer retryTimer_;
    bool running_ = false;
    bool inFlight_ = false;
    bool dataGood_ = false;
    bool hasAnswer_ = false;
    bool warnedNoAddress_ = false;
    bool hasQuery_ = false;
    quint64 generation_ = 0;
    WeatherQuery query_;
    nlohmann::json answer_ = nlohmann::json::object();
};

} // namespace dorvo_preview
