// Widget containers as a host drives them, with text and video members.

#include "widgetfixture.h"

#include "core/src/avplayer/mediaqmltypes.h"
#include "core/src/private/widgetcontainerprivate.h"
#include "core/src/textwidget.h"
#include "core/src/videowidget.h"
#include "core/src/widgetcontainer.h"
#include "core/src/widgetfactory.h"
#include "mediafiles.h"
#include "textrecord.h"

#include <QTimer>

using namespace testsupport;
using dorvo_preview::EngineHost;
using dorvo_preview::WidgetContainer;

namespace {

// The container covers this canvas rectangle; members are sampled at its centre.
constexpr double kX = 40, kY = 40, kW = 240, kH = 160;

struct Colour
{
    const char* text;
    int r, g, b;
};
const Colour kRed{"#FFE02020", 224, 32, 32};
const Colour kBlue{"#FF2020E0", 32, 32, 224};
const Colour kYellow{"#FFE0E020", 224, 224, 32};

class ContainerTest : public WidgetFixture
{
protected:
    static void SetUpTestSuite()
    {
        WidgetFixture::SetUpTestSuite();
        ASSERT_TRUE(mediatest::files().ok);
        dorvo_preview::registerMediaQmlTypes();
        dorvo_preview::WidgetFactory::registerKind(13, {});
    }

    std::string container(const std::string& extra = "")
    {
        const nlohmann::json layout = {{"x", kX}, {"y", kY}, {"width", kW}, {"height", kH}};
        return keep(createWidgetContainer(("{\"layout\":" + layout.dump() + extra + "}").c_str()));
    }

    // A member of box: a text of one colour, or a video of the file path.
    std::string member(const std::string& box, int type, const std::string& record, int interval,
                       const std::string& path = "")
    {
        const std::string id = keep(createWidget(type, box.c_str(), record.c_str()));
        if (type == 13)
            NVideo_setSource(id.c_str(), path.c_str());
        if (interval)
            setWidgetInterval(id.c_str(), interval);
        return id;
    }
    std::string text(const std::string& box, const Colour& colour, int interval = 0)
    {
        return member(box, 11, containertest::textRecord(colour.text), interval);
    }
    std::string video(const std::string& box, const std::string& path, int interval = 0)
    {
        return member(box, 13, "{}", interval, path);
    }

    static Rgb centre() { return screen->pixel(sx(kX + kW / 2), sy(kY + kH / 2)); }
    static bool shows(const Colour& c) { return centre().near(c.r, c.g, c.b, 24); }
    static bool showsRedHint()
    {
        for (int y = static_cast<int>(kY + kH / 2 - 12); y < kY + kH / 2 + 12; ++y)
            for (int x = static_cast<int>(kX + kW / 2 - 40); x < kX + kW / 2 + 40; x += 2) {
                const Rgb p = screen->pixel(sx(x), sy(y));
                if (p.r > 150 && p.g < 90 && p.b < 90)
                    return true;
            }
        return false;
    }

    // A property of the named child of the container's item, read on the Qt thread.
    static QVariant childProperty(const std::string& id, const char* child, const char* property)
    {
        QVariant value;
        onQtThread([&] {
            value = qobject_cast<dorvo_preview::Widget*>(EngineHost::getWidget(id))
                        ->item()
                        ->findChild<QObject*>(QString::fromLatin1(child))
                        ->property(property);
        });
        return value;
    }
    // The hint text and its pixel size.
    static std::pair<QString, int> hintOf(const std::string& id)
    {
        return {childProperty(id, "emptyInfoText", "text").toString(),
                childProperty(id, "emptyInfoText", "font").value<QFont>().pixelSize()};
    }

    // Reads the container's state on the Qt thread.
    static void inspect(const std::string& id,
                        const std::function<void(dorvo_preview::WidgetContainerPrivate&)>& fn)
    {
        onQtThread([&] {
            auto* box = qobject_cast<WidgetContainer*>(EngineHost::getWidget(id));
            ASSERT_NE(box, nullptr);
            fn(*box->containerPrivate());
        });
    }
    static std::vector<std::string> order(const std::string& id)
    {
        std::vector<std::string> ids;
        inspect(id, [&](dorvo_preview::WidgetContainerPrivate& p) { ids = p.ids; });
        return ids;
    }
    static std::string current(const std::string& id)
    {
        std::string shown;
        inspect(id, [&](dorvo_preview::WidgetContainerPrivate& p) {
            shown = p.current ? p.current->uuid() : "";
        });
        return shown;
    }

