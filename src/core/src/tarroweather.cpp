#include "tarroweather.h"

#include "weathertext.h"

#include <QDateTime>

#include <cmath>

namespace dorvo_preview {

namespace {

struct CodeRange
{
    int from;
    int to;
    const char* icon;
    bool sunshine;
};

// Weather codes to icon and background type.
const CodeRange kCodes[] = {
    {100, 100, "sunny", true},    {101, 101, "cloudy", false},   {102, 102, "cloudy", true},
    {103, 103, "overcast", true}, {104, 104, "overcast", false}, {200, 204, "sunny", true},
    {205, 213, "storm", false},   {300, 301, "shower", false},   {302, 303, "thunder", false},
    {304, 304, "thunder", false}, {305, 305, "rain", false},     {306, 306, "rain", false},
    {307, 307, "snow", false},    {308, 309, "rain", false},     {310, 312, "heavyrain", false},
    {313, 313, "sleet", false},   {399, 399, "rain", false},     {400, 402, "snow", false},
    {403, 403, "snow", false},    {404, 406, "sleet", false},    {407, 407, "snow", false},
    {500, 501, "fog", false},     {502, 502, "fog", false},      {503, 504, "dust", false},
    {507, 508, "dust", false},    {900, 900, "sunny", true},     {901, 901, "overcast", false},
    {999, 999, "sunny", false},
};

const CodeRange* find(int code)
{
    for (const CodeRange& r : kCodes)
        if (code >= r.from && code <= r.to)
            return &r;
    return nullptr;
}

QString text(const nlohmann::json* w, const char* key)
{
    if (!w || !w->is_object())
        return QStringLiteral("--");
    auto it = w->find(key);
    if (it == w->end())
        return QStringLiteral("--");
    if (it->is_string() && !it->get_ref<const std::string&>().empty())
        return QString::fromUtf8(it->get_ref<const std::string&>().c_str());
    if (it->is_number() && std::isfinite(it->get<double>()))
        return QString::number(it->get<double>(), 'g', 15);
    return QStringLiteral("--");
}

// The weather code: a number or a numeric string, else -1.
int weatherCode(const nlohmann::json* w)
{
    bool ok = false;
    const int code = text(w, "code").toInt(&ok);
    return ok ? code : -1;
}

struct Labels
{
    const char* lang;
    const char* range;
    const char* windPower;
    const char* humidity;
};

const Labels kLabels[] = {
    {"zh", "温度范围", "{1}级", "当前湿度"},
    {"en", "Temp", "Scale {1}", "Humidity"},
    {"fr", "Écart température", "Niveau {1}", "Humidité"},
    {"es", "Rango Temperatura", "Nivel {1}", "Humedad"},
    {"pt", "Temp", "Grau {1}", "Umidade"},
};

const Labels& labels(const QString& lang)
{
    for (const Labels& l : kLabels)
        if (lang == QLatin1String(l.lang))
            return l;
    return kLabels[1]; // "ja" has no table of its own here
}

} // namespace

QString TarroWeather::language(const std::string& value, bool senior)
{
    const QString v = QString::fromUtf8(value.c_str());
    if (v == "ZH" || v == "zh-cn" || v == "zh-CN" || v == "cn" || v == "zh")
        return "zh";
    if (v == "en-us" || v == "en_us" || v == "en")
        return "en";
    if (v == "jp" || v == "ja" || v == "ja-jp")
        return senior ? "ja" : "en";
    for (const char* other : {"fr", "es", "pt"})
        if (v == other || v.startsWith(QString(other) + '-') || v.startsWith(QString(other) + '_'))
            return other;
    return "zh";
}

int TarroWeather::fetchPeriod(int seconds)
{
    const long long ms = static_cast<long long>(seconds) * 1000;
    return ms < 1000 || ms > 1440000 ? 30000 : static_cast<int>(ms);
}

QString TarroWeather::iconUrl(int code)
{
    const CodeRange* r = find(code);
    return r ? QStringLiteral("qrc:/preview/img/tarroweather/%1.svg").arg(QLatin1String(r->icon)) : QString();
}

QString TarroWeather::backgroundType(int code)
{
    const CodeRange* r = find(code);
    return r ? QString(r->sunshine ? "sunshine" : "cloudy") : QString();
}

QString TarroWeather::background(int code, int hour)
{
    const bool day = hour >= 7 && hour <= 17;
    const QString type = backgroundType(code);
    if (day && type == "sunshine")
        return "sunshine";
    if (day && type == "cloudy")
        return "cloud";
    if (!day && type == "sunshine")
        return "sunshinenight";
    return "cloudnight";
}

QVariantMap TarroWeather::basePanel(const ns::BaseWeather& s, const nlohmann::json* w, qint64 nowUtcMs)
{
    const QString lang = language(s.language, false);
    const Labels& l = labels(lang);
    const bool fahrenheit = WeatherText::isFahrenheit(s);
    const QString sign = WeatherText::unitSign(s);
    QVariantMap m;
    m["ready"] = w != nullptr;
    m["city"] = QString::fromUtf8(s.area.city.empty() ? s.area.county.c_str() : s.area.city.c_str());
    const int code = weatherCode(w);
    m["icon"] = iconUrl(code);
    const nlohmann::json none = nlohmann::json::object();
    const nlohmann::json& weather = w ? *w : none;
    m["temperature"] = WeatherText::temperature(weather, "temp", fahrenheit);
    m["sign"] = sign;
    const QString air = text(w, "airQuality");
    m["airQuality"] = air == "--" ? QString() : air;
    m["weather"] = text(w, "weather");
    m["rangeLabel"] = QString::fromUtf8(l.range);
    m["range"] = WeatherText::temperature(weather, "tempMin", fahrenheit) + "/" +
                 WeatherText::temperature(weather, "tempMax", fahrenheit) + sign;
    m["windDirection"] = text(w, "windDirection");
    m["windPower"] = QString::fromUtf8(l.windPower).replace("{1}", text(w, "wind"));
    m["humidityLabel"] = QString::fromUtf8(l.humidity);
    m["humidity"] = text(w, "humidity") + "%";
    bool ok = false;
    double zone = text(w, "timezone").toDouble(&ok);
    if (!ok || !std::isfinite(zone) || std::fabs(zone) > 14) // unknown: the host's own zone
        zone = QDateTime::fromMSecsSinceEpoch(nowUtcMs).offsetFromUtc() / 3600.0;
    const qint64 local = nowUtcMs + static_cast<qint64>(zone * 3600000.0);
    const int hour = static_cast<int>(((local / 3600000) % 24 + 24) % 24);
    m["background"] = background(code, hour);
    return m;
}

} // namespace dorvo_preview
