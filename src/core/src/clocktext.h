#pragma once

// The texts and times the clock and timer scenes show, computed from UTC:
// the wall-clock time of a zone (its standard offset from the widget's "gmt"
// text, its daylight-saving rules from the zone database), the digital
// clock's template text, the analogue clock's date line and the timer's count.
// Pure functions apart from the clock source, which tests can pin.

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace ns {
struct CountTimer;
}

namespace dorvo_preview {

class ClockText
{
public:
    // Milliseconds since the epoch, UTC: the system clock, or the pinned test
    // instant advanced by the time elapsed since it was pinned.
    static qint64 nowUtcMs();
    // Pins the clock source at utcMs (tests only); a negative value unpins.
    static void setTestNow(qint64 utcMs);

    // "GMT+08:00", "GMT-03:30" → offset in seconds; false for anything else
    // (sign required, hours 0..14, minutes 0..59).
    static bool parseGmt(const QString& gmt, int* offsetSeconds);
    // Whether a known zone (IANA name) is on daylight-saving time at utcMs,
    // and by how many seconds; false for unknown zones.
    static bool isDstZone(const QString& zone, qint64 utcMs, int* daylightSeconds = nullptr);
    // The zone's wall-clock time at utcMs, as a UTC date-time whose fields read
    // as that wall clock: standard offset + the zone's daylight offset when it
    // is on daylight time + extraHours. An unparsable gmt counts as +00:00.
    static QDateTime zoneTime(qint64 utcMs, const QString& gmt, const QString& zone, int extraHours = 0);

    // A list of names from a JSON array text or a QML array: strings are taken,
    // anything else (and a text that is not an array) gives empty names.
    static QStringList nameList(const QVariant& value);
    // The digital clock's text: only "$" tokens are replaced, once each
    // ($yyyy, $MM, $dd, $HH, $hh, $mm, $ss, ... with Qt's date-format letters,
    // $E the week name, $N the before/after-noon suffix); "&#160;" becomes a
    // non-breaking space. Several lines: the first date line, the first
    // week line and the first time line, in that order, joined by "\n".
    static QString digitalText(const QString& regular, const QDateTime& wall, const QStringList& week,
                               const QStringList& suffix, int* lineCount = nullptr);
    // The analogue clock's date line: the template's first line when it holds
    // date tokens, then the week name when the second line holds "$E".
    static QString analogDate(const QString& regular, const QDateTime& wall, const QStringList& week);

    // The timer's shown text at nowMs: caption, then (on its own line when
    // IsMultiLine) the fields of the templates with their unit words. valid is
    // false when the target date-time cannot be read (the count is zeros).
    static QString countText(const ns::CountTimer& timer, qint64 nowMs, bool* valid = nullptr);
    // The target of a timer as local date-time, ms since the epoch; false when
    // its date or time cannot be read.
    static bool countTarget(const ns::CountTimer& timer, qint64* targetMs);
};

} // namespace dorvo_preview
