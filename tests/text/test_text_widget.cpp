// The text widget through the exported functions, as a host drives it;
// pictures come from the window's own scene (no screen reading).

#include "support/scenefixture.h"

#include "core/src/enginehost.h"
#include "core/src/nwquickitem/textqmltypes.h"
#include "core/src/textwidget.h"

#include "pixels.h"

#include <QFontMetrics>

#include <nlohmann/json.hpp>

using namespace testsupport;
using namespace textpixels;
using nlohmann::json;

namespace {

json attribute(const std::string& key, const std::string& color, int size)
{
    return {{"key", key},
            {"attributes",
             {{"textColor", color},
              {"backgroundColor", "#00000000"},
              {"font",
               {{"family", "DejaVu Sans"}, {"size", size}, {"style", "NORMAL"}, {"isUnderline", false}}}}}};
}

json run(const std::string& text, const std::string& key)
{
    return {{"content", text}, {"attributeKey", key}};
}

json line(const std::string& text, const std::string& key)
{
    return {{"segs", json::array({run(text, key)})}};
}

// A text of one paragraph of these lines, shown as type.
json source(const char* type, const json& lines, const json& attributes, int remain = 3000)
{
    return {
        {"paragraphs",
         json::array({{{"lines", lines}, {"horizontalAlignment", "LEFT"}, {"verticalAlignment", "TOP"}}})},
        {"textAttributes", attributes},
        {"displayStyle",
         {{"type", type},
          {"pageSwitchAttributes",
           {{"inAnimation", {{"type", 0}, {"duration", 0}}}, {"remainDuration", remain}}},
          {"scrollAttributes", {{"effects", {{"speed", 100}, {"animation", "MARQUEE_LEFT"}}}}}}}};
}

// Two lines of 80-pixel text, red then green: one page each at 120 px.
json twoPages(const char* type, int remain)
{
    return source(type, json::array({line("RRR", "r"), line("GGG", "g")}),
                  json::array({attribute("r", "#ffff0000", 80), attribute("g", "#ff00ff00", 80)}), remain);
}

// Red 40-pixel text scrolling by animation at speed.
json marquee(const char* animation, int speed, const std::string& text = "\u2588\u2588")
{
    json c = source("SCROLL", json::array({line(text, "r")}), json::array({attribute("r", "#ffff0000", 40)}));
    c["displayStyle"]["scrollAttributes"]["effects"] = {{"speed", speed}, {"animation", animation}};
    return c;
}

class TextWidgetTest : public SceneFixture
{
protected:
    static void SetUpTestSuite()
    {
        dorvo_preview::registerTextQmlTypes();
        startEngine("/tmp/dorvo-text-XXXXXX");
    }

    static dorvo_preview::TextWidget* widget(const std::string& id)
    {
        return qobject_cast<dorvo_preview::TextWidget*>(dorvo_preview::EngineHost::getWidget(id));
    }

    static QObject* content(const std::string& id)
    {
        return readWidget<dorvo_preview::TextWidget>(win, id, [](auto* w) { return w->contentItem(); });
    }

    static json record(const std::string& id)
    {
        return json::parse(
            readWidget<dorvo_preview::TextWidget>(win, id, [](auto* w) { return w->recordJson(); }), nullptr,
            false);
    }
    static json style(const std::string& id) { return record(id)["metadata"]["content"]["displayStyle"]; }

    // A text widget at (20, 20), w x h, with the given content (none for a
    // widget made from a creation record).
    std::string textWidget(const json& source, int w = 300, int h = 120,
                           const char* id = NText_createWidget())
    {
        if (place(id, 20, 20, w, h).empty())
            return "";
        if (!source.is_null())
            NText_setSource(id, source.dump().c_str());
        flush();
        return id;
    }

    // Waits until id's picture meets pred; returns the last picture.
    static QImage grabUntil(const std::string& id, const std::function<bool(const QImage&)>& pred,
                            int ms = 5000)
    {
        QImage img;
        EXPECT_TRUE(within(
            ms, [&] { return pred(img = grab(id)); }, "the picture"));
        return img;
    }

    void remove(const std::string& id)
    {
        deleteWidget(id.c_str());
        made.pop_back();
        flush();
    }
};

} // namespace

