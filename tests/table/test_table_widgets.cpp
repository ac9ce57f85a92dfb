// The table and the real-time data widget through the exported functions,
// as a host drives them, with their pictures taken from the window's scene.

#include "tablecontent.h"

#include "clock/widgetprobe.h"
#include "support/logcapture.h"
#include "text/pixels.h"

#include <QQuickItem>

#include <chrono>
#include <iterator>
#include <thread>
#include <cmath>
#include <vector>

using nlohmann::json;
using testsupport::waitFor;
using textpixels::isRed;
using Clock = std::chrono::steady_clock;

namespace {

// The index of the row colour p shows, or -1.
int rowOf(QRgb p, int rows = 12)
{
    for (int r = 0; r < rows; ++r) {
        const QColor c = tabletest::rowColor(r);
        if (std::abs(qRed(p) - c.red()) + std::abs(qGreen(p) - c.green()) + std::abs(qBlue(p) - c.blue()) <
            40)
            return r;
    }
    return -1;
}

double msSince(Clock::time_point t0)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

class TableWidgets : public widgetprobe::Fixture
{
protected:
    static void SetUpTestSuite() { startEngine("/tmp/dorvo-table-XXXXXX"); }
    void SetUp() override { log = testsupport::captureLog(); }

    bool pictureShows(const std::string& id, const std::function<bool(const QImage&)>& pred, int ms = 5000)
    {
        return waitFor(
            [&] {
                const QImage img = grab(id);
                return !img.isNull() && pred(img);
            },
            ms);
    }

    size_t logged(const std::string& prefix) { return testsupport::countStartingWith(*log, prefix); }

    // The texts of the visible text items of a widget's content.
    static QStringList texts(const std::string& id)
    {
        QStringList out;
        std::function<void(QQuickItem*)> collect = [&](QQuickItem* item) {
            for (QQuickItem* child : item->childItems()) {
                if (child->isVisible() && child->inherits("QQuickText") &&
                    !child->property("text").toString().isEmpty())
                    out << child->property("text").toString();
                collect(child);
            }
        };
        onQtThread([&] {
            if (auto* w = widget(id); w && w->contentItem())
                collect(w->contentItem());
        });
        return out;
    }

