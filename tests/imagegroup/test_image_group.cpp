// The picture group widget through the exported functions, as a host drives
// it. Pictures come from the window's own scene.

#include "dorvo_preview.h"
#include "support/scenefixture.h"

#include "core/src/imagegroupwidget.h"

#include <QColor>
#include <QImage>
#include <QPainter>

#include <nlohmann/json.hpp>

#include <chrono>
#include <string>
#include <vector>

using namespace testsupport;
using nlohmann::json;
using Clock = std::chrono::steady_clock;

namespace {

std::string g_dir;

std::string picture(const char* name, const char* colour, int w = 40, int h = 40)
{
    const std::string path = g_dir + "/" + name + ".png";
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(QColor(colour));
    image.save(QString::fromStdString(path));
    return path;
}

// 'r', 'g', 'b', 'w' for a clear primary colour or white, '?' otherwise.
char colourOf(QRgb p)
{
    const int r = qRed(p), g = qGreen(p), b = qBlue(p);
    if (r > 200 && g > 200 && b > 200)
        return 'w';
    if (r > 200 && g < 60 && b < 60)
        return 'r';
    if (g > 200 && r < 60 && b < 60)
        return 'g';
    if (b > 200 && r < 60 && g < 60)
        return 'b';
    return '?';
}

class ImageGroupTest : public SceneFixture
{
protected:
    static void SetUpTestSuite()
    {
        char dir[] = "/tmp/dorvo-group-pictures-XXXXXX";
        ASSERT_NE(mkdtemp(dir), nullptr);
        g_dir = dir;
        startEngine("/tmp/dorvo-group-XXXXXX");
    }

    static json content(const std::string& id)
    {
        return readWidget<dorvo_preview::ImageGroupWidget>(win, id, [](auto* w) { return w->content(); });
    }

    // A 100 x 100 group at (10, 10) made from a content object.
    std::string make(const json& metadata)
    {
        const json record = {{"layout", {{"x", 10}, {"y", 10}, {"width", 100}, {"height", 100}}},
                             {"metadata", metadata}};
        const char* id = createWidget(6, "", record.dump().c_str());
        EXPECT_NE(id, nullptr);
        made.push_back(id ? id : "");
        flush();
        return made.back();
    }

    static char centre(const std::string& id)
    {
        const QImage image = grab(id);
        return image.isNull() ? '?' : colourOf(image.pixel(image.width() / 2, image.height() / 2));
    }

