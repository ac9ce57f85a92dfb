// The simple weather widget through the exported functions, fed by the local
// weather service (tools/weather-service) on an ephemeral port, with its
// pictures taken from the window's scene.

#include "clock/widgetprobe.h"
#include "support/weatherservice.h"
#include "text/pixels.h"

#include "core/src/weatherclient.h"
#include "core/src/weatherwidget.h"

#include <QDateTime>
#include <QUrl>
#include <QUrlQuery>

#include <atomic>
#include <memory>

using dorvo_preview::WeatherClient;
using dorvo_preview::WeatherWidget;
using nlohmann::json;
using testsupport::occurrences;
using testsupport::waitFor;
using textpixels::count;
using textpixels::isRed;

namespace {

std::atomic<int> g_rects{0};
void onRect(const char*)
{
    ++g_rects;
}

json sunny(const std::string& text = "Sunny")
{
    json answer = json::parse(R"({"json": {"message": "ok", "weather": {"temp": 21.4, "tempMin": 12, )"
                              R"("tempMax": 25, "humidity": 40, "windDirection": "NW", "wind": "3", )"
                              R"("windSpeed": "12"}}})");
    answer["json"]["weather"]["weather"] = text;
    return answer;
}

const char* kRedFont = R"({"font":{"family":["DejaVu Sans"],"style":"BOLD","size":40,"isUnderline":false},)"
                       R"("textColor":"#FFFF0000"})";

class WeatherWidgets : public widgetprobe::Fixture
{
protected:
    static void SetUpTestSuite()
    {
        char dir[] = "/tmp/dorvo-weather-XXXXXX";
        ASSERT_NE(mkdtemp(dir), nullptr);
        service = std::make_unique<testsupport::WeatherService>(WEATHER_SERVICE_PATH, dir);
        ASSERT_GT(service->port(), 0);
        setenv("DORVO_WEATHER_URL", service->address().c_str(), 1);
        startEngine("/tmp/dorvo-weather-engine-XXXXXX");
        setOnRectChanged(&onRect);
    }
    static void TearDownTestSuite()
    {
        SceneFixture::TearDownTestSuite();
        service.reset();
    }

    std::string make(const std::string& city, float x, float y, float w, float h)
    {
        const std::string id = place(NWeather_createWidget(), x, y, w, h);
        NWeather_setFontStyle(id.c_str(), kRedFont);
        NWeather_setCity(id.c_str(), json{{"cityNewCode", city}}.dump().c_str());
        return id;
    }
    static QStringList lines(const std::string& id)
    {
        return testsupport::readWidget<WeatherWidget>(win, id, [](WeatherWidget* w) { return w->lines(); });
    }
    static bool inFlight(const std::string& id)
    {
        return testsupport::readWidget<WeatherWidget>(win, id,
                                                      [](WeatherWidget* w) { return w->requestInFlight(); });
    }
    static std::vector<std::string> requestsFor(const std::string& city)
    {
        std::vector<std::string> out;
        for (const std::string& r : service->requests()) {
            const QUrlQuery q(QUrl(QString::fromStdString(r)));
            if (q.queryItemValue("city", QUrl::FullyDecoded).toStdString() == city)
                out.push_back(r);
        }
        return out;
    }

