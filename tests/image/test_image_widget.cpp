// The picture widget through the exported functions, as a host drives it.
// Pictures come from the window's own scene (no screen reading).

#include "dorvo_preview.h"
#include "picturefiles.h"
#include "support/scenefixture.h"
#include "support/wait.h"
#include "text/pixels.h"

#include "core/src/enginehost.h"
#include "core/src/imagewidget.h"

#include <QImage>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <chrono>
#include <cmath>
#include <string>
#include <thread>

using namespace testsupport;
using namespace textpixels;
using nlohmann::json;

namespace {

using Clock = std::chrono::steady_clock;

// Neither pure red nor pure blue: what a blurred edge between them holds.
bool isBlend(QRgb p)
{
    const bool pureRed = qRed(p) > 235 && qBlue(p) < 20;
    const bool pureBlue = qBlue(p) > 235 && qRed(p) < 20;
    return !pureRed && !pureBlue && (qRed(p) > 20 || qBlue(p) > 20);
}

bool isDimRed(QRgb p)
{
    return qRed(p) > 40 && qRed(p) < 170 && qGreen(p) < 40 && qBlue(p) < 40;
}

class ImageWidgetTest : public SceneFixture
{
protected:
    static void SetUpTestSuite()
    {
        ASSERT_TRUE(picturetest::files().ok) << "test pictures could not be made";
        // No window is attached yet: a placeholder cannot be created.
        startEngine("/tmp/dorvo-image-XXXXXX", [] { createdWithoutWindow = NHtml_createWidget(); });
    }

    void TearDown() override
    {
        setWindowScale(win, 100);
        SceneFixture::TearDown();
    }

    static QObject* content(const std::string& id)
    {
        return readWidget<dorvo_preview::ImageWidget>(win, id, [](auto* w) { return w->contentItem(); });
    }

    static json record(const std::string& id)
    {
        return json::parse(
            readWidget<dorvo_preview::ImageWidget>(win, id, [](auto* w) { return w->recordJson(); }), nullptr,
            false);
    }

    // A picture widget at (x, y) of the canvas with the given file.
    std::string picture(const std::string& path, int w = 300, int h = 300, int x = 20, int y = 20,
                        const std::function<void(const char*)>& before = {})
    {
        const char* id = NImage_createWidget();
        if (place(id, x, y, w, h).empty())
            return "";
        if (before)
            before(id);
        NImage_setSource(id, path.c_str());
        flush();
        return id;
    }

    static bool showsHalves(const QImage& img, int top, int bottom)
    {
        if (img.isNull() || bottom <= top)
            return false;
        const int w = img.width();
        for (int y : {top + 2, (top + bottom) / 2, bottom - 3}) {
            if (!isRed(img.pixel(4, y)) || !isRed(img.pixel(w / 2 - 4, y)) ||
                !isBlue(img.pixel(w / 2 + 4, y)) || !isBlue(img.pixel(w - 5, y)))
                return false;
        }
        return true;
    }

    static const char* createdWithoutWindow;
};

const char* ImageWidgetTest::createdWithoutWindow = nullptr;

} // namespace

TEST_F(ImageWidgetTest, EveryStillFormatAndOddPathStretchedFillsTheWidget)
{
    const auto& f = picturetest::files();
    for (const std::string& path : {f.halvesPng, f.halvesJpg, f.halvesBmp, f.halvesWebp, f.oddPath}) {
        SCOPED_TRACE(path);
        const std::string id = picture(path);
        ASSERT_TRUE(waitFor([&] { return showsHalves(grab(id), 0, 300); }, 4000))
            << "not stretched over 300 x 300";
        deleteWidget(id.c_str());
    }
}

TEST_F(ImageWidgetTest, TwoFrameAnimationsAlternateTheirColours)
{
    const auto& f = picturetest::files();
    for (const std::string& path : {f.twoGif, f.twoWebp}) {
        SCOPED_TRACE(path);
        const std::string id = picture(path, 100, 100);
        auto mostly = [&](bool (*pred)(QRgb)) { return count(grab(id), pred) > 100 * 100 * 9 / 10; };
        // 400 ms per frame: red, blue, red again.
        ASSERT_TRUE(waitFor([&] { return mostly(isRed); }, 3000)) << "first frame";
        ASSERT_TRUE(waitFor([&] { return mostly(isBlue); }, 3000)) << "second frame";
        ASSERT_TRUE(waitFor([&] { return mostly(isRed); }, 3000)) << "back to the first";
        EXPECT_EQ(record(id)["metadata"]["picture"].value("kind", ""), "animated");
        deleteWidget(id.c_str());
    }
}

