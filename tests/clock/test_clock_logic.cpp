// The timer records and the clock and timer texts, computed directly.

#include "core/appcommon/counttimer.h"
#include "core/src/clocktext.h"
#include "support/logcapture.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using dorvo_preview::ClockText;
using nlohmann::json;
using testsupport::countStartingWith;

namespace {

const char* const kRefused = "from_string: exception:";

qint64 utc(const char* iso)
{
    return QDateTime::fromString(QString::fromLatin1(iso), Qt::ISODate).toMSecsSinceEpoch();
}

ns::CountTimer sampleTimer()
{
    ns::CountTimer t;
    t.solidText = "距离开幕 ";
    t.textAttributes = {{"font", {{"size", 20}}}, {"textColor", "#FF00FF00"}};
    t.DateTime = "2030-01-02T00:00:00";
    t.TimeStr = "08:30:00";
    t.IsMultiLine = true;
    t.regularNew = "$d$H";
    t.units = {{"day", "days", "day", "days"}, {"", "", "", ""}};
    t.regular = "$m$s";
    t.targetDateTime = "x";
    t.countType = "COUNT_UP";
    t.isDisplayMilliseconds = true;
    return t;
}

json toJson(const ns::CountTimer& t)
{
    json j;
    ns::to_json(j, t);
    return j;
}

class ClockLogic : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { log = testsupport::captureLog(); }
    void SetUp() override { log->reset(); }
    static inline std::shared_ptr<testsupport::MemorySink> log;
};

TEST_F(ClockLogic, EachKeyAloneChangesOnlyItsField)
{
    const json base = toJson(sampleTimer());
    const std::vector<std::pair<std::string, json>> keys = {
        {"solidText", {{"text", "new"}}}, {"textAttributes", {{"textColor", "#FF0000FF"}}},
        {"DateTime", "2031-05-06"},       {"TimeStr", "01:02:03"},
        {"IsMultiLine", false},           {"regularNew", "$s"},
        {"units", json::array()},         {"regular", ""},
        {"targetDateTime", "y"},          {"countType", "COUNT_DOWN"},
        {"isDisplayMilliseconds", false}};
    for (const auto& [key, value] : keys) {
        ns::CountTimer t = sampleTimer();
        ns::from_json(json{{key, value}}, t);
        json expected = base;
        expected[key] = value;
        EXPECT_EQ(toJson(t), expected) << key;
    }
    ns::Units u{"n", "z", "s", "p"};
    ns::from_json(json{{"plural", "many"}}, u);
    EXPECT_EQ(u.plural, "many");
    EXPECT_EQ(u.zero, "z");
    EXPECT_EQ(countStartingWith(*log, kRefused), 0u);
}

TEST_F(ClockLogic, WrongTypesLeaveTheWholeRecord)
{
    const json base = toJson(sampleTimer());
    const std::vector<json> bad = {{{"solidText", "not an object"}, {"regular", "valid"}},
                                   {{"IsMultiLine", "true"}, {"DateTime", "2040-01-01"}},
                                   {{"units", json::array({{{"zero", 1}}})}, {"countType", "COUNT_DOWN"}},
                                   {{"units", {{"zero", "a"}}}},
                                   {{"isDisplayMilliseconds", 1e20}, {"TimeStr", "10:00:00"}},
                                   {{"countType", 1e20}},
                                   {{"textAttributes", json::array()}},
                                   json::array({1, 2}),
                                   json("text"),
                                   json(nullptr)};
    for (const json& j : bad) {
        ns::CountTimer t = sampleTimer();
        ns::from_json(j, t);
        EXPECT_EQ(toJson(t), base) << j.dump();
    }
    EXPECT_EQ(countStartingWith(*log, kRefused), bad.size());

    ns::CountTimer t = sampleTimer();
    for (const char* text : {"{", "not json", "\xff\xfe{}", "{\"regular\": \"\xc3\x28\"}", ""})
        EXPECT_FALSE(ns::fromString(text, t)) << text;
    EXPECT_EQ(toJson(t), base);
    EXPECT_TRUE(ns::fromString(R"({"regular":"$s"})", t));
    EXPECT_EQ(t.regular, "$s");
}

TEST_F(ClockLogic, GmtOffsets)
{
    const std::vector<std::pair<const char*, int>> good = {{"GMT-03:30", -12600}, {"GMT+05:45", 20700}};
    for (const auto& [text, seconds] : good) {
        int offset = 1;
        EXPECT_TRUE(ClockText::parseGmt(QString::fromLatin1(text), &offset)) << text;
        EXPECT_EQ(offset, seconds) << text;
    }
    for (const char* text : {"", "GMT08:00", "GMT+8:00", "GMT+08:60", "GMT+99:00", "GMT+08:00x", "UTC+08:00",
                             "GMT+0a:00", "GMT+٠٨:00"})
        EXPECT_FALSE(ClockText::parseGmt(QString::fromUtf8(text), nullptr)) << text;
}

