#pragma once

// The Chinese lunar date of a Gregorian day, for 31 January 1900 to
// 31 December 2100: lunar year, month (with its leap flag), day, their
// names, the zodiac animal, the sexagenary names of year, month and day,
// the solar term that falls on the day and the star sign. Pure functions.

#include <QDate>
#include <QString>
#include <QVariantMap>

namespace dorvo_preview {

struct LunarDate
{
    int year = 0;  // lunar year (the Gregorian year its first month begins in)
    int month = 0; // 1..12
    int day = 0;   // 1..30
    bool leap = false;
    QString monthName;   // "闰二月", "冬月", ...
    QString dayName;     // "初一", "二十", "廿三", ...
    QString animal;      // "兔"
    QString yearName;    // sexagenary year, "甲辰"
    QString monthGanZhi; // sexagenary month (months begin at the solar terms)
    QString dayGanZhi;   // sexagenary day
    QString solarTerm;   // the term that falls on the day, else empty
    QString starSign;    // "摩羯座", ...
};

class LunarCalendar
{
public:
    static constexpr int kFirstYear = 1900;
    static constexpr int kLastYear = 2100;

    // Converts the Gregorian day. -1 when it lies outside the range (or is
    // not a valid date), 0 otherwise.
    static int convert(const QDate& date, LunarDate* out);

    // The table word of a lunar year (bits 15..4: months 1..12 of 30 days,
    // bits 3..0: the leap month, bit 16: the leap month has 30 days); 0
    // outside the range.
    static int yearInfo(int lunarYear);
    static int leapMonth(int lunarYear);
    // Days of an ordinary month (1..12) or of the year's leap month.
    static int monthDays(int lunarYear, int month, bool leap);
    static int yearDays(int lunarYear);

    // The names the calendar shows.
    static QString monthName(int month, bool leap);
    static QString dayName(int day);
    static QString animal(int lunarYear);

    // The day of month (Beijing time) on which solar term index (0 = 小寒 ..
    // 23 = 冬至) falls in Gregorian year; terms 2k and 2k+1 are in month k+1.
    static int solarTermDay(int year, int term);
    static QString solarTermName(int term);

    // The calendar's lunar line, "【阴历】 兔年 冬月二十"; empty outside the range.
    static QString lunarLine(const QDate& date);
    // What the calendar scene shows for a local day: year, month, day,
    // header ("2024-03"), dayText ("05") and lunar (the lunar line).
    static QVariantMap dayView(const QDate& date);
    // Milliseconds from the local instant utcMs to the next local midnight.
    static qint64 msecsToMidnight(qint64 utcMs);
};

} // namespace dorvo_preview
