// The day calendar and the fixed analogue clock through the exported
// functions, as a host drives them, with their pictures taken from the
// window's scene. Time is pinned where the picture depends on it.

#include "clock/widgetprobe.h"
#include "support/logcapture.h"

#include "core/src/clocktext.h"

#include <QDateTime>

#include <cmath>

using dorvo_preview::ClockText;
using testsupport::waitFor;

namespace {

qint64 localMs(const QDate& date, const QTime& time)
{
    return QDateTime(date, time, Qt::LocalTime).toMSecsSinceEpoch();
}

bool near(QRgb p, QRgb want, int tolerance = 40)
{
    return std::abs(qRed(p) - qRed(want)) <= tolerance && std::abs(qGreen(p) - qGreen(want)) <= tolerance &&
           std::abs(qBlue(p) - qBlue(want)) <= tolerance;
}

// How many pixels of the rows [top, bottom) of img are near colour.
int countIn(const QImage& img, double top, double bottom, QRgb colour)
{
    int n = 0;
    for (int y = static_cast<int>(top); y < static_cast<int>(bottom) && y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += near(img.pixel(x, y), colour, 30) ? 1 : 0;
    return n;
}

class TarroWidgets : public widgetprobe::Fixture
{
protected:
    static void SetUpTestSuite() { startEngine("/tmp/dorvo-tarro-XXXXXX"); }

    void SetUp() override
    {
        ClockText::setTestNow(-1);
        log = testsupport::captureLog();
    }

    void TearDown() override
    {
        ClockText::setTestNow(-1);
        SceneFixture::TearDown();
    }

    static void rebuild(const std::string& id)
    {
        onQtThread([&] {
            if (auto* w = widget(id)) {
                w->widgetHide();
                w->widgetShow();
            }
        });
        flush();
    }

    // Waits until the scene has painted and the picture settles.
    static QImage settled(const std::string& id)
    {
        QImage last;
        waitFor(
            [&] {
                QImage now = grab(id);
                const bool same = !now.isNull() && now == last;
                last = now;
                return same;
            },
            5000);
        return last;
    }

    std::shared_ptr<testsupport::MemorySink> log;
};

TEST_F(TarroWidgets, CalendarLayoutColoursAndLunarLine)
{
    ClockText::setTestNow(localMs(QDate(2024, 1, 1), QTime(10, 0)));
    const std::string id = place(NCalendar_createWidget(), 20, 20, 300, 240);
    // Its texts for the day: the calendar's own test and the next one here.
    ASSERT_TRUE(waitFor([&] { return prop(id, "text", "lunarText").toString() != ""; }));

    const QImage on = settled(id);
    ASSERT_EQ(on.size(), QSize(300, 240));
    // The page is the centred square of side 240: x 30..270.
    const double side = 240, left = 30;
    const QRgb blue = qRgb(0x00, 0xB7, 0xEE), ink = qRgb(0x46, 0x4C, 0x5B), white = qRgb(255, 255, 255);
    auto at = [&](double x, double y) { return on.pixel(static_cast<int>(x), static_cast<int>(y)); };
    EXPECT_TRUE(near(at(left + 5, 5), blue));
    EXPECT_TRUE(near(at(left + side - 5, side / 4 - 3), blue));
    EXPECT_TRUE(near(at(left + 5, side / 4 + 3), white));
    EXPECT_TRUE(near(at(left + 5, side - 3), white));
    EXPECT_TRUE(near(at(5, 120), qRgb(0, 0, 0))) << "outside the page the window shows";
    // Header text in white on the blue, the day and the lunar line in ink on the white.
    EXPECT_GT(countIn(on, side / 16, side / 4 - side / 16, white), 50);
    EXPECT_GT(countIn(on, side * 0.35, side / 4 + side * 0.75 * 5 / 6, ink), 200);
    const int lunarInk = countIn(on, side / 4 + side * 0.75 * 5 / 6, side, ink);
    EXPECT_GT(lunarInk, 50);
    // The rings: something else than blue or white in the strip at x = 0.1 side.
    EXPECT_FALSE(near(at(left + 0.125 * side, 0.24 * side), blue, 10));

    NCalendar_setLunarEnabled(id.c_str(), false);
    flush();
    ASSERT_TRUE(waitFor([&] { return !prop(id, "lunarEnable").toBool(); }));
    const QImage off = settled(id);
    EXPECT_EQ(countIn(off, side / 4 + side * 0.75 * 5 / 6, side, ink), 0);
    const int lunarTop = static_cast<int>(side / 4 + side * 0.75 * 5 / 6) - 1;
    EXPECT_TRUE(testsupport::samePicture(off.copy(0, 0, 300, lunarTop), on.copy(0, 0, 300, lunarTop), 1))
        << "the rest is unchanged";
    EXPECT_FALSE(testsupport::samePicture(off, on, 1)) << "the lunar line alone tells them apart";

    NCalendar_setLunarEnabled(id.c_str(), true);
    flush();
    ASSERT_TRUE(waitFor([&] { return prop(id, "lunarEnable").toBool(); }));
    EXPECT_TRUE(testsupport::samePicture(settled(id), on, 1));
}

TEST_F(TarroWidgets, CalendarShowsTodayAndTurnsAtMidnight)
{
    const std::string id = place(NCalendar_createWidget(), 20, 20, 200, 200);
    ASSERT_TRUE(waitFor([&] { return prop(id, "text", "dayText").toString() != ""; }));
    const QDate today = QDate::currentDate();
    EXPECT_EQ(prop(id, "text", "headerText").toString(), today.toString(QStringLiteral("yyyy-MM")));
    EXPECT_EQ(prop(id, "text", "dayText").toString(), today.toString(QStringLiteral("dd")));

    // Left open over midnight the page turns to the next day.
    ClockText::setTestNow(localMs(QDate(2024, 2, 9), QTime(23, 59, 57)));
    rebuild(id);
    EXPECT_EQ(prop(id, "text", "dayText").toString(), QStringLiteral("09"));
    EXPECT_EQ(prop(id, "text", "lunarText").toString(), QStringLiteral("【阴历】 兔年 腊月三十"));
    EXPECT_TRUE(waitFor([&] { return prop(id, "text", "dayText").toString() == "10"; }, 10000));
    EXPECT_EQ(prop(id, "text", "lunarText").toString(), QStringLiteral("【阴历】 龙年 正月初一"));

    // Outside the lunar table the lunar line is hidden, the day still shows.
    ClockText::setTestNow(localMs(QDate(2101, 1, 1), QTime(12, 0)));
    rebuild(id);
    EXPECT_EQ(prop(id, "text", "dayText").toString(), QStringLiteral("01"));
    EXPECT_EQ(prop(id, "text", "lunarText").toString(), QString());
    const QImage img = settled(id);
    EXPECT_EQ(countIn(img, 200 / 4 + 150 * 5 / 6, 200, qRgb(0x46, 0x4C, 0x5B)), 0);
}

TEST_F(TarroWidgets, ClockFaceHandsAndLabel)
{
    ClockText::setTestNow(localMs(QDate(2024, 5, 1), QTime(11, 59, 50)));
    const std::string id = place(NTarroAnalogClock_createWidget(), 0, 0, 480, 400);
    ASSERT_TRUE(waitFor([&] { return prop(id, "paintCount").toInt() > 0; }));
    EXPECT_EQ(prop(id, "meridiem").toString(), QStringLiteral("上午"));
    const QImage img = settled(id);
    ASSERT_EQ(img.size(), QSize(480, 400));
    const double cx = 240, cy = 200, r = 200;
    // The outer ring between 0.9 r and 1.0 r, the white dial inside it.
    for (int deg = 0; deg < 360; deg += 45) {
        const double a = deg * M_PI / 180;
        auto at = [&](double f) {
            return img.pixel(int(cx + std::sin(a) * f * r), int(cy - std::cos(a) * f * r));
        };
        for (double f : {0.9, 0.95, 0.98})
            EXPECT_TRUE(near(at(f), qRgb(0x23, 0x23, 0x23), 25)) << deg << " " << f;
        // The white dial at half the radius, except where the hands point at noon.
        EXPECT_TRUE(near(at(-0.5), qRgb(255, 255, 255), 10) || deg == 180) << deg;
    }
    // The blue label above the centre.
    int blue = 0;
    for (int y = static_cast<int>(cy - 0.4 * r); y < cy - 0.1 * r; ++y)
        for (int x = static_cast<int>(cx - 0.4 * r); x < cx + 0.4 * r; ++x)
            blue += near(img.pixel(x, y), qRgb(0, 0, 255), 60) ? 1 : 0;
    EXPECT_GT(blue, 30);

    // The red second hand moves within a second; at noon the label turns.
    auto redTip = [&](const QImage& p) {
        return widgetprobe::handAngle(
            p, [](QRgb c) { return qRed(c) > qGreen(c) + 60 && qRed(c) > qBlue(c) + 60; }, 0.7 * r);
    };
    const double before = redTip(img);
    EXPECT_GE(before, 0);
    const int painted = prop(id, "paintCount").toInt();
    ASSERT_TRUE(waitFor([&] { return prop(id, "paintCount").toInt() > painted; }, 3000));
    EXPECT_GT(std::abs(redTip(settled(id)) - before), 3.0);
    EXPECT_TRUE(waitFor([&] { return prop(id, "meridiem").toString() == "下午"; }, 15000));
}

TEST_F(TarroWidgets, ClockLanguageSurvivesRebuildAndBadInputIsRefused)
{
    ClockText::setTestNow(localMs(QDate(2024, 5, 1), QTime(15, 0)));
    const std::string id = place(NTarroAnalogClock_createWidget(), 20, 20, 200, 200);
    ASSERT_TRUE(waitFor([&] { return prop(id, "meridiem").toString() == "下午"; }));
    NTarroAnalogClock_setLanguage(id.c_str(), "en");
    flush();
    EXPECT_EQ(prop(id, "meridiem").toString(), QStringLiteral("PM"));
    rebuild(id);
    ASSERT_TRUE(waitFor([&] { return prop(id, "paintCount").toInt() > 0; }));
    EXPECT_EQ(prop(id, "language").toString(), QStringLiteral("en"));
    EXPECT_EQ(prop(id, "meridiem").toString(), QStringLiteral("PM"));

    NTarroAnalogClock_setLanguage(id.c_str(), "de"); // not among the six: the English label
    flush();
    EXPECT_EQ(prop(id, "meridiem").toString(), QStringLiteral("PM"));

    log->reset();
    const std::string huge(100000, 'a');
    const char* bad[] = {nullptr, "", "\xff\xfe", "zh\ncn", "{\"language\":\"zh\"}", huge.c_str()};
    for (const char* b : bad)
        NTarroAnalogClock_setLanguage(id.c_str(), b);
    NTarroAnalogClock_setLanguage("00000000-0000-4000-8000-000000000000", "zh");
    NCalendar_setLunarEnabled("00000000-0000-4000-8000-000000000000", false);
    NCalendar_setLunarEnabled(id.c_str(), false); // a clock is not a calendar
    flush();
    EXPECT_EQ(testsupport::countStartingWith(*log, "TarroAnalogClockWidget::setLanguage refused"),
              std::size(bad));
    EXPECT_EQ(testsupport::countStartingWith(*log, "widget " + id + " is not a TarroCalendarWidget"), 1u);
    EXPECT_EQ(prop(id, "language").toString(), QStringLiteral("de"));
}

} // namespace