// Page 2 enters with the chosen effect: between the two pages there are
// frames that are neither (a faded or partly drawn page 2).
TEST_F(TextWidgetTest, PagedTextEntersWithTheChosenEffect)
{
    for (int code : {176, 16}) {
        SCOPED_TRACE(code);
        json source = twoPages("PAGE_SWITCH", 2500);
        source["displayStyle"]["pageSwitchAttributes"]["inAnimation"] = {{"type", code}, {"duration", 1500}};
        const std::string id = textWidget(source);
        grabUntil(id, [](const QImage& i) { return count(i, isRed) > 100; });
        auto dim = [](QRgb p) { return qGreen(p) > 40 && qGreen(p) <= 150 && qRed(p) < 60 && qBlue(p) < 60; };
        struct Sample
        {
            int red, green, dim;
        };
        std::vector<Sample> samples;
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(7);
        int steady = 0;
        while (std::chrono::steady_clock::now() < end && steady < 3) {
            const QImage img = grab(id);
            const Sample s{count(img, isRed), count(img, isGreen), count(img, dim)};
            samples.push_back(s);
            const bool same =
                samples.size() > 1 && std::abs(samples[samples.size() - 2].green - s.green) <= s.green / 50;
            steady = (s.red == 0 && s.green > 100 && same) ? steady + 1 : 0;
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
        }
        ASSERT_EQ(steady, 3) << "page 2 did not settle";
        // Page 2 as it stays: its green and its antialiased (dim) edge pixels.
        const int full = samples.back().green, edges = samples.back().dim;
        // A 1.5 s effect spans many samples; a switch without effect may
        // leave one half-drawn frame, never several.
        int between = 0;
        for (const Sample& s : samples) {
            const bool page1 = s.red > 100 && s.green == 0;
            const bool partial = s.green < full * 9 / 10 || s.dim > edges * 3 / 2 + 30;
            between += (!page1 && partial && (s.green > full / 20 || s.dim > edges + 30)) ? 1 : 0;
        }
        EXPECT_GE(between, 5) << "too few frames of the effect between the pages (" << samples.size()
                              << " samples)";
        remove(id);
    }
}

// Unchanged values keep the scene; the setters of one batch rebuild it once,
// keep the frame where the host put it, and the snapshot that covered the
// rebuild goes. Scroll setters are refused (logged) outside the scroll type;
// the record carries the enumeration strings of the codes set.
TEST_F(TextWidgetTest, SettersRebuildOnceOnChangeAndScrollSettersOnlyForScrollType)
{
    const json text = twoPages("PAGE_SWITCH", 3000);
    const std::string id = textWidget(text);
    QObject* scene = content(id);
    ASSERT_NE(scene, nullptr);
    NText_setSource(id.c_str(), text.dump().c_str());
    NText_setPageSwitchTime(id.c_str(), 3000);
    NText_setDisplayType(id.c_str(), 0);
    NText_setTextJagged(id.c_str(), false);
    flush();
    EXPECT_EQ(content(id), scene) << "an unchanged value rebuilt the scene";

    const size_t rebuilds = occurrences(logText(), "deleteQml");
    onQtThread([&] {
        auto* w = widget(id);
        w->setPageSwitchTime(2000);
        w->setPageSwitchAnimationTime(500);
        w->setBackgroundColor("#ff000080");
        w->setVerticalOffset(4);
    });
    flush();
    EXPECT_NE(content(id), scene) << "a changed value did not rebuild the scene";
    EXPECT_EQ(occurrences(logText(), "deleteQml"), rebuilds + 1);
    json r = record(id);
    EXPECT_EQ(style(id)["pageSwitchAttributes"]["remainDuration"], 2000);
    EXPECT_EQ(style(id)["offset"]["y"], 4);
    EXPECT_EQ(r["layout"], json({{"x", 20}, {"y", 20}, {"width", 300}, {"height", 120}}));
    EXPECT_TRUE(within(
        5000,
        [&] {
            bool snapshotShown = true;
            onQtThread([&] {
                auto* frame = qobject_cast<QQuickItem*>(widget(id)->item());
                auto* shot = frame ? frame->findChild<QQuickItem*>("antiBlackShader") : nullptr;
                snapshotShown = !shot || shot->isVisible();
            });
            return !snapshotShown;
        },
        "the snapshot gone"));

    scene = content(id);
    NText_setScrollSpeed(id.c_str(), 321);
    NText_setScrollDirection(id.c_str(), 6);
    NText_setScrollIsEndToEnd(id.c_str(), true);
    NText_setScrollHeadToTailSpacing(id.c_str(), 44);
    flush();
    EXPECT_EQ(content(id), scene);
    for (const char* setter :
         {"setScrollSpeed", "setScrollDirection", "setScrollIsEndToEnd", "setScrollHeadToTailSpacing"})
        EXPECT_NE(logText().find(std::string(setter) + " only support scroll type"), std::string::npos);
    NText_setDisplayType(id.c_str(), 2);
    flush();
    EXPECT_EQ(style(id)["type"], "STATIC");

    // Still ignored once the text scrolls.
    NText_setDisplayType(id.c_str(), 1);
    flush();
    json effects = style(id)["scrollAttributes"]["effects"];
    const json unchanged = {
        {"speed", 100}, {"animation", "MARQUEE_LEFT"}, {"isHeadTail", false}, {"headTailSpacing", "0"}};
    for (const auto& member : unchanged.items())
        EXPECT_EQ(effects[member.key()], member.value()) << member.key();
    NText_setScrollDirection(id.c_str(), 6);
    NText_setScrollHeadToTailSpacing(id.c_str(), 44);
    NText_setScrollDirection(id.c_str(), 6);
    NText_setScrollSpeed(id.c_str(), 150);
    NText_setTextJagged(id.c_str(), true);
    NText_setSyncByMusic(id.c_str(), true);
    NText_setBackgroundColor(id.c_str(), "#ff102030");
    flush();
    r = record(id);
    effects = style(id)["scrollAttributes"]["effects"];
    EXPECT_EQ(effects["speed"], 150);
    EXPECT_EQ(effects["animation"], "MARQUEE_UP");
    EXPECT_EQ(effects["headTailSpacing"], "44");
    EXPECT_NE(logText().find("direction not change"), std::string::npos);
    EXPECT_EQ(r["id"], id);
    EXPECT_EQ(r["type"], "RICH_TEXT");
    EXPECT_EQ(r["backgroundColor"], "#ff102030");
    EXPECT_EQ(r["metadata"]["textAntialiasing"], true);
    EXPECT_EQ(r["metadata"]["content"]["displayStyle"]["type"], "SCROLL");
    EXPECT_EQ(r["metadata"]["content"]["backgroundMusic"]["isTextSync"], true);
    NText_setScrollDirection(id.c_str(), 7);
    flush();
    EXPECT_EQ(style(id)["scrollAttributes"]["effects"]["animation"], "PAN_LEFT");
}

