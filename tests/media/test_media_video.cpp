// The video item in a window, through the video component: the picture
// matches the test pattern, moves while playing, freezes when paused; the
// media status and the component's signals; unplayable files; bounded stops.

#include "core/src/avplayer/VideoTextureItem.h"
#include "support/qtapp.h"
#include "core/src/avplayer/mediaqmltypes.h"
#include "core/src/avplayer/mpvplayer.h"
#include "mediafiles.h"
#include "support/logcapture.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickView>
#include <QSignalSpy>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <future>

using dorvo_preview::MpvPlayer;
using dorvo_preview::VideoTextureItem;

namespace {

QGuiApplication* app()
{
    return testsupport::app<QGuiApplication>(&dorvo_preview::registerMediaQmlTypes);
}

using testsupport::spinUntil;

void spinFor(int ms)
{
    spinUntil([] { return false; }, ms);
}

QString widgetJson(const std::string& source)
{
    return QString(
               R"({"id":"0b6d2c36-6a57-4d0b-9d2a-7f0c1e2d3a4b","type":"VIDEO","backgroundColor":"#FF202020","dataSource":"%1"})")
        .arg(QString::fromStdString(source));
}

struct Rgb
{
    int r, g, b;
};

bool near(QRgb pixel, Rgb want, int tolerance = 28)
{
    return std::abs(qRed(pixel) - want.r) <= tolerance && std::abs(qGreen(pixel) - want.g) <= tolerance &&
           std::abs(qBlue(pixel) - want.b) <= tolerance;
}

// Fraction of sampled pixels that differ between two grabs.
double difference(const QImage& a, const QImage& b)
{
    if (a.size() != b.size() || a.isNull())
        return 1.0;
    int changed = 0;
    int total = 0;
    for (int y = 4; y < a.height(); y += 8) {
        for (int x = 4; x < a.width(); x += 8) {
            ++total;
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                    std::abs(qBlue(p) - qBlue(q)) >
                24)
                ++changed;
        }
    }
    return total ? static_cast<double>(changed) / total : 0.0;
}

class VideoItemTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        app();
        ASSERT_TRUE(mediatest::files().ok) << "ffmpeg could not make the test media";
        log = testsupport::captureLog();
        view = std::make_unique<QQuickView>();
        view->setResizeMode(QQuickView::SizeRootObjectToView);
        view->setSource(QUrl::fromLocalFile(QStringLiteral(DORVO_MEDIA_TEST_DIR "/videohost.qml")));
        ASSERT_TRUE(view->errors().isEmpty()) << view->errors().first().toString().toStdString();
        view->resize(640, 480);
        view->show();
        ASSERT_TRUE(spinUntil([&] { return view->isExposed(); }));
        root = view->rootObject();
        ASSERT_NE(root, nullptr);
    }
    void TearDown() override
    {
        if (HasFailure()) {
            for (const auto& r : log->records())
                std::printf("log: %s\n", r.text.c_str());
        }
        if (root)
            QMetaObject::invokeMethod(root, "unload");
        spinFor(100);
        view.reset();
        EXPECT_TRUE(spinUntil([] { return MpvPlayer::liveWorkers() == 0; }, 10000));
    }

    void load(const std::string& source)
    {
        QMetaObject::invokeMethod(root, "load", Q_ARG(QVariant, widgetJson(source)));
    }
    int count(const char* name) { return root->property(name).toInt(); }
    QObject* component() { return root->property("video").value<QObject*>(); }
    VideoTextureItem* item()
    {
        QObject* c = component();
        return c ? c->findChild<VideoTextureItem*>() : nullptr;
    }
    QImage grab() { return view->grabWindow(); }
    // Waits until the component has started and frames have been drawn.
    bool waitPlaying()
    {
        return spinUntil([&] {
            VideoTextureItem* i = item();
            return count("startCount") >= 1 && i && i->player()->position() > 200;
        });
    }

    const mediatest::Files& f() { return mediatest::files(); }
    std::shared_ptr<testsupport::MemorySink> log;
    std::unique_ptr<QQuickView> view;
    QQuickItem* root = nullptr;
};

// The seven 75% bars across the top two thirds of the picture, and not the
// bottom strip (black-ish on the right side).
bool showsBars(const QImage& image)
{
    const Rgb bars[7] = {{191, 191, 191}, {191, 191, 0}, {0, 191, 191}, {0, 191, 0},
                         {191, 0, 191},   {191, 0, 0},   {0, 0, 191}};
    for (int i = 0; i < 7; ++i)
        if (!near(image.pixel(static_cast<int>((i + 0.5) * image.width() / 7.0), image.height() * 3 / 10),
                  bars[i]))
            return false;
    const QRgb bottom = image.pixel(image.width() * 6 / 7, image.height() * 95 / 100);
    return qRed(bottom) + qGreen(bottom) + qBlue(bottom) < 120;
}

