#include "clocktext.h"

#include "core/appcommon/counttimer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QLocale>
#include <QTimeZone>

#include <chrono>
#include <mutex>

namespace dorvo_preview {

namespace {

struct PinnedClock
{
    std::mutex mutex;
    bool pinned = false;
    qint64 utcMs = 0;
    std::chrono::steady_clock::time_point at;
};

PinnedClock& pinnedClock()
{
    static PinnedClock clock;
    return clock;
}

const QString kNbspEntity = QStringLiteral("&#160;");

bool isTokenLetter(QChar c)
{
    return QStringLiteral("dMyhHmszAaEN").contains(c);
}

QString twoDigits(int value, int width)
{
    return width >= 2 ? QString::number(value).rightJustified(2, QLatin1Char('0')) : QString::number(value);
}

QString nameAt(const QStringList& names, int index)
{
    return index >= 0 && index < names.size() ? names[index] : QString();
}

// The letters of the "$" tokens of one line.
QString tokenLetters(const QString& line)
{
    QString letters;
    for (int i = 0; i + 1 < line.size(); ++i)
        if (line[i] == QLatin1Char('$') && isTokenLetter(line[i + 1]))
            letters += line[i + 1];
    return letters;
}

bool hasAny(const QString& letters, const char* set)
{
    for (const char* c = set; *c; ++c)
        if (letters.contains(QLatin1Char(*c)))
            return true;
    return false;
}

// Replaces each "$" token of line once; everything else is kept as written.
QString formatLine(const QString& line, const QDateTime& wall, const QStringList& week,
                   const QStringList& suffix)
{
    const QTime time = wall.time();
    QString out;
    int i = 0;
    while (i < line.size()) {
        const QChar c = line[i];
        if (c != QLatin1Char('$') || i + 1 >= line.size() || !isTokenLetter(line[i + 1])) {
            out += c;
            ++i;
            continue;
        }
        const QChar letter = line[i + 1];
        int end = i + 2;
        while (end < line.size() && line[end] == letter)
            ++end;
        const int run = end - (i + 1);
        const char l = letter.toLatin1();
        switch (l) {
        case 'h':
            out += twoDigits(time.hour() % 12 == 0 ? 12 : time.hour() % 12, run);
            break;
        case 'H':
            out += twoDigits(time.hour(), run);
            break;
        case 'E':
            out += nameAt(week, wall.date().dayOfWeek() % 7);
            break;
        case 'N':
            out += nameAt(suffix, time.hour() < 12 ? 0 : 1);
            break;
        case 'A':
        case 'a': {
            const bool upper = l == 'A';
            if (end < line.size() && line[end] == QLatin1Char(upper ? 'P' : 'p'))
                ++end;
            const QString ap = time.hour() < 12 ? QStringLiteral("am") : QStringLiteral("pm");
            out += upper ? ap.toUpper() : ap;
            break;
        }
        default:
            out += QLocale().toString(wall, QString(run, letter));
            break;
        }
        i = end;
    }
    return out;
}

} // namespace

qint64 ClockText::nowUtcMs()
{
    PinnedClock& clock = pinnedClock();
    {
        std::lock_guard<std::mutex> lock(clock.mutex);
        if (clock.pinned) {
            const auto elapsed = std::chrono::steady_clock::now() - clock.at;
            return clock.utcMs + std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
        }
    }
    return QDateTime::currentMSecsSinceEpoch();
}

void ClockText::setTestNow(qint64 utcMs)
{
    PinnedClock& clock = pinnedClock();
    std::lock_guard<std::mutex> lock(clock.mutex);
    clock.pinned = utcMs >= 0;
    clock.utcMs = utcMs;
    clock.at = std::chrono::steady_clock::now();
}

bool ClockText::parseGmt(const QString& gmt, int* offsetSeconds)
{
    const QString text = gmt.trimmed();
    if (text.size() != 9 || !text.startsWith(QLatin1String("GMT")) || text[6] != QLatin1Char(':'))
        return false;
    const QChar sign = text[3];
    if (sign != QLatin1Char('+') && sign != QLatin1Char('-'))
        return false;
    for (int i : {4, 5, 7, 8})
        if (!text[i].isDigit() || text[i].unicode() > '9')
            return false;
    const int hours = text.midRef(4, 2).toInt();
    const int minutes = text.midRef(7, 2).toInt();
    if (hours > 14 || minutes > 59)
        return false;
    if (offsetSeconds)
        *offsetSeconds = (sign == QLatin1Char('-') ? -1 : 1) * (hours * 3600 + minutes * 60);
    return true;
}

bool ClockText::isDstZone(const QString& zone, qint64 utcMs, int* daylightSeconds)
{
    if (daylightSeconds)
        *daylightSeconds = 0;
    const QByteArray id = zone.trimmed().toUtf8();
    if (id.isEmpty() || !QTimeZone::isTimeZoneIdAvailable(id))
        return false;
    const QTimeZone tz(id);
    const QDateTime at = QDateTime::fromMSecsSinceEpoch(utcMs, Qt::UTC);
    if (!tz.isValid() || !tz.isDaylightTime(at))
        return false;
    if (daylightSeconds)
        *daylightSeconds = tz.daylightTimeOffset(at);
    return true;
}

QDateTime ClockText::zoneTime(qint64 utcMs, const QString& gmt, const QString& zone, int extraHours)
{
    int offset = 0;
    if (!parseGmt(gmt, &offset))
        offset = 0;
    int daylight = 0;
    isDstZone(zone, utcMs, &daylight);
    const qint64 shifted =
        utcMs + (static_cast<qint64>(offset) + daylight + qint64(extraHours) * 3600) * 1000;
    return QDateTime::fromMSecsSinceEpoch(shifted, Qt::UTC);
}

QStringList ClockText::nameList(const QVariant& value)
{
    QVariantList items;
    if (value.type() == QVariant::String || value.type() == QVariant::ByteArray) {
        const QJsonDocument doc = QJsonDocument::fromJson(value.toString().toUtf8());
        if (doc.isArray())
            items = doc.array().toVariantList();
    } else if (value.canConvert<QVariantList>()) {
        items = value.toList();
    }
    QStringList names;
    for (const QVariant& item : items)
        names << (item.type() == QVariant::String ? item.toString() : QString());
    return names;
}

QString ClockText::digitalText(const QString& regular, const QDateTime& wall, const QStringList& week,
                               const QStringList& suffix, int* lineCount)
{
    QString tmpl = regular;
    tmpl.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    tmpl.replace(kNbspEntity, QString(QChar(0x00A0)));
    const QStringList lines = tmpl.split(QLatin1Char('\n'));
    if (lines.size() == 1) {
        if (lineCount)
            *lineCount = 1;
        return formatLine(tmpl, wall, week, suffix);
    }
    // One date line, one week line and one time line, in that order.
    QList<int> used;
    QStringList shown;
    for (const char* kind : {"Mdy", "E", "hHms"}) {
        for (int i = 0; i < lines.size(); ++i) {
            if (used.contains(i) || !hasAny(tokenLetters(lines[i]), kind))
                continue;
            used << i;
            const QString text = formatLine(lines[i], wall, week, suffix);
            if (!text.isEmpty())
                shown << text;
            break;
        }
    }
    if (lineCount)
        *lineCount = shown.size();
    return shown.join(QLatin1Char('\n'));
}

QString ClockText::analogDate(const QString& regular, const QDateTime& wall, const QStringList& week)
{
    QString tmpl = regular;
    tmpl.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    tmpl.replace(kNbspEntity, QString(QChar(0x00A0)));
    const QStringList lines = tmpl.split(QLatin1Char('\n'));
    QStringList shown;
    if (hasAny(tokenLetters(lines[0]), "Mdy"))
        shown << formatLine(lines[0], wall, week, {});
    if (lines.size() > 1 && tokenLetters(lines[1]).contains(QLatin1Char('E')))
        shown << nameAt(week, wall.date().dayOfWeek() % 7);
    return shown.join(QLatin1Char('\n'));
}

bool ClockText::countTarget(const ns::CountTimer& timer, qint64* targetMs)
{
    const QString dateText = QString::fromStdString(timer.DateTime).section(QLatin1Char('T'), 0, 0).trimmed();
    const QDate date = QDate::fromString(dateText, Qt::ISODate);
    const QString timeText = QString::fromStdString(timer.TimeStr).trimmed();
    QTime time = QTime::fromString(timeText, QStringLiteral("H:mm:ss"));
    if (!time.isValid())
        time = QTime::fromString(timeText, QStringLiteral("H:mm"));
    if (!date.isValid() || !time.isValid())
        return false;
    const QDateTime target(date, time, Qt::LocalTime);
    if (!target.isValid())
        return false;
    if (targetMs)
        *targetMs = target.toMSecsSinceEpoch();
    return true;
}

QString ClockText::countText(const ns::CountTimer& timer, qint64 nowMs, bool* valid)
{
    qint64 target = 0;
    const bool ok = countTarget(timer, &target);
    if (valid)
        *valid = ok;
    const bool up = timer.countType != "COUNT_DOWN";
    qint64 diffMs = ok ? (up ? nowMs - target : target - nowMs) : 0;
    if (diffMs < 0)
        diffMs = 0;
    const qint64 t = diffMs / 1000;
    qint64 d = t / 86400, h = (t / 3600) % 24, m = (t / 60) % 60, s = t % 60;

    const std::string templates = timer.regular + "\n" + timer.regularNew;
    const bool hasD = templates.find("$d") != std::string::npos;
    const bool hasH = templates.find("$H") != std::string::npos;
    const bool hasM = templates.find("$m") != std::string::npos;
    const bool hasS = templates.find("$s") != std::string::npos;
    if (!hasD)
        h += 24 * d;
    if (!hasH)
        m += 60 * h;
    if (!hasM)
        s += 60 * m;

    // The word follows the value shown, after the carries.
    auto word = [&](size_t unit, qint64 value) {
        if (unit >= timer.units.size())
            return QString();
        const ns::Units& u = timer.units[unit];
        return QString::fromStdString(value == 0 ? u.zero : value == 1 ? u.singular : u.plural);
    };
    auto padded = [](qint64 value) {
        return value < 10 ? QStringLiteral("0") + QString::number(value) : QString::number(value);
    };
    QString count;
    if (hasD)
        count +=
            QStringLiteral(" ") + QString::number(d) + QStringLiteral(" ") + word(0, d) + QStringLiteral(" ");
    if (hasH)
        count += padded(h) + QStringLiteral(" ") + word(1, h) + QStringLiteral(" ");
    if (hasM)
        count += padded(m) + QStringLiteral(" ") + word(2, m) + QStringLiteral(" ");
    if (hasS)
        count += padded(s) + QStringLiteral(" ") + word(3, s) + QStringLiteral(" ");

    QString caption = QString::fromStdString(timer.solidText);
    caption.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    caption.replace(kNbspEntity, QString(QChar(0x00A0)));
    return caption + (timer.IsMultiLine ? QStringLiteral("\n") : QString()) + count;
}

} // namespace dorvo_preview