    std::shared_ptr<testsupport::MemorySink> log;
};

TEST_F(TableWidgets, LinesMergedCellsBadInputAndALargeTable)
{
    const std::string id = place(NTable_createWidget(), 10, 10, 500, 200);
    QImage img;
    ASSERT_TRUE(pictureShows(id, [&](const QImage& shot) {
        img = shot;
        return shot.size() == QSize(500, 200) && isRed(shot.pixel(0, 50));
    }));
    for (int x : {0, 70, 140, 210, 280, 350, 420})
        for (int y : {30, 50, 110})
            EXPECT_TRUE(isRed(img.pixel(x, y))) << "vertical line at " << x << "," << y;
    for (int y : {0, 20, 40, 60, 80, 100, 120})
        for (int x : {5, 100, 400})
            EXPECT_TRUE(isRed(img.pixel(x, y))) << "horizontal line at " << x << "," << y;
    for (QPoint p : {QPoint(35, 50), QPoint(105, 90), QPoint(450, 50), QPoint(35, 130), QPoint(421, 110)})
        EXPECT_FALSE(isRed(img.pixel(p))) << "no line at " << p.x() << "," << p.y();

    json j = tabletest::grid(6, 6, 20, 70);
    j["content"]["multiCells"] =
        json::array({{{"rowIndex", 1}, {"columnIndex", 2}, {"rowSpan", 2}, {"columnSpan", 3}}});
    NTable_setSource(id.c_str(), j.dump().c_str());
    // Drawn at its final size (a line outside the merge) and merged (none inside it).
    ASSERT_TRUE(pictureShows(id, [&](const QImage& shot) {
        img = shot;
        return shot.size() == QSize(500, 200) && isRed(shot.pixel(70, 40)) && !isRed(shot.pixel(210, 50));
    }));
    for (int y = 21; y < 60; ++y)
        for (int x = 141; x < 350; ++x)
            ASSERT_FALSE(isRed(img.pixel(x, y))) << x << "," << y;
    for (int x : {140, 350})
        EXPECT_TRUE(isRed(img.pixel(x, 40)));
    for (int y : {20, 60})
        EXPECT_TRUE(isRed(img.pixel(245, y)));

    // Bad input is refused.
    const std::string notUtf8 = "{\"content\": \"\xff\xfe\"";
    const char* refused[] = {"{\"content\": {",           "[]", "{\"content\": 5}", nullptr, notUtf8.c_str(),
                             "{\"content\": {}} trailing"};
    for (const char* text : refused)
        NTable_setSource(id.c_str(), text);
    flush();
    EXPECT_EQ(logged("TableWidget::setSource refused"), std::size(refused));

    // Out-of-grid cells, missing styles and zero sizes: logged, the rest drawn.
    j = tabletest::grid(3, 3, 20, 70);
    j["content"]["cells"].push_back({{"rowIndex", 40}, {"colIndex", 1}});
    j["content"]["cells"][0]["textAttributeIndex"] = 9;
    j["content"]["rows"][1]["height"] = 0;
    NTable_setSource(id.c_str(), j.dump().c_str());
    ASSERT_TRUE(pictureShows(id, [](const QImage& img) { return !isRed(img.pixel(0, 50)); }));
    EXPECT_GE(logged("table: cell at row 40, column 1 lies outside"), 1u);
    EXPECT_GE(logged("table: cell at row 0, column 0 names text style 9"), 1u);
    img = grab(id);
    EXPECT_TRUE(isRed(img.pixel(0, 10)));
    EXPECT_TRUE(isRed(img.pixel(210, 30)));
    setWidgetWidth(id.c_str(), 0);
    setWidgetHeight(id.c_str(), 0);
    flush();
    setWidgetWidth(id.c_str(), 300);
    setWidgetHeight(id.c_str(), 100);
    ASSERT_TRUE(
        pictureShows(id, [](const QImage& img) { return img.width() == 300 && isRed(img.pixel(70, 10)); }));

    // A large table shows within seconds.
    j = tabletest::grid(200, 10, 20, 45, "SCROLL");
    j["content"]["cells"][0]["content"] = "<b>bold?</b>";
    NTable_setSource(id.c_str(), j.dump().c_str());
    ASSERT_TRUE(pictureShows(
        id, [](const QImage& img) { return isRed(img.pixel(45, img.height() - 5)); }, 10000));
    // Host text reaches the painter unchanged; it paints plain text only.
    const QVariant plan = prop(id, "plan");
    EXPECT_EQ(plan.toMap().value("cells").toList().value(0).toMap().value("text").toString(), "<b>bold?</b>");
}

// Twelve coloured rows in a widget of three: pages first, then scrolling.
TEST_F(TableWidgets, ColouredRowsPageAndScrollWithoutSeam)
{
    const std::string id = place(NTable_createWidget(), 10, 10, 100, 60);
    NTable_setSource(id.c_str(), tabletest::grid(12, 1, 20, 100, "PAGE_SWITCH", true, "None").dump().c_str());
    ASSERT_TRUE(pictureShows(id, [](const QImage& img) { return rowOf(img.pixel(50, 10)) == 0; }));
    // Rows at the top of each page: 0, 3, 6, 9, then 0 again, a second apart.
    // A change happened after the last grab that began on the old page and
    // before the grab that showed the new one ended: each is timed by that
    // window, which stays honest however slow a grab is on a busy machine.
    struct Change
    {
        int top;
        double after, before;
    };
    std::vector<Change> changes;
    auto t0 = Clock::now();
    int last = 0;
    double lastStart = 0;
    while (changes.size() < 5 && msSince(t0) < 9000) {
        const double start = msSince(t0);
        const QImage img = grab(id);
        const int top = img.isNull() ? -1 : rowOf(img.pixel(50, 10));
        if (top >= 0 && top != last) {
            changes.push_back({top, lastStart, msSince(t0)});
            last = top;
            EXPECT_EQ(rowOf(img.pixel(50, 50)), top + 2);
        }
        lastStart = start;
    }
    ASSERT_EQ(changes.size(), 5u);
    const int expected[] = {3, 6, 9, 0, 3};
    for (size_t i = 0; i < changes.size(); ++i) {
        EXPECT_EQ(changes[i].top, expected[i]);
        if (i > 0) {
            EXPECT_GE(changes[i].before - changes[i - 1].after, 1000 - 300) << "page " << i;
            EXPECT_LE(changes[i].after - changes[i - 1].before, 1000 + 300) << "page " << i;
        }
    }

    // 243 pixels tall in a widget of 60: drawn as three slices.
    NTable_setSource(id.c_str(), tabletest::grid(12, 1, 20, 100, "SCROLL", true, "None").dump().c_str());
    // The table's top in the picture: from a row boundary and the rows around it.
    auto topOf = [](const QImage& img) -> double {
        for (int y = 1; y < img.height(); ++y) {
            const int above = rowOf(img.pixel(50, y - 1)), here = rowOf(img.pixel(50, y));
            if (above >= 0 && here == above + 1)
                return y - here * 20;
        }
        return NAN;
    };
    ASSERT_TRUE(pictureShows(id, [&](const QImage& img) { return !std::isnan(topOf(img)); }));
    std::vector<std::pair<double, double>> samples; // (ms, top)
    t0 = Clock::now();
    while (msSince(t0) < 2500) {
        const double before = msSince(t0);
        const QImage img = grab(id);
        const double top = topOf(img);
        if (std::isnan(top))
            continue;
        samples.emplace_back((before + msSince(t0)) / 2, top);
        // Without a seam: each pixel row shows the table row it lies in.
        for (int y = 0; y < img.height(); ++y)
            if (const double row = std::floor((y - top) / 20); row >= 0 && row < 12) {
                ASSERT_EQ(rowOf(img.pixel(50, y)), row) << "at " << y;
            }
    }
    ASSERT_GE(samples.size(), 4u);
    // Positions drop at 60 px/s; a wrap (the table starts again at the bottom) is left out.
    double travelled = 0, time = 0;
    for (size_t i = 1; i < samples.size(); ++i) {
        const double d = samples[i - 1].second - samples[i].second;
        if (d < 0)
            continue;
        travelled += d;
        time += samples[i].first - samples[i - 1].first;
    }
    ASSERT_GT(time, 1000);
    EXPECT_NEAR(travelled * 1000 / time, 60, 6);
}

TEST_F(TableWidgets, RealTimeRowsPlaceholdersPagesAndBadInput)
{
    // One row high: one row per page, three pages of 1000 + 500 ms.
    const std::string id = place(NRtMedia_createWidget(), 10, 10, 300, 24);
    NRtMedia_setRegular(id.c_str(), "Temp:$t\nHumidity:$AH\nNo key");
    NRtMedia_setDisplayStyle(id.c_str(), 0);
    NRtMedia_setPageSwitchTime(id.c_str(), 1000);
    // The first page: the label, and the placeholder for its value not yet known.
    ASSERT_TRUE(waitFor([&] {
        const QStringList now = texts(id);
        return now.contains("Temp:") && now.contains("--");
    }));
    EXPECT_TRUE(pictureShows(id, [](const QImage& img) { return textpixels::count(img, isRed) > 0; }));
    std::vector<std::pair<QString, double>> changes;
    const auto t0 = Clock::now();
    QString last = "Temp:";
    while (changes.size() < 3 && msSince(t0) < 8000) {
        const QStringList now = texts(id);
        for (const QString& label : {QString("Temp:"), QString("Humidity:"), QString("No key")})
            if (now.contains(label) && label != last) {
                changes.emplace_back(label, msSince(t0));
                last = label;
            }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_EQ(changes.size(), 3u);
    EXPECT_EQ(changes[0].first, "Humidity:");
    EXPECT_EQ(changes[1].first, "No key");
    EXPECT_EQ(changes[2].first, "Temp:");
    for (size_t i = 1; i < changes.size(); ++i)
        EXPECT_NEAR(changes[i].second - changes[i - 1].second, 1500, 300);

    // Bad input is refused; one row shows even when the widget is lower.
    NRtMedia_setRegular(id.c_str(), "Temperature:$t");
    setWidgetHeight(id.c_str(), 3);
    ASSERT_TRUE(waitFor([&] { return texts(id).contains("Temperature:"); }));
    NRtMedia_setRegularContents(id.c_str(), "{\"not\": \"a list\"}");
    NRtMedia_setRegularContents(id.c_str(), "[");
    NRtMedia_setTextColor(id.c_str(), "no colour");
    NRtMedia_setLabelPixelSize(id.c_str(), 0);
    NRtMedia_setScrollSpeed(id.c_str(), 100000);
    NRtMedia_setDisplayStyle(id.c_str(), 7);
    NRtMedia_setPageSwitchTime(id.c_str(), -500);
    NRtMedia_setDisplayStyle(id.c_str(), 0);
    NRtMedia_setRegular(id.c_str(), "a$t\n\xff\xfe$AH\n<b>x</b>$n");
    NRtMedia_setAlignStyles(id.c_str(), 7);
    NRtMedia_setAlignStyles(id.c_str(), 2);
    NRtMedia_setRegular("no-such-widget", "x");
    flush();
    EXPECT_EQ(logged("RtMediaWidget::setRegularContents refused"), 2u);
    EXPECT_EQ(logged("RtMediaWidget::setTextColor refused"), 1u);
    EXPECT_EQ(logged("RtMediaWidget::setLabelPixelSize refused"), 1u);
    EXPECT_EQ(logged("RtMediaWidget::setScrollSpeed refused"), 1u);
    EXPECT_EQ(logged("RtMediaWidget::setDisplayStyle refused"), 1u);
    // A page time of -500 still changes pages (at least every second).
    ASSERT_TRUE(waitFor([&] { return texts(id).contains("a"); }, 3000));
    ASSERT_TRUE(waitFor([&] { return texts(id).contains("<b>x</b>"); }, 4000));
    setWidgetHeight(id.c_str(), 0);
    flush();
    setWidgetHeight(id.c_str(), 100);
    ASSERT_TRUE(waitFor([&] { return texts(id).contains("--"); }));
}

} // namespace
