#include "weatherfeed.h"

#include "logging/log.h"

namespace dorvo_preview {

namespace {

constexpr int kRetryMs = 30000;

bool sameQuery(const WeatherQuery& a, const WeatherQuery& b)
{
    return a.city == b.city && a.lang == b.lang && a.windType == b.windType && a.unit == b.unit;
}

} // namespace

WeatherFeed::WeatherFeed(QObject* parent, const char* owner, std::function<void()> changed)
    : QObject(parent), owner_(owner), changed_(std::move(changed))
{
    fetchTimer_.setInterval(30000);
    retryTimer_.setInterval(kRetryMs);
    connect(&fetchTimer_, &QTimer::timeout, this, [this] {
        fetch();
        retryTimer_.start();
    });
    connect(&retryTimer_, &QTimer::timeout, this, [this] {
        if (!dataGood_)
            fetch();
    });
}

bool WeatherFeed::setQuery(const WeatherQuery& query)
{
    if (hasQuery_ && sameQuery(query, query_))
        return false;
    hasQuery_ = true;
    query_ = query;
    ++generation_; // an answer still on its way is for the old query
    inFlight_ = false;
    dataGood_ = false;
    const bool had = hasAnswer_;
    hasAnswer_ = false;
    answer_ = nlohmann::json::object();
    if (had && changed_)
        changed_();
    if (running_)
        fetch();
    return true;
}

void WeatherFeed::setPeriod(int ms)
{
    if (fetchTimer_.interval() == ms)
        return;
    fetchTimer_.setInterval(ms);
    if (fetchTimer_.isActive())
        fetchTimer_.start();
}

void WeatherFeed::setRunning(bool running)
{
    if (running == running_)
        return;
    running_ = running;
    if (!running) {
        fetchTimer_.stop();
        retryTimer_.stop();
        return;
    }
    fetchTimer_.start();
    retryTimer_.start();
    fetch();
}

void WeatherFeed::fetch()
{
    if (inFlight_) {
        LOG_D("%s fetch skipped, a request is in flight", owner_);
        return;
    }
    if (query_.city.isEmpty()) {
        LOG_D("%s has no city code, nothing is fetched", owner_);
        return;
    }
    const quint64 generation = generation_;
    inFlight_ = WeatherClient::instance()->fetch(
        query_, this, [this, generation](const WeatherAnswer& answer) { onAnswer(generation, answer); });
    if (!inFlight_ && !warnedNoAddress_) {
        warnedNoAddress_ = true;
        LOG_W("%s: DORVO_WEATHER_URL is not set, the weather shows placeholders", owner_);
    }
}

void WeatherFeed::onAnswer(quint64 generation, const WeatherAnswer& answer)
{
    if (generation != generation_)
        return;
    inFlight_ = false;
    switch (answer.outcome) {
    case WeatherAnswer::Outcome::Good:
        dataGood_ = true;
        hasAnswer_ = true;
        answer_ = answer.weather;
        break;
    case WeatherAnswer::Outcome::NoAnswer:
        dataGood_ = false;
        hasAnswer_ = false;
        answer_ = nlohmann::json::object();
        break;
    case WeatherAnswer::Outcome::Bad:
        dataGood_ = false; // what is shown stays
        return;
    }
    if (changed_)
        changed_();
}

} // namespace dorvo_preview