    static inline std::unique_ptr<testsupport::WeatherService> service;
};

TEST_F(WeatherWidgets, RequestCarriesEncodedValuesAndTheTemplateDrawsInRed)
{
    service->script(sunny().dump());
    const std::string city = "北京 a&lang=x#y";
    const std::string id = make(city, 10, 10, 400, 80);
    NWeather_setCity(id.c_str(), R"({"windType":"level","windSpeedUnit":"km/h"})");
    NWeather_setLanguage(id.c_str(), "en");
    NWeather_setDisplay(id.c_str(), "$c");
    ASSERT_TRUE(waitFor([&] { return lines(id) == QStringList{QString::fromUtf8("21.4℃")}; }, 10000))
        << lines(id).join('|').toStdString();
    const auto requests = requestsFor(city);
    ASSERT_FALSE(requests.empty());
    const QUrl url(QString::fromStdString(requests.back()));
    EXPECT_EQ(url.path(), "/api/weather/integration");
    const QUrlQuery q(url);
    EXPECT_EQ(q.queryItems().size(), 4);
    EXPECT_EQ(q.queryItemValue("lang"), "en");
    EXPECT_EQ(q.queryItemValue("wind_type"), "level");
    EXPECT_EQ(q.queryItemValue("unit", QUrl::FullyDecoded), "km/h");
    EXPECT_TRUE(waitFor([&] { return count(grab(id), isRed) > 100; }, 5000));
    EXPECT_EQ(widgetprobe::bands(grab(id), isRed), 1);

    // Two lines draw as two bands; the one-line form scrolls.
    NWeather_setDisplay(id.c_str(), "$w\n$c");
    setWidgetHeight(id.c_str(), 160.f);
    EXPECT_TRUE(waitFor([&] { return widgetprobe::bands(grab(id), isRed) == 2; }, 5000));
    NWeather_setDisplayStyle(id.c_str(),
                             R"({"isShowInOneLine":true,"effects":{"animation":"MARQUEE_LEFT","speed":200,)"
                             R"("isHeadTail":false,"headTailSpacing":0,"speedByPixelEnable":true}})");
    EXPECT_TRUE(waitFor([&] { return widgetprobe::bands(grab(id), isRed) == 1; }, 5000));
    const QImage first = grab(id);
    EXPECT_TRUE(waitFor([&] { return grab(id) != first; }, 5000)) << "the one-line form does not move";
}

TEST_F(WeatherWidgets, MarkupIsDrawnAsTextSettersCoalesceAndBadInputChangesNothing)
{
    const std::string bait = "http://127.0.0.1:" + std::to_string(service->port()) + "/evil.png";
    const std::string text = "<img src=\"" + bait + "\"><b>bold</b>";
    service->script(sunny(text).dump());
    const std::string id = make("markup", 10, 100, 580, 80);
    NWeather_setDisplay(id.c_str(), "$w");
    ASSERT_TRUE(waitFor([&] { return lines(id) == QStringList{QString::fromStdString(text)}; }, 10000));
    EXPECT_TRUE(waitFor([&] { return count(grab(id), isRed) > 200; }, 5000))
        << "the literal text is not drawn";
    EXPECT_EQ(prop(id, "text", "weatherText").toString().toStdString(), text);
    // The same in the scrolling one-line form.
    NWeather_setDisplayStyle(id.c_str(),
                             R"({"isShowInOneLine":true,"effects":{"animation":"MARQUEE_LEFT","speed":60}})");
    EXPECT_TRUE(waitFor([&] { return count(grab(id), isRed) > 100; }, 5000));
    flush();
    for (const std::string& r : service->requests())
        EXPECT_EQ(r.find("evil"), std::string::npos) << r;

    // Twenty setters in a row send at most one request; a refused text leaves the whole record.
    ASSERT_TRUE(waitFor([&] { return !inFlight(id); }, 10000));
    const size_t requests = requestsFor("markup").size();
    for (int i = 0; i < 20; ++i) {
        NWeather_setDisplay(id.c_str(), ("$w $c #" + std::to_string(i)).c_str());
        NWeather_setSharpened(id.c_str(), i % 2);
    }
    flush();
    EXPECT_TRUE(waitFor([&] { return lines(id).join("").endsWith("#19"); }, 5000));
    EXPECT_LE(requestsFor("markup").size(), requests + 1);
    const json before = record(id);
    const size_t logged = occurrences(logText(), "from_string: exception");
    for (const char* text : {"not json", "\xff\xfe", "[]"}) {
        NWeather_setCity(id.c_str(), text);
        NWeather_setDisplayStyle(id.c_str(), text);
        NWeather_setFontStyle(id.c_str(), text);
    }
    NWeather_setCity(id.c_str(), R"({"language":"x","refreshPeriod":1e30})");
    NWeather_setDisplayStyle(id.c_str(), R"({"language":"x","isShowInOneLine":"yes"})");
    NWeather_setFontStyle(id.c_str(), R"({"textColor":5})");
    NWeather_setDisplay(id.c_str(), "\xff");
    NWeather_setLanguage(id.c_str(), "\xc3");
    NWeather_setCity(id.c_str(), nullptr);
    NWeather_setCity("no-such-widget", R"({"cityNewCode":"1"})");
    flush();
    EXPECT_TRUE(
        waitFor([&] { return occurrences(logText(), "from_string: exception") >= logged + 12; }, 3000));
    EXPECT_EQ(record(id), before);
    EXPECT_NE(logText().find("WeatherWidget::setDisplay refused"), std::string::npos);
}

// Each way the transport can fail with a 1 s refresh: one request at a time,
// placeholders or the last good text, and the widget still answers the host.
TEST_F(WeatherWidgets, FaultMatrix)
{
    struct Fault
    {
        const char* name;
        json script;
        bool hangs;
    } faults[] = {
        {"HTTP 500", {{"status", 500}, {"body", "boom"}}, false},
        {"closed", {{"mode", "close"}}, false},
        {"50 MB body", {{"bodyBytes", 50 * 1024 * 1024}}, false},
        {"headers then silence", {{"mode", "headers"}}, true},
        {"no answer", {{"mode", "hang"}}, true},
    };
    const QStringList good{QString::fromUtf8("Sunny 21.4℃")};
    const QStringList placeholder{QString::fromUtf8("-- --℃")};
    int n = 0;
    for (const Fault& f : faults) {
        SCOPED_TRACE(f.name);
        const std::string city = "fault" + std::to_string(n++);
        service->script(sunny().dump());
        const std::string id = make(city, 300, 10, 280, 60);
        NWeather_setUpdateDuration(id.c_str(), 1000);
        // A base panel asking the same: one request serves both.
        const std::string panel = NBaseWeather_createWidget();
        setWidgetY(panel.c_str(), 100.f);
        NBaseWeather_setLocation(panel.c_str(), json{{"cityCode", city}}.dump().c_str());
        NBaseWeather_setRefreshCycle(panel.c_str(), 1);
        ASSERT_TRUE(waitFor([&] { return lines(id) == good; }, 10000));
        service->script(f.script.dump());
        const size_t before = requestsFor(city).size();
        // The next request meets the fault.
        ASSERT_TRUE(waitFor([&] { return requestsFor(city).size() > before; }, 8000));
        if (f.hangs) {
            // While it hangs no second request goes out; after the time-out one does.
            EXPECT_TRUE(waitFor([&] { return inFlight(id); }, 2000));
            EXPECT_FALSE(waitFor([&] { return requestsFor(city).size() > before + 1; },
                                 WeatherClient::kTimeoutMs - 2500));
            EXPECT_TRUE(waitFor([&] { return requestsFor(city).size() > before + 1; }, 8000))
                << "no request followed the time-out";
        } else {
            EXPECT_TRUE(waitFor([&] { return requestsFor(city).size() > before + 1; }, 8000));
        }
        const QStringList shown = lines(id);
        EXPECT_TRUE(shown == good || shown == placeholder) << shown.join('|').toStdString();
        for (const std::string& moved : {id, panel}) {
            const int rects = g_rects;
            setWidgetX(moved.c_str(), 5.f);
            EXPECT_TRUE(waitFor([&] { return g_rects > rects; }, 1000)) << "no rectangle callback";
        }
        deleteWidget(panel.c_str());
        deleteWidget(id.c_str());
        made.pop_back();
        flush();
    }
}

// The base panel: empty until the first good answer, then the answer's
// temperature and the icon of its code; the layout follows the size.
TEST_F(WeatherWidgets, BasePanelShowsTheFirstGoodAnswerInThreeLayouts)
{
    service->script(R"({"status": 500, "body": "down"})");
    const std::string id = place(NBaseWeather_createWidget(), 0, 0, 400, 250);
    NBaseWeather_setLocation(id.c_str(),
                             R"({"area":{"city":"Hangzhou","cityCode":"old"},"cityNewCode":"base-a"})");
    NBaseWeather_setRefreshCycle(id.c_str(), 1);
    NBaseWeather_setLanguage(id.c_str(), "en");
    ASSERT_TRUE(waitFor([&] { return !requestsFor("base-a").empty(); }, 8000));
    auto panel = [&](const char* key) { return prop(id, "panel").toMap().value(key).toString(); };
    auto lit = [&] { return count(grab(id), [](QRgb c) { return QColor(c).lightness() > 40; }); };
    flush();
    EXPECT_FALSE(prop(id, "ready").toBool());
    EXPECT_EQ(lit(), 0) << "the panel shows before a good answer";

    json good = sunny();
    good["json"]["weather"]["code"] = "100";
    // Noon in the service's zone: the day form of the icon.
    good["json"]["weather"]["timezone"] = 12 - QDateTime::currentDateTimeUtc().time().hour();
    service->script(good.dump());
    ASSERT_TRUE(waitFor([&] { return prop(id, "ready").toBool(); }, 10000));
    EXPECT_EQ(panel("temperature"), "21.4");
    EXPECT_EQ(panel("icon"), "qrc:/preview/img/tarroweather/sunny.svg");
    EXPECT_TRUE(waitFor([&] { return lit() > 4000; }, 5000));

    // Sizes choose the layouts; where the elements land follows.
    const std::tuple<float, float, const char*> sizes[] = {
        {400.f, 250.f, "normal"}, {399.f, 300.f, "medium"}, {199.f, 300.f, "mini"}};
    for (const auto& [w, h, layout] : sizes) {
        setWidgetWidth(id.c_str(), w);
        setWidgetHeight(id.c_str(), h);
        ASSERT_TRUE(waitFor([&] { return prop(id, "layout").toString() == layout; }, 3000)) << layout;
        EXPECT_EQ(prop(id, "visible", "baseColumns").toBool(), std::string(layout) == "normal");
        EXPECT_EQ(prop(id, "visible", "baseMediumRange").toBool(), std::string(layout) == "medium");
        EXPECT_EQ(prop(id, "visible", "baseCity").toBool(), std::string(layout) != "mini");
        const double iconCentre =
            prop(id, "x", "baseIcon").toDouble() + prop(id, "width", "baseIcon").toDouble() / 2;
        if (std::string(layout) == "mini")
            EXPECT_NEAR(iconCentre, w / 4, 2.0); // the icon in the middle of the left half
        else
            EXPECT_LT(iconCentre, w / 4);
    }

    // Labels by language from the table the senior panel uses; Japanese
    // labels while the service is asked in English.
    const std::tuple<const char*, const char*, const char*> labels[] = {
        {"fr", "Écart température\n", "Niveau 3"}, {"ja", "気温範囲\n", "風力3"}};
    for (const auto& [lang, range, wind] : labels) {
        NBaseWeather_setLanguage(id.c_str(), lang);
        EXPECT_TRUE(waitFor(
            [&] {
                return prop(id, "text", "baseColumn0").toString().startsWith(QString::fromUtf8(range)) &&
                       prop(id, "text", "baseColumn1").toString().endsWith(QString::fromUtf8(wind));
            },
            5000))
            << lang << " " << prop(id, "text", "baseColumn0").toString().toStdString();
    }
    EXPECT_TRUE(waitFor(
        [&] {
            return QUrlQuery(QUrl(QString::fromStdString(requestsFor("base-a").back())))
                       .queryItemValue("lang") == "en";
        },
        5000));

    // An unknown code: the default background and no icon.
    json unknown = sunny();
    unknown["json"]["weather"]["code"] = "12345";
    service->script(unknown.dump());
    EXPECT_TRUE(
        waitFor([&] { return panel("icon").isEmpty() && panel("background") == "cloudnight"; }, 10000));
    EXPECT_FALSE(prop(id, "visible", "baseIcon").toBool());

    // A new place without a new code no longer asks for the old code.
    NBaseWeather_setLocation(id.c_str(), R"({"city":"Suzhou","cityCode":"base-b"})");
    EXPECT_TRUE(waitFor([&] { return !requestsFor("base-b").empty(); }, 8000));
}

// The senior panel's pages, its four styles with their air bars, and the
// sun along the sunrise arc.
TEST_F(WeatherWidgets, SeniorPanelPagesStylesAndTheSunriseArc)
{
    json air = sunny();
    air["json"]["weather"].update(
        json::parse(R"({"aqi": "42", "airQuality": "good", "aqiDetail": {"pm10": "100",)"
                    R"( "pm25": "40", "no2": "100", "so2": "100", "o3": "100", "co": "10"}})"));
    service->script(air.dump());
    const std::string id = place(NSeniorWeather_createWidget(), 0, 0, 400, 480);
    NSeniorWeather_setRefreshCycle(id.c_str(), 1);
    for (auto* off : {&NSeniorWeather_setComfortEnabled, &NSeniorWeather_setSpeedAndPressureEnabled,
                      &NSeniorWeather_setSunriseAndSunsetEnabled})
        off(id.c_str(), false);
    NSeniorWeather_setPageSwitchTime(id.c_str(), 1);
    NSeniorWeather_setStyle(id.c_str(), 9);
    NSeniorWeather_setLocation(id.c_str(), R"({"city":"Ningbo","cityCode":"senior-a"})");
    ASSERT_TRUE(waitFor([&] { return prop(id, "ready").toBool(); }, 10000));
    EXPECT_EQ(prop(id, "style").toInt(), 1);
    EXPECT_EQ(prop(id, "pages").toStringList(), (QStringList{"airQuality", "livingIndex"}));
    EXPECT_TRUE(waitFor([&] { return prop(id, "currentPage").toString() == "livingIndex"; }, 3000));
    EXPECT_TRUE(waitFor([&] { return prop(id, "currentPage").toString() == "airQuality"; }, 3000));

    NSeniorWeather_setLanguage(id.c_str(), "en");
    EXPECT_TRUE(waitFor(
        [&] {
            const QString t = prop(id, "text", "pageTitle").toString();
            return t.startsWith("Air Quality") || t == "Lifestyle";
        },
        5000));

    // A switch time of 0 keeps the first page: no page timer runs.
    NSeniorWeather_setPageSwitchTime(id.c_str(), 0);
    EXPECT_TRUE(waitFor([&] { return prop(id, "pageInterval").toInt() == 0; }, 3000));
    EXPECT_FALSE(prop(id, "running", "pageTimer").toBool());
    EXPECT_EQ(prop(id, "currentPage").toString(), "airQuality");

    NSeniorWeather_setLivingIndexEnabled(id.c_str(), false);
    auto track = [](QRgb c) {
        return std::abs(qRed(c) - 0xb6) < 6 && std::abs(qGreen(c) - 0xbd) < 6 &&
               std::abs(qBlue(c) - 0xc9) < 6;
    };
    const std::tuple<int, double, int> styles[] = {
        {1, 400. / 480, 6}, {2, 800. / 240, 6}, {3, 800. / 140, 0}, {4, 160. / 480, 1}};
    for (const auto& [style, ratio, bars] : styles) {
        SCOPED_TRACE(style);
        NSeniorWeather_setStyle(id.c_str(), style);
        const QString page = QString("AirQuality%1.qml").arg(style >= 3 ? QString::number(style) : "");
        ASSERT_TRUE(waitFor(
            [&] {
                return prop(id, "ready").toBool() && prop(id, "style").toInt() == style &&
                       prop(id, "source", "seniorPage").toUrl().toString().endsWith("/" + page) &&
                       prop(id, "status", "seniorPage").toInt() == 1;
            },
            10000));
        int shown = 0;
        onQtThread([&] {
            for (QQuickItem* bar : named(widget(id)->contentItem(), "airBar"))
                shown += bar->isVisible();
        });
        EXPECT_EQ(shown, bars);
        EXPECT_NEAR(prop(id, "width", "seniorBox").toDouble() / prop(id, "height", "seniorBox").toDouble(),
                    ratio, 0.05);
        if (bars)
            EXPECT_TRUE(waitFor([&] { return count(grab(id), track) > 40; }, 3000));
        else
            EXPECT_LT(count(grab(id), track), 10);
    }

    // No page: only the basic panel, and no page timer.
    NSeniorWeather_setStyle(id.c_str(), 1);
    NSeniorWeather_setAirQualityEnabled(id.c_str(), false);
    EXPECT_TRUE(waitFor([&] { return prop(id, "pages").toStringList().isEmpty(); }, 3000));
    EXPECT_FALSE(prop(id, "running", "pageTimer").toBool());
    EXPECT_TRUE(prop(id, "visible", "seniorBase").toBool());
    EXPECT_EQ(prop(id, "currentPage").toString(), "");

    // The sun along the arc (no basic panel, so its icon stays out).
    NSeniorWeather_setBaseInfoEnabled(id.c_str(), false);
    NSeniorWeather_setSunriseAndSunsetEnabled(id.c_str(), true);
    // The sun's pixels and their mean x as a fraction of the width.
    auto sun = [](const QImage& img, double* meanX) {
        double n = 0, sum = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (const QColor c = img.pixelColor(x, y);
                    c.red() > 230 && c.green() > 170 && c.green() < 220 && c.blue() < 110)
                    ++n, sum += x;
        *meanX = n ? sum / n / img.width() : -1;
        return n;
    };
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    const std::tuple<qint64, qint64, double, double> times[] = {
        {now - 3600, now + 3 * 3600, 0.1, 0.5}, {now - 3 * 3600, now + 3600, 0.5, 0.9}, {now, now, -1, -1}};
    for (const auto& [rise, set, from, to] : times) {
        SCOPED_TRACE(from);
        json answer = sunny();
        answer["json"]["weather"]["sunrise"] = rise;
        answer["json"]["weather"]["sunset"] = set;
        service->script(answer.dump());
        double x = -1;
        EXPECT_TRUE(waitFor(
            [&] {
                const double n = sun(grab(id), &x);
                return from < 0 ? n == 0 : n > 20 && x > from && x < to;
            },
            8000))
            << x;
    }
}

} // namespace
