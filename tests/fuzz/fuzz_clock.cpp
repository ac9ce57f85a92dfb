// Clock and timer text from the host: the timer's record (NTimer_setContent),
// the digital clock's template, week and suffix lists, and zone names and
// offsets (setGMT, setZone). The first byte chooses what the rest is.

#include "core/appcommon/counttimer.h"
#include "core/appcommon/jsonread.h"
#include "core/src/clocktext.h"
#include "fuzzsupport.h"

#include <QDateTime>
#include <QString>
#include <QVariant>

using dorvo_preview::ClockText;

namespace {

// A fixed instant: the outputs must not depend on when the fuzzer runs.
const qint64 kNow = 1781186400000; // 2026-06-11 14:00:00 UTC

void timer(const std::string& text)
{
    ns::CountTimer record;
    if (!ns::fromString(text, record))
        return;
    nlohmann::json j;
    ns::to_json(j, record);
    ns::CountTimer again;
    ns::from_json(j, again);
    nlohmann::json k;
    ns::to_json(k, again);
    if (j != k)
        __builtin_trap(); // a record reads back as itself
    qint64 target = 0;
    ClockText::countTarget(record, &target);
    bool valid = false;
    const QString shown = ClockText::countText(record, kNow, &valid);
    if (!ns::jsonread::isValidUtf8(shown.toStdString()))
        __builtin_trap();
}

void clock(const std::string& text)
{
    const QString q = QString::fromUtf8(text.data(), static_cast<int>(text.size()));
    const QStringList names = ClockText::nameList(QVariant(q));
    const QDateTime wall = ClockText::zoneTime(kNow, q, q, 0);
    int lines = 0;
    ClockText::digitalText(q, wall, names, names, &lines);
    ClockText::analogDate(q, wall, names);
    int offset = 0;
    if (ClockText::parseGmt(q, &offset) && (offset < -14 * 3600 || offset > 14 * 3600))
        __builtin_trap(); // offsets stay within the world's zones
    int daylight = 0;
    ClockText::isDstZone(q, kNow, &daylight);
}

} // namespace

void fuzzsupport::fuzzOne(const std::string& input)
{
    if (input.empty())
        return;
    if (input[0] & 1)
        timer(input.substr(1));
    else
        clock(input.substr(1));
}
