#include "tarroweather.h"

#include "weathertext.h"

#include "core/appcommon/jsonread.h"
#include "logging/log.h"

#include <QDateTime>

#include <algorithm>
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

// Icons with a sun in them and a night form (the name + "night").
const char* const kNightForms[] = {"sunny", "cloudy", "shower"};

// Hours east of UTC: the answer's "timezone", else the host's own zone.
double zoneHours(const nlohmann::json* w, qint64 nowUtcMs)
{
    bool ok = false;
    const double zone = text(w, "timezone").toDouble(&ok);
    if (ok && std::isfinite(zone) && std::fabs(zone) <= 14)
        return zone;
    return QDateTime::fromMSecsSinceEpoch(nowUtcMs).offsetFromUtc() / 3600.0;
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

bool TarroWeather::isDay(int localHour)
{
    return localHour >= 7 && localHour <= 17;
}

QString TarroWeather::iconUrl(int code, bool night)
{
    const CodeRange* r = find(code);
    if (!r)
        return QString();
    QString name = QLatin1String(r->icon);
    if (night && std::find(std::begin(kNightForms), std::end(kNightForms), name) != std::end(kNightForms))
        name += "night";
    return QStringLiteral("qrc:/preview/img/tarroweather/%1.svg").arg(name);
}

QString TarroWeather::backgroundType(int code)
{
    const CodeRange* r = find(code);
    return r ? QString(r->sunshine ? "sunshine" : "cloudy") : QString();
}

QString TarroWeather::background(int code, int hour)
{
    const bool day = isDay(hour);
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
    const bool fahrenheit = WeatherText::isFahrenheit(s);
    const QString sign = WeatherText::unitSign(s);
    QVariantMap m;
    m["ready"] = w != nullptr;
    m["city"] = QString::fromUtf8(s.area.city.empty() ? s.area.county.c_str() : s.area.city.c_str());
    const qint64 local = nowUtcMs + static_cast<qint64>(zoneHours(w, nowUtcMs) * 3600000.0);
    const int hour = static_cast<int>(((local / 3600000) % 24 + 24) % 24);
    const int code = weatherCode(w);
    m["icon"] = iconUrl(code, !isDay(hour));
    m["background"] = background(code, hour);
    m["lang"] = language(s.language, true);
    const nlohmann::json none = nlohmann::json::object();
    const nlohmann::json& weather = w ? *w : none;
    m["temperature"] = WeatherText::temperature(weather, "temp", fahrenheit);
    m["sign"] = sign;
    const QString air = text(w, "airQuality");
    m["airQuality"] = air == "--" ? QString() : air;
    m["weather"] = text(w, "weather");
    m["range"] = WeatherText::temperature(weather, "tempMin", fahrenheit) + "/" +
                 WeatherText::temperature(weather, "tempMax", fahrenheit) + sign;
    m["windDirection"] = text(w, "windDirection");
    m["windValue"] = text(w, "wind");
    m["humidity"] = text(w, "humidity") + "%";
    return m;
}

double TarroWeather::sunPosition(double sunrise, double sunset, double now)
{
    if (!std::isfinite(sunrise) || !std::isfinite(sunset) || sunrise <= 0 || sunset <= sunrise)
        return -1;
    const double p = (now - sunrise) / (sunset - sunrise);
    return p < 0 ? 0 : (p > 1 ? 1 : p);
}

QVariantMap TarroWeather::seniorPanel(const ns::SeniorWeather& s, const nlohmann::json* w, qint64 nowUtcMs)
{
    QVariantMap m = basePanel(s, w, nowUtcMs);
    const int style = s.seniorWeatherStyle >= 1 && s.seniorWeatherStyle <= 4 ? s.seniorWeatherStyle : 1;
    m["style"] = style;
    QStringList pages;
    if (s.airQualityEnabled)
        pages << "airQuality";
    if (s.comfortEnabled)
        pages << "comfort";
    if (s.speedAndPressureEnabled)
        pages << "windPressure";
    if (s.sunriseAndSunsetEnabled)
        pages << "sunriseSunset";
    if (s.livingIndexEnabled)
        pages << "livingIndex";
    m["pages"] = pages;
    m["showBase"] = s.baseInfoEnabled || pages.isEmpty();
    // A switch time of 0 or less keeps the first page (no page timer).
    const long long interval = static_cast<long long>(s.pageSwitchTime) * 1000;
    m["pageInterval"] =
        static_cast<int>(interval <= 0 ? 0 : (interval < 1000 ? 1000 : std::min(interval, 3600000LL)));
    const QString aqi = text(w, "aqi");
    const bool domestic = aqi != "--" && !m["airQuality"].toString().isEmpty();
    m["domestic"] = domestic;
    m["aqi"] = aqi;
    // The air page's rows: the six pollutants with bars (styles 1 and 2),
    // their figures alone (style 3), or one bar for the AQI (style 4). A
    // fraction of -1 draws no bar; "label" names a label, "name" is shown.
    const nlohmann::json* detail = w ? ns::jsonread::member(*w, "aqiDetail") : nullptr;
    auto fraction = [](const QString& v, double full) {
        bool ok = false;
        const double d = v.toDouble(&ok);
        const double f = ok && std::isfinite(d) ? d / full : 0;
        return f < 0 ? 0.0 : (f > 1 ? 1.0 : f);
    };
    QVariantList rows;
    if (style == 4) {
        rows << QVariantMap{{"label", "airIndex"}, {"value", aqi}, {"fraction", fraction(aqi, 500)}};
    } else {
        const struct
        {
            const char* key;
            const char* name;
            double full;
        } air[] = {{"pm10", "PM10", 500}, {"pm25", "PM2.5", 210}, {"no2", "NO₂", 500},
                   {"so2", "SO₂", 500},   {"o3", "O₃", 800},      {"co", "CO", 57.5}};
        for (const auto& a : air) {
            QString v = domestic ? text(detail, a.key) : QStringLiteral("--");
            bool ok = false;
            v.toDouble(&ok);
            rows << QVariantMap{{"name", QString::fromUtf8(a.name)},
                                {"value", ok ? v : QStringLiteral("--")},
                                {"fraction", style == 3 ? -1.0 : fraction(v, a.full)}};
        }
    }
    m["airRows"] = rows;
    const bool fahrenheit = WeatherText::isFahrenheit(s);
    const nlohmann::json none = nlohmann::json::object();
    m["feelsLike"] = WeatherText::temperature(w ? *w : none, "fl", fahrenheit);
    m["uvIndex"] = text(w, "uvIndex");
    m["windSpeed"] =
        text(w, "windSpeed") + " " + (text(w, "windSpeedUnit") == "--" ? "" : text(w, "windSpeedUnit"));
    m["pressure"] =
        text(w, "pressure") + " " + (text(w, "pressureUnit") == "--" ? "" : text(w, "pressureUnit"));
    bool riseOk = false, setOk = false;
    const double rise = text(w, "sunrise").toDouble(&riseOk);
    const double set = text(w, "sunset").toDouble(&setOk);
    const double position = riseOk && setOk ? sunPosition(rise, set, nowUtcMs / 1000.0) : -1;
    m["sunPosition"] = position;
    const double zone = zoneHours(w, nowUtcMs);
    auto clock = [zone](double t) {
        return QDateTime::fromSecsSinceEpoch(static_cast<qint64>(t), Qt::OffsetFromUTC,
                                             static_cast<int>(zone * 3600))
            .toString("HH:mm");
    };
    m["sunrise"] = position >= 0 ? clock(rise) : QStringLiteral("--");
    m["sunset"] = position >= 0 ? clock(set) : QStringLiteral("--");
    QVariantMap life;
    const nlohmann::json* lifestyle = w ? ns::jsonread::member(*w, "lifestyle") : nullptr;
    for (const char* type : {"drsg", "sport", "flu", "cw", "trav", "comf"}) {
        QString brf = QStringLiteral("--");
        if (lifestyle && lifestyle->is_array()) {
            for (const auto& entry : *lifestyle) {
                const nlohmann::json* t = ns::jsonread::member(entry, "type");
                if (t && t->is_string() && *t == type) {
                    brf = text(&entry, "brf");
                    break;
                }
            }
        }
        life[type] = brf;
    }
    m["life"] = life;
    return m;
}

bool TarroWeather::readLocation(const std::string& json, ns::BaseWeather& settings)
{
    std::string why = "the text is not UTF-8";
    const nlohmann::json parsed = ns::jsonread::isValidUtf8(json)
                                      ? ns::jsonread::parse(json, &why)
                                      : nlohmann::json(nlohmann::json::value_t::discarded);
    if (parsed.is_discarded() || !parsed.is_object()) {
        LOG_E("from_string: exception: %s. %.200s", parsed.is_discarded() ? why.c_str() : "not a JSON object",
              ns::jsonread::validUtf8(json).c_str());
        return false;
    }
    const nlohmann::json* area = ns::jsonread::member(parsed, "area");
    const nlohmann::json* code = ns::jsonread::member(parsed, "cityNewCode");
    if (code && !code->is_string()) {
        LOG_E("from_string: exception: %s. %.200s", "\"cityNewCode\" is not a string", json.c_str());
        return false;
    }
    ns::BaseWeather next = settings;
    ns::from_json(area ? *area : parsed, next.area);
    if (code)
        next.cityNewCode = code->get<std::string>();
    else if (next.area.cityCode != settings.area.cityCode || next.area.city != settings.area.city)
        next.cityNewCode.clear();
    settings = next;
    return true;
}

} // namespace dorvo_preview