    static json pictures(std::vector<std::pair<std::string, json>> list)
    {
        json out = json::array();
        for (const auto& p : list)
            out.push_back({{"dataSource", p.first}, {"duration", p.second}});
        return out;
    }
};

TEST_F(ImageGroupTest, PagesSwitchAfterEachPicturesOwnDurationAndWrapAround)
{
    const std::string id = make({{"type", "PAGE_SWITCH"},
                                 {"pictureList", pictures({{picture("r", "#ff0000"), 2000},
                                                           {picture("g", "#00ff00"), 3000},
                                                           {picture("b", "#0000ff"), 1000}})}});
    ASSERT_TRUE(waitFor([&] { return centre(id) == 'r'; }, 5000));
    // Switch times after the first red: green at 2 s, blue at 5 s, red at 6 s, green at 8 s.
    const auto start = Clock::now();
    const std::vector<std::pair<char, double>> expected = {{'g', 2.0}, {'b', 5.0}, {'r', 6.0}, {'g', 8.0}};
    for (const auto& step : expected) {
        ASSERT_TRUE(waitFor([&] { return centre(id) == step.first; }, 4000)) << step.first;
        const double at = std::chrono::duration<double>(Clock::now() - start).count();
        EXPECT_NEAR(at, step.second, 0.3) << "switch to " << step.first;
    }
}

TEST_F(ImageGroupTest, StaticStaysOnTheFirstPictureAndEntranceEffectsEndOnTheWholePicture)
{
    const std::string red = picture("r", "#ff0000"), green = picture("g", "#00ff00");
    const std::string still =
        make({{"type", "STATIC"}, {"pictureList", pictures({{red, 300}, {green, 300}})}});
    ASSERT_TRUE(waitFor([&] { return centre(still) == 'r'; }, 5000));
    const auto end = Clock::now() + std::chrono::milliseconds(1500);
    while (Clock::now() < end)
        ASSERT_EQ(centre(still), 'r');
    deleteWidget(still.c_str());

    json list = pictures({{red, 1500}, {green, 1500}});
    for (json& p : list)
        p["inAnimation"] = {{"type", 176}, {"duration", 600}};
    const std::string id = make({{"type", "PAGE_SWITCH"}, {"pictureList", list}});
    EXPECT_TRUE(waitFor([&] { return centre(id) == 'r'; }, 5000));
    EXPECT_TRUE(waitFor([&] { return centre(id) == 'g'; }, 5000));
    EXPECT_TRUE(waitFor([&] { return centre(id) == 'r'; }, 5000));
}

TEST_F(ImageGroupTest, ScrollKeepsTheHeaderStillWrapsWithoutSeamAndLeavesRoomUnderATallHeader)
{
    // A header 20 pixels high: three pictures of 80 make a column of 240.
    const std::string id = make({{"type", "SCROLL"},
                                 {"headerPath", picture("header", "#ffffff", 100, 20)},
                                 {"scrollAttributes", {{"effects", {{"speed", 120}}}}},
                                 {"pictureList", pictures({{picture("r", "#ff0000"), 1000},
                                                           {picture("g", "#00ff00"), 1000},
                                                           {picture("b", "#0000ff"), 1000}})}});
    ASSERT_TRUE(waitFor([&] { return colourOf(grab(id).pixel(50, 5)) == 'w'; }, 5000));
    std::string seen;
    const auto end = Clock::now() + std::chrono::milliseconds(4500);
    while (Clock::now() < end) {
        const QImage image = grab(id);
        ASSERT_FALSE(image.isNull());
        for (int y = 0; y < 20; ++y)
            ASSERT_EQ(colourOf(image.pixel(50, y)), 'w') << "header row " << y;
        for (int y = 20; y < 100; ++y) {
            const char c = colourOf(image.pixel(50, y));
            ASSERT_TRUE(c == 'r' || c == 'g' || c == 'b') << "row " << y << " is " << c;
        }
        const char top = colourOf(image.pixel(50, 21));
        if (seen.empty() || seen.back() != top)
            seen.push_back(top);
    }
    // Still for 2 s, then red, green, blue and red again: the second column follows the first.
    EXPECT_EQ(seen.substr(0, 4), "rgbr") << seen;
    deleteWidget(id.c_str());

    // A header taller than the widget.
    const std::string tall = make({{"type", "SCROLL"},
                                   {"headerPath", picture("tall", "#ffffff", 100, 300)},
                                   {"scrollAttributes", {{"effects", {{"speed", 0}}}}},
                                   {"pictureList", pictures({{picture("r", "#ff0000"), 1000}})}});
    // The header keeps the top and the pictures show below it, in one picture
    // (the header's file may load after the list's).
    EXPECT_TRUE(waitFor(
        [&] {
            const QImage image = grab(tall);
            return !image.isNull() && colourOf(image.pixel(50, 10)) == 'w' &&
                   colourOf(image.pixel(50, 60)) == 'r' && colourOf(image.pixel(50, 90)) == 'r';
        },
        5000));
}

TEST_F(ImageGroupTest, BadListsAreRefusedAndGroupValuesReachTheLaterPictures)
{
    const std::string red = picture("r", "#ff0000");
    const std::string id = make({{"type", "PAGE_SWITCH"}, {"pictureList", pictures({{red, 1000}})}});
    ASSERT_TRUE(waitFor([&] { return centre(id) == 'r'; }, 5000));
    const json before = content(id);
    const std::string before_log = logText();
    for (const char* bad : {"not json", "{\"a\":1}", "[1,2", "\"x\"", "", "42"})
        NImageGroup_setPictureList(id.c_str(), bad);
    NImageGroup_setPictureList(id.c_str(), nullptr);
    NImageGroup_setPictureList("00000000-0000-4000-8000-000000000000", ("[\"" + red + "\"]").c_str());
    NImageGroup_setDisplayType(id.c_str(), 7);
    NImageGroup_setDisplayType(id.c_str(), -1);
    NImageGroup_setPageDuration(id.c_str(), 0);
    NImageGroup_setPageDuration(id.c_str(), -5);
    NImageGroup_setEffectDuration(id.c_str(), -1);
    NImageGroup_setEffectType(id.c_str(), -3);
    NImageGroup_setHeaderPath(id.c_str(), "\xff\xfe");
    flush();
    EXPECT_EQ(content(id), before);
    EXPECT_EQ(centre(id), 'r');
    const std::string log = logText().substr(before_log.size());
    EXPECT_EQ(occurrences(log, "setPictureList refused"), 7u);
    EXPECT_EQ(occurrences(log, "invalid display type"), 2u);
    EXPECT_EQ(occurrences(log, "setPageDuration invalid duration"), 2u);
    EXPECT_EQ(occurrences(log, "setEffectDuration invalid duration"), 1u);
    EXPECT_EQ(occurrences(log, "setEffectType invalid effect type"), 1u);
    EXPECT_EQ(occurrences(log, "setHeaderPath refused"), 1u);

    // Group values set before the list reach the later pictures.
    const char* group = NImageGroup_createWidget();
    ASSERT_NE(group, nullptr);
    made.push_back(group);
    NImageGroup_setPageDuration(group, 1500);
    NImageGroup_setEffectType(group, 3);
    NImageGroup_setEffectDuration(group, 700);
    NImageGroup_setPictureList(group, "[\"a.png\", 7, \"c.png\"]");
    flush();
    const json list = content(group)["pictureList"];
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[1]["dataSource"], "7");
    for (const json& p : list) {
        EXPECT_EQ(p["duration"], 1500);
        EXPECT_EQ(p["inAnimation"]["type"], 3);
        EXPECT_EQ(p["inAnimation"]["duration"], 700);
    }
    // A longer list gives the new pictures the same settings; a shorter one drops the rest.
    NImageGroup_setPageDuration(group, 2500);
    NImageGroup_setPictureList(group, "[\"a.png\", \"b.png\", \"c.png\", \"d.png\"]");
    flush();
    EXPECT_EQ(content(group)["pictureList"][3]["duration"], 2500);
    NImageGroup_setPictureList(group, "[]");
    flush();
    EXPECT_TRUE(content(group)["pictureList"].empty());
    // Durations of zero or less in a record take the default; a huge one stays positive.
    const json defaults =
        content(make({{"type", "PAGE_SWITCH"},
                      {"pictureList", pictures({{"a.png", 0}, {"b.png", -20}, {"c.png", 1e12}})}}));
    ASSERT_EQ(defaults["pictureList"].size(), 3u);
    for (int i : {0, 1})
        EXPECT_EQ(defaults["pictureList"][i]["duration"],
                  dorvo_preview::ImageGroupWidget::kDefaultPageDuration);
    EXPECT_GT(defaults["pictureList"][2]["duration"].get<int>(), 0);
}

