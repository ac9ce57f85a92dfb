// The colourful text widget through the exported functions, as a host drives
// it; pictures come from the window's own scene.

#include "support/scenefixture.h"

#include "core/src/colortextwidget.h"
#include "core/src/nwquickitem/textqmltypes.h"
#include "text/pixels.h"

#include <nlohmann/json.hpp>

#include <climits>

using namespace testsupport;
using namespace textpixels;
using nlohmann::json;
using Clock = std::chrono::steady_clock;

namespace {

// Four full blocks: solid ink that is easy to find.
const char* const kBlocks = "\u2588\u2588\u2588\u2588";

bool isInk(QRgb p)
{
    return qRed(p) + qGreen(p) + qBlue(p) > 120;
}

class ColorTextTest : public SceneFixture
{
protected:
    static void SetUpTestSuite()
    {
        dorvo_preview::registerTextQmlTypes();
        startEngine("/tmp/dorvo-colortext-XXXXXX");
    }

    static dorvo_preview::ColorTextWidget* widget(const std::string& id)
    {
        return qobject_cast<dorvo_preview::ColorTextWidget*>(dorvo_preview::EngineHost::getWidget(id));
    }

    static json content(const std::string& id)
    {
        return readWidget<dorvo_preview::ColorTextWidget>(win, id, [](auto* w) { return w->content(); });
    }

    static int builds(const std::string& id)
    {
        return readWidget<dorvo_preview::ColorTextWidget>(win, id, [](auto* w) {
            QObject* item = w->contentItem();
            return item ? item->property("builds").toInt() : -1;
        });
    }

    // Sends the setters in fn, then waits until the item has rebuilt (a
    // static text's new text is taken in place, without a rebuild).
    static void change(const std::string& id, const std::function<void()>& fn, bool rebuilds = true)
    {
        const int before = builds(id);
        fn();
        flush();
        if (rebuilds) {
            EXPECT_TRUE(waitFor([&] { return builds(id) > before; }, 5000)) << "no rebuild";
        }
    }

    // A colourful text at (20, 20) of w x h: blocks of 60 px DejaVu Sans,
    // aligned left, filled with one red.
    std::string colorText(int w = 400, int h = 100)
    {
        const char* id = NColorfulText_createWidget();
        if (place(id, 20, 20, w, h).empty())
            return "";
        flush();
        EXPECT_TRUE(waitFor([&] { return builds(id) > 0; }, 5000)) << "no item";
        change(id, [&] {
            NColorfulText_setFontFamily(id, "DejaVu Sans");
            NColorfulText_setFontSize(id, 60);
            NColorfulText_setHorizontalAlignment(id, 0);
            NColorfulText_setColors(id, "#FFFF0000");
            NColorfulText_setColorfulType(id, 1);
            NColorfulText_setText(id, kBlocks);
        });
        return id;
    }
};

} // namespace

// Red to blue across, red to blue down, and one colour that fills solid.
TEST_F(ColorTextTest, GradientFillsFollowTheirDirection)
{
    const std::string id = colorText(400, 200);
    std::string lines;
    for (int n = 0; n < 30; ++n)
        lines += "\u2588";
    change(
        id, [&] { NColorfulText_setText(id.c_str(), lines.c_str()); }, false);
    struct Case
    {
        int type;
        const char* colors;
        bool vertical;
        bool solid;
    };
    for (const Case& c : {Case{1, "#FFFF0000,#FF0000FF", false, false},
                          Case{2, "#FFFF0000,#FF0000FF", true, false}, Case{3, "#FFFF0000", false, true}}) {
        SCOPED_TRACE(c.type);
        change(id, [&] {
            NColorfulText_setColorfulType(id.c_str(), c.type);
            NColorfulText_setColors(id.c_str(), c.colors);
        });
        const QImage img = grab(id);
        const int inked = count(img, isInk);
        ASSERT_GT(inked, 2000);
        if (c.solid) {
            EXPECT_GT(count(img, isRed), inked * 95 / 100) << "one colour fills solid";
            continue;
        }
        const QRect ink = box(img, isInk);
        const int first = c.vertical ? ink.top() : ink.left(), last = c.vertical ? ink.bottom() : ink.right();
        const int mid = c.vertical ? img.width() / 8 : img.height() / 2;
        auto at = [&](int along) { return c.vertical ? img.pixel(mid, along) : img.pixel(along, mid); };
        EXPECT_TRUE(isRed(at(first + 3))) << std::hex << at(first + 3);
        EXPECT_TRUE(isBlue(at(last - 3))) << std::hex << at(last - 3);
    }
}