    static long long msSince(std::chrono::steady_clock::time_point start)
    {
        return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start)
            .count();
    }
    // Waits until the centre shows the colour: the time in ms, or -1 at the deadline.
    static long long waitColour(const Colour& colour, int ms)
    {
        const auto start = std::chrono::steady_clock::now();
        return waitFor([&] { return shows(colour); }, ms) ? msSince(start) : -1;
    }
};

TEST_F(ContainerTest, HintTextUntilTheFirstMemberAndBackAfterTheLast)
{
    const std::string box = container();
    EXPECT_TRUE(waitFor([] { return showsRedHint(); }, 3000)) << "the red hint text";
    // Disabled, it shows nothing; enabled, the last inserted member.
    const std::string a = text(box, kRed), b = text(box, kBlue);
    flush();
    EXPECT_FALSE(waitFor([] { return !centre().near(0, 0, 0) || showsRedHint(); }, 300))
        << "something shown while disabled";
    setWidgetContainerEnable(box.c_str(), true);
    EXPECT_TRUE(waitFor([] { return shows(kBlue); }, 3000)) << "the last inserted";
    EXPECT_FALSE(showsRedHint());
    deleteWidgetFromContainer(box.c_str(), a.c_str());
    deleteWidgetFromContainer(box.c_str(), b.c_str());
    EXPECT_TRUE(waitFor([] { return showsRedHint() && !shows(kBlue); }, 3000))
        << "the removed member's content goes and the hint returns";
    // The hint's text and size from the host and from the record.
    setEmptyContainerPixelSize(box.c_str(), 40);
    setEmptyContainerText(box.c_str(), "ADD");
    flush();
    EXPECT_EQ(hintOf(box), std::make_pair(QString("ADD"), 40));
    const std::string styled = container(",\"metadata\":{\"emptyText\":\"EMPTY\",\"emptyPixelSize\":30}");
    EXPECT_EQ(hintOf(styled), std::make_pair(QString("EMPTY"), 30));
}

TEST_F(ContainerTest, MembersAlternateByTheirIntervalsAndAPauseDelaysTheSwitch)
{
    const std::string box = container();
    setWidgetContainerEnable(box.c_str(), true);
    text(box, kRed, 2);
    text(box, kBlue, 4);
    flush();
    startPreviewFromContainer(box.c_str());
    ASSERT_GE(waitColour(kRed, 3000), 0);
    const struct
    {
        Colour next;
        int afterMs;
    } steps[] = {{kBlue, 2000}, {kRed, 4000}, {kBlue, 2000}};
    for (const auto& step : steps) {
        const long long took = waitColour(step.next, step.afterMs + 1000);
        ASSERT_GE(took, 0);
        EXPECT_NEAR(took, step.afterMs, 300) << "switch to " << step.next.text;
    }
    const auto t0 = std::chrono::steady_clock::now();
    // Blue shows for 4 s; a 3 s pause one second in moves the switch 3 s later.
    EXPECT_FALSE(waitFor([] { return !shows(kBlue); }, 1000));
    pausePreview(win);
    EXPECT_FALSE(waitFor([] { return !shows(kBlue); }, 3000)) << "switched while paused";
    resumePreview(win);
    ASSERT_GE(waitColour(kRed, 5000), 0);
    EXPECT_NEAR(msSince(t0), 7000, 400);
    // Two pauses in a row keep the time of the first.
    pausePreview(win);
    pausePreview(win);
    EXPECT_FALSE(waitFor([] { return !shows(kRed); }, 500)) << "switched while paused";
    resumePreview(win);
    EXPECT_GE(waitColour(kBlue, 3500), 0) << "the timer runs again after a double pause";
}

TEST_F(ContainerTest, VideoMovesTheListOnAtItsEndAndALoneVideoStartsNoTimer)
{
    const std::string lone = container();
    setWidgetContainerEnable(lone.c_str(), true);
    video(lone, mediatest::files().barsMp4, 1);
    flush();
    startPreviewFromContainer(lone.c_str());
    flush();
    bool timing = true, previewing = true;
    inspect(lone, [&](dorvo_preview::WidgetContainerPrivate& p) {
        timing = p.timer->isActive();
        previewing = p.previewing;
    });
    EXPECT_FALSE(timing);
    EXPECT_FALSE(previewing);
    deleteWidget(made.back().c_str());
    flush();

    // The 2 s video with an interval of 30 s: the list moves on at its end.
    const std::string box = container();
    setWidgetContainerEnable(box.c_str(), true);
    const std::string movie = video(box, mediatest::files().barsMp4, 30);
    text(box, kYellow, 30);
    flush();
    startPreviewFromContainer(box.c_str());
    ASSERT_TRUE(waitFor([&] { return current(box) == movie; }, 3000));
    // The frozen picture of the yellow text stays until the video's first
    // picture (green at the centre of the bars): never black in between.
    std::string between;
    ASSERT_TRUE(waitFor(
        [&] {
            const Rgb p = centre();
            if (p.near(0, 191, 0, 40))
                return true;
            if (!p.near(kYellow.r, kYellow.g, kYellow.b, 24))
                between += " " + std::to_string(p.r) + "," + std::to_string(p.g) + "," + std::to_string(p.b);
            return false;
        },
        5000))
        << "the video shows";
    EXPECT_EQ(between, "") << "neither the text nor the video";
    const int afterEnd = waitColour(kYellow, 8000);
    EXPECT_GE(afterEnd, 1000) << "the video played first";
    EXPECT_LE(afterEnd, 4000) << "the end of the video moved the list on";
}

