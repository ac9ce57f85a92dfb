// Clocks and the timer through the exported functions, as a host drives
// them, with their pictures taken from the window's scene. Time is pinned
// where the picture depends on it (ClockText::setTestNow).

#include "support/logcapture.h"
#include "clock/widgetprobe.h"
#include "text/pixels.h"

#include "core/src/clocktext.h"

#include <QDateTime>

#include <nlohmann/json.hpp>

#include <chrono>
#include <cmath>

using dorvo_preview::ClockText;
using nlohmann::json;
using testsupport::waitFor;
using textpixels::count;
using textpixels::isRed;
using widgetprobe::handAngle;

namespace {

qint64 utc(const char* iso)
{
    return QDateTime::fromString(QString::fromLatin1(iso), Qt::ISODate).toMSecsSinceEpoch();
}

class ClockWidgets : public widgetprobe::Fixture
{
protected:
    static void SetUpTestSuite() { startEngine("/tmp/dorvo-clock-XXXXXX"); }

    static void TearDownTestSuite()
    {
        ClockText::setTestNow(-1);
        SceneFixture::TearDownTestSuite();
    }

    void SetUp() override
    {
        ClockText::setTestNow(-1);
        log = testsupport::captureLog();
    }

    // The text a scene shows (its Text item of that object name).
    static QString shown(const std::string& id, const char* textName)
    {
        return prop(id, "text", textName).toString();
    }

    static size_t logged(const std::string& prefix) { return testsupport::countStartingWith(*log, prefix); }