// On an over-length screen the picture is laid on the strip of the fold's
// rectangles: a picture red on its left half and blue on its right, on two
// 100 x 50 rectangles stacked in the widget and continued horizontally,
// shows red in the first rectangle and blue in the second.
TEST_F(ImageGroupTest, PagesRunAcrossTheFoldRectangles)
{
    const std::string path = g_dir + "/halves.png";
    QImage halves(200, 50, QImage::Format_RGB32);
    halves.fill(QColor("#ff0000"));
    QPainter(&halves).fillRect(100, 0, 100, 50, QColor("#0000ff"));
    ASSERT_TRUE(halves.save(QString::fromStdString(path)));
    const std::string record = R"({"layout":{"x":10,"y":10,"width":200,"height":100},"fold":{"enable":true,
        "orientation":0,"layoutItems":[{"x":0,"y":0,"width":100,"height":50},{"x":0,"y":50,"width":100,
        "height":50}]},"metadata":{"type":"STATIC","pictureList":[{"duration":5000,"dataSource":")";
    const char* id = createWidget(6, "", (record + path + "\"}]}}").c_str());
    ASSERT_NE(id, nullptr);
    made.push_back(id);
    QImage img;
    ASSERT_TRUE(waitFor(
        [&] {
            img = grab(id);
            return !img.isNull() && colourOf(img.pixel(50, 25)) == 'r' && colourOf(img.pixel(50, 75)) == 'b';
        },
        5000))
        << "the strip's left half in the first rectangle, its right half in the second";
    EXPECT_NE(colourOf(img.pixel(150, 25)), 'r') << "nothing outside the rectangles";
    EXPECT_NE(colourOf(img.pixel(150, 75)), 'b');
}

} // namespace