TEST_F(ContainerTest, SwitchesNeverShowTheCanvasOrBlack)
{
    const std::string box = container();
    setWidgetContainerEnable(box.c_str(), true);
    const Colour colours[] = {kRed, kBlue, kYellow};
    std::vector<std::string> ids;
    for (const Colour& c : colours)
        ids.push_back(text(box, c));
    flush();
    ASSERT_GE(waitColour(kYellow, 3000), 0);
    // Forty samples a few milliseconds apart between switches, however
    // slow the machine makes each one: a flash at a switch is seen.
    int bad = 0;
    std::string badColours;
    for (int sample = 0; sample < 15 * 40; ++sample) {
        if (sample % 40 == 0)
            switchContainerIndex(box.c_str(), ids[static_cast<size_t>(sample / 40 % 3)].c_str());
        const Rgb p = centre();
        bool known = false;
        for (const Colour& c : colours)
            known = known || p.near(c.r, c.g, c.b, 24);
        if (!known) {
            ++bad;
            badColours += " " + std::to_string(p.r) + "," + std::to_string(p.g) + "," + std::to_string(p.b);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(4));
    }
    EXPECT_EQ(bad, 0) << badColours;
}

TEST_F(ContainerTest, ReorderingSwitchingAndRemovalFollowTheList)
{
    const std::string box = container();
    setWidgetContainerEnable(box.c_str(), true);
    const std::string a = text(box, kRed, 30), b = text(box, kBlue, 30), c = text(box, kYellow, 30);
    flush();
    using List = std::vector<std::string>;
    EXPECT_EQ(order(box), (List{a, b, c}));
    const struct
    {
        std::function<void()> call;
        List expected;
    } cases[] = {
        {[&] { widgetUpFromContainer(box.c_str(), a.c_str()); }, {a, b, c}},
        {[&] { widgetUpFromContainer(box.c_str(), c.c_str()); }, {a, c, b}},
        {[&] { widgetDownFromContainer(box.c_str(), b.c_str()); }, {a, c, b}},
        {[&] { widgetDownFromContainer(box.c_str(), a.c_str()); }, {c, a, b}},
        {[&] { widgetInsertFromContainer(box.c_str(), b.c_str(), 0); }, {b, c, a}},
        {[&] { widgetInsertFromContainer(box.c_str(), b.c_str(), 3); }, {b, c, a}},
        {[&] { widgetInsertFromContainer(box.c_str(), b.c_str(), -1); }, {b, c, a}},
        {[&] { widgetInsertFromContainer(box.c_str(), b.c_str(), 2147483647); }, {b, c, a}},
        {[&] { widgetInsertFromContainer(box.c_str(), "no-such", 0); }, {b, c, a}},
    };
    for (const auto& k : cases) {
        k.call();
        flush();
        EXPECT_EQ(order(box), k.expected);
    }
    const std::string log = logText();
    for (const char* line : {"this id is top", "this id is bottom", "can not insert error index -1",
                             "can not insert error index 3", "can not find this id no-such"})
        EXPECT_NE(log.find(line), std::string::npos) << line;
    // widgetInsertFromContainer restarted the play; switching stops it on the chosen one.
    switchContainerIndex(box.c_str(), a.c_str());
    flush();
    EXPECT_TRUE(waitFor([] { return shows(kRed); }, 2000));
    bool previewing = true;
    inspect(box, [&](dorvo_preview::WidgetContainerPrivate& p) { previewing = p.previewing; });
    EXPECT_FALSE(previewing);
    // Switching A, B, A quickly ends on A.
    switchContainerIndex(box.c_str(), b.c_str());
    switchContainerIndex(box.c_str(), a.c_str());
    flush();
    EXPECT_TRUE(waitFor([&] { return current(box) == a && shows(kRed); }, 2000));
    // Removing the member on screen shows the first one.
    deleteWidgetFromContainer(box.c_str(), a.c_str());
    EXPECT_TRUE(waitFor([] { return shows(kBlue); }, 2000));
    EXPECT_EQ(order(box), (List{b, c}));
    // The engine-wide restart leaves only the current member with content.
    updateWindow(win);
    flush();
    const auto withContent = [&] {
        int n = 0;
        onQtThread([&] {
            for (const std::string& id : {b, c})
                n += qobject_cast<dorvo_preview::TextWidget*>(EngineHost::getWidget(id))->contentItem() ? 1
                                                                                                        : 0;
        });
        return n;
    };
    EXPECT_TRUE(waitFor([&] { return withContent() == 1 && shows(kBlue); }, 2000)) << withContent();
}

