// Before init() or initPreview() no channel exists: every guarded export
// refuses with its own log line and its failure result, and the exports
// without a guard still answer.

#include "dorvo_preview.h"
#include "frame/catalogueexports.h"
#include "support/logcapture.h"

#include <gtest/gtest.h>

#include <regex>

namespace {

using namespace frametest;

// Exports outside the catalogue's posting rows: each returns true when refused.
#define FR_CREATE(family) {#family "_createWidget", [] { return family##_createWidget() == nullptr; }},
#define FR_PIC(family) {#family "_setPic", [] { return family##_setPic(nullptr, nullptr) == -1; }},
#define FR_CALLBACK(name) {#name, [] { return name(nullptr) == -1; }},
const struct
{
    const char* name;
    bool (*callRefused)();
} kOtherRows[] = {{"createWindow", [] { return createWindow() == nullptr; }},
                  {"createWidget", [] { return createWidget(1, nullptr, nullptr) == nullptr; }},
                  {"createWidgetContainer", [] { return createWidgetContainer(nullptr) == nullptr; }},
                  FR_CREATE(NAnalogClock) FR_CREATE(NColorfulText) FR_CREATE(NDigitalClock) FR_CREATE(NHtml)
                      FR_CREATE(NImage) FR_CREATE(NImageGroup) FR_CREATE(NRss) FR_CREATE(NRtMedia) FR_CREATE(
                          NStreamMedia) FR_CREATE(NTable) FR_CREATE(NText) FR_CREATE(NTimer) FR_CREATE(NVideo)
                          FR_CREATE(NTarroAnalogClock) FR_CREATE(NBaseWeather) FR_CREATE(NCalendar)
                              FR_CREATE(NSeniorWeather) FR_CREATE(NWeather) FR_CREATE(NHdmi) FR_PIC(NHtml)
                                  FR_PIC(NRss) FR_PIC(NStreamMedia) FR_PIC(NHdmi)
                                      FR_CALLBACK(setOnWidgetSelected) FR_CALLBACK(setOnRectChanged)
                                          FR_CALLBACK(setOnWidgetDoubleClicked) FR_CALLBACK(setOnKeyChanged)
                                              FR_CALLBACK(setFpsCallback) FR_CALLBACK(setMouseWheelCallback)};

// The exports whose refusal reads "name error" instead of "name() error":
// these few, and every setter of the digital clock, picture group and colourful text.
bool refusesPlain(const std::string& name)
{
    static const std::string plain[] = {"setWindowScale",
                                        "setAllWidgetBorderScale",
                                        "addSystemFont",
                                        "NText_setVerticalOffset",
                                        "NText_setTextJagged",
                                        "NText_setSyncByMusic",
                                        "NText_setBackMusicDuration",
                                        "NRtMedia_setFontFamily"};
    for (const std::string& p : plain) {
        if (name == p)
            return true;
    }
    for (const char* family : {"NDigitalClock_set", "NImageGroup_set", "NColorfulText_set"}) {
        if (name.rfind(family, 0) == 0)
            return true;
    }
    return false;
}

std::string escape(const std::string& text)
{
    static const std::regex special(R"([.^$|()\[\]{}*+?\\])");
    return std::regex_replace(text, special, R"(\$&)");
}

void expectRefusal(testsupport::MemorySink& sink, const std::string& name, bool refused)
{
    SCOPED_TRACE(name);
    EXPECT_TRUE(refused);
    auto records = sink.records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].level, spdlog::level::err);
    // "<message> \n //<file>:<export>()#<line>."
    const std::string message = name + (refusesPlain(name) ? " error" : "() error");
    const std::regex expected(escape(message) + R"( \n //[a-z]+\.cpp:)" + escape(name) + R"(\(\)#[0-9]+\.)");
    EXPECT_TRUE(std::regex_match(records[0].text, expected)) << records[0].text;
}

TEST(FrameRefusal, EveryGuardedExportRefusesWithItsLogLine)
{
    auto sink = testsupport::captureLog();
    for (const ExportRow& row : kExportRows) {
        sink->reset();
        const bool refused = row.refuse() == -1;
        expectRefusal(*sink, exportName(row.name), refused);
    }
    for (const auto& row : kOtherRows) {
        sink->reset();
        const bool refused = row.callRefused();
        expectRefusal(*sink, row.name, refused);
    }
}

TEST(FrameRefusal, UnguardedExportsAnswerWithoutAChannel)
{
    auto sink = testsupport::captureLog();
    EXPECT_EQ(unInit(), 0);
    EXPECT_EQ(NAnalogClock_setName("id", "n"), 0);
    EXPECT_EQ(NHdmi_setName("id", "n"), 0);
    EXPECT_EQ(NHtml_setName(nullptr, nullptr), 0);
    EXPECT_EQ(NRss_setName("id", "n"), 0);
    EXPECT_EQ(NStreamMedia_setName("id", "n"), 0);
    EXPECT_EQ(NTimer_setName("id", "n"), 0);
    EXPECT_EQ(NWeather_setName("id", "n"), 0);
    EXPECT_EQ(NBaseWeather_deleteWidget("id"), 0);
    EXPECT_EQ(NCalendar_destroyWidget("id"), 0);
    EXPECT_EQ(NSeniorWeather_destroyWidget("id"), 0);
    EXPECT_EQ(NTarroAnalogClock_destroyWidget(nullptr), 0);
    EXPECT_EQ(NTable_getName("id"), nullptr);
    grabImage();
    EXPECT_TRUE(sink->records().empty());
}

TEST(FrameRefusal, CreateWidgetRefusesBeforeCheckingTheType)
{
    auto sink = testsupport::captureLog();
    EXPECT_EQ(createWidget(21, "", ""), nullptr);
    ASSERT_EQ(sink->records().size(), 1u);
    EXPECT_EQ(sink->records()[0].text.rfind("createWidget() error", 0), 0u);
}

} // namespace
