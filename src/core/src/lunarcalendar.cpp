#include "lunarcalendar.h"

#include <QDateTime>

#include <algorithm>
#include <cmath>

namespace dorvo_preview {

namespace {

// One word per lunar year 1900..2100, as described at LunarCalendar::yearInfo:
// the published calendar tables. Every month begins on the day (UTC+8; Beijing
// local time before 1929) of its new moon; where a new moon falls within a
// minute or two of midnight (2057, 2097) the published day is kept.
constexpr int kLunarInfo[] = {
    0x04bd8, 0x04ae0, 0x0a570, 0x054d5, 0x0d260, 0x0d950, 0x16554, 0x056a0, 0x09ad0, 0x055d2, // 1900
    0x04ae0, 0x0a5b6, 0x0a4d0, 0x0d250, 0x1d255, 0x0b540, 0x0d6a0, 0x0ada2, 0x095b0, 0x14977, // 1910
    0x04970, 0x0a4b0, 0x0b4b5, 0x06a50, 0x06d40, 0x1ab54, 0x02b60, 0x09570, 0x052f2, 0x04970, // 1920
    0x06566, 0x0d4a0, 0x0ea50, 0x16a95, 0x05ad0, 0x02b60, 0x186e3, 0x092e0, 0x1c8d7, 0x0c950, // 1930
    0x0d4a0, 0x1d8a6, 0x0b550, 0x056a0, 0x1a5b4, 0x025d0, 0x092d0, 0x0d2b2, 0x0a950, 0x0b557, // 1940
    0x06ca0, 0x0b550, 0x15355, 0x04da0, 0x0a5b0, 0x14573, 0x052b0, 0x0a9a8, 0x0e950, 0x06aa0, // 1950
    0x0aea6, 0x0ab50, 0x04b60, 0x0aae4, 0x0a570, 0x05260, 0x0f263, 0x0d950, 0x05b57, 0x056a0, // 1960
    0x096d0, 0x04dd5, 0x04ad0, 0x0a4d0, 0x0d4d4, 0x0d250, 0x0d558, 0x0b540, 0x0b6a0, 0x195a6, // 1970
    0x095b0, 0x049b0, 0x0a974, 0x0a4b0, 0x0b27a, 0x06a50, 0x06d40, 0x0af46, 0x0ab60, 0x09570, // 1980
    0x04af5, 0x04970, 0x064b0, 0x074a3, 0x0ea50, 0x06b58, 0x05ac0, 0x0ab60, 0x096d5, 0x092e0, // 1990
    0x0c960, 0x0d954, 0x0d4a0, 0x0da50, 0x07552, 0x056a0, 0x0abb7, 0x025d0, 0x092d0, 0x0cab5, // 2000
    0x0a950, 0x0b4a0, 0x0baa4, 0x0ad50, 0x055d9, 0x04ba0, 0x0a5b0, 0x15176, 0x052b0, 0x0a930, // 2010
    0x07954, 0x06aa0, 0x0ad50, 0x05b52, 0x04b60, 0x0a6e6, 0x0a4e0, 0x0d260, 0x0ea65, 0x0d530, // 2020
    0x05aa0, 0x076a3, 0x096d0, 0x04afb, 0x04ad0, 0x0a4d0, 0x1d0b6, 0x0d250, 0x0d520, 0x0dd45, // 2030
    0x0b5a0, 0x056d0, 0x055b2, 0x049b0, 0x0a577, 0x0a4b0, 0x0aa50, 0x1b255, 0x06d20, 0x0ada0, // 2040
    0x14b63, 0x09370, 0x049f8, 0x04970, 0x064b0, 0x168a6, 0x0ea50, 0x06b20, 0x1a6c4, 0x0aae0, // 2050
    0x092e0, 0x0d2e3, 0x0c960, 0x0d557, 0x0d4a0, 0x0da50, 0x05d55, 0x056a0, 0x0a6d0, 0x055d4, // 2060
    0x052d0, 0x0a9b8, 0x0a950, 0x0b4a0, 0x0b6a6, 0x0ad50, 0x055a0, 0x0aba4, 0x0a5b0, 0x052b0, // 2070
    0x0b273, 0x06930, 0x07337, 0x06aa0, 0x0ad50, 0x14b55, 0x04b60, 0x0a570, 0x054e4, 0x0d160, // 2080
    0x0e968, 0x0d520, 0x0daa0, 0x16aa6, 0x056d0, 0x04ae0, 0x0a9d4, 0x0a2d0, 0x0d150, 0x0f252, // 2090
    0x0d520,                                                                                  // 2100
};
static_assert(sizeof(kLunarInfo) / sizeof(kLunarInfo[0]) == 201, "one word per lunar year 1900..2100");

const QDate kEpoch(1900, 1, 31); // 正月初一 of lunar year 1900

const char* const kStems[] = {"甲", "乙", "丙", "丁", "戊", "己", "庚", "辛", "壬", "癸"};
const char* const kBranches[] = {"子", "丑", "寅", "卯", "辰", "巳", "午", "未", "申", "酉", "戌", "亥"};
const char* const kAnimals[] = {"鼠", "牛", "虎", "兔", "龙", "蛇", "马", "羊", "猴", "鸡", "狗", "猪"};
const char* const kMonthNames[] = {"正", "二", "三", "四", "五", "六", "七", "八", "九", "十", "冬", "腊"};
const char* const kDayTens[] = {"初", "十", "廿", "卅"};
const char* const kDigits[] = {"日", "一", "二", "三", "四", "五", "六", "七", "八", "九", "十"};
const char* const kTerms[] = {"小寒", "大寒", "立春", "雨水", "惊蛰", "春分", "清明", "谷雨",
                              "立夏", "小满", "芒种", "夏至", "小暑", "大暑", "立秋", "处暑",
                              "白露", "秋分", "寒露", "霜降", "立冬", "小雪", "大雪", "冬至"};
const char* const kSigns[] = {"摩羯", "水瓶", "双鱼", "白羊", "金牛", "双子", "巨蟹",
                              "狮子", "处女", "天秤", "天蝎", "射手", "摩羯"};
// The first day of the sign that begins in each month.
const int kSignStart[] = {20, 19, 21, 21, 21, 22, 23, 23, 23, 24, 22, 22};

int mod(int a, int n)
{
    return ((a % n) + n) % n;
}

QString ganZhi(int index)
{
    return QString::fromUtf8(kStems[mod(index, 10)]) + QString::fromUtf8(kBranches[mod(index, 12)]);
}

double degrees(double d)
{
    d = std::fmod(d, 360.0);
    return d < 0 ? d + 360.0 : d;
}

// The sun's apparent ecliptic longitude (degrees) at Julian day jd; good to
// about 0.01 degree, a quarter of an hour of the sun's motion.
double sunLongitude(double jd)
{
    const double pi = 3.14159265358979323846;
    const double t = (jd - 2451545.0) / 36525.0;
    const double l0 = 280.46646 + 36000.76983 * t + 0.0003032 * t * t;
    const double m = (357.52911 + 35999.05029 * t - 0.0001537 * t * t) * pi / 180.0;
    const double c = (1.914602 - 0.004817 * t - 0.000014 * t * t) * std::sin(m) +
                     (0.019993 - 0.000101 * t) * std::sin(2 * m) + 0.000289 * std::sin(3 * m);
    const double omega = (125.04 - 1934.136 * t) * pi / 180.0;
    return degrees(l0 + c - 0.00569 - 0.00478 * std::sin(omega));
}

} // namespace

int LunarCalendar::yearInfo(int lunarYear)
{
    if (lunarYear < kFirstYear || lunarYear > kLastYear)
        return 0;
    return kLunarInfo[lunarYear - kFirstYear];
}

int LunarCalendar::leapMonth(int lunarYear)
{
    return yearInfo(lunarYear) & 0xf;
}

int LunarCalendar::monthDays(int lunarYear, int month, bool leap)
{
    const int info = yearInfo(lunarYear);
    if (leap)
        return leapMonth(lunarYear) == month && month != 0 ? ((info & 0x10000) ? 30 : 29) : 0;
    if (month < 1 || month > 12 || info == 0)
        return 0;
    return (info & (0x10000 >> month)) ? 30 : 29;
}

int LunarCalendar::yearDays(int lunarYear)
{
    if (yearInfo(lunarYear) == 0)
        return 0;
    int days = 0;
    for (int m = 1; m <= 12; ++m)
        days += monthDays(lunarYear, m, false);
    return days + monthDays(lunarYear, leapMonth(lunarYear), true);
}

QString LunarCalendar::monthName(int month, bool leap)
{
    if (month < 1 || month > 12)
        return QString();
    return (leap ? QStringLiteral("闰") : QString()) + QString::fromUtf8(kMonthNames[month - 1]) +
           QStringLiteral("月");
}

QString LunarCalendar::dayName(int day)
{
    if (day < 1 || day > 30)
        return QString();
    switch (day) {
    case 10:
        return QStringLiteral("初十");
    case 20:
        return QStringLiteral("二十");
    case 30:
        return QStringLiteral("三十");
    default:
        return QString::fromUtf8(kDayTens[day / 10]) + QString::fromUtf8(kDigits[day % 10]);
    }
}

QString LunarCalendar::animal(int lunarYear)
{
    return QString::fromUtf8(kAnimals[mod(lunarYear - 4, 12)]);
}

QString LunarCalendar::solarTermName(int term)
{
    return term >= 0 && term < 24 ? QString::fromUtf8(kTerms[term]) : QString();
}

int LunarCalendar::solarTermDay(int year, int term)
{
    if (term < 0 || term >= 24)
        return 0;
    const double target = degrees(285.0 + 15.0 * term);
    // Start near the usual date and follow the sun's mean motion.
    double jd = QDate(year, 1, 6).toJulianDay() - 0.5 + term * 365.2422 / 24.0;
    for (int i = 0; i < 8; ++i) {
        double diff = degrees(target - sunLongitude(jd) + 180.0) - 180.0;
        jd += diff * 365.2422 / 360.0;
    }
    // The civil day in Beijing time (UTC+8).
    const qint64 julianDay = static_cast<qint64>(std::floor(jd + 0.5 + 8.0 / 24.0));
    return QDate::fromJulianDay(julianDay).day();
}

int LunarCalendar::convert(const QDate& date, LunarDate* out)
{
    if (!date.isValid() || date < kEpoch || date > QDate(kLastYear, 12, 31))
        return -1;
    // Whole calendar days from the epoch: the day as the host's calendar
    // shows it, whatever the time of day or the zone.
    qint64 offset = kEpoch.daysTo(date);
    int year = kFirstYear;
    for (; year <= kLastYear; ++year) {
        const int days = yearDays(year);
        if (offset < days)
            break;
        offset -= days;
    }
    if (year > kLastYear)
        return -1;
    const int leap = leapMonth(year);
    int month = 1;
    bool isLeap = false;
    for (;;) {
        const int days = monthDays(year, month, isLeap);
        if (offset < days)
            break;
        offset -= days;
        if (!isLeap && month == leap) {
            isLeap = true;
        } else {
            isLeap = false;
            ++month;
        }
        if (month > 12)
            return -1;
    }
    if (!out)
        return 0;
    LunarDate r;
    r.year = year;
    r.month = month;
    r.day = static_cast<int>(offset) + 1;
    r.leap = isLeap;
    r.monthName = monthName(month, isLeap);
    r.dayName = dayName(r.day);
    r.animal = animal(year);
    r.yearName = ganZhi(year - 4);
    // Sexagenary months begin at the first solar term of each Gregorian month.
    const int firstTerm = solarTermDay(date.year(), (date.month() - 1) * 2);
    const int secondTerm = solarTermDay(date.year(), (date.month() - 1) * 2 + 1);
    r.monthGanZhi = ganZhi((date.year() - 1900) * 12 + date.month() + 11 + (date.day() >= firstTerm ? 1 : 0));
    r.dayGanZhi = ganZhi(static_cast<int>(mod(static_cast<int>(date.toJulianDay() % 60) + 49, 60)));
    if (date.day() == firstTerm)
        r.solarTerm = solarTermName((date.month() - 1) * 2);
    else if (date.day() == secondTerm)
        r.solarTerm = solarTermName((date.month() - 1) * 2 + 1);
    const int sign = date.day() >= kSignStart[date.month() - 1] ? date.month() : date.month() - 1;
    r.starSign = QString::fromUtf8(kSigns[sign]) + QStringLiteral("座");
    *out = r;
    return 0;
}

QString LunarCalendar::lunarLine(const QDate& date)
{
    LunarDate d;
    if (convert(date, &d) != 0)
        return QString();
    return QStringLiteral("【阴历】 ") + d.animal + QStringLiteral("年 ") + d.monthName + d.dayName;
}

QVariantMap LunarCalendar::dayView(const QDate& date)
{
    return {{QStringLiteral("year"), date.year()},
            {QStringLiteral("month"), date.month()},
            {QStringLiteral("day"), date.day()},
            {QStringLiteral("header"), date.toString(QStringLiteral("yyyy-MM"))},
            {QStringLiteral("dayText"), date.toString(QStringLiteral("dd"))},
            {QStringLiteral("lunar"), lunarLine(date)}};
}

qint64 LunarCalendar::msecsToMidnight(qint64 utcMs)
{
    const QDateTime now = QDateTime::fromMSecsSinceEpoch(utcMs, Qt::LocalTime);
    const QDateTime midnight(now.date().addDays(1), QTime(0, 0), Qt::LocalTime);
    return std::max<qint64>(1, now.msecsTo(midnight));
}

} // namespace dorvo_preview