TEST_F(ContainerTest, BadRecordsMakeAPlainContainerAndBadStatesRunClean)
{
    for (const char* content : {static_cast<const char*>(nullptr), "\xff\xfe{", "[1,2]",
                                "{\"layout\":{\"x\":\"a\",\"width\":1e308,\"height\":-5},\"zOrder\":\"top\"}",
                                "{\"metadata\":{\"emptyText\":7,\"emptyPixelSize\":99999999999}}",
                                "{\"metadata\":{\"emptyText\":\"\",\"emptyPixelSize\":-1}}"}) {
        SCOPED_TRACE(content ? content : "(null)");
        const std::string id = keep(createWidgetContainer(content));
        EXPECT_GE(geometry(id).w, 0);
        EXPECT_LE(geometry(id).w, kCanvasW);
        EXPECT_EQ(hintOf(id), std::make_pair(QString::fromUtf8("请添加媒体"), 14));
        deleteWidget(id.c_str());
        made.pop_back();
    }

    // An empty, stopped container enabled; an unknown member; bad hint sizes.
    const std::string box = container();
    setWidgetContainerEnable(box.c_str(), true);
    switchContainerIndex(box.c_str(), "no-such");
    setEmptyContainerText(box.c_str(), "");
    setEmptyContainerPixelSize(box.c_str(), -5);
    setEmptyContainerPixelSize(box.c_str(), 2147483647);
    startPreviewFromContainer("not a container");
    flush();
    std::string log = logText();
    for (const char* line : {"can not play this widget index -1", "Widget::setEmptyContainerText error",
                             "Widget::setEmptyContainerPixelSize error"})
        EXPECT_NE(log.find(line), std::string::npos) << line;

    // Interval 0: the timer never runs shorter than a second.
    text(box, kRed, 0);
    const std::string b = text(box, kBlue, -7);
    flush();
    startPreviewFromContainer(box.c_str());
    flush();
    int interval = 0;
    inspect(box, [&](dorvo_preview::WidgetContainerPrivate& p) { interval = p.timer->interval(); });
    EXPECT_EQ(interval, 1000);
    EXPECT_EQ(dorvo_preview::WidgetContainerPrivate::intervalMs(2147483647), 2147483 * 1000);

    // The host deletes the member on screen: the next switch, pause and snapshot find none.
    deleteWidget(current(box).c_str());
    flush();
    pausePreview(win);
    resumePreview(win);
    EXPECT_TRUE(waitFor([&] { return !current(box).empty(); }, 3000)) << "the play goes on";
    const size_t before = logCount("whenTimeout index is");
    EXPECT_TRUE(waitFor([&] { return logCount("whenTimeout index is") > before; }, 3000))
        << "the timer runs on";
    // destroyWidgetContainer deletes the members; the container stays usable.
    destroyWidgetContainer(box.c_str());
    switchContainerIndex(box.c_str(), b.c_str());
    pausePreview(win);
    resumePreview(win);
    flush();
    EXPECT_TRUE(order(box).empty());
    EXPECT_TRUE(waitFor([] { return showsRedHint(); }, 3000));
}

TEST_F(ContainerTest, TheSnapshotEndsWhenAMemberNeverStarts)
{
    const std::string box = container();
    setWidgetContainerEnable(box.c_str(), true);
    const std::string a = text(box, kRed);
    const std::string broken = video(box, mediatest::files().missing);
    flush();
    switchContainerIndex(box.c_str(), a.c_str());
    flush();
    switchContainerIndex(box.c_str(), broken.c_str());
    const auto live = [&] { return childProperty(box, "antiBlackShader", "live").toBool(); };
    ASSERT_TRUE(waitFor([&] { return !live(); }, 1000)) << "the switch froze the picture";
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(waitFor(live, 3000));
    EXPECT_LE(msSince(start), 1300);
}

} // namespace
