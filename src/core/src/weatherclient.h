#pragma once

// The one client of the weather web service that every weather widget
// shares. It lives on the Qt thread. The service's base address comes from
// the environment variable DORVO_WEATHER_URL (for example
// "http://127.0.0.1:8080"); while it is unset nothing is sent and the
// widgets keep their placeholders.
//
// A request is GET <base>/api/weather/integration?city=..&lang=..&wind_type=..&unit=..
// with every value percent-encoded. Each request has a time-out and a cap on
// the answer's size; requests for the same address are joined while one is
// in flight, and an answer is shared for a few seconds with later askers, so
// widgets that are rebuilt often do not flood the service.

#include <nlohmann/json.hpp>

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

#include <functional>
#include <map>
#include <vector>

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

namespace dorvo_preview {

struct WeatherQuery
{
    QString city;
    QString lang;
    QString windType;
    QString unit;
};

struct WeatherAnswer
{
    enum class Outcome
    {
        Good,     // HTTP 200, "message" = "ok", "weather" an object
        NoAnswer, // no connection or an empty body: the widgets show placeholders
        Bad       // an error status or answer, not JSON, too slow or too big: the shown text stays
    };
    Outcome outcome = Outcome::NoAnswer;
    nlohmann::json weather = nlohmann::json::object(); // the answer's "weather" member when Good
    QString reason;                                    // for the log when not Good
};

class WeatherClient : public QObject
{
    Q_OBJECT
public:
    static constexpr int kTimeoutMs = 10000;
    static constexpr qint64 kMaxAnswerBytes = 1 << 20;
    static constexpr int kShareMs = 3000;

    // The client of the calling (Qt) thread's application, made on first use.
    static WeatherClient* instance();

    // DORVO_WEATHER_URL without trailing slashes; empty when unset or not an
    // http(s) address.
    static QString baseAddress();
    static QUrl requestUrl(const QString& base, const WeatherQuery& query);
    // Judges an answer (status 0 means no connection).
    static WeatherAnswer readAnswer(int status, const QByteArray& body);

    using Done = std::function<void(const WeatherAnswer&)>;
    // Asks for the weather at the configured address. done runs later on
    // this thread, unless receiver is gone by then. False, and nothing sent
    // or called, when no address is configured.
    bool fetch(const WeatherQuery& query, QObject* receiver, Done done);

    // Network requests started so far (joined and shared asks not counted).
    quint64 requestsSent() const { return sent_; }

private:
    explicit WeatherClient(QObject* parent);

    struct Waiter
    {
        QPointer<QObject> receiver;
        Done done;
    };
    struct Pending
    {
        QNetworkReply* reply = nullptr;
        QTimer* timer = nullptr;
        QByteArray body;
        QString failure; // why the client itself ended the request
        std::vector<Waiter> waiters;
    };
    struct Recent
    {
        WeatherAnswer answer;
        QElapsedTimer age;
    };

    // Ends every request in flight (the engine is stopping).
    void abortAll();
    void finish(const QString& key);
    void fail(const QString& key, const QString& why);
    static void deliver(std::vector<Waiter> waiters, const WeatherAnswer& answer);

    QNetworkAccessManager* network_;
    std::map<QString, Pending> pending_;
    std::map<QString, Recent> recent_;
    quint64 sent_ = 0;
};

} // namespace dorvo_preview