TEST_F(ImageWidgetTest, SvgIsFittedAndSharpAtThreeTimesZoom)
{
    // In the middle of the canvas so that it stays in view at 300 %.
    const std::string id = picture(picturetest::files().barsSvg, 200, 200, 200, 100);
    // 200 x 100 fitted into 200 x 200: rows 50 to 150, ten bars of 20.
    ASSERT_TRUE(waitFor(
        [&] {
            const QImage img = grab(id);
            return !img.isNull() && isRed(img.pixel(10, 100)) && isBlue(img.pixel(30, 100)) &&
                   !isRed(img.pixel(10, 20)) && !isRed(img.pixel(10, 180));
        },
        4000));
    setWindowScale(win, 300);
    flush();
    // Bars of 60 screen pixels: a sharp drawing changes colour within a
    // pixel, a stretched 1x rendering blurs every edge over several.
    auto edgeBlend = [&] {
        const QImage img = grab(id);
        if (img.width() < 200 || img.height() < 200)
            return 1000;
        int blends = 0;
        const int y = img.height() / 2;
        for (int x = 0; x < img.width(); ++x)
            blends += isBlend(img.pixel(x, y)) ? 1 : 0;
        return blends;
    };
    ASSERT_TRUE(waitFor([&] { return count(grab(id), isRed) > 20000; }, 4000)) << "not drawn at 300 %";
    EXPECT_TRUE(waitFor([&] { return edgeBlend() <= 4; }, 4000))
        << "blended pixels on a row: " << edgeBlend();
}

TEST_F(ImageWidgetTest, FadeEntranceShowsFadedFramesAndAnUnknownEffectNone)
{
    for (const int effect : {176, 12345}) {
        SCOPED_TRACE(effect);
        const std::string id = picture(picturetest::files().halvesPng, 300, 300, 20, 20, [&](const char* id) {
            NImage_setEffectType(id, effect);
            NImage_setEffectDuration(id, 1500);
        });
        int dimFrames = 0;
        const auto end = Clock::now() + std::chrono::seconds(6);
        while (Clock::now() < end && !showsHalves(grab(id), 0, 300)) {
            if (count(grab(id), isDimRed) > 10000)
                ++dimFrames;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        if (effect == 176)
            EXPECT_GE(dimFrames, 2) << "no faded frames";
        else
            EXPECT_EQ(dimFrames, 0) << "faded without an effect";
        EXPECT_TRUE(waitFor([&] { return showsHalves(grab(id), 0, 300); }, 3000))
            << "the picture did not complete";
        deleteWidget(id.c_str());
    }
}

TEST_F(ImageWidgetTest, MarqueesMoveAtTheSetSpeedInTheirDirection)
{
    const auto& f = picturetest::files();
    struct Case
    {
        int direction;
        int speed;
        bool vertical;
        double expected; // pixels per second along x or y
    } cases[] = {
        {3, 100, false, -100}, // MARQUEE_LEFT
        {4, 100, false, 100},  // MARQUEE_RIGHT
        {6, 60, true, -60},    // MARQUEE_UP
        {5, 60, true, 60},     // MARQUEE_DOWN
        {3, 0, false, 0},      // speed 0 stands still
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.direction << " at " << c.speed);
        // A red stripe at the left edge, or a red band at the top for the
        // vertical ones; the start of the red along the motion is tracked.
        const std::string path = c.vertical ? f.bandJpg : f.stripeJpg;
        const std::string id = picture(path, 300, 100, 20, 20, [&](const char* id) {
            NImage_setScrollSpeed(id, c.speed);
            NImage_setScrollDirection(id, c.direction);
        });
        ASSERT_TRUE(waitFor([&] { return count(grab(id), isRed) > 1000; }, 4000));
        const int span = c.vertical ? 100 : 300;
        auto redAt = [&](const QImage& img, int i) {
            return c.vertical ? isRed(img.pixel(150, i)) : isRed(img.pixel(i, 50));
        };
        // The start of the red along the motion, unwrapped over the period:
        // the samples are closer than half a period apart.
        double last = -1;
        const auto position = [&] {
            const QImage img = grab(id);
            double p = 0;
            for (int i = 1; i < span && p == 0; ++i)
                if (!redAt(img, i - 1) && redAt(img, i))
                    p = i;
            while (last >= 0 && p - last > span / 2.0)
                p -= span;
            while (last >= 0 && last - p > span / 2.0)
                p += span;
            return last = p;
        };
        const SpeedRange r = speedBetween(position, 600);
        EXPECT_TRUE(r.near(c.expected, c.expected == 0 ? 2 : std::fabs(c.expected) * 0.10))
            << r.slowest << " to " << r.fastest << " px/s";
        deleteWidget(id.c_str());
    }
}