// 60 px/s within 10 %, to the left and (direction 5) to the right; a speed
// of 0 stands still.
TEST_F(ColorTextTest, MarqueeMovesAtItsSpeedInItsDirection)
{
    const std::string id = colorText(500, 100);
    for (int direction : {0, 5}) {
        SCOPED_TRACE(direction);
        change(id, [&] {
            NColorfulText_setText(id.c_str(), "\u2588\u2588");
            NColorfulText_setDisplayType(id.c_str(), 1);
            NColorfulText_setScrollHeadTail(id.c_str(), false);
            NColorfulText_setScrollSpeed(id.c_str(), 60);
            NColorfulText_setScrollDirection(id.c_str(), direction);
        });
        auto edge = [&] { return direction ? box(grab(id), isRed).right() : box(grab(id), isRed).left(); };
        ASSERT_TRUE(waitFor([&] { return !box(grab(id), isRed).isNull(); }, 5000))
            << "the marquee never shows";
        const auto r = testsupport::speedBetween(edge, 2000);
        ASSERT_GE(r.first, 0);
        ASSERT_GE(r.second, 0);
        EXPECT_TRUE(r.near(direction ? 60.0 : -60.0, 6.0)) << r.slowest << " to " << r.fastest << " px/s";
    }
    change(id, [&] { NColorfulText_setScrollSpeed(id.c_str(), 0); });
    const QRect still = box(grab(id), isRed);
    EXPECT_FALSE(still.isNull());
    EXPECT_FALSE(waitFor([&] { return box(grab(id), isRed) != still; }, 500)) << "speed 0 moves";
    // A text wider than one texture holds still shows and moves.
    std::string longText;
    for (int n = 0; n < 400; ++n)
        longText += "\u2588 ";
    change(id, [&] {
        NColorfulText_setText(id.c_str(), longText.c_str());
        NColorfulText_setScrollSpeed(id.c_str(), 200);
    });
    ASSERT_TRUE(waitFor([&] { return count(grab(id), isRed) > 1000; }, 5000))
        << "the long text does not show";
    const QImage before = grab(id);
    EXPECT_TRUE(waitFor([&] { return grab(id) != before; }, 3000)) << "the long text stands";
    // Only zero-width characters: nothing to move and nothing shown.
    change(id, [&] { NColorfulText_setText(id.c_str(), "\u200B\u200B\u200B"); });
    EXPECT_EQ(count(grab(id), isInk), 0);
}

TEST_F(ColorTextTest, BlinkAndOneByOne)
{
    const std::string id = colorText();
    change(id, [&] { NColorfulText_setBlink(id.c_str(), true); });
    int shown = 0, samples = 0;
    for (const auto end = Clock::now() + std::chrono::seconds(4); Clock::now() < end;) {
        shown += count(grab(id), isRed) > 500 ? 1 : 0;
        ++samples;
        std::this_thread::sleep_for(std::chrono::milliseconds(15));
    }
    ASSERT_GT(samples, 20);
    EXPECT_NEAR(static_cast<double>(shown) / samples, 0.7, 0.12) << shown << " of " << samples;

    // One by one, the ink grows step by step.
    change(id, [&] {
        NColorfulText_setBlink(id.c_str(), false);
        NColorfulText_setDisplayType(id.c_str(), 3);
    });
    std::vector<int> widths;
    for (const auto end = Clock::now() + std::chrono::milliseconds(2500); Clock::now() < end;) {
        const int w = box(grab(id), isRed).width();
        if (widths.empty() || widths.back() != w)
            widths.push_back(w);
        std::this_thread::sleep_for(std::chrono::milliseconds(40));
    }
    ASSERT_GE(widths.size(), 4u) << "the text did not grow in steps";
    for (size_t i = 1; i < widths.size(); ++i)
        EXPECT_GT(widths[i], widths[i - 1]);
}

