// An analogue clock on an over-length screen: the dial is drawn on the strip
// of the fold's rectangles, and each rectangle shows its own section of it.

#include "support/scenefixture.h"

#include <nlohmann/json.hpp>

namespace {

using testsupport::SceneFixture;
using testsupport::waitFor;

bool green(QRgb c)
{
    return qGreen(c) > 180 && qRed(c) < 80 && qBlue(c) < 80;
}

int greenIn(const QImage& img, const QRect& area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += img.valid(x, y) && green(img.pixel(x, y));
    return n;
}

class ClockFold : public SceneFixture
{
protected:
    static void SetUpTestSuite() { startEngine("/tmp/dorvo-clockfold-XXXXXX"); }
};

TEST_F(ClockFold, AnalogueDialRunsAcrossTheFoldRectangles)
{
    // Two 200 x 100 rectangles stacked in a 400 x 200 widget, continued
    // horizontally: a strip of 400 x 100 with the dial's centre at x 200, so
    // the first rectangle shows the dial's left half, the second its right half.
    const nlohmann::json scale = {
        {"shape", "RECTANGLE"}, {"width", 8}, {"height", 8}, {"color", "#FF00FF00"}};
    const nlohmann::json creation = {{"layout", {{"x", 20}, {"y", 20}, {"width", 400}, {"height", 200}}},
                                     {"fold",
                                      {{"enable", true},
                                       {"orientation", 0},
                                       {"layoutItems",
                                        {{{"x", 0}, {"y", 0}, {"width", 200}, {"height", 100}},
                                         {{"x", 0}, {"y", 100}, {"width", 200}, {"height", 100}}}}}},
                                     {"metadata",
                                      {{"hourScale", scale},
                                       {"minuteScale", {{"shape", "RECTANGLE"}, {"width", 0}, {"height", 0}}},
                                       {"text", {{"enable", false}}},
                                       {"date", {{"enable", false}}}}}};
    const char* id = createWidget(1, "", creation.dump().c_str());
    ASSERT_NE(id, nullptr);
    made.push_back(id);
    flush();
    QImage img;
    ASSERT_TRUE(waitFor(
        [&] {
            img = grab(id);
            return greenIn(img, QRect(140, 40, 30, 20)) > 10 && greenIn(img, QRect(30, 140, 30, 20)) > 10;
        },
        5000))
        << "the nine o'clock marker in the first rectangle, the three o'clock one in the second";
    EXPECT_EQ(greenIn(img, QRect(200, 0, 200, 200)), 0) << "nothing outside the rectangles";
}

} // namespace
