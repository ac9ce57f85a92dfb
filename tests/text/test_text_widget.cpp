// The text widget through the exported functions, as a host drives it:
// page effects, setter guards, page images and bad
// input. Pictures come from the window's own scene (no screen reading).

#include "dorvo_preview.h"
#include "support/scenefixture.h"

#include "channel/messagecontrol.h"
#include "channel/playchannel.h"
#include "core/src/enginehost.h"
#include "core/src/nwquickitem/textqmltypes.h"
#include "core/src/textwidget.h"
#include "core/src/window.h"
#include "qwinquickview/qwinquickview.h"

#include <QFileInfo>
#include <QImage>
#include <QQuickItem>
#include <QQuickView>

#include "pixels.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <chrono>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>

using namespace testsupport;
using nlohmann::json;

using namespace textpixels;

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

json line(const std::string& text, const std::string& key)
{
    return {{"segs", json::array({{{"content", text}, {"attributeKey", key}}})}};
}

// Two lines of 80-pixel text, red then green: one page each at 120 px.
json twoPages(const char* type, int remain)
{
    return {
        {"paragraphs", json::array({{{"lines", json::array({line("RRR", "r"), line("GGG", "g")})},
                                     {"horizontalAlignment", "LEFT"},
                                     {"verticalAlignment", "TOP"}}})},
        {"textAttributes", json::array({attribute("r", "#ffff0000", 80), attribute("g", "#ff00ff00", 80)})},
        {"displayStyle",
         {{"type", type},
          {"pageSwitchAttributes",
           {{"inAnimation", {{"type", 0}, {"duration", 0}}}, {"remainDuration", remain}}},
          {"scrollAttributes", {{"effects", {{"speed", 100}, {"animation", "MARQUEE_LEFT"}}}}}}}};
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
        QObject* item = nullptr;
        onQtThread([&] {
            if (auto* w = widget(id))
                item = w->contentItem();
        });
        return item;
    }

    static json record(const std::string& id)
    {
        std::string text;
        onQtThread([&] {
            if (auto* w = widget(id))
                text = w->recordJson();
        });
        return json::parse(text, nullptr, false);
    }

    // A text widget at (20, 20), 300 x 120, with the given content.
    static std::string textWidget(const json& source, int w = 300, int h = 120)
    {
        const char* id = NText_createWidget();
        EXPECT_NE(id, nullptr);
        if (!id)
            return "";
        setWidgetX(id, 20);
        setWidgetY(id, 20);
        setWidgetWidth(id, static_cast<float>(w));
        setWidgetHeight(id, static_cast<float>(h));
        NText_setSource(id, source.dump().c_str());
        flush();
        return id;
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
        made.push_back(id);
        ASSERT_TRUE(waitFor([&] { return count(grab(id), isRed) > 100; }, 4000)) << "page 1 did not show";
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
        deleteWidget(id.c_str());
        made.pop_back();
        flush();
    }
}

TEST_F(TextWidgetTest, UnchangedValuesAreLoggedAndDoNotRebuild)
{
    const json source = twoPages("PAGE_SWITCH", 3000);
    const std::string id = textWidget(source);
    made.push_back(id);
    QObject* scene = content(id);
    ASSERT_NE(scene, nullptr);
    const size_t sameSource = occurrences(logText(), "TextWidget::setSource source == m_impl->m_source");
    const size_t sameTime = occurrences(logText(), "TextWidget::setPageSwitchTime time == remainDuration");

    NText_setSource(id.c_str(), source.dump().c_str());
    NText_setPageSwitchTime(id.c_str(), 3000);
    NText_setDisplayType(id.c_str(), 0);
    NText_setTextJagged(id.c_str(), false);
    flush();
    EXPECT_EQ(content(id), scene) << "an unchanged value rebuilt the scene";
    EXPECT_EQ(occurrences(logText(), "TextWidget::setSource source == m_impl->m_source"), sameSource + 1);
    EXPECT_EQ(occurrences(logText(), "TextWidget::setPageSwitchTime time == remainDuration"), sameTime + 1);
    EXPECT_NE(logText().find("0 same value. no op"), std::string::npos);

    NText_setPageSwitchTime(id.c_str(), 2000);
    flush();
    EXPECT_NE(content(id), scene) << "a changed value did not rebuild the scene";
    EXPECT_EQ(record(id)["metadata"]["content"]["displayStyle"]["pageSwitchAttributes"]["remainDuration"],
              2000);
}