// Tags are drawn as text; the picture of the widget is written on request
// and again after a change; a stroke surrounds the glyphs.
TEST_F(ColorTextTest, MarkupImageAndStroke)
{
    const std::string id = colorText();
    auto inkWidth = [&] { return box(grab(id), isRed).width(); };
    change(
        id, [&] { NColorfulText_setText(id.c_str(), "X"); }, false);
    const int plain = inkWidth();
    change(
        id, [&] { NColorfulText_setText(id.c_str(), "<b>X</b>"); }, false);
    EXPECT_GT(inkWidth(), plain * 4) << "the tags are drawn";
    EXPECT_EQ(content(id)["content"], "<b>X</b>");

    const QString path = QString::fromStdString(runningPath + "/colortext.png");
    grabWidgetImage(id.c_str(), path.toUtf8().constData(), false);
    ASSERT_TRUE(within(
        5000, [&] { return count(QImage(path), isRed) > 500; }, "the image"));
    EXPECT_EQ(QImage(path).size(), QSize(400, 100));
    change(id, [&] { NColorfulText_setColors(id.c_str(), "#FF0000FF"); });
    EXPECT_TRUE(within(
        5000, [&] { return count(QImage(path), isBlue) > 500; }, "the rewritten image"));

    change(id, [&] {
        NColorfulText_setText(id.c_str(), kBlocks);
        NColorfulText_setHorizontalAlignment(id.c_str(), 1);
        NColorfulText_setStrokeColor(id.c_str(), "#FF00FF00");
        NColorfulText_setStrokeWidth(id.c_str(), 4);
        NColorfulText_setStroke(id.c_str(), true);
    });
    const QImage img = grab(id);
    const QRect glyphs = box(img, isBlue), stroke = box(img, isGreen);
    ASSERT_FALSE(glyphs.isNull());
    // The stroke reaches past the glyphs on every side.
    EXPECT_TRUE(stroke.adjusted(1, 1, -1, -1).contains(glyphs)) << glyphs.width() << " in " << stroke.width();
}

// Setters change their member once; unchanged values are logged; the
// style combines bold and italic; empty colours are kept.
TEST_F(ColorTextTest, SettersPatchTheRecordAndBadValuesAreRefused)
{
    const std::string id = colorText();
    const char* i = id.c_str();
    NColorfulText_setFontBold(i, true);
    NColorfulText_setFontItalic(i, true);
    flush();
    EXPECT_EQ(content(id)["textAttributes"]["font"]["style"], "BOLD_ITALIC");
    NColorfulText_setFontBold(i, false);
    NColorfulText_setColors(i, "#FF0000,,#0000FF");
    NColorfulText_setScrollHeadTailSpacing(i, 12);
    NColorfulText_setScrollType(i, 3);
    NColorfulText_setYOffset(i, -7);
    NColorfulText_setBlink(i, true);
    NColorfulText_setBlink(i, true);
    NColorfulText_setBackgroundColor(i, "#FF102030");
    NColorfulText_setTexturePath(i, "/tmp/texture.png");
    flush();
    const json c = content(id);
    EXPECT_EQ(c["textAttributes"]["font"]["style"], "ITALIC");
    EXPECT_EQ(c["textAttributes"]["effects"]["colors"], json({"#FF0000", "", "#0000FF"}));
    EXPECT_EQ(c["scrollAttributes"]["effects"]["headTailSpacing"], "12");
    EXPECT_EQ(c["scrollAttributes"]["effects"]["speedByPixelEnable"], true);
    EXPECT_EQ(c["offset"]["y"], -7);
    EXPECT_EQ(c["textAttributes"]["effects"]["TempTexturePath"], "/tmp/texture.png");
    EXPECT_NE(logText().find("dorvo_preview::ColorTextWidget::setBlink same value. no op"),
              std::string::npos);
    const json record = json::parse(
        readWidget<dorvo_preview::ColorTextWidget>(win, id, [](auto* w) { return w->recordJson(); }));
    EXPECT_EQ(record["backgroundColor"], "#FF102030");
    EXPECT_EQ(record["type"], "COLORFUL_TEXT");

    // Bad values: one log line each, nothing changes. A 10 000-character text
    // is taken and the engine goes on (flush fails otherwise); how fast it
    // fits is measured by bench_colortext.
    const json before = content(id);
    const size_t refusedBefore = occurrences(logText(), " refused");
    NColorfulText_setFontSize(i, 0);
    NColorfulText_setFontSize(i, INT_MAX);
    NColorfulText_setLineSpacing(i, -60);
    NColorfulText_setColors(i, "#GG0000");
    NColorfulText_setColors(i, ",");
    NColorfulText_setColors(i, nullptr);
    NColorfulText_setColors(i, "#FF0000,caf\xe9");
    NColorfulText_setColorfulType(i, 5);
    NColorfulText_setColorfulType(i, -1);
    NColorfulText_setDisplayType(i, 9);
    NColorfulText_setVerticalAlignment(i, 3);
    NColorfulText_setHorizontalAlignment(i, -2);
    NColorfulText_setStrokeWidth(i, -1);
    NColorfulText_setStrokeColor(i, "green-ish");
    NColorfulText_setTextColor(i, "");
    NColorfulText_setBackgroundColor(i, nullptr);
    NColorfulText_setFontFamily(i, "");
    NColorfulText_setText(i, "bad \xff\xfe text");
    NColorfulText_setTexturePath(i, "\xc3");
    NColorfulText_setLetterSpacing(i, INT_MIN);
    NColorfulText_setYOffset(i, INT_MAX);
    NColorfulText_setScrollHeadTailSpacing(i, -3);
    NColorfulText_setText("not-a-widget", "x");
    NColorfulText_setBlink(nullptr, true);
    flush();
    EXPECT_EQ(occurrences(logText(), " refused") - refusedBefore, 22u);
    EXPECT_EQ(content(id), before);
    // Sources that are not objects of the right shape are refused as well.
    onQtThread([&] {
        for (const char* bad : {"{not json", "[]", "{\"textAttributes\":5}", "{\"content\":7}",
                                "{\"textAttributes\":{\"font\":{\"size\":0}}}", "caf\xe9"})
            widget(id)->setSource(bad);
    });
    EXPECT_EQ(content(id), before);

    std::string longText;
    for (int n = 0; n < 10000; ++n)
        longText += (n % 7 == 6) ? ' ' : static_cast<char>('A' + n % 26);
    NColorfulText_setText(i, longText.c_str());
    flush();
    EXPECT_EQ(content(id)["content"], longText);
}

