#include "weatherclient.h"

#include "core/appcommon/jsonread.h"
#include "logging/log.h"

#include <QCoreApplication>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrlQuery>

namespace dorvo_preview {

WeatherClient::WeatherClient(QObject* parent) : QObject(parent), network_(new QNetworkAccessManager(this))
{
    if (auto* app = QCoreApplication::instance())
        connect(app, &QCoreApplication::aboutToQuit, this, &WeatherClient::abortAll);
}

void WeatherClient::abortAll()
{
    std::vector<QString> keys;
    for (const auto& entry : pending_)
        keys.push_back(entry.first);
    for (const QString& key : keys) {
        LOG_D("weather xhr abort %s", key.toUtf8().constData());
        fail(key, QStringLiteral("the engine stops"));
    }
    recent_.clear();
}

WeatherClient* WeatherClient::instance()
{
    static QPointer<WeatherClient> client;
    if (!client)
        client = new WeatherClient(QCoreApplication::instance());
    return client;
}

QString WeatherClient::baseAddress()
{
    QString base = QString::fromUtf8(qgetenv("DORVO_WEATHER_URL")).trimmed();
    while (base.endsWith('/'))
        base.chop(1);
    if (base.isEmpty())
        return QString();
    const QUrl url(base, QUrl::StrictMode);
    if (!url.isValid() || (url.scheme() != "http" && url.scheme() != "https") || url.host().isEmpty()) {
        LOG_E("DORVO_WEATHER_URL is not an http address, no weather is fetched: %.200s",
              base.toUtf8().constData());
        return QString();
    }
    return base;
}

QUrl WeatherClient::requestUrl(const QString& base, const WeatherQuery& q)
{
    // Every value is encoded whole, so '&', '#', '=', '+', blanks and
    // non-ASCII text stay inside their own parameter.
    auto part = [](const char* name, const QString& value) {
        return QString::fromLatin1(name) + '=' + QString::fromLatin1(QUrl::toPercentEncoding(value));
    };
    const QString query = part("city", q.city) + '&' + part("lang", q.lang) + '&' +
                          part("wind_type", q.windType) + '&' + part("unit", q.unit);
    QUrl url(base + QStringLiteral("/api/weather/integration"));
    url.setQuery(query, QUrl::StrictMode);
    return url;
}

WeatherAnswer WeatherClient::readAnswer(int status, const QByteArray& body)
{
    WeatherAnswer a;
    if (status == 0) {
        a.outcome = WeatherAnswer::Outcome::NoAnswer;
        a.reason = QStringLiteral("no connection");
        return a;
    }
    a.outcome = WeatherAnswer::Outcome::Bad;
    if (status != 200 && body.trimmed().isEmpty()) {
        a.reason = QStringLiteral("HTTP status %1").arg(status);
        return a;
    }
    if (body.trimmed().isEmpty()) {
        a.outcome = WeatherAnswer::Outcome::NoAnswer;
        a.reason = QStringLiteral("empty answer");
        return a;
    }
    if (status != 200) {
        a.reason = QStringLiteral("HTTP status %1").arg(status);
        return a;
    }
    std::string why;
    const nlohmann::json j =
        ns::jsonread::parse(std::string_view(body.constData(), size_t(body.size())), &why);
    if (j.is_discarded() || !j.is_object()) {
        a.reason = QStringLiteral("the answer is %1")
                       .arg(j.is_discarded() ? QString::fromStdString(why) : QStringLiteral("not an object"));
        return a;
    }
    const nlohmann::json* message = ns::jsonread::member(j, "message");
    if (!message || !message->is_string() || message->get_ref<const std::string&>() != "ok") {
        a.reason = QStringLiteral("the answer's message is not \"ok\"");
        return a;
    }
    const nlohmann::json* weather = ns::jsonread::member(j, "weather");
    if (!weather || !weather->is_object()) {
        a.reason = QStringLiteral("the answer has no weather object");
        return a;
    }
    a.outcome = WeatherAnswer::Outcome::Good;
    a.weather = *weather;
    return a;
}

bool WeatherClient::fetch(const WeatherQuery& query, QObject* receiver, Done done)
{
    const QString base = baseAddress();
    if (base.isEmpty())
        return false;
    const QUrl url = requestUrl(base, query);
    const QString key = url.toString(QUrl::FullyEncoded);
    Waiter waiter{receiver, std::move(done)};

    auto recent = recent_.find(key);
    if (recent != recent_.end() && recent->second.age.isValid() && recent->second.age.elapsed() < kShareMs) {
        const WeatherAnswer answer = recent->second.answer;
        QTimer::singleShot(0, this, [waiter, answer] { deliver({waiter}, answer); });
        return true;
    }
    auto joined = pending_.find(key);
    if (joined != pending_.end()) {
        joined->second.waiters.push_back(std::move(waiter));
        return true;
    }

    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    QNetworkReply* reply = network_->get(request);
    ++sent_;
    LOG_D("weather request %s", key.toUtf8().constData());
    Pending& p = pending_[key];
    p.reply = reply;
    p.waiters.push_back(std::move(waiter));
    p.timer = new QTimer(reply);
    p.timer->setSingleShot(true);
    connect(p.timer, &QTimer::timeout, this,
            [this, key] { fail(key, QStringLiteral("no complete answer within %1 ms").arg(kTimeoutMs)); });
    p.timer->start(kTimeoutMs);
    connect(reply, &QNetworkReply::metaDataChanged, this, [this, key, reply] {
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > kMaxAnswerBytes)
            fail(key, QStringLiteral("the answer announces %1 bytes").arg(length.toLongLong()));
    });
    connect(reply, &QNetworkReply::readyRead, this, [this, key, reply] {
        auto it = pending_.find(key);
        if (it == pending_.end() || it->second.reply != reply)
            return;
        it->second.body += reply->read(kMaxAnswerBytes + 1 - it->second.body.size());
        if (it->second.body.size() > kMaxAnswerBytes)
            fail(key, QStringLiteral("the answer is larger than %1 bytes").arg(kMaxAnswerBytes));
    });
    connect(reply, &QNetworkReply::finished, this, [this, key, reply] {
        auto it = pending_.find(key);
        if (it != pending_.end() && it->second.reply == reply)
            finish(key);
        reply->deleteLater();
    });
    return true;
}

