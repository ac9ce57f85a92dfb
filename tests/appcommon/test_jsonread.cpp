// Defensive reading of host JSON: UTF-8 repair, nesting bound, numbers that
// do not fit their field, wrong types.

#include "core/appcommon/jsonread.h"
#include "core/appcommon/widgetrecord.h"

#include <gtest/gtest.h>

#include <string>

using namespace ns;

namespace {

TEST(JsonRead, Utf8IsRepairedByteByByte)
{
    const std::string bad = "\xEF\xBF\xBD";
    const struct
    {
        std::string in, out;
    } cases[] = {{"plain", "plain"},
                 {"\xE6\x95\xB0\xE5\xAD\x97 \xF0\x9F\x98\x80", "\xE6\x95\xB0\xE5\xAD\x97 \xF0\x9F\x98\x80"},
                 {"caf\xE9", "caf" + bad},                    // Latin-1
                 {"\xC0\xAF", bad + bad},                     // overlong
                 {"\xED\xA0\x80", bad + bad + bad},           // surrogate
                 {"\xF4\x90\x80\x80", bad + bad + bad + bad}, // above U+10FFFF
                 {"a\xF0\x9F", "a" + bad + bad},              // cut short
                 {std::string("a\0b", 3), std::string("a\0b", 3)}};
    for (const auto& c : cases) {
        EXPECT_EQ(jsonread::validUtf8(c.in), c.out) << c.in;
        EXPECT_TRUE(jsonread::isValidUtf8(jsonread::validUtf8(c.in)));
    }
}

TEST(JsonRead, ParseRepairsTextAndBoundsNesting)
{
    const nlohmann::json j = jsonread::parse("{\"t\":\"caf\xE9\"}");
    ASSERT_TRUE(j.is_object());
    EXPECT_EQ(j["t"], "caf\xEF\xBF\xBD");
    std::string why;
    EXPECT_TRUE(jsonread::parse(std::string(10000, '[') + std::string(10000, ']'), &why).is_discarded());
    EXPECT_EQ(why, "nested too deep");
    EXPECT_FALSE(jsonread::parse(std::string(200, '[') + std::string(200, ']')).is_discarded());
    EXPECT_TRUE(jsonread::parse("{", &why).is_discarded());
    EXPECT_EQ(why, "not JSON");
    EXPECT_EQ(jsonread::dump(nlohmann::json("x\xE9")), "\"x\xEF\xBF\xBD\"");
}

TEST(JsonRead, NumbersOutOfRangeOrOfTheWrongTypeKeepTheField)
{
    const struct
    {
        const char* text;
        int expected;
    } cases[] = {{"{\"v\":7}", 7},
                 {"{\"v\":7.9}", 7},
                 {"{\"v\":-7.9}", -7},
                 {"{\"v\":1e300}", 42},
                 {"{\"v\":-1e300}", 42},
                 {"{\"v\":2147483648}", 42},
                 {"{\"v\":-2147483648}", -2147483647 - 1},
                 {"{\"v\":\"5\"}", 42},
                 {"{\"v\":true}", 42},
                 {"{\"v\":null}", 42},
                 {"{\"w\":1}", 42},
                 {"{\"v\":18446744073709551615}", 42}};
    for (const auto& c : cases) {
        int field = 42;
        jsonread::readNumber(nlohmann::json::parse(c.text), "v", field);
        EXPECT_EQ(field, c.expected) << c.text;
    }
    float f = 1;
    jsonread::readNumber(nlohmann::json::parse("{\"v\":1e300}"), "v", f);
    EXPECT_EQ(f, 1);
}

TEST(JsonRead, WidgetRecordWithHugeNumbersKeepsItsDefaults)
{
    Widget w;
    ASSERT_TRUE(Widget::fromJson(R"({"zOrder":1e300,"duration":-1e300,"layout":{"x":"left","y":5}})", w));
    EXPECT_EQ(w.zOrder, 0);
    EXPECT_EQ(w.duration, 0);
    EXPECT_EQ(w.layout.x, 0);
    EXPECT_EQ(w.layout.y, 5);
    std::string reason;
    EXPECT_FALSE(Widget::fromJson("[1]", w, &reason));
    EXPECT_EQ(reason, "not a JSON object");
}

} // namespace