// A widget created with a fold record lays its text on the strip of its
// rectangles: the text leaves the first rectangle and goes on in the second.
TEST_F(ColorTextTest, FoldedTextRunsOnAcrossItsRectangles)
{
    json content = json::parse(dorvo_preview::ColorTextWidget::defaultSource());
    content["content"] = "\u2588\u2588\u2588\u2588\u2588\u2588\u2588\u2588";
    content["paragraphAttributes"]["horizontalAlignment"] = "LEFT";
    content["paragraphAttributes"]["lineSpacing"] = 0;
    content["textAttributes"]["font"] = {{"family", {"DejaVu Sans"}}, {"size", 50}, {"style", "NORMAL"}};
    content["textAttributes"]["effects"]["colors"] = {"#FFFF0000"};
    const json creation = {{"layout", {{"x", 20}, {"y", 20}, {"width", 400}, {"height", 120}}},
                           {"fold",
                            {{"enable", true},
                             {"orientation", 0},
                             {"layoutItems",
                              {{{"x", 0}, {"y", 0}, {"width", 200}, {"height", 60}},
                               {{"x", 0}, {"y", 60}, {"width", 200}, {"height", 60}}}}}},
                           {"metadata", {{"content", content}}}};
    const char* id = createWidget(2, "", creation.dump().c_str());
    ASSERT_NE(id, nullptr);
    made.push_back(id);
    flush();
    QImage img;
    ASSERT_TRUE(waitFor(
        [&] {
            img = grab(id);
            return img.height() == 120 && box(img.copy(0, 0, 400, 60), isRed).right() >= 190;
        },
        5000))
        << "the first rectangle is full";
    const QImage bottom = img.copy(0, 60, 400, 60);
    EXPECT_FALSE(box(bottom, isRed).isNull()) << "the text goes on in the second";
    EXPECT_LT(box(bottom, isRed).right(), 180) << "the second shows only the rest";
    EXPECT_EQ(count(img.copy(200, 0, 200, 120), isRed), 0) << "nothing outside the rectangles";
}
