// The lunar conversion, the calendar's day as the scene gets it and the
// calendar record, computed directly.

#include "core/src/clocktext.h"
#include "core/src/lunarcalendar.h"
#include "core/src/nwquickitem/qmlcallqtcommon.h"
#include "core/src/tarroanalogclockwidget.h"
#include "dorvo_records.h"
#include "support/logcapture.h"

#include <QDateTime>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <map>
#include <set>

using dorvo_preview::ClockText;
using dorvo_preview::LunarCalendar;
using dorvo_preview::LunarDate;
using nlohmann::json;

namespace {

QString lunarOf(const QDate& date)
{
    LunarDate d;
    if (LunarCalendar::convert(date, &d) != 0)
        return QStringLiteral("-1");
    return d.animal + QStringLiteral("年 ") + d.monthName + d.dayName;
}

TEST(Lunar, PublishedDates)
{
    const struct
    {
        QDate date;
        const char* lunar;
    } cases[] = {
        {{2023, 3, 22}, "兔年 闰二月初一"},
        {{2020, 5, 23}, "鼠年 闰四月初一"},
        {{2033, 12, 22}, "牛年 闰冬月初一"},
        {{1900, 1, 31}, "鼠年 正月初一"},
        {{2024, 2, 9}, "兔年 腊月三十"},
        {{2024, 2, 10}, "龙年 正月初一"},
        {{1987, 7, 26}, "兔年 闰六月初一"},
        // Months begin on the day of their new moon (UTC+8).
        {{1954, 11, 25}, "马年 冬月初一"},
        {{1933, 7, 23}, "鸡年 六月初一"},
        {{2060, 4, 30}, "龙年 四月初一"},
        {{2070, 3, 12}, "虎年 二月初一"},
        {{1900, 1, 30}, "-1"},
        {{2101, 1, 1}, "-1"},
        {{}, "-1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(lunarOf(c.date), QString::fromUtf8(c.lunar)) << c.date.toString(Qt::ISODate).toStdString();
    LunarDate last;
    EXPECT_EQ(LunarCalendar::convert(QDate(2100, 12, 31), &last), 0);
    EXPECT_EQ(last.year, 2100);
    EXPECT_EQ(last.animal, QStringLiteral("猴"));
}

TEST(Lunar, EveryDayOfTheRange)
{
    // Each lunar month: its length, and which (month, leap) pairs each year has.
    std::map<int, std::set<std::pair<int, bool>>> months;
    int length = 0, converted = 0;
    LunarDate previous;
    for (QDate d(1900, 1, 31); d <= QDate(2100, 12, 31); d = d.addDays(1)) {
        LunarDate l;
        ASSERT_EQ(LunarCalendar::convert(d, &l), 0) << d.toString(Qt::ISODate).toStdString();
        ++converted;
        if (l.day == 1 && length > 0) {
            ASSERT_TRUE(length == 29 || length == 30) << d.toString(Qt::ISODate).toStdString();
            ASSERT_EQ(length, LunarCalendar::monthDays(previous.year, previous.month, previous.leap));
            length = 0;
        } else if (length > 0) {
            ASSERT_EQ(l.day, previous.day + 1);
        }
        ++length;
        months[l.year].insert({l.month, l.leap});
        previous = l;
    }
    EXPECT_EQ(converted, QDate(1900, 1, 31).daysTo(QDate(2100, 12, 31)) + 1);
    ASSERT_EQ(months.size(), 201u);
    for (const auto& [year, seen] : months) {
        const int leap = LunarCalendar::leapMonth(year);
        std::set<std::pair<int, bool>> expected;
        for (int m = 1; m <= 12; ++m)
            expected.insert({m, false});
        if (leap)
            expected.insert({leap, true});
        if (year == 2100) // the range ends in the year's last months
            EXPECT_TRUE(std::includes(expected.begin(), expected.end(), seen.begin(), seen.end()));
        else
            EXPECT_EQ(seen, expected) << year;
    }
}

TEST(Lunar, Names)
{
    const std::pair<int, const char*> days[] = {{10, "初十"}, {11, "十一"}, {20, "二十"}, {21, "廿一"},
                                                {30, "三十"}, {0, ""},      {31, ""}};
    for (const auto& [day, name] : days)
        EXPECT_EQ(LunarCalendar::dayName(day), QString::fromUtf8(name)) << day;
    EXPECT_EQ(LunarCalendar::monthName(11, true), QStringLiteral("闰冬月"));
    EXPECT_EQ(LunarCalendar::monthName(13, false), QString());

    LunarDate d;
    ASSERT_EQ(LunarCalendar::convert(QDate(2024, 2, 4), &d), 0);
    EXPECT_EQ(d.solarTerm, QStringLiteral("立春"));
    EXPECT_EQ(d.yearName, QStringLiteral("癸卯")); // still the lunar year of the rabbit
    EXPECT_EQ(d.monthGanZhi, QStringLiteral("丙寅"));
    EXPECT_EQ(d.starSign, QStringLiteral("水瓶座"));
    ASSERT_EQ(LunarCalendar::convert(QDate(2000, 1, 1), &d), 0);
    EXPECT_EQ(d.dayGanZhi, QStringLiteral("戊午"));
    EXPECT_EQ(d.solarTerm, QString());
    const struct
    {
        int year, month, term, day;
    } terms[] = {{2024, 4, 6, 4}, {2024, 12, 23, 21}, {2023, 12, 23, 22}};
    for (const auto& t : terms)
        EXPECT_EQ(LunarCalendar::solarTermDay(t.year, t.term), t.day) << t.year << " " << t.term;

    EXPECT_EQ(LunarCalendar::dayView(QDate(1900, 1, 30)).value("lunar").toString(), QString());
    EXPECT_EQ(LunarCalendar::dayView(QDate(1900, 1, 30)).value("dayText").toString(), QStringLiteral("30"));
}

// The scene's day is the host's local calendar day: in the first hours after
// local midnight east of UTC it is already the new day.
TEST(Lunar, LocalDay)
{
    const char* oldTz = std::getenv("TZ");
    const std::string saved = oldTz ? oldTz : "";
    setenv("TZ", "Asia/Shanghai", 1);
    tzset();
    dorvo_preview::QmlCallQtCommon provider;
    const struct
    {
        const char* utc;
        const char* header;
        const char* day;
        const char* lunar;
        qint64 toMidnight;
    } cases[] = {
        {"2023-12-31T16:30:00Z", "2024-01", "01", "【阴历】 兔年 冬月二十", 23 * 3600000LL + 30 * 60000LL},
        {"2023-12-31T15:59:59Z", "2023-12", "31", "【阴历】 兔年 冬月十九", 1000},
        {"2100-12-31T16:00:00Z", "2101-01", "01", "", 24 * 3600000LL},
    };
    for (const auto& c : cases) {
        ClockText::setTestNow(
            QDateTime::fromString(QString::fromLatin1(c.utc), Qt::ISODate).toMSecsSinceEpoch());
        const QVariantMap day = provider.calendarDay();
        EXPECT_EQ(day.value("header").toString(), QString::fromUtf8(c.header)) << c.utc;
        EXPECT_EQ(day.value("dayText").toString(), QString::fromUtf8(c.day)) << c.utc;
        EXPECT_EQ(day.value("lunar").toString(), QString::fromUtf8(c.lunar)) << c.utc;
        EXPECT_NEAR(day.value("msecsToMidnight").toLongLong(), c.toMidnight, 200) << c.utc;
    }
    ClockText::setTestNow(-1);
    if (oldTz)
        setenv("TZ", saved.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}

TEST(TarroClock, Meridiem)
{
    // zh at 11 and 12, en and de after noon: the widget's own test.
    const std::tuple<const char*, int, const char*> cases[] = {
        {"en", 11, "AM"}, {"ja", 12, "PM"}, {"", 3, "AM"}, {"ZH", 15, "PM"}};
    for (const auto& [language, hour, label] : cases)
        EXPECT_EQ(dorvo_preview::TarroAnalogClockWidget::meridiem(QString::fromUtf8(language), hour),
                  QString::fromUtf8(label))
            << language << " " << hour;
}

TEST(CalendarRecord, ConversionsAndBadInput)
{
    auto log = testsupport::captureLog();
    ns::Calendar calendar;
    json j;
    ns::to_json(j, calendar);
    EXPECT_EQ(j.dump(), R"({"lunarEnable":true})");
    ns::from_json(json::parse(R"({"lunarEnable": false, "other": 1})"), calendar);
    EXPECT_FALSE(calendar.lunarEnable);
    ns::from_json(json::object(), calendar); // a missing key leaves the field
    EXPECT_FALSE(calendar.lunarEnable);
    const json bad[] = {json::parse(R"({"lunarEnable": 1})"), json::parse(R"({"lunarEnable": null})"),
                        json::parse("[true]"), json("\xff\xfe")};
    for (const json& b : bad)
        ns::from_json(b, calendar);
    EXPECT_FALSE(calendar.lunarEnable);
    EXPECT_EQ(testsupport::countStartingWith(*log, "from_string: exception:"), std::size(bad));
}

} // namespace