TEST_F(ImageWidgetTest, SettersGuardTheirValuesBadInputAndBadFilesChangeNothingAndKeptRatioLetterboxes)
{
    const std::string id = picture(picturetest::files().halvesPng);
    ASSERT_TRUE(waitFor([&] { return showsHalves(grab(id), 0, 300); }, 4000));
    const json before = record(id);
    QObject* scene = content(id);
    ASSERT_NE(scene, nullptr);

    const char notUtf8[] = "/tmp/\xff\xfe.png";
    NImage_setSource(id.c_str(), picturetest::files().halvesPng.c_str()); // same value
    NImage_setSource(id.c_str(), notUtf8);
    NImage_setKeepOriginalScale(id.c_str(), false); // same value
    NImage_setEffectType(id.c_str(), 0);            // same value
    NImage_setEffectDuration(id.c_str(), -5);
    NImage_setEffectDuration(id.c_str(), 1000); // same value (the default)
    NImage_setScrollSpeed(id.c_str(), 60);      // same value
    NImage_setScrollDirection(id.c_str(), -1);
    NImage_setScrollDirection(id.c_str(), 99);
    NImage_setScrollDirection(id.c_str(), 0); // same value
    flush();
    EXPECT_EQ(record(id), before);
    EXPECT_EQ(content(id), scene) << "the scene was rebuilt";
    const std::string log = logText();
    for (const char* line : {"ImageWidget::setSource path is not UTF-8, ignored",
                             "ImageWidget::setEffectDuration invalid duration -5",
                             "ImageWidget::setScrollDirection invalid direction -1",
                             "ImageWidget::setScrollDirection invalid direction 99"})
        EXPECT_NE(log.find(line), std::string::npos) << line;
    EXPECT_GE(occurrences(log, "same value. no op"), 5u);
    EXPECT_TRUE(showsHalves(grab(id), 0, 300));

    // A changed value rebuilds and is in the record.
    NImage_setScrollSpeed(id.c_str(), 700);
    flush();
    EXPECT_EQ(record(id)["metadata"]["scrollAttributes"]["effects"].value("speed", 0), 700);
    EXPECT_NE(content(id), scene);
    // The kept ratio letterboxes: 200 x 100 fitted into 300 x 300 is 300 x 150
    // in rows 75 to 225; any other value stretches again.
    NImage_setKeepOriginalScale(id.c_str(), true);
    flush();
    ASSERT_TRUE(waitFor([&] { return showsHalves(grab(id), 77, 223); }, 4000));
    const QImage img = grab(id);
    for (int y : {2, 70, 230, 297})
        for (int x : {5, 150, 295})
            EXPECT_FALSE(isRed(img.pixel(x, y)) || isBlue(img.pixel(x, y))) << x << "," << y;
    EXPECT_EQ(record(id).value("displayRatio", ""), "ORIGINAL_SIZE");
    NImage_setKeepOriginalScale(id.c_str(), false);
    flush();
    EXPECT_TRUE(waitFor([&] { return showsHalves(grab(id), 0, 300); }, 4000));

    // Without a window attached yet, a placeholder could not be created.
    EXPECT_EQ(createdWithoutWindow, nullptr);
    EXPECT_NE(log.find("NHtml_createWidget() widget "), std::string::npos);

    // A missing or corrupt file is logged and draws nothing; a good picture shows again.
    const auto& f = picturetest::files();
    for (const std::string& path : {f.missing, f.corrupt}) {
        SCOPED_TRACE(path);
        NImage_setSource(id.c_str(), path.c_str());
        flush();
        const std::string line = "ImageWidget cannot show the picture " + path;
        ASSERT_TRUE(waitFor([&] { return logText().find(line) != std::string::npos; }, 4000))
            << "no log line";
        EXPECT_TRUE(
            waitFor([&] { return count(grab(id), isRed) == 0 && count(grab(id), isBlue) == 0; }, 3000));
        // The frame's snapshot of the previous picture has ended.
        EXPECT_TRUE(readWidget<dorvo_preview::ImageWidget>(win, id, [](auto* w) {
            auto* shot = w->item()->template findChild<QObject*>(QStringLiteral("antiBlackShader"));
            return shot && shot->property("live").toBool();
        }));
        NImage_setSource(id.c_str(), f.halvesJpg.c_str());
        flush();
        EXPECT_TRUE(waitFor([&] { return showsHalves(grab(id), 0, 300); }, 4000));
    }
}

TEST_F(ImageWidgetTest, FoldedWidgetShowsEachRectangleItsSectionOfTheStrip)
{
    // Two 150 x 100 rectangles above each other: the picture is stretched
    // over a 300 x 100 strip, red in its first half, blue in its second.
    const char* content = R"({"layout":{"x":20,"y":20,"width":150,"height":200},"fold":{"enable":true,
        "orientation":0,"layoutItems":[{"x":0,"y":0,"width":150,"height":100},
        {"x":0,"y":100,"width":150,"height":100}]}})";
    const char* id = createWidget(5, "", content);
    ASSERT_NE(id, nullptr);
    made.push_back(id);
    flush();
    NImage_setSource(id, picturetest::files().halvesPng.c_str());
    flush();
    auto folded = [&] {
        const QImage img = grab(id);
        if (img.width() < 150 || img.height() < 200)
            return false;
        for (int x : {5, 75, 145}) {
            if (!isRed(img.pixel(x, 10)) || !isRed(img.pixel(x, 90)) || !isBlue(img.pixel(x, 110)) ||
                !isBlue(img.pixel(x, 190)))
                return false;
        }
        return true;
    };
    EXPECT_TRUE(waitFor(folded, 4000));
}
