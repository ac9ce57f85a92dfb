// The video widget and background music through the exported interface, as a
// host drives them; pictures are read from the X screen.

#include "dorvo_preview.h"

#include "core/src/avplayer/VideoTextureItem.h"
#include "core/src/avplayer/kestvaplayer.h"
#include "core/src/avplayer/mediaqmltypes.h"
#include "core/src/avplayer/mpvplayer.h"
#include "core/src/avplayer/qmlaudio.h"
#include "core/src/enginehost.h"
#include "core/src/videowidget.h"
#include "core/src/widgetfactory.h"
#include "mediafiles.h"
#include "support/hostwindow.h"
#include "support/logcapture.h"
#include "support/scenewindow.h"
#include "support/wait.h"
#include "support/xscreen.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QQuickItem>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

using dorvo_preview::MpvPlayer;
using testsupport::waitFor;

namespace {

using testsupport::kCanvasLeft;
using testsupport::kCanvasTop;
// The widget's size: bars sampled in screen coordinates.
int widgetW = 350, widgetH = 280;

int threadCount()
{
    return static_cast<int>(QDir("/proc/self/task").entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
}

class VideoWidgetTest : public ::testing::Test, public testsupport::HostWindow
{
protected:
    static void SetUpTestSuite()
    {
        ASSERT_TRUE(mediatest::files().ok);
        // What the engine's start-up does for the media kinds.
        dorvo_preview::registerMediaQmlTypes();
        dorvo_preview::WidgetFactory::registerKind(
            13, [](dorvo_preview::Window* window, QObject* parentItem) {
                return new dorvo_preview::VideoWidget(window, parentItem);
            });
        openPreview("/tmp/dorvo-video-XXXXXX");
    }
    static void TearDownTestSuite() { closePreview(); }
    void SetUp() override { log = testsupport::captureLog(); }
    void TearDown() override
    {
        if (HasFailure()) {
            for (const auto& r : log->records())
                std::printf("log: %s\n", r.text.c_str());
        }
    }

    static const char* makeVideo(const std::string& source)
    {
        const char* id = NVideo_createWidget();
        setWidgetX(id, 0);
        setWidgetY(id, 0);
        setWidgetWidth(id, static_cast<float>(widgetW));
        setWidgetHeight(id, static_cast<float>(widgetH));
        NVideo_setSource(id, source.c_str());
        return id;
    }
    static testsupport::Rgb at(double fx, double fy)
    {
        return screen->pixel(kCanvasLeft + static_cast<int>(fx * widgetW),
                             kCanvasTop + static_cast<int>(fy * widgetH));
    }
    static bool barsShown()
    {
        return at(1.5 / 7, 0.3).near(191, 191, 0, 30) && at(2.5 / 7, 0.3).near(0, 191, 191, 30) &&
               at(5.5 / 7, 0.3).near(191, 0, 0, 30) && at(6.5 / 7, 0.3).near(0, 0, 191, 30);
    }
    // A few pixels of the moving pattern, as one value.
    static std::vector<int> sample()
    {
        std::vector<int> v;
        for (int i = 1; i < 8; ++i) {
            for (int j = 1; j < 6; ++j) {
                const testsupport::Rgb p = at(i / 8.0, j / 6.0);
                v.push_back(p.r * 65536 + p.g * 256 + p.b);
            }
        }
        return v;
    }

    std::shared_ptr<testsupport::MemorySink> log;
};

TEST_F(VideoWidgetTest, ShowsTheBarsOfBothCodecsAtAnySizeLoopsWhenAloneAndPlaysMusic)
{
    const char* id = makeVideo(mediatest::files().barsWebm);
    ASSERT_TRUE(waitFor(barsShown, 15000)) << "no VP8 colour bars on screen";
    // A larger widget: the picture follows the new size.
    widgetW = 400;
    widgetH = 300;
    setWidgetWidth(id, 400);
    setWidgetHeight(id, 300);
    EXPECT_TRUE(waitFor(barsShown, 5000)) << "no bars at 400 x 300";
    widgetW = 350;
    widgetH = 280;
    deleteWidget(id);
    log->reset();
    id = makeVideo(mediatest::files().barsMp4);
    ASSERT_TRUE(waitFor(barsShown, 15000)) << "no H.264 colour bars on screen";
    // The 2 s video ends and starts over, again and again, started once.
    ASSERT_TRUE(
        waitFor([&] { return testsupport::countStartingWith(*log, "whenBaseMediaFinished") >= 2; }, 15000));
    EXPECT_TRUE(waitFor(barsShown, 5000));
    EXPECT_EQ(testsupport::countStartingWith(*log, "whenBaseMediaStart current name is"), 1u);
    EXPECT_EQ(testsupport::countStartingWith(*log, "VideoWidget preview finish"), 0u);
    // A display ratio is kept and handled; the picture still fills the widget.
    setDisplayRatio(id, "R4_3");
    ASSERT_TRUE(waitFor(
        [&] { return testsupport::countStartingWith(*log, "QtMsgCtrlListener::setDisplayRatio") >= 1; },
        5000));
    EXPECT_TRUE(waitFor(barsShown, 5000));
    for (const auto& r : log->records())
        EXPECT_EQ(r.text.find("No such method"), std::string::npos) << r.text;

    // Background music plays its list in order and loops over it.
    log->reset();
    const auto& f = mediatest::files();
    const std::vector<std::string> tracks = {f.toneMp3, f.toneAac, f.tone2Mp3, f.toneMp3};
    setWidgetBackMusic(id, mediatest::music({tracks[0], tracks[1], tracks[2]}, "ORDER").c_str());
    setWidgetBackMusicDuration(id, 60000);
    // In order, then round again: a, b, c, a.
    const std::string changed = "KestAVPlayer::currentMediaChanged:";
    ASSERT_TRUE(waitFor([&] { return testsupport::countStartingWith(*log, changed) >= 4; }, 15000));
    std::vector<std::string> seen;
    for (const auto& r : log->records())
        if (r.text.rfind(changed, 0) == 0)
            seen.push_back(r.text.substr(changed.size(), r.text.find(' ') - changed.size()));
    seen.resize(4);
    EXPECT_EQ(seen, tracks);
    // A list of nothing playable is given up once, not retried for ever.
    setWidgetBackMusic(id, mediatest::music({f.missing, f.garbage}, "ORDER").c_str());
    setWidgetBackMusicDuration(id, 60000);
    const std::string gaveUp = "KestAVPlayer: no media of the play list";
    EXPECT_TRUE(waitFor([&] { return testsupport::countStartingWith(*log, gaveUp) == 1; }, 10000));
    EXPECT_FALSE(waitFor([&] { return testsupport::countStartingWith(*log, gaveUp) > 1; }, 500));
    // An empty description stops the music at once.
    log->reset();
    setWidgetBackMusic(id, "");
    EXPECT_TRUE(waitFor([&] { return testsupport::countStartingWith(*log, "~QMLAudio") == 1; }, 5000));
    setWidgetBackMusicDuration(id, 10000);
    EXPECT_TRUE(waitFor(
        [&] {
            return testsupport::countStartingWith(*log, "Widget::setBackMusicDuration error duration") == 1;
        },
        5000));
    deleteWidget(id);
    EXPECT_TRUE(waitFor([] { return at(0.5, 0.3).near(0, 0, 0, 20); }, 5000)) << "the widget did not go";
}

TEST_F(VideoWidgetTest, PauseFreezesTheVideoAndStopAndRestartCarryOnWhenThePlayerIsStuck)
{
    const char* id = makeVideo(mediatest::files().motionMp4);
    ASSERT_TRUE(waitFor(
        [] {
            const auto a = sample();
            std::this_thread::sleep_for(std::chrono::milliseconds(150));
            return a != sample() && !at(0.5, 0.5).near(0, 0, 0, 10);
        },
        15000))
        << "the video does not move";
    pausePreview(win);
    std::this_thread::sleep_for(std::chrono::milliseconds(800));
    const auto frozen = sample();
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    EXPECT_EQ(frozen, sample()) << "the video moves while the preview is paused";
    resumePreview(win);
    EXPECT_TRUE(waitFor(
        [&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            return sample() != frozen;
        },
        5000))
        << "the video does not move after resume";
    dorvo_preview::VideoTextureItem* video = nullptr;
    testsupport::onQtThreadOf(win, [&] {
        auto* w = qobject_cast<dorvo_preview::VideoWidget*>(dorvo_preview::EngineHost::getWidget(id));
        if (w && w->contentItem())
            video = w->contentItem()->findChild<dorvo_preview::VideoTextureItem*>();
    });
    ASSERT_NE(video, nullptr);
    // A callback that does not return stands in for a stuck decoder.
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::atomic<bool> stuck{false};
    video->player()->onCurrentMediaChanged([&] {
        stuck = true;
        released.wait();
    });
    QMetaObject::invokeMethod(video, "play"); // starts over: the new media start blocks the player
    ASSERT_TRUE(waitFor([&] { return stuck.load(); }, 10000));
    // The force pause stops the video, then a restart: each gives up after a
    // bounded wait and the engine's thread goes on.
    const auto given = [&](const char* line) {
        return waitFor([&] { return testsupport::countStartingWith(*log, line) == 1; },
                       MpvPlayer::kStopWaitMs + 3000);
    };
    pausePreviewForce(win, true);
    EXPECT_TRUE(given("VideoTextureItem::stop player not stopped after"));
    QMetaObject::invokeMethod(video, "restart");
    EXPECT_TRUE(given("VideoTextureItem::restart player not stopped after"));
    testsupport::onQtThreadOf(win, [] {});
    release.set_value();
    video->player()->onCurrentMediaChanged(nullptr);
    pausePreviewForce(win, false);
    deleteWidget(id);
    EXPECT_TRUE(waitFor([] { return MpvPlayer::liveWorkers() == 0; }, 10000));
}

TEST_F(VideoWidgetTest, ForcePauseStopsTheVideoAndInAContainerTheEndIsReportedNotLooped)
{
    const char* id = makeVideo(mediatest::files().barsMp4);
    ASSERT_TRUE(waitFor(barsShown, 15000));
    pausePreviewForce(win, true);
    // Stopped, and the picture cleared: the canvas shows through.
    EXPECT_TRUE(waitFor([] { return at(1.5 / 7, 0.3).near(0, 0, 0, 20); }, 5000));
    EXPECT_FALSE(waitFor([] { return !at(1.5 / 7, 0.3).near(0, 0, 0, 20); }, 2500))
        << "the video started again while force-paused";
    // A video made now is prepared but does not start.
    const char* second = makeVideo(mediatest::files().barsWebm);
    EXPECT_TRUE(waitFor(
        [&] {
            return testsupport::countStartingWith(*log,
                                                  "VideoWidget::whenBaseMediaStart pause force state") == 1;
        },
        10000));
    deleteWidget(second);
    // In a container the widget reports its end once and does not start over.
    auto* widget = qobject_cast<dorvo_preview::VideoWidget*>(dorvo_preview::EngineHost::getWidget(id));
    ASSERT_NE(widget, nullptr);
    std::atomic<int> finished{0};
    testsupport::onQtThreadOf(win, [&] {
        widget->setWidgetContainerPreview(true);
        QObject::connect(widget, &dorvo_preview::Widget::widgetPlayFinish, widget, [&] { ++finished; });
    });
    pausePreviewForce(win, false);
    resumePreview(win);
    EXPECT_TRUE(waitFor(barsShown, 10000)) << "the video did not play after the force pause";
    log->reset();
    ASSERT_TRUE(waitFor([&] { return finished.load() == 1; }, 10000));
    EXPECT_EQ(testsupport::countStartingWith(*log, "VideoWidget preview finish name is"), 1u);
    EXPECT_TRUE(waitFor([] { return at(1.5 / 7, 0.3).near(0, 0, 0, 20); }, 3000));
    EXPECT_FALSE(waitFor([&] { return finished.load() > 1; }, 2500));
    EXPECT_EQ(testsupport::countStartingWith(*log, "VideoTextureItem::restart"), 0u);
    deleteWidget(id);
}

TEST_F(VideoWidgetTest, UnplayableFilesStartNothingAndManyPlayingWidgetsComeAndGoWithoutLeavingThreads)
{
    // Unplayable files start nothing.
    const auto& f = mediatest::files();
    for (const std::string& bad : {f.missing, f.garbage, f.truncated, std::string()}) {
        SCOPED_TRACE(bad);
        log->reset();
        const char* id = makeVideo(bad);
        // The player gives up, and nothing starts.
        ASSERT_TRUE(waitFor(
            [&] {
                return testsupport::countStartingWith(*log, "VideoTextureItem:: NoMedia OR Invalid") >= 1;
            },
            10000));
        EXPECT_FALSE(
            waitFor([&] { return testsupport::countStartingWith(*log, "whenBaseMediaStart") > 0; }, 500));
        deleteWidget(id);
    }
    // A good file plays after them; this first round also lets drivers and
    // Qt start their threads once.
    const char* first = makeVideo(f.barsMp4);
    ASSERT_TRUE(waitFor(barsShown, 15000)) << "no bars after the unplayable files";
    deleteWidget(first);
    ASSERT_TRUE(waitFor([] { return MpvPlayer::liveWorkers() == 0; }, 10000));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const int before = threadCount();
    for (int i = 0; i < 20; ++i) {
        log->reset();
        const char* id = makeVideo(i % 2 ? f.motionMp4 : f.barsWebm);
        ASSERT_TRUE(waitFor(
            [&] { return testsupport::countStartingWith(*log, "whenBaseMediaStart current name is") >= 1; },
            15000))
            << "cycle " << i;
        if (i % 3)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        deleteWidget(id);
    }
    EXPECT_TRUE(waitFor([] { return MpvPlayer::liveWorkers() == 0; }, 30000)) << MpvPlayer::liveWorkers();
    EXPECT_TRUE(waitFor([&] { return threadCount() <= before; }, 10000))
        << "threads before " << before << ", after " << threadCount();
}

} // namespace