    static inline std::shared_ptr<testsupport::MemorySink> log;
};

double angleDiff(double a, double b)
{
    return std::fmod(a - b + 720, 360);
}

bool isYellow(QRgb p)
{
    return qRed(p) > 180 && qGreen(p) > 180 && qBlue(p) < 90;
}
bool isCyan(QRgb p)
{
    return qRed(p) < 90 && qGreen(p) > 210 && qBlue(p) > 180;
}
bool isMagenta(QRgb p)
{
    return qRed(p) > 180 && qGreen(p) < 90 && qBlue(p) > 180;
}

TEST_F(ClockWidgets, AnalogueHandsOfTwoZones)
{
    ClockText::setTestNow(utc("2026-07-01T03:10:20Z"));
    std::string ids[2];
    const char* zones[2] = {R"({"gmt":"GMT+00:00","zone":""})",
                            R"({"gmt":"GMT+05:30","zone":"Asia/Kolkata"})"};
    for (int i = 0; i < 2; ++i) {
        ids[i] = place(NAnalogClock_createWidget(), 20 + i * 220, 20, 200, 200);
        NAnalogClock_setTimeZone(ids[i].c_str(), zones[i]);
        NAnalogClock_setHourMarkerColor(ids[i].c_str(), "#FFFFFF00");
        NAnalogClock_setMinMarkerColor(ids[i].c_str(), "#FF00FFFF");
        NAnalogClock_setSecMarkerColor(ids[i].c_str(), "#FFFF00FF");
        NAnalogClock_setDateVisible(ids[i].c_str(), false);
        NAnalogClock_setContent(ids[i].c_str(), "");
    }
    flush();
    double hour[2], minute[2];
    for (int i = 0; i < 2; ++i) {
        QImage img;
        ASSERT_TRUE(waitFor(
            [&] {
                img = grab(ids[i]);
                return !img.isNull() && handAngle(img, isYellow, 85) >= 0 && handAngle(img, isCyan, 85) >= 0;
            },
            10000))
            << "clock " << i << " shows no hands";
        hour[i] = handAngle(img, isYellow, 85);
        minute[i] = handAngle(img, isCyan, 85);
    }
    // 03:10:20 and 08:40:20, a few seconds on.
    EXPECT_NEAR(hour[0], 95, 4);
    EXPECT_NEAR(minute[0], 62, 4);
    EXPECT_NEAR(angleDiff(minute[1], minute[0]), 180, 4);
    EXPECT_NEAR(angleDiff(hour[1], hour[0]), 165, 4);

    const double second = handAngle(grab(ids[0]), isMagenta, 100);
    ASSERT_GE(second, 0);
    EXPECT_TRUE(
        waitFor([&] { return std::abs(handAngle(grab(ids[0]), isMagenta, 100) - second) >= 3; }, 1500))
        << "the second hand did not move within a second";

    // Paused, the dial is not painted again; resumed, it follows the seconds.
    auto paints = [&] { return prop(ids[0], "paintCount").toInt(); };
    pausePreview(win);
    flush();
    const int paused = paints();
    EXPECT_FALSE(waitFor([&] { return paints() != paused; }, 1500)) << "painted while paused";
    resumePreview(win);
    EXPECT_TRUE(waitFor([&] { return paints() > paused; }, 1500)) << "not painted after resuming";
}

TEST_F(ClockWidgets, DigitalClockTextsOfZonesOffsetsAndBadInput)
{
    ClockText::setTestNow(utc("2026-07-01T12:00:05Z"));
    // The first two draw the same as the literal text of the third.
    const std::tuple<const char*, const char*, int, const char*> clocks[] = {
        {"GMT+05:00", "", 0, "$HH:$mm"},
        {"GMT+00:00", "", 5, "$HH:$mm"},
        {"GMT+00:00", "", 0, "17:00"},
        {"GMT+01:00", "Europe/Berlin", 0, "$HH:$mm"}};
    std::vector<std::string> ids;
    int i = 0;
    for (const auto& [gmt, zone, offset, regular] : clocks) {
        const std::string id = place(NDigitalClock_createWidget(), 10, 10 + 75 * i++, 200, 70);
        NDigitalClock_setGMT(id.c_str(), gmt);
        NDigitalClock_setZone(id.c_str(), zone);
        NDigitalClock_setOffset(id.c_str(), offset);
        NDigitalClock_setDataTimeRegular(id.c_str(), regular);
        NDigitalClock_setFontStyle(
            id.c_str(),
            R"({"font":{"family":["DejaVu Sans"],"size":40,"style":"BOLD"},"textColor":"#FFFF0000"})");
        ids.push_back(id);
    }
    flush();
    EXPECT_TRUE(waitFor([&] { return shown(ids[0], "clockText") == "17:00"; }, 5000))
        << shown(ids[0], "clockText").toStdString();
    EXPECT_EQ(shown(ids[1], "clockText"), "17:00");
    EXPECT_EQ(shown(ids[3], "clockText"), "14:00");
    const QImage picture = grab(ids[0]);
    EXPECT_GT(count(picture, isRed), 100) << "no text drawn";
    EXPECT_EQ(grab(ids[1]), picture);
    EXPECT_EQ(grab(ids[2]), picture);
    EXPECT_NE(grab(ids[3]), picture);

    // Several lines: date, week day and time each get a third of the height.
    NDigitalClock_setDataTimeRegular(ids[0].c_str(), "$HH\n$yyyy\n$E");
    NDigitalClock_setFontStyle(ids[0].c_str(),
                               R"({"font":{"family":["DejaVu Sans"],"size":14},"textColor":"#FFFF0000"})");
    flush();
    ASSERT_TRUE(waitFor([&] { return shown(ids[0], "clockText") == "2026\nWednesday\n17"; }, 3000))
        << shown(ids[0], "clockText").toStdString();
    int bands = 0;
    EXPECT_TRUE(waitFor([&] { return (bands = widgetprobe::bands(grab(ids[0]), isRed)) == 3; }, 3000))
        << bands << " lines drawn";

    // Markup shows as text; bad input is refused whole.
    ClockText::setTestNow(utc("2026-07-05T14:07:09Z"));
    const std::string id = ids[1];
    NDigitalClock_setOffset(id.c_str(), 0);
    NDigitalClock_setDataTimeRegular(id.c_str(), "<b>$E</b>&#160;$N");
    flush();
    const json before = record(id)["metadata"];
    NDigitalClock_setGMT(id.c_str(), "GMT+8");
    NDigitalClock_setGMT(id.c_str(), nullptr);
    NDigitalClock_setOffset(id.c_str(), 1000000);
    NDigitalClock_setWeekTemplates(id.c_str(), R"(["a"], "regular": "X")");
    NDigitalClock_setWeekTemplates(id.c_str(), "\xff\xfe");
    NDigitalClock_setSuffixTemplates(id.c_str(), R"({"a":1})");
    NDigitalClock_setFontStyle(id.c_str(), "[]");
    NDigitalClock_setGMT("no-such-id", "GMT+01:00");
    flush();
    EXPECT_EQ(record(id)["metadata"], before);
    EXPECT_TRUE(
        waitFor([&] { return shown(id, "clockText") == QString::fromUtf8("<b>Sunday</b>\u00a0PM"); }, 3000))
        << shown(id, "clockText").toStdString();

    // Short lists: the missing names are empty.
    NDigitalClock_setWeekTemplates(id.c_str(), R"(["S", 1])");
    NDigitalClock_setSuffixTemplates(id.c_str(), R"(["am"])");
    flush();
    EXPECT_TRUE(waitFor([&] { return shown(id, "clockText") == QString::fromUtf8("<b>S</b>\u00a0"); }, 3000))
        << shown(id, "clockText").toStdString();
    EXPECT_EQ(record(id)["metadata"]["weekTemplates"], json::array({"S", ""}));
}

std::string timerStyle(const QDateTime& target, const char* regular, const char* type)
{
    return json{{"DateTime", target.date().toString(Qt::ISODate).toStdString() + "T00:00:00"},
                {"TimeStr", target.time().toString("HH:mm:ss").toStdString()},
                {"regularNew", regular},
                {"regular", ""},
                {"countType", type},
                {"units", json::array({{{"zero", "0d"}, {"singular", "day"}, {"plural", "days"}},
                                       {{"zero", "0h"}, {"singular", "hour"}, {"plural", "hours"}},
                                       {{"zero", "0m"}, {"singular", "min"}, {"plural", "mins"}},
                                       {{"zero", "0s"}, {"singular", "sec"}, {"plural", "secs"}}})}}
        .dump();
}

TEST_F(ClockWidgets, TimerCountsDownAndUpAndRefusesBadInput)
{
    const QDateTime now = QDateTime::currentDateTime();
    const std::string down = place(NTimer_createWidget(), 10, 10, 400, 60);
    NTimer_setDataTimeStyle(
        down.c_str(),
        timerStyle(now.addSecs(2 * 86400 + 3 * 3600 + 4 * 60 + 50), "$H$m", "COUNT_DOWN").c_str());
    NTimer_setContent(down.c_str(), "<i>Left</i> ");
    const std::string up = place(NTimer_createWidget(), 10, 150, 400, 60);
    NTimer_setDisplayStyle(up.c_str(), timerStyle(now.addSecs(-10), "$s", "COUNT_DOWN").c_str());
    NTimer_setModel(up.c_str(), 1);
    NTimer_setModel(up.c_str(), 2); // changes nothing
    flush();

    EXPECT_TRUE(waitFor([&] { return shown(down, "countText") == "<i>Left</i> 51 hours 04 mins "; }, 5000))
        << shown(down, "countText").toStdString();
    EXPECT_EQ(record(up)["metadata"]["countType"], "COUNT_UP");
    // Counting up from 10 s ago, one a second.
    const auto counted = [&] { return shown(up, "countText").split(' ').value(0).toInt(); };
    const int first = counted();
    EXPECT_GE(first, 9);
    const auto t0 = std::chrono::steady_clock::now();
    ASSERT_TRUE(waitFor([&] { return counted() >= first + 2; }, 4000)) << counted();
    const auto took = std::chrono::steady_clock::now() - t0;
    EXPECT_GT(took, std::chrono::milliseconds(1000)) << "counts faster than a second";
    EXPECT_GT(count(grab(down), isRed), 50) << "no count drawn";

    // Bad input changes neither the record nor the count (within its minute).
    const json before = record(down);
    const QString text = shown(down, "countText");
    const size_t refusals = logged("from_string: exception:");
    for (const char* bad : {"{bad", R"({"units": 5, "regular": "$s"})", "\xc3\x28"}) {
        NTimer_setDataTimeStyle(down.c_str(), bad);
        NTimer_setDisplayStyle(down.c_str(), bad);
    }
    NTimer_setFontStyle(down.c_str(), "nope");
    NTimer_setBackground(down.c_str(), "nonsense");
    NTimer_setBackground(down.c_str(), nullptr);
    NTimer_setModel(down.c_str(), -1);
    NTimer_setContent("00000000-0000-4000-8000-000000000000", "x");
    flush();
    EXPECT_EQ(record(down), before);
    EXPECT_EQ(shown(down, "countText"), text);
    EXPECT_EQ(logged("from_string: exception:") - refusals, 7u);
    EXPECT_EQ(logged("TimerWidget::setBackground error"), 2u);

    // An invalid target shows zeros (logged), never NaN.
    NTimer_setDataTimeStyle(down.c_str(), R"({"DateTime": "garbage", "TimeStr": ""})");
    EXPECT_TRUE(waitFor([&] { return shown(down, "countText") == "<i>Left</i> 00 0h 00 0m "; }, 3000))
        << shown(down, "countText").toStdString();
    EXPECT_GE(logged("TimerWidget target date-time cannot be read"), 1u);
}

TEST_F(ClockWidgets, CreationRecordsDefaultsAndAnalogueSetters)
{
    // Each made from a creation record of the given type and metadata.
    auto create = [](int type, const char* metadata) -> std::string {
        return createWidget(
            type, "",
            (std::string(R"({"layout":{"x":10,"y":10,"width":300,"height":60},"metadata":)") + metadata + "}")
                .c_str());
    };
    const std::string up =
        create(12, R"({"countType":"COUNT_UP","regularNew":"$H","DateTime":)"
                   R"("2020-01-01T00:00:00","TimeStr":"00:00:00","solidText":{"text":"Up "}})");
    const std::string bad = create(12, R"({"IsMultiLine":"yes","solidText":{"text":"X"}})");
    const std::string dial = create(1, R"({"gmt":"GMT+05:30","hourScale":"bad"})");
    made = {up, bad, dial};
    flush();
    const json upMeta = record(up)["metadata"];
    EXPECT_EQ(upMeta["countType"], "COUNT_UP");
    EXPECT_EQ(upMeta["solidText"]["text"], "Up ");
    EXPECT_EQ(upMeta["units"].size(), 4u);
    EXPECT_TRUE(shown(up, "countText").startsWith("Up ")) << shown(up, "countText").toStdString();
    const json badMeta = record(bad)["metadata"];
    EXPECT_EQ(badMeta["solidText"]["text"], "");
    EXPECT_EQ(badMeta["IsMultiLine"], false);
    EXPECT_EQ(logged("from_string: exception:"), 1u);
    const json dialMeta = record(dial)["metadata"];
    EXPECT_EQ(dialMeta["gmt"], "GMT+05:30");
    EXPECT_EQ(dialMeta["hourScale"]["shape"], "OVAL");

    // The analogue clock's setters refuse bad input whole.
    const json before = record(dial)["metadata"];
    const size_t timeZoneErrors = logged("parse timeZone error");
    for (const char* text : {"{", R"({"gmt":"GMT+8"})", R"({"zone":[]})", "\xff"})
        NAnalogClock_setTimeZone(dial.c_str(), text);
    NAnalogClock_setTimeZone(dial.c_str(), nullptr);
    NAnalogClock_setHourMarkerColor(dial.c_str(), "nonsense");
    NAnalogClock_setHourMarkerStyle(dial.c_str(), R"({"width": 1e20, "shape": "OVAL"})");
    NAnalogClock_setMinMarkerStyle(dial.c_str(), R"({"shape": "STAR"})");
    NAnalogClock_setDateFontStyle(dial.c_str(), "[1]");
    NAnalogClock_setHourMarkerColor("00000000-0000-4000-8000-000000000000", "#FF00FF00");
    flush();
    EXPECT_EQ(record(dial)["metadata"], before);
    EXPECT_EQ(logged("parse timeZone error") - timeZoneErrors, 5u);

    NAnalogClock_setMinMarkerStyle(dial.c_str(), R"({"shape": "DIGITAL", "width": 6})");
    NAnalogClock_setContent(dial.c_str(), "<b>dial</b>\r\ntext");
    NAnalogClock_setDateVisible(dial.c_str(), true);
    flush();
    const json after = record(dial)["metadata"];
    EXPECT_EQ(after["minuteScale"]["shape"], "DIGITAL");
    EXPECT_EQ(after["minuteScale"]["width"], 6);
    EXPECT_EQ(after["minuteScale"]["color"], "#FF0000FF");
    EXPECT_EQ(after["text"]["text"], "<b>dial</b>\r\ntext");
    EXPECT_EQ(after["text"]["enable"], true);
}

// An analogue clock on an over-length screen: the dial is drawn on the strip
// of the fold's rectangles, and each rectangle shows its own section of it.
TEST_F(ClockWidgets, AnalogueDialRunsAcrossTheFoldRectangles)
{
    // Two 200 x 100 rectangles stacked in a 400 x 200 widget, continued
    // horizontally: a strip of 400 x 100 with the dial's centre at x 200, so
    // the first rectangle shows the dial's left half, the second its right half.
    const json scale = {{"shape", "RECTANGLE"}, {"width", 8}, {"height", 8}, {"color", "#FF00FF00"}};
    const json creation = {{"layout", {{"x", 20}, {"y", 20}, {"width", 400}, {"height", 200}}},
                           {"fold",
                            {{"enable", true},
                             {"orientation", 0},
                             {"layoutItems",
                              {{{"x", 0}, {"y", 0}, {"width", 200}, {"height", 100}},
                               {{"x", 0}, {"y", 100}, {"width", 200}, {"height", 100}}}}}},
                           {"metadata",
                            {{"hourScale", scale},
                             {"minuteScale", {{"shape", "RECTANGLE"}, {"width", 0}, {"height", 0}}},
                             {"text", {{"enable", false}}},
                             {"date", {{"enable", false}}}}}};
    const char* id = createWidget(1, "", creation.dump().c_str());
    ASSERT_NE(id, nullptr);
    made.push_back(id);
    auto greenIn = [](const QImage& img, const QRect& area) {
        return count(img.copy(area), [](QRgb c) { return qGreen(c) > 180 && qRed(c) < 80 && qBlue(c) < 80; });
    };
    QImage img;
    ASSERT_TRUE(waitFor(
        [&] {
            img = grab(id);
            return greenIn(img, QRect(140, 40, 30, 20)) > 10 && greenIn(img, QRect(30, 140, 30, 20)) > 10;
        },
        5000))
        << "the nine o'clock marker in the first rectangle, the three o'clock one in the second";
    EXPECT_EQ(greenIn(img, QRect(200, 0, 200, 200)), 0) << "nothing outside the rectangles";
}

} // namespace