TEST_F(ClockLogic, ZoneTimeFollowsTheZoneRulesFromUtc)
{
    const std::tuple<const char*, const char*, const char*, int, const char*> cases[] = {
        {"2026-03-29T00:59:59Z", "GMT+01:00", "Europe/Berlin", 0,
         "2026-03-29T01:59:59"}, // just before the change
        {"2026-03-29T01:00:00Z", "GMT+01:00", "Europe/Berlin", 0, "2026-03-29T03:00:00"}, // just after
        {"2026-01-15T12:00:00Z", "GMT+10:30", "Australia/Lord_Howe", 0,
         "2026-01-15T23:00:00"}, // 30 min daylight
        {"2026-07-01T12:00:00Z", "GMT+05:30", "Asia/Kolkata", 0, "2026-07-01T17:30:00"},
        {"2026-07-01T12:00:00Z", "GMT+00:00", "", 5, "2026-07-01T17:00:00"},
        {"2026-07-01T12:00:00Z", "GMT-03:30", "No/Such_Zone", 0, "2026-07-01T08:30:00"},
    };
    for (const auto& [at, gmt, zone, extra, expected] : cases) {
        const QDateTime wall =
            ClockText::zoneTime(utc(at), QString::fromLatin1(gmt), QString::fromLatin1(zone), extra);
        EXPECT_EQ(wall.toString(Qt::ISODate).left(19).toStdString(), expected) << at << " " << zone;
    }
    int daylight = 0;
    EXPECT_TRUE(ClockText::isDstZone("Europe/Berlin", utc("2026-07-01T12:00:00Z"), &daylight));
    EXPECT_EQ(daylight, 3600);
    EXPECT_FALSE(ClockText::isDstZone("Europe/Berlin", utc("2026-01-01T12:00:00Z")));
    EXPECT_FALSE(ClockText::isDstZone("", utc("2026-07-01T12:00:00Z")));
}

TEST_F(ClockLogic, DigitalTemplates)
{
    // Sunday 2026-07-05 14:07:09 (after noon).
    const QDateTime at(QDate(2026, 7, 5), QTime(14, 7, 9), Qt::UTC);
    const QStringList week = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    const QStringList suffix = {"AM", "PM"};
    const QString nbsp(QChar(0x00A0));
    const std::tuple<const char*, QString, int> cases[] = {
        {"$hh:$mm $N", "02:07 PM", 1},
        {"$h&#160;$ap", "2" + nbsp + "pm", 1},
        {"$MM/$dd/$yyyy\n$E\n$N&#160;$hh:$mm:$ss", "07/05/2026\nSun\nPM" + nbsp + "02:07:09", 3},
        {"$HH:$mm\r\n$yyyy-$MM-$dd", "2026-07-05\n14:07", 2},
        {"no tokens, $ alone and $x", "no tokens, $ alone and $x", 1},
        {"<b>$HH</b>", "<b>14</b>", 1},
    };
    for (const auto& [regular, text, count] : cases) {
        int lines = 0;
        EXPECT_EQ(ClockText::digitalText(QString::fromUtf8(regular), at, week, suffix, &lines), text)
            << regular;
        EXPECT_EQ(lines, count) << regular;
    }
    // Short or missing lists give empty names, never "undefined".
    EXPECT_EQ(ClockText::digitalText("[$E][$N]", at, {"Sun"}, {}), "[Sun][]");
    EXPECT_EQ(ClockText::digitalText("[$E]", at.addDays(1), {"Sun"}, {}), "[]");
    EXPECT_EQ(ClockText::nameList(QString("[\"a\", 3, null, \"b\"]")), QStringList({"a", "", "", "b"}));
    EXPECT_EQ(ClockText::nameList(QString("{\"weekTemplates\": [\"x\"]}")), QStringList());
    EXPECT_EQ(ClockText::analogDate("$dd/$MM/$yyyy\n$E", at, week), "05/07/2026\nSun");
}

TEST_F(ClockLogic, CountTexts)
{
    const qint64 now = QDateTime(QDate(2026, 7, 5), QTime(10, 0, 0), Qt::LocalTime).toMSecsSinceEpoch();
    auto timer = [&](qint64 offsetSeconds, const char* regular, const char* type = "COUNT_DOWN") {
        const QDateTime target = QDateTime::fromMSecsSinceEpoch(now + offsetSeconds * 1000);
        ns::CountTimer t;
        t.DateTime = target.date().toString(Qt::ISODate).toStdString() + "T00:00:00";
        t.TimeStr = target.time().toString("HH:mm:ss").toStdString();
        t.regularNew = regular;
        t.countType = type;
        t.units = {{"", "0d", "day", "days"},
                   {"", "0h", "hour", "hours"},
                   {"", "0m", "min", "mins"},
                   {"", "0s", "sec", "secs"}};
        return t;
    };
    const std::tuple<qint64, const char*, const char*, const char*> cases[] = {
        {90061, "$d$H$m$s", "COUNT_DOWN", " 1 day 01 hour 01 min 01 sec "},
        {86400, "$H", "COUNT_DOWN", "24 hours "}, // the word follows the carried value
        {86400 + 59, "$d$H", "COUNT_DOWN", " 1 day 00 0h "},
        {-100, "$d$H$m$s", "COUNT_DOWN", " 0 0d 00 0h 00 0m 00 0s "}, // past: zeros
        {-3 * 60, "$m$s", "COUNT_UP", "03 mins 00 0s "},
        {100, "$m$s", "COUNT_UP", "00 0m 00 0s "}, // not yet reached
        {61, "$s", "COUNT_DOWN", "61 secs "},
    };
    for (const auto& [offset, regular, type, text] : cases)
        EXPECT_EQ(ClockText::countText(timer(offset, regular, type), now), QString::fromUtf8(text))
            << offset << " " << regular;

    ns::CountTimer t = timer(3661, "$H$m$s");
    t.units.resize(1); // a short list: the words are empty, the count goes on
    EXPECT_EQ(ClockText::countText(t, now), "01  01  01  ");
    t.solidText = "Left:\r\n<b>";
    t.IsMultiLine = true;
    EXPECT_EQ(ClockText::countText(t, now), "Left:\n<b>\n01  01  01  ");

    bool valid = true;
    for (const char* date : {"", "2026-13-01", "garbage"}) {
        ns::CountTimer bad = timer(100, "$H$m");
        bad.DateTime = date;
        EXPECT_EQ(ClockText::countText(bad, now, &valid), "00 0h 00 0m ") << date;
        EXPECT_FALSE(valid);
    }
}

} // namespace