void WeatherClient::fail(const QString& key, const QString& why)
{
    auto it = pending_.find(key);
    if (it == pending_.end() || !it->second.failure.isEmpty())
        return;
    it->second.failure = why;
    // abort() emits finished(), which calls finish().
    it->second.reply->abort();
}

void WeatherClient::finish(const QString& key)
{
    auto it = pending_.find(key);
    if (it == pending_.end())
        return;
    Pending p = std::move(it->second);
    pending_.erase(it);
    if (p.timer)
        p.timer->stop();
    WeatherAnswer answer;
    if (!p.failure.isEmpty()) {
        answer.outcome = WeatherAnswer::Outcome::Bad;
        answer.reason = p.failure;
    } else {
        p.body += p.reply->read(kMaxAnswerBytes + 1 - p.body.size());
        const int status = p.reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (p.body.size() > kMaxAnswerBytes) {
            answer.outcome = WeatherAnswer::Outcome::Bad;
            answer.reason = QStringLiteral("the answer is larger than %1 bytes").arg(kMaxAnswerBytes);
        } else {
            answer = readAnswer(status, p.body);
            if (status == 0 && p.reply->error() != QNetworkReply::NoError)
                answer.reason = p.reply->errorString();
        }
    }
    if (answer.outcome != WeatherAnswer::Outcome::Good)
        LOG_E("weather request failed: %s. %s", answer.reason.toUtf8().constData(), key.toUtf8().constData());
    Recent& r = recent_[key];
    r.answer = answer;
    r.age.start();
    // Old shared answers are dropped so the table stays small.
    for (auto old = recent_.begin(); old != recent_.end();) {
        if (old->second.age.elapsed() >= kShareMs)
            old = recent_.erase(old);
        else
            ++old;
    }
    deliver(std::move(p.waiters), answer);
}

void WeatherClient::deliver(std::vector<Waiter> waiters, const WeatherAnswer& answer)
{
    for (Waiter& w : waiters) {
        if (w.receiver && w.done)
            w.done(answer);
    }
}

} // namespace dorvo_preview