TEST_F(VideoItemTest, ShowsTheColourBarsOfH264AndVp8)
{
    for (const std::string& file : {f().barsMp4, f().barsWebm}) {
        SCOPED_TRACE(file);
        load(file);
        ASSERT_TRUE(waitPlaying());
        EXPECT_TRUE(spinUntil([&] { return showsBars(grab()); })) << "no bars";
        // A larger window: the texture follows the new size.
        view->resize(800, 600);
        EXPECT_TRUE(spinUntil([&] {
            const QImage larger = grab();
            return larger.width() == 800 && showsBars(larger);
        })) << "no bars at 800 x 600";
        view->resize(640, 480);
        ASSERT_TRUE(spinUntil([&] { return grab().width() == 640; }));
    }
}

TEST_F(VideoItemTest, PreparedOnceEndAtEachEndAndTheVideoLoops)
{
    load(f().barsMp4);
    ASSERT_TRUE(spinUntil([&] { return item() != nullptr; }));
    QSignalSpy spy(item(), &VideoTextureItem::mediaStatusChanged);
    int prepared = 0;
    int ends = 0;
    QObject::connect(item(), &VideoTextureItem::mediaStatusChanged, [&] {
        if (item()->mediaStatus() == VideoTextureItem::Prepared)
            ++prepared;
        if (item()->mediaStatus() == VideoTextureItem::End)
            ++ends;
    });
    // Two ends of a 2 s video: it was restarted after the first.
    ASSERT_TRUE(spinUntil([&] { return count("finishedCount") >= 2; }, 20000));
    EXPECT_EQ(prepared, 1);
    EXPECT_GE(ends, 2);
    EXPECT_EQ(count("preparedCount"), 1);
    EXPECT_EQ(count("startCount"), 1);
    EXPECT_EQ(count("errorCount"), 0);
    // Preparing again many times reports nothing new.
    for (int i = 0; i < 3; ++i) {
        item()->prepared();
        spinFor(300);
    }
    EXPECT_EQ(prepared, 1);
    EXPECT_EQ(count("preparedCount"), 1);
    EXPECT_GE(testsupport::countStartingWith(*log, "VideoTextureItem:: Prepared"), 3u);
}

TEST_F(VideoItemTest, UnplayableFilesEndInvalidReportOnceAndAGoodFilePlaysAfter)
{
    for (const std::string& bad : {f().missing, f().garbage, f().truncated, std::string()}) {
        SCOPED_TRACE(bad);
        load(bad);
        ASSERT_TRUE(spinUntil([&] { return count("errorCount") == 1; }));
        EXPECT_EQ(item()->mediaStatus(), VideoTextureItem::Invalid);
        // Asking again fails again, but the component has already reported.
        const auto reportsAgain = [&] { return count("errorCount") != 1 || count("startCount") != 0; };
        item()->prepared();
        EXPECT_FALSE(spinUntil(reportsAgain, 400));
        item()->play();
        EXPECT_FALSE(spinUntil(reportsAgain, 400));
    }
    load(f().barsMp4);
    ASSERT_TRUE(waitPlaying());
    EXPECT_TRUE(spinUntil([&] { return showsBars(grab()); })) << "no bars";
}

TEST_F(VideoItemTest, StopAndRestartCarryOnWhenThePlayerIsStuck)
{
    load(f().motionMp4);
    ASSERT_TRUE(waitPlaying());
    VideoTextureItem* video = item();
    // A callback that does not return stands in for a stuck decoder.
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::atomic<bool> stuck{false};
    video->player()->onCurrentMediaChanged([&] {
        stuck = true;
        released.wait();
    });
    video->play(); // starts over: the new media start blocks the player
    ASSERT_TRUE(spinUntil([&] { return stuck.load(); }));

    bool timerFired = false;
    QTimer::singleShot(0, [&] { timerFired = true; });
    QElapsedTimer timer;
    timer.start();
    video->stop();
    EXPECT_LT(timer.elapsed(), MpvPlayer::kStopWaitMs + 2000);
    timer.restart();
    video->restart();
    EXPECT_LT(timer.elapsed(), MpvPlayer::kStopWaitMs + 2000);
    EXPECT_EQ(testsupport::countStartingWith(*log, "VideoTextureItem::stop player not stopped after"), 1u);
    EXPECT_EQ(testsupport::countStartingWith(*log, "VideoTextureItem::restart player not stopped after"), 1u);
    // The GUI thread goes on.
    EXPECT_TRUE(spinUntil([&] { return timerFired; }, 1000));

    release.set_value();
    video->player()->onCurrentMediaChanged(nullptr);
    // The restart asked for goes through once the player is free again.
    EXPECT_TRUE(video->player()->waitFor(MpvPlayer::Playing, 5000));
    const QImage a = grab();
    EXPECT_TRUE(spinUntil([&] { return difference(a, grab()) > 0.02; }, 3000)) << "the picture stands";
}

} // namespace