TEST_F(TextWidgetTest, GrabWritesOneImagePerPageAndUpdatesAfterAChange)
{
    const std::string id = textWidget(twoPages("PAGE_SWITCH", 5000));
    const QString base = QString::fromStdString(runningPath + "/thumb");
    grabWidgetImage(id.c_str(), (base + ".png").toUtf8().constData(), true);
    flush();
    // The whole picture, then page 1 (red) and page 2 (green). A file shows
    // up before it is completely written: wait until each reads back.
    const std::pair<QString, bool (*)(QRgb)> files[] = {
        {".png", isRed}, {"1.png", isRed}, {"2.png", isGreen}};
    for (const auto& f : files) {
        ASSERT_TRUE(within(
            5000, [&] { return count(QImage(base + f.first), f.second) > 100; }, f.first.toStdString()));
        EXPECT_EQ(QImage(base + f.first).size(), QSize(300, 120)) << f.first.toStdString();
    }

    // Automatic update: a new background shows in the rewritten images.
    QFile::remove(base + ".png");
    NText_setBackgroundColor(id.c_str(), "#ff0000ff");
    flush();
    EXPECT_TRUE(within(
        5000, [&] { return count(QImage(base + ".png"), isBlue) > 1000; }, "the rewritten image"));
}

TEST_F(TextWidgetTest, BadInputIsLoggedAndChangesNothing)
{
    const std::string id = textWidget(twoPages("STATIC", 3000));
    ASSERT_TRUE(waitFor([&] { return count(grab(id), isRed) > 100; }, 5000));
    // Each refused source logs one line and leaves the text on screen.
    const std::vector<const char*> refused = {"{not json",
                                              "[]",
                                              "null",
                                              "plain text",
                                              "",
                                              nullptr,
                                              "{\"paragraphs\":5}",
                                              "{\"paragraphs\":\"caf\xe9\"}",
                                              "{\"paragraphs\":[],\"textAttributes\":{}}",
                                              "{}"};
    const size_t before = occurrences(logText(), "TextWidget::setSource refused");
    for (const char* bad : refused)
        NText_setSource(id.c_str(), bad);
    for (const char* bad : {"{\"paragraphs\":[{\"lines\":[{\"segs\":[{\"content\":7}]}]}]}",
                            "{\"paragraphs\":[],\"displayStyle\":{\"type\":\"SPIRAL\"}}"})
        NText_setSource(id.c_str(), bad); // readable lists: taken, with their bad members skipped
    // Wrong member types and huge values inside a readable text: the valid text still shows.
    json mixed = twoPages("STATIC", 3000);
    mixed["paragraphs"].push_back({{"lines", "none"}});
    mixed["paragraphs"].push_back({{"lines", json::array({line("", "r"), line("x", "missing")})}});
    mixed["textAttributes"].push_back({{"key", 5}, {"attributes", "bad"}});
    mixed["textAttributes"].push_back(attribute("huge", "#ffff0000", 100000000));
    NText_setSource(id.c_str(), mixed.dump().c_str());
    NText_setDisplayType(id.c_str(), 9);
    NText_setBackgroundColor(id.c_str(), "");
    NText_setBackgroundColor(id.c_str(), "not a colour");
    NText_setPageSwitchTime(id.c_str(), -5);
    NText_setPageSwitchAnimationType(id.c_str(), 424242);
    NText_setPageSwitchAnimationTime(id.c_str(), -1);
    NText_setBackMusicDuration(id.c_str(), 1000);
    grabWidgetImage(id.c_str(), "", false);
    flush();
    const std::string log = logText();
    EXPECT_EQ(occurrences(log, "TextWidget::setSource refused") - before, refused.size());
    EXPECT_NE(log.find("TextWidget::setDisplayType invalid type 9"), std::string::npos);
    EXPECT_NE(log.find("TextWidget::setBackgroundColor invalid colour"), std::string::npos);
    EXPECT_NE(log.find("setBackMusicDuration backMusicValid false"), std::string::npos);
    // The installed family of these texts is found, not reported missing.
    EXPECT_EQ(log.find("Font Not Find DejaVu Sans"), std::string::npos);
    EXPECT_EQ(style(id)["pageSwitchAttributes"]["remainDuration"], 3000);
    EXPECT_TRUE(waitFor([&] { return count(grab(id), isRed) > 100; }, 3000));

    // Markup characters in a run are shown as text, never read as markup.
    const json markup =
        source("STATIC", json::array({line("<span style=\"color:#00ff00\">GG</span> & <b>x</b>", "r")}),
               json::array({attribute("r", "#ff0000ff", 30)}));
    NText_setSource(id.c_str(), markup.dump().c_str());
    flush();
    const QImage img = grabUntil(id, [](const QImage& i) { return count(i, isBlue) > 500; });
    EXPECT_EQ(count(img, isGreen), 0);
}