TEST_F(TextWidgetTest, SettersOfOneBatchRebuildOnceAndTheSnapshotGoes)
{
    const std::string id = textWidget(twoPages("PAGE_SWITCH", 3000));
    made.push_back(id);
    QObject* scene = content(id);
    ASSERT_NE(scene, nullptr);
    const size_t rebuilds = occurrences(logText(), "deleteQml");
    onQtThread([&] {
        auto* w = widget(id);
        w->setPageSwitchTime(2000);
        w->setPageSwitchAnimationTime(500);
        w->setBackgroundColor("#ff000080");
        w->setVerticalOffset(4);
    });
    flush();
    EXPECT_NE(content(id), scene);
    EXPECT_EQ(occurrences(logText(), "deleteQml"), rebuilds + 1);
    const json shown = record(id)["metadata"]["content"]["displayStyle"];
    EXPECT_EQ(shown["pageSwitchAttributes"]["remainDuration"], 2000);
    EXPECT_EQ(shown["offset"]["y"], 4);
    // Built after the geometry setters, the scene keeps the frame where the host put it.
    const json layout = record(id)["layout"];
    EXPECT_EQ(layout, json({{"x", 20}, {"y", 20}, {"width", 300}, {"height", 120}}));
    // The snapshot that covered the rebuild is not drawn any more.
    bool snapshotShown = true;
    EXPECT_TRUE(waitFor(
        [&] {
            onQtThread([&] {
                auto* frame = qobject_cast<QQuickItem*>(widget(id)->item());
                auto* shot = frame ? frame->findChild<QQuickItem*>("antiBlackShader") : nullptr;
                snapshotShown = !shot || shot->isVisible();
            });
            return !snapshotShown;
        },
        5000));
}

TEST_F(TextWidgetTest, ScrollSettersAreRefusedOutsideScrollType)
{
    const std::string id = textWidget(twoPages("PAGE_SWITCH", 3000));
    made.push_back(id);
    QObject* scene = content(id);
    NText_setScrollSpeed(id.c_str(), 321);
    NText_setScrollDirection(id.c_str(), 6);
    NText_setScrollIsEndToEnd(id.c_str(), true);
    NText_setScrollHeadToTailSpacing(id.c_str(), 44);
    flush();
    EXPECT_EQ(content(id), scene);
    const std::string log = logText();
    EXPECT_NE(log.find("setScrollSpeed only support scroll type"), std::string::npos);
    EXPECT_NE(log.find("setScrollDirection only support scroll type"), std::string::npos);
    EXPECT_NE(log.find("setScrollIsEndToEnd only support scroll type"), std::string::npos);
    EXPECT_NE(log.find("setScrollHeadToTailSpacing only support scroll type"), std::string::npos);

    // Still ignored once the text scrolls.
    NText_setDisplayType(id.c_str(), 1);
    flush();
    json effects = record(id)["metadata"]["content"]["displayStyle"]["scrollAttributes"]["effects"];
    EXPECT_EQ(effects["speed"], 100);
    EXPECT_EQ(effects["animation"], "MARQUEE_LEFT");
    EXPECT_EQ(effects["isHeadTail"], false);
    EXPECT_EQ(effects["headTailSpacing"], "0");

    NText_setScrollDirection(id.c_str(), 6);
    NText_setScrollHeadToTailSpacing(id.c_str(), 44);
    NText_setScrollDirection(id.c_str(), 6);
    NText_setScrollSpeed(id.c_str(), 150);
    flush();
    effects = record(id)["metadata"]["content"]["displayStyle"]["scrollAttributes"]["effects"];
    EXPECT_EQ(effects["speed"], 150);
    EXPECT_EQ(effects["animation"], "MARQUEE_UP");
    EXPECT_EQ(effects["headTailSpacing"], "44");
    EXPECT_NE(logText().find("direction not change"), std::string::npos);
}

