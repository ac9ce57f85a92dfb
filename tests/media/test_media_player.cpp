// The libmpv player and its play list, without a picture: media status words,
// states, the gapless queue, bounded waits and clean destruction.

#include "core/src/avplayer/kestvaplayer.h"
#include "support/qtapp.h"
#include "core/src/avplayer/mpvplayer.h"
#include "mediafiles.h"
#include "support/logcapture.h"
#include "support/wait.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <future>
#include <limits>
#include <mutex>
#include <vector>

using dorvo_preview::KestAVPlayer;
using dorvo_preview::MpvPlayer;
using testsupport::waitFor;

namespace {

QCoreApplication* app()
{
    return testsupport::app<QCoreApplication>();
}

// Records every status word of a player.
struct Recorder
{
    std::mutex mutex;
    std::vector<uint32_t> words;

    void attach(MpvPlayer& player)
    {
        player.onMediaStatusChanged([this](uint32_t word) {
            std::lock_guard<std::mutex> lock(mutex);
            words.push_back(word);
            return true;
        });
    }
    // How often the flag went from clear to set.
    int newlySet(uint32_t flag)
    {
        std::lock_guard<std::mutex> lock(mutex);
        int n = 0;
        uint32_t last = 0;
        for (uint32_t w : words) {
            if ((w & flag) && !(last & flag))
                ++n;
            last = w;
        }
        return n;
    }
    uint32_t last()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return words.empty() ? 0 : words.back();
    }
};

class MediaPlayerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        app();
        ASSERT_TRUE(mediatest::files().ok) << "ffmpeg could not make the test media";
        log = testsupport::captureLog();
    }
    void TearDown() override
    {
        if (HasFailure()) {
            for (const auto& r : log->records())
                std::printf("log: %s\n", r.text.c_str());
        }
        // Every worker of the test ends once its player is gone.
        EXPECT_TRUE(waitFor([] { return MpvPlayer::liveWorkers() == 0; }, 10000));
    }
    const mediatest::Files& f() { return mediatest::files(); }
    std::shared_ptr<testsupport::MemorySink> log;
};

TEST_F(MediaPlayerTest, PreparedOnceThenEndWordAtTheEnd)
{
    MpvPlayer player;
    Recorder rec;
    rec.attach(player);
    std::atomic<int64_t> preparedAt{-2};
    player.setMedia(f().toneMp3);
    player.setRange(0, std::numeric_limits<int64_t>::max());
    player.setVolume(1.0f);
    player.prepare(0, [&](int64_t position) {
        preparedAt = position;
        return true;
    });
    EXPECT_EQ(player.state(), MpvPlayer::Paused);
    ASSERT_TRUE(waitFor([&] { return preparedAt.load() >= 0; }, 10000));
    EXPECT_TRUE(rec.last() & MpvPlayer::Prepared);
    EXPECT_TRUE(waitFor([&] { return player.duration() > 0; }));
    EXPECT_NEAR(static_cast<double>(player.duration()), 1000.0, 150.0);

    player.setState(MpvPlayer::Playing);
    ASSERT_TRUE(waitFor([&] { return rec.last() == MpvPlayer::kEndWord; }, 10000));
    EXPECT_EQ(player.state(), MpvPlayer::Stopped);
    EXPECT_TRUE(player.waitFor(MpvPlayer::Stopped, 2000));
    EXPECT_EQ(rec.newlySet(MpvPlayer::Prepared), 1);
    EXPECT_EQ(rec.newlySet(MpvPlayer::Invalid), 0);

    // Playing again loads the media again: a second Prepared word, a second end.
    player.setState(MpvPlayer::Playing);
    ASSERT_TRUE(waitFor([&] { return rec.newlySet(MpvPlayer::End) == 2; }, 10000));
    EXPECT_EQ(rec.newlySet(MpvPlayer::Prepared), 2);
}

TEST_F(MediaPlayerTest, BadArgumentsAreRefusedAndSeekReportsThePosition)
{
    MpvPlayer player;
    player.setVolume(std::nanf(""));
    player.setRange(-5, 10);
    player.setRange(100, 50);
    EXPECT_EQ(testsupport::countStartingWith(*log, "MpvPlayer::setVolume refused"), 1u);
    EXPECT_EQ(testsupport::countStartingWith(*log, "MpvPlayer::setRange refused"), 2u);
    // Seeking answers -1 with nothing loaded, the new position once prepared.
    auto seek = [&](int64_t to) {
        auto result = std::make_shared<std::promise<int64_t>>();
        player.seek(to, MpvPlayer::SeekAccurate, [result](int64_t position) { result->set_value(position); });
        auto future = result->get_future();
        const bool answered = future.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
        return answered ? future.get() : int64_t{-1000};
    };
    EXPECT_EQ(seek(500), -1);
    player.setMedia(f().longToneMp3);
    player.prepare(0);
    ASSERT_TRUE(waitFor([&] { return player.mediaStatus() & MpvPlayer::Prepared; }, 10000));
    EXPECT_NEAR(static_cast<double>(seek(2000)), 2000.0, 100.0);
}

// ---- KestAVPlayer ----

TEST_F(MediaPlayerTest, PlayListWithoutLoopEnds)
{
    KestAVPlayer player;
    std::atomic<int> stopped{0};
    player.setStoppedHandler([&] { ++stopped; });
    player.setPlaylist({QString::fromStdString(f().toneMp3)});
    player.playNext();
    EXPECT_TRUE(waitFor([&] { return player.player()->mediaStatus() == MpvPlayer::kEndWord; }, 10000));
    EXPECT_TRUE(waitFor([&] { return stopped.load() >= 1; }, 2000));
}

TEST_F(MediaPlayerTest, PlayListOfUnplayableMediaGivesUp)
{
    KestAVPlayer player;
    player.setPlaylist({QString::fromStdString(f().missing), QString::fromStdString(f().garbage)});
    player.setLoop(true);
    player.playNext();
    EXPECT_TRUE(waitFor(
        [&] { return testsupport::countStartingWith(*log, "KestAVPlayer: no media of the play list") == 1; },
        10000));
    EXPECT_TRUE(player.player()->waitFor(MpvPlayer::Stopped, 5000));
    // It stays stopped: nothing is retried behind the scenes.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_EQ(player.player()->state(), MpvPlayer::Stopped);
    EXPECT_EQ(testsupport::countStartingWith(*log, "KestAVPlayer: no media of the play list"), 1u);
}

TEST_F(MediaPlayerTest, StopWithWaitIsBoundedWhenThePlayerIsStuck)
{
    KestAVPlayer player;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::atomic<bool> stuck{false};
    player.setPlaylist({QString::fromStdString(f().longToneMp3)});
    player.playNext();
    ASSERT_TRUE(waitFor([&] { return player.position() > 0; }, 10000));
    // A status handler that never returns stands in for a stuck decoder.
    player.setMediaStatusHandler([&](uint32_t) {
        stuck = true;
        released.wait();
    });
    player.player()->setMedia(f().toneAac);
    player.player()->prepare(0);
    ASSERT_TRUE(waitFor([&] { return stuck.load(); }, 10000));
    const auto t0 = std::chrono::steady_clock::now();
    player.stop(true);
    const auto waited = std::chrono::steady_clock::now() - t0;
    EXPECT_LT(waited, std::chrono::milliseconds(MpvPlayer::kStopWaitMs + 2000));
    EXPECT_EQ(testsupport::countStartingWith(*log, "KestAVPlayer::stop player not stopped after"), 1u);
    release.set_value();
    EXPECT_TRUE(player.player()->waitFor(MpvPlayer::Stopped, 5000));
}

} // namespace
