#include "weathertext.h"

#include <cmath>

namespace dorvo_preview {

namespace {

const QString kNone = QStringLiteral("--");

// Text of a member that is a string (or, when numbers are allowed, a finite
// number), else "--".
QString plain(const nlohmann::json& weather, const char* key, bool numbers = true)
{
    if (!weather.is_object())
        return kNone;
    auto it = weather.find(key);
    if (it == weather.end())
        return kNone;
    if (it->is_string()) {
        const QString s = QString::fromUtf8(it->get_ref<const std::string&>().c_str()).trimmed();
        return s.isEmpty() ? kNone : s;
    }
    if (numbers && it->is_number()) {
        const double d = it->get<double>();
        if (std::isfinite(d))
            return QString::number(d, 'g', 15);
    }
    return kNone;
}

QStringList split(const QString& text)
{
    return text.split('\n', Qt::SkipEmptyParts);
}

} // namespace

int WeatherText::fetchPeriod(int refreshPeriod)
{
    return refreshPeriod < 1000 || refreshPeriod > 1440000 ? 30000 : refreshPeriod;
}

bool WeatherText::isFahrenheit(const ns::BaseWeather& s)
{
    return s.temperatureUnit.find("Fahrenheit") != std::string::npos;
}

QString WeatherText::unitSign(const ns::BaseWeather& s)
{
    if (!s.isShowUnit)
        return QString(QChar(0x00B0));
    return QString(QChar(isFahrenheit(s) ? 0x2109 : 0x2103));
}

long WeatherText::fahrenheit(double celsius)
{
    return std::lround(celsius * 9.0 / 5.0 + 32.0);
}

QString WeatherText::temperature(const nlohmann::json& weather, const char* key, bool toFahrenheit)
{
    const QString text = plain(weather, key);
    if (text == kNone)
        return kNone;
    bool ok = false;
    const double c = text.toDouble(&ok);
    if (!ok || !std::isfinite(c) || std::fabs(c) > 1e6)
        return kNone;
    if (toFahrenheit)
        return QString::number(fahrenheit(c));
    return QString::number(c, 'g', 15);
}

QString WeatherText::fill(const QString& text, const QString (&values)[26], const bool (&present)[26])
{
    bool used[26] = {};
    QString out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == '$' && i + 1 < text.size()) {
            const QChar t = text.at(i + 1);
            const int k = t.unicode() - 'a';
            if (k >= 0 && k < 26 && present[k] && !used[k]) {
                used[k] = true;
                out += values[k];
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

QStringList WeatherText::placeholderLines(const ns::SimpleWeather& s)
{
    return lines(s, nlohmann::json::object());
}

QStringList WeatherText::lines(const ns::SimpleWeather& s, const nlohmann::json& weather)
{
    const QString tmpl = QString::fromUtf8(s.regular.c_str());
    const bool f = isFahrenheit(s);
    const QString sign = unitSign(s);
    const QString wind = plain(weather, tmpl.contains(QLatin1String("km/h")) ? "windSpeed" : "wind");
    QString values[26];
    bool present[26] = {};
    auto set = [&](char token, const QString& v) {
        values[token - 'a'] = v;
        present[token - 'a'] = true;
    };
    set('w', plain(weather, "weather", false));
    set('c', temperature(weather, "temp", f) + sign);
    set('h', plain(weather, "humidity") + '%');
    const QString direction = plain(weather, "windDirection", false);
    set('b', direction == kNone && wind == kNone ? kNone : direction + ' ' + wind);
    set('t', temperature(weather, "tempMin", f) + sign + '~' + temperature(weather, "tempMax", f) + sign);
    return split(fill(tmpl, values, present));
}

} // namespace dorvo_preview