TEST_F(TextWidgetTest, RecordCarriesTheEnumerationStrings)
{
    const std::string id = textWidget(twoPages("PAGE_SWITCH", 3000));
    made.push_back(id);
    NText_setDisplayType(id.c_str(), 2);
    flush();
    EXPECT_EQ(record(id)["metadata"]["content"]["displayStyle"]["type"], "STATIC");
    NText_setDisplayType(id.c_str(), 1);
    NText_setScrollDirection(id.c_str(), 7);
    NText_setTextJagged(id.c_str(), true);
    NText_setVerticalOffset(id.c_str(), 5);
    NText_setSyncByMusic(id.c_str(), true);
    NText_setBackgroundColor(id.c_str(), "#ff102030");
    flush();
    const json r = record(id);
    EXPECT_EQ(r["id"], id);
    EXPECT_EQ(r["type"], "RICH_TEXT");
    EXPECT_EQ(r["backgroundColor"], "#ff102030");
    EXPECT_EQ(r["metadata"]["textAntialiasing"], true);
    const json& ds = r["metadata"]["content"]["displayStyle"];
    EXPECT_EQ(ds["type"], "SCROLL");
    EXPECT_EQ(ds["scrollAttributes"]["effects"]["animation"], "PAN_LEFT");
    EXPECT_EQ(ds["offset"]["y"], 5);
    EXPECT_EQ(r["metadata"]["content"]["backgroundMusic"]["isTextSync"], true);
    EXPECT_EQ(r["metadata"]["content"]["paragraphs"].size(), 1u);
}

TEST_F(TextWidgetTest, GrabWritesOneImagePerPageAndUpdatesAfterAChange)
{
    const std::string id = textWidget(twoPages("PAGE_SWITCH", 5000));
    made.push_back(id);
    char dir[] = "/tmp/dorvo-text-images-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string path = std::string(dir) + "/thumb.png";
    grabWidgetImage(id.c_str(), path.c_str(), true);
    flush();
    const QString base = QString::fromStdString(std::string(dir) + "/thumb");
    // A file shows up before it is completely written: wait until all read back.
    ASSERT_TRUE(waitFor(
        [&] {
            return !QImage(base + ".png").isNull() && !QImage(base + "1.png").isNull() &&
                   !QImage(base + "2.png").isNull();
        },
        5000))
        << "page images missing";
    for (const QString& name : {base + ".png", base + "1.png", base + "2.png"}) {
        QImage img(name);
        ASSERT_FALSE(img.isNull()) << name.toStdString();
        EXPECT_EQ(img.size(), QSize(300, 120)) << name.toStdString();
        EXPECT_GT(count(img, [](QRgb p) { return isRed(p) || isGreen(p); }), 100) << name.toStdString();
    }
    EXPECT_GT(count(QImage(base + "2.png"), isGreen), 100);

    // Automatic update: a new background shows in the rewritten images.
    QFile::remove(base + ".png");
    NText_setBackgroundColor(id.c_str(), "#ff0000ff");
    flush();
    EXPECT_TRUE(waitFor([&] { return count(QImage(base + ".png"), isBlue) > 1000; }, 5000))
        << "not rewritten";
}

TEST_F(TextWidgetTest, BadInputIsLoggedAndChangesNothing)
{
    const std::string id = textWidget(twoPages("STATIC", 3000));
    made.push_back(id);
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
    NText_setSource(id.c_str(), twoPages("STATIC", 3000).dump().c_str());
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
    EXPECT_EQ(record(id)["metadata"]["content"]["displayStyle"]["pageSwitchAttributes"]["remainDuration"],
              3000);
    EXPECT_TRUE(waitFor([&] { return count(grab(id), isRed) > 100; }, 3000));
}