// Each marquee moves its way at the set speed, hard-edged or not.
TEST_F(TextWidgetTest, MarqueesMoveTheirWayAtTheSetSpeed)
{
    const struct
    {
        const char* animation;
        bool jagged;
        int w, h, speed;
        double expected; // pixels a second towards the left or the top
    } cases[] = {{"MARQUEE_LEFT", true, 560, 100, 100, 100.0},
                 {"MARQUEE_RIGHT", false, 560, 100, 100, -100.0},
                 {"MARQUEE_UP", false, 200, 360, 80, 80.0},
                 {"MARQUEE_DOWN", false, 200, 360, 80, -80.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.animation);
        const std::string id = textWidget(marquee(c.animation, c.speed), c.w, c.h);
        NText_setTextJagged(id.c_str(), c.jagged);
        flush();
        const bool across = c.w > c.h;
        // Measured once the block has come in whole: not touching an edge.
        grabUntil(id, [&](const QImage& i) {
            const QRect b = box(i, isRed);
            return across ? b.left() > 0 && b.right() < i.width() - 1
                          : b.top() > 0 && b.bottom() < i.height() - 1;
        });
        // Speeds count leftwards and upwards: the fall of the edge's coordinate
        // (0 when the block is gone).
        const auto r = speedBetween(
            [&] { return -(across ? box(grab(id), isRed).left() : box(grab(id), isRed).top()); }, 1500);
        ASSERT_LT(r.first, 0);
        ASSERT_LT(r.second, 0);
        EXPECT_TRUE(r.near(c.expected, std::abs(c.expected) / 10))
            << r.slowest << " to " << r.fastest << " px/s, not near " << c.expected;
        remove(id);
    }
}

