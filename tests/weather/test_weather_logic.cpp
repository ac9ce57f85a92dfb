// The weather records, the template text and the judging of the service's
// answers and addresses, as pure logic.

#include "core/appcommon/weatherrecords.h"
#include "core/src/weatherclient.h"
#include "core/src/tarroweather.h"
#include "core/src/weathertext.h"

#include <QUrlQuery>

#include <gtest/gtest.h>

#include <random>

using dorvo_preview::WeatherAnswer;
using dorvo_preview::WeatherClient;
using dorvo_preview::WeatherText;
using nlohmann::json;

namespace {

std::mt19937 rng(16);

std::string randomText()
{
    static const char* parts[] = {"a", "Z", "北京", " ", "&", "#", "$c", "\"", "é", "0", "<b>"};
    std::string s;
    for (int n = rng() % 6; n > 0; --n)
        s += parts[rng() % (sizeof parts / sizeof *parts)];
    return s;
}

template <typename T> json toJson(const T& r)
{
    json j;
    ns::to_json(j, r);
    return j;
}

// A random value of each field's type, nested objects field by field.
json randomLike(const json& v)
{
    json out = v;
    if (v.is_object())
        for (json& field : out)
            field = randomLike(field);
    else if (v.is_boolean())
        out = rng() % 2 == 1;
    else if (v.is_number_integer())
        out = int(rng() % 4) + 1;
    else if (v.is_string())
        out = randomText();
    return out;
}

template <typename T> T randomRecord()
{
    T record;
    ns::from_json(randomLike(toJson(T())), record);
    return record;
}

// Every key of a random record, alone, changes only its own field.
template <typename T> void eachKeyAlone()
{
    for (int round = 0; round < 20; ++round) {
        const T target = randomRecord<T>();
        const json from = randomLike(toJson(T()));
        EXPECT_EQ(toJson(T(target)), toJson(target));
        for (auto it = from.begin(); it != from.end(); ++it) {
            T changed = target;
            ns::from_json(json{{it.key(), it.value()}}, changed);
            json expected = toJson(target);
            expected[it.key()] = it.value();
            EXPECT_EQ(toJson(changed), expected) << it.key();
        }
        T copy;
        ns::from_json(from, copy);
        EXPECT_EQ(toJson(copy), from);
    }
}

TEST(WeatherRecords, RandomRecordsRoundTripAndEachKeyChangesOnlyItsField)
{
    eachKeyAlone<ns::SimpleWeather>();
    eachKeyAlone<ns::SeniorWeather>();
    // A nested key alone: area.city leaves the other area fields.
    ns::SimpleWeather w = randomRecord<ns::SimpleWeather>();
    json expected = toJson(w);
    ns::from_json(json{{"area", {{"city", "杭州"}}}}, w);
    expected["area"]["city"] = "杭州";
    EXPECT_EQ(toJson(w), expected);
    ns::Area a{"c", "p", "x", "y", "z"};
    ns::from_json(json{{"cityCode", "101"}}, a);
    EXPECT_EQ(
        toJson(a),
        (json{{"country", "c"}, {"province", "p"}, {"city", "x"}, {"county", "y"}, {"cityCode", "101"}}));
}

TEST(WeatherRecords, AWrongKeyBesideAGoodOneLeavesTheWholeRecord)
{
    // Each case with the records it is wrong for (1 simple, 2 senior, 3 both).
    const std::pair<json, int> bad[] = {
        {{{"language", "en"}, {"refreshPeriod", "x"}}, 3},
        {{{"language", "en"}, {"refreshPeriod", 2.5}}, 3},
        {{{"language", "en"}, {"refreshPeriod", 1e20}}, 3},
        {{{"language", "en"}, {"isShowUnit", 1}}, 3},
        {{{"language", "en"}, {"area", {{"city", 5}}}}, 3},
        {{{"language", "en"}, {"area", "Beijing"}}, 3},
        {{{"language", "en"}, {"cityNewCode", std::string("\xff\xfe")}}, 3},
        {json::array({1}), 3},
        {json("text"), 3},
        {{{"language", "en"}, {"effects", "NONE"}}, 1},
        {{{"language", "en"}, {"textAntialiasing", "yes"}}, 1},
        {{{"language", "en"}, {"seniorWeatherStyle", "1"}}, 2},
        {{{"language", "en"}, {"isdomestic", 0}}, 2},
    };
    auto unchanged = [](auto record, const json& j) {
        const json before = toJson(record);
        ns::from_json(j, record);
        return toJson(record) == before;
    };
    for (const auto& [j, which] : bad) {
        const std::string text = j.dump(-1, ' ', false, json::error_handler_t::replace);
        EXPECT_EQ(unchanged(randomRecord<ns::SimpleWeather>(), j), (which & 1) != 0) << text;
        EXPECT_EQ(unchanged(randomRecord<ns::SeniorWeather>(), j), (which & 2) != 0) << text;
    }
    const std::string texts[] = {
        "not json", "", "[]", "{\"language\": \"en\"", "{\"language\":\"\xff\"}", std::string(300, '[')};
    for (const std::string& text : texts) {
        ns::SimpleWeather s = randomRecord<ns::SimpleWeather>();
        const json before = toJson(s);
        EXPECT_FALSE(ns::fromString(text, s));
        EXPECT_EQ(toJson(s), before);
    }
    ns::SimpleWeather s;
    EXPECT_TRUE(ns::fromString("{\"cityNewCode\": \"101010100\"}", s));
    EXPECT_EQ(s.cityNewCode, "101010100");
}

ns::SimpleWeather settings(const char* regular, const char* unit = "Celsius", bool showUnit = true)
{
    ns::SimpleWeather s;
    s.regular = regular;
    s.temperatureUnit = unit;
    s.isShowUnit = showUnit;
    return s;
}

TEST(WeatherText, TemplatesFillEachTokenOnceInOnePass)
{
    const json sunny = {{"weather", "Sunny"}, {"temp", 21.4}, {"tempMin", 12},     {"tempMax", 25},
                        {"humidity", 40},     {"wind", "3"},  {"windSpeed", "12"}, {"windDirection", "NW"}};
    const QString c = QString::fromUtf8("℃"), f = QString::fromUtf8("℉"), deg = QString::fromUtf8("°");
    struct Case
    {
        ns::SimpleWeather settings;
        json weather;
        QStringList lines;
    } cases[] = {
        {settings("$w $c"), sunny, {"Sunny 21.4" + c}},
        {settings("$c and $c"), sunny, {"21.4" + c + " and $c"}},
        {settings("$w\n$h\n$b\n$t"), sunny, {"Sunny", "40%", "NW 3", "12" + c + "~25" + c}},
        {settings("$b km/h"), sunny, {"NW 12 km/h"}},
        {settings("$c", "Celsius", false), sunny, {"21.4" + deg}},
        // The service's text is never read as a token or pattern.
        {settings("$w|$c"), {{"weather", "$c $& $$ $w"}, {"temp", 1}}, {"$c $& $$ $w|1" + c}},
        {settings("$$c$x"), sunny, {"$21.4" + c + "$x"}},
        // Fahrenheit rounds to the nearest, below zero too.
        {settings("$c", "Fahrenheit"), {{"temp", 21.4}}, {"71" + f}},
        {settings("$c", "Fahrenheit"), {{"temp", 21.0}}, {"70" + f}},
        {settings("$c", "Fahrenheit"), {{"temp", -20.6}}, {"-5" + f}},
        {settings("$c", "Fahrenheit"), {{"temp", -40.3}}, {"-41" + f}},
        {settings("$c", "degrees Fahrenheit"), {{"temp", "-12.3"}}, {"10" + f}},
        // Missing, wrong-typed or non-numeric fields show "--".
        {settings("$w\n$c\n$h\n$b\n$t"), json::object(), {"--", "--" + c, "--%", "--", "--" + c + "~--" + c}},
        {settings("$w $c $h $t"),
         {{"weather", 5}, {"temp", "hot"}, {"humidity", nullptr}, {"tempMin", true}, {"tempMax", 1e300}},
         {"-- --" + c + " --% --" + c + "~--" + c}},
        {settings("$w\n\n$c\n"), sunny, {"Sunny", "21.4" + c}},
    };
    for (const Case& k : cases)
        EXPECT_EQ(WeatherText::lines(k.settings, k.weather), k.lines) << k.settings.regular;
    EXPECT_EQ(WeatherText::placeholderLines(settings("$w $c $t", "F", false)),
              QStringList{"-- --" + deg + " --" + deg + "~--" + deg});
}

TEST(WeatherText, FetchPeriodBounds)
{
    const std::pair<int, int> cases[] = {
        {999, 30000}, {1000, 1000}, {1440000, 1440000}, {1440001, 30000}, {-5, 30000}};
    for (auto [in, out] : cases)
        EXPECT_EQ(WeatherText::fetchPeriod(in), out) << in;
}

TEST(WeatherClient, AnswersAreJudged)
{
    using O = WeatherAnswer::Outcome;
    const std::tuple<int, const char*, O> cases[] = {
        {0, "", O::NoAnswer},
        {200, "", O::NoAnswer},
        {200, "  \n", O::NoAnswer},
        {500, "", O::Bad},
        {500, "{\"message\":\"ok\",\"weather\":{}}", O::Bad},
        {200, "not json", O::Bad},
        {200, "{}", O::Bad},
        {200, "[]", O::Bad},
        {200, "{\"message\":\"fail\",\"weather\":{}}", O::Bad},
        {200, "{\"message\":1,\"weather\":{}}", O::Bad},
        {200, "{\"message\":\"ok\",\"weather\":[1]}", O::Bad},
        {200, "{\"message\":\"ok\"}", O::Bad},
        {200, "{\"message\":\"ok\",\"weather\":{\"temp\":\"\xff\"}}", O::Good},
        {200, "{\"message\":\"ok\",\"weather\":{\"temp\":3}}", O::Good},
    };
    for (const auto& [status, body, outcome] : cases)
        EXPECT_EQ(WeatherClient::readAnswer(status, body).outcome, outcome) << status << " " << body;
    EXPECT_EQ(WeatherClient::readAnswer(200, "{\"message\":\"ok\",\"weather\":{\"temp\":3}}").weather,
              (json{{"temp", 3}}));
}

using dorvo_preview::TarroWeather;

TEST(TarroWeather, LanguagesPeriodsAndCodes)
{
    const std::tuple<const char*, const char*, const char*> languages[] = {
        {"ZH", "zh", "zh"},    {"cn", "zh", "zh"}, {"en_us", "en", "en"}, {"jp", "en", "ja"},
        {"ja-jp", "en", "ja"}, {"fr", "fr", "fr"}, {"es", "es", "es"},    {"pt", "pt", "pt"},
        {"", "zh", "zh"},      {"xx", "zh", "zh"},
    };
    for (const auto& [in, base, senior] : languages) {
        EXPECT_EQ(TarroWeather::language(in, false), base) << in;
        EXPECT_EQ(TarroWeather::language(in, true), senior) << in;
    }
    // Seconds with the simple widget's bounds, and no overflow.
    const std::pair<int, int> periods[] = {
        {0, 30000}, {1, 1000}, {1440, 1440000}, {1441, 30000}, {-2147483647, 30000}, {2147484, 30000}};
    for (auto [in, out] : periods)
        EXPECT_EQ(TarroWeather::fetchPeriod(in), out) << in;
    EXPECT_EQ(TarroWeather::background(100, 12), "sunshine");
    EXPECT_EQ(TarroWeather::background(104, 7), "cloud");
    EXPECT_EQ(TarroWeather::background(100, 18), "sunshinenight");
    EXPECT_EQ(TarroWeather::background(12345, 12), "cloudnight");
    // Icons by the code and the local hour of the answer's zone (night forms
    // for icons with a sun); the service's text never becomes a path.
    const std::tuple<const char*, double, int, const char*> icons[] = {
        {"100", 0, 18, "sunnynight"},  {"100", 0, 6, "sunnynight"},  {"100", 0, 7, "sunny"},
        {"100", 8, 2, "sunny"},        {"100", -5, 2, "sunnynight"}, {"307", 0, 2, "snow"},
        {"102", 0, 23, "cloudynight"}, {"300", 0, 2, "showernight"}, {"../../etc/passwd", 0, 12, ""},
        {"sunnynight", 0, 2, ""},
    };
    ns::BaseWeather s;
    for (const auto& [code, zone, utcHour, icon] : icons) {
        const json w = {{"code", code}, {"timezone", zone}};
        const QString url = TarroWeather::basePanel(s, &w, utcHour * 3600000LL)["icon"].toString();
        EXPECT_EQ(url, *icon ? QString("qrc:/preview/img/tarroweather/%1.svg").arg(icon) : QString())
            << code << " " << utcHour;
    }
    // The labels' language keeps Japanese for both panels.
    s.language = "ja";
    EXPECT_EQ(TarroWeather::basePanel(s, nullptr, 0)["lang"].toString(), "ja");
    s.language = "fr";
    const json w = {{"code", "../../etc/passwd"}, {"wind", "3"}, {"temp", -20.6}, {"timezone", 8}};
    EXPECT_EQ(TarroWeather::basePanel(s, &w, 0)["windValue"].toString(), "3");
    s.temperatureUnit = "Fahrenheit";
    EXPECT_EQ(TarroWeather::basePanel(s, &w, 0)["temperature"].toString(), "-5");
    EXPECT_FALSE(TarroWeather::basePanel(s, nullptr, 0)["ready"].toBool());
}

TEST(TarroWeather, SeniorPanelClampsWhatBadAnswersWouldBreak)
{
    const std::tuple<double, double, double, double> suns[] = {
        {100, 100, 150, -1}, {0, 200, 100, -1},  {200, 100, 150, -1}, {NAN, 200, 150, -1},
        {100, 200, 50, 0},   {100, 200, 250, 1}, {100, 200, 150, 0.5}};
    for (const auto& [rise, set, now, expected] : suns)
        EXPECT_DOUBLE_EQ(TarroWeather::sunPosition(rise, set, now), expected)
            << rise << " " << set << " " << now;

    ns::SeniorWeather s;
    s.seniorWeatherStyle = 7;
    const json w = {{"aqi", "80"},
                    {"airQuality", "good"},
                    {"aqiDetail", {{"pm10", "9999"}, {"pm25", "-5"}, {"no2", "250"}, {"co", "x"}}},
                    {"sunrise", 1000},
                    {"sunset", 1000},
                    {"lifestyle", {{{"type", "drsg"}, {"brf", "warm"}}, {{"type", "sport"}, {"brf", 3}}, 7}}};
    QVariantMap m = TarroWeather::seniorPanel(s, &w, 0);
    EXPECT_EQ(m["style"].toInt(), 1);
    EXPECT_TRUE(m["domestic"].toBool());
    // The air rows of each style: bars clamped to 0..1, no bars in style 3,
    // one AQI bar in style 4.
    const std::tuple<int, int, const char*, double, double> styles[] = {
        {1, 6, "PM10", 1.0, 0.0}, {2, 6, "PM10", 1.0, 0.0}, {3, 6, "PM10", -1, -1}, {4, 1, "", 0.16, 0}};
    for (const auto& [style, count, name, first, second] : styles) {
        s.seniorWeatherStyle = style;
        const QVariantList rows = TarroWeather::seniorPanel(s, &w, 0)["airRows"].toList();
        ASSERT_EQ(rows.size(), count) << style;
        EXPECT_EQ(rows[0].toMap()["name"].toString(), name) << style;
        EXPECT_DOUBLE_EQ(rows[0].toMap()["fraction"].toDouble(), first) << style;
        if (count > 1) {
            EXPECT_DOUBLE_EQ(rows[1].toMap()["fraction"].toDouble(), second) << style;
            EXPECT_EQ(rows[5].toMap()["value"].toString(), "--");
        } else {
            EXPECT_EQ(rows[0].toMap()["label"].toString(), "airIndex");
        }
    }
    EXPECT_DOUBLE_EQ(m["sunPosition"].toDouble(), -1);
    EXPECT_EQ(m["sunrise"].toString(), "--");
    EXPECT_EQ(m["life"].toMap()["drsg"].toString(), "warm");
    EXPECT_EQ(m["life"].toMap()["sport"].toString(), "3");
    EXPECT_EQ(m["life"].toMap()["cw"].toString(), "--");

    s.pageSwitchTime = 2147483647;
    s.airQualityEnabled = s.livingIndexEnabled = true;
    const json noAqi = {{"aqi", ""}, {"airQuality", "good"}};
    m = TarroWeather::seniorPanel(s, &noAqi, 0);
    EXPECT_EQ(m["pageInterval"].toInt(), 3600000);
    EXPECT_EQ(m["pages"].toStringList(), (QStringList{"airQuality", "livingIndex"}));
    EXPECT_FALSE(m["showBase"].toBool());
    EXPECT_FALSE(m["domestic"].toBool()) << "an empty aqi marks the city as not domestic";
    EXPECT_EQ(m["lang"].toString(), "zh");

    // A nested area is read; bad locations leave the record.
    ns::BaseWeather b;
    EXPECT_TRUE(TarroWeather::readLocation(R"({"area":{"cityCode":"c"},"cityNewCode":"new"})", b));
    EXPECT_EQ(b.cityNewCode, "new");
    EXPECT_EQ(b.area.cityCode, "c");
    for (const char* bad : {"x", "[]", "{\"cityNewCode\":1}", "{\"cityCode\":2}", "\xff"}) {
        ns::BaseWeather copy = b;
        TarroWeather::readLocation(bad, copy);
        EXPECT_EQ(toJson(copy), toJson(b)) << bad;
    }
}

} // namespace
