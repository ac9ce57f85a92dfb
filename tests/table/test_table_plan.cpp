// The drawing plans of the table and of the real-time data widget, read from
// contents as hosts send them, good and bad.

#include "tablecontent.h"

#include "core/src/rtmediaplan.h"
#include "core/src/tableplan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>

using dorvo_preview::RtMediaPlan;
using dorvo_preview::TablePlan;
using nlohmann::json;

namespace {

TEST(TablePlan, MergedCellCoversItsSpanOnly)
{
    json j = tabletest::grid(6, 6, 20, 70);
    j["content"]["multiCells"] =
        json::array({{{"rowIndex", 1}, {"columnIndex", 2}, {"rowSpan", 2}, {"columnSpan", 3}},
                     {{"rowIndex", 4}, {"columnIndex", 4}, {"rowSpan", 99}, {"columnSpan", 99}},
                     {{"rowIndex", 9}, {"columnIndex", 0}, {"rowSpan", 1}, {"columnSpan", 1}}});
    const TablePlan plan = TablePlan::read(j);
    // Spans cut at the grid's edge.
    const auto clamped = std::find_if(plan.cells.begin(), plan.cells.end(),
                                      [](const auto& c) { return c.x == 280 && c.y == 80; });
    ASSERT_NE(clamped, plan.cells.end());
    EXPECT_DOUBLE_EQ(clamped->width, 140);
    EXPECT_DOUBLE_EQ(clamped->height, 40);
    EXPECT_EQ(plan.cells.size(), 36u - 5u - 3u);
}

// Each case: a change to a 6 x 6 table of 20 x 70 cells and what the plan then holds.
TEST(TablePlan, FaultyContents)
{
    struct Case
    {
        const char* name;
        std::function<void(json&)> change;
        size_t cells;
        double height;
        int pageMs;
    };
    const Case cases[] = {
        {"cells out of order", [](json& c) { std::swap(c["cells"][0], c["cells"][35]); }, 36, 124, 1000},
        {"no cells", [](json& c) { c["cells"] = json::array(); }, 0, 4, 1000},
        {"cells not a list", [](json& c) { c["cells"] = "x"; }, 0, 4, 1000},
        {"cells outside the grid",
         [](json& c) {
             c["cells"].push_back({{"rowIndex", 6}, {"colIndex", 0}});
             c["cells"].push_back({{"rowIndex", 0}, {"colIndex", -1}});
             c["cells"].push_back({{"rowIndex", "a"}, {"colIndex", 1e300}});
         },
         36, 124, 1000},
        {"a cell listed twice", [](json& c) { c["cells"].push_back(c["cells"][3]); }, 36, 124, 1000},
        {"missing text style", [](json& c) { c["cells"][0]["textAttributeIndex"] = 7; }, 36, 124, 1000},
        {"page time 0", [](json& c) { c["displayStyle"]["pageSwitchAttributes"]["remainDuration"] = 0; }, 36,
         124, 1000},
        {"page time huge",
         [](json& c) { c["displayStyle"]["pageSwitchAttributes"]["remainDuration"] = 1e300; }, 36, 124,
         INT_MAX},
        {"page time 3 s", [](json& c) { c["displayStyle"]["pageSwitchAttributes"]["remainDuration"] = 3; },
         36, 124, 3000},
        // one row (its entry unusable: height 0), the cells of its six columns
        {"rows of wrong types",
         [](json& c) {
             c["rows"] = json::array({{{"index", "0"}, {"height", "20"}}});
         },
         6, 4, 1000},
        // the rows below the first lie beyond the drawn 20000 pixels
        {"huge rows", [](json& c) { c["rows"][0]["height"] = 1e308; }, 6, 20000, 1000},
    };
    for (const Case& k : cases) {
        json j = tabletest::grid(6, 6, 20, 70, "PAGE_SWITCH");
        k.change(j["content"]);
        const TablePlan plan = TablePlan::read(j);
        EXPECT_EQ(plan.cells.size(), k.cells) << k.name;
        EXPECT_DOUBLE_EQ(plan.height, k.height) << k.name;
        EXPECT_EQ(plan.pageMs, k.pageMs) << k.name;
        for (const auto& c : plan.cells)
            EXPECT_LT(static_cast<size_t>(c.style), plan.styles.size()) << k.name;
    }
}

TEST(TablePlan, DisplayStylesBordersAndSpeeds)
{
    const std::tuple<const char*, const char*, json, TablePlan::Mode, int, int> cases[] = {
        {"STATIC", "None", 30, TablePlan::Mode::Static, 0, 30},
        {"SCROLL", "BoldSolid", 0, TablePlan::Mode::Scroll, 2, 60},
        {"X", "BoldSolidStrong", 501, TablePlan::Mode::Page, 3, 60},
        {"SCROLL", "Dotted", "fast", TablePlan::Mode::Scroll, 1, 60}};
    for (const auto& [type, border, speed, mode, width, planSpeed] : cases) {
        json j = tabletest::grid(2, 2, 20, 70, type, false, border);
        j["content"]["displayStyle"]["scrollAttributes"]["effects"]["speed"] = speed;
        const TablePlan plan = TablePlan::read(j);
        EXPECT_EQ(plan.mode, mode) << type;
        EXPECT_EQ(plan.borderWidth, width) << border;
        EXPECT_EQ(plan.speed, planSpeed) << speed.dump();
    }
    EXPECT_TRUE(TablePlan::read(json::array()).cells.empty());
    EXPECT_TRUE(TablePlan::read(json("text")).cells.empty());
}

TEST(RtMediaPlan, RowsOfTemplates)
{
    const auto rows = RtMediaPlan::rowsOf("Temp:$t\r\nno key\n\n$PM2.5\n");
    QStringList seen;
    for (const auto& r : rows)
        seen << r.label + "|" + r.key + "|" + r.value;
    EXPECT_EQ(seen, (QStringList{"Temp:|$t|--", "no key||--", "|$PM2.5|--"}));
    EXPECT_EQ(RtMediaPlan::rowsOf(std::string(5000, '\n') + "a").size(), 1u);
}

TEST(RtMediaPlan, IntervalsLayoutsAndUnits)
{
    EXPECT_EQ(RtMediaPlan::pageInterval(5000), 5500);
    EXPECT_EQ(RtMediaPlan::pageInterval(-500), 1000);
    EXPECT_EQ(RtMediaPlan::pageInterval(INT64_MAX), INT_MAX);
    const json m = {
        {"regular", "A$t\nB$AH"},
        {"regularContents", json::array({{{"key", "$AH"}, {"unit", "%"}}, {{"key", 5}}})},
        {"layoutStyles", json::array({{{"type", 1}, {"proportion", 50}},
                                      {{"type", 9}},
                                      {{"type", 4}, {"horizontalAlignment", 0}, {"proportion", 1e9}}})},
        {"displayStyle",
         {{"type", "PAGE_SWITCH"},
          {"pageSwitchAttributes",
           {{"remainDuration", -500}, {"inAnimation", {{"type", 1}, {"duration", 900}}}}}}},
        {"updatePeriod", "soon"}};
    const RtMediaPlan plan = RtMediaPlan::read(m);
    EXPECT_EQ(plan.mode, RtMediaPlan::Mode::Page);
    EXPECT_EQ(plan.pageMs, 1000);
    EXPECT_EQ(plan.effectDuration, 0);
    EXPECT_EQ(plan.updateMs, 60000);
    ASSERT_EQ(plan.columns.size(), 2u); // the unknown type is left out
    EXPECT_EQ(plan.columns[0].align, "RIGHT");
    EXPECT_EQ(plan.columns[1].align, "LEFT");
    EXPECT_DOUBLE_EQ(plan.columns[1].proportion, 100);
    ASSERT_EQ(plan.rows.size(), 2u);
    EXPECT_EQ(plan.rows[0].unit, "");
    EXPECT_EQ(plan.rows[1].unit, "%");
}

} // namespace