// Long texts, paged (off the GUI thread) or scrolling, hard-edged or not:
// the first picture shows without hanging.
TEST_F(TextWidgetTest, LongTextsShowInEveryDisplay)
{
    std::string text;
    while (text.size() < 10000)
        text += "scrolling signage text ";
    for (const char* animation : {"PAGE_SWITCH", "MARQUEE_LEFT", "MARQUEE_UP", "PAN_LEFT"}) {
        for (bool jagged : {false, true}) {
            SCOPED_TRACE(std::string(animation) + (jagged ? " jagged" : ""));
            json c = marquee(animation, 200, text);
            if (std::string(animation) == "PAGE_SWITCH")
                c["displayStyle"]["type"] = animation;
            const std::string id = textWidget(c, 400, 300);
            NText_setTextJagged(id.c_str(), jagged);
            flush();
            grabUntil(
                id, [](const QImage& i) { return count(i, isRed) > 50; }, 10000);
            remove(id);
        }
    }
}

// Jagged text pages through the hard-edged painter over its background: the
// same pages, no blended edge pixels. Pages still switch when the effect
// cannot be made (an unknown code).
TEST_F(TextWidgetTest, JaggedPagedTextHasHardEdges)
{
    json text = twoPages("PAGE_SWITCH", 1000);
    text["displayStyle"]["pageSwitchAttributes"]["inAnimation"] = {{"type", 12345}, {"duration", 300}};
    const std::string id = textWidget(text);
    NText_setTextJagged(id.c_str(), true);
    NText_setBackgroundColor(id.c_str(), "#ff0000ff");
    flush();
    const QImage first = grabUntil(id, [](const QImage& i) { return count(i, isRed) > 100; });
    EXPECT_EQ(count(first, isGreen), 0);
    EXPECT_EQ(count(first, [](QRgb p) { return p != qRgb(0, 0, 255) && p != qRgb(255, 0, 0); }), 0);
    const QImage second = grabUntil(id, [](const QImage& i) { return count(i, isGreen) > 100; });
    EXPECT_EQ(count(second, [](QRgb p) { return p != qRgb(0, 0, 255) && p != qRgb(0, 255, 0); }), 0);
}

// A fold spreads one strip over rectangles: each shows its own section at its
// own place, nothing shows between them.
TEST_F(TextWidgetTest, FoldShowsStripSectionsInTheirRectangles)
{
    // Red blocks up to 200 pixels into the strip, green blocks after them.
    QFont font("DejaVu Sans");
    font.setPixelSize(25);
    const int advance = QFontMetrics(font).horizontalAdvance(QChar(0x2588));
    ASSERT_GT(advance, 0);
    std::string blocks;
    for (int i = 0; i < 200 / advance; ++i)
        blocks += "\u2588";
    const json lines = json::array({{{"segs", json::array({run(blocks, "r"), run(blocks, "g")})}}});
    const json creation = {{"layout", {{"x", 20}, {"y", 20}, {"width", 200}, {"height", 150}}},
                           {"fold",
                            {{"enable", true},
                             {"orientation", 0},
                             {"count", 2},
                             {"layoutItems",
                              {{{"x", 0}, {"y", 100}, {"width", 200}, {"height", 50}},
                               {{"x", 0}, {"y", 0}, {"width", 200}, {"height", 50}}}}}},
                           {"metadata",
                            {{"content", source("STATIC", lines,
                                                json::array({attribute("r", "#ffff0000", 25),
                                                             attribute("g", "#ff00ff00", 25)}))}}}};
    const std::string id = textWidget(json(), 200, 150, createWidget(11, "", creation.dump().c_str()));
    auto in = [](const QImage& i, int y, int w, const std::function<bool(QRgb)>& pred) {
        return count(i.copy(0, y, w, 50), pred);
    };
    const QImage img = grabUntil(id, [&](const QImage& i) {
        return i.height() == 150 && in(i, 100, 200, isRed) > 100 && in(i, 0, 200, isGreen) > 100;
    });
    // The first rectangle (bottom) shows the start of the strip: red; the
    // second (top) what follows: green.
    EXPECT_EQ(in(img, 100, 100, isGreen), 0);
    EXPECT_EQ(in(img, 0, 200, isRed), 0);
    EXPECT_EQ(in(img, 50, 200, [](QRgb p) { return isRed(p) || isGreen(p); }), 0);
}
