// The libmpv player, its play list and the background music, without a
// picture. Status words and looping over a list are read on screen by the
// video widget test.

#include "core/src/avplayer/audioplayer.h"
#include "core/src/avplayer/kestvaplayer.h"
#include "core/src/avplayer/mediaqmltypes.h"
#include "core/src/avplayer/mpvplayer.h"
#include "core/src/avplayer/qmlaudio.h"
#include "support/qtapp.h"
#include "mediafiles.h"
#include "support/logcapture.h"
#include "support/wait.h"

#include <gtest/gtest.h>

#include <QGuiApplication>

#include <atomic>
#include <chrono>
#include <cmath>
#include <future>
#include <set>
#include <thread>
#include <vector>

using dorvo_preview::KestAVPlayer;
using dorvo_preview::MpvPlayer;
using dorvo_preview::QMLAudio;
using testsupport::waitFor;

namespace {

QGuiApplication* app()
{
    return testsupport::app<QGuiApplication>(&dorvo_preview::registerMediaQmlTypes);
}

QString music(const std::vector<std::string>& paths, const std::string& policy)
{
    return QString::fromStdString(mediatest::music(paths, policy));
}

// The media the player moves through, each change once.
std::vector<QString> follow(QMLAudio& audio, size_t count, int ms)
{
    std::vector<QString> seen;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (seen.size() < count && std::chrono::steady_clock::now() < end) {
        const QString now = audio.player()->currentMedia();
        if (!now.isEmpty() && (seen.empty() || seen.back() != now))
            seen.push_back(now);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return seen;
}

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
    EXPECT_TRUE(waitFor([&] { return std::llabs(player.duration() - 5000) <= 150; }));
    EXPECT_NEAR(static_cast<double>(seek(2000)), 2000.0, 100.0);
}

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

TEST_F(MediaPlayerTest, RandomShufflesOnceAndThenRepeats)
{
    // A shuffle of the three tracks, the same in the second round.
    QMLAudio audio;
    audio.playAudio(music({f().toneMp3, f().toneAac, f().tone2Mp3}, "RANDOM"));
    const auto seen = follow(audio, 6, 20000);
    ASSERT_EQ(seen.size(), 6u);
    const std::vector<QString> first(seen.begin(), seen.begin() + 3);
    const auto q = [](const std::string& path) { return QString::fromStdString(path); };
    EXPECT_EQ(std::set<QString>(first.begin(), first.end()),
              (std::set<QString>{q(f().toneMp3), q(f().toneAac), q(f().tone2Mp3)}));
    EXPECT_EQ(first, std::vector<QString>(seen.begin() + 3, seen.end()));
}

// Music plays, pauses and resumes; each bad description is logged and
// changes nothing: the music playing goes on.
TEST_F(MediaPlayerTest, PlaysPausesAndBadDescriptionsLeaveTheMusicPlaying)
{
    QMLAudio audio;
    audio.playAudio(music({f().longToneMp3}, "ORDER"));
    ASSERT_TRUE(waitFor([&] { return audio.player()->position() > 300; }, 10000));
    EXPECT_EQ(audio.player()->volume(), 1.0f);
    EXPECT_EQ(testsupport::countStartingWith(*log, "Page:audiopath is :"), 1u);
    audio.pause();
    ASSERT_TRUE(audio.player()->player()->waitFor(MpvPlayer::Paused, 3000));
    std::this_thread::sleep_for(std::chrono::milliseconds(200)); // the last position report
    const int64_t frozen = audio.player()->position();
    EXPECT_FALSE(waitFor([&] { return std::llabs(audio.player()->position() - frozen) > 50; }, 400));
    audio.resume();
    EXPECT_TRUE(waitFor([&] { return audio.player()->position() > frozen + 200; }, 5000));

    const QString playing = audio.player()->currentMedia();
    const char* const malformed = "{\"audioList\": [}";
    const char* bad[] = {
        "",
        "not json",
        "null",
        "[1,2]",
        malformed,
        R"({"audioList":5})",
        R"({"audioList":null})",
        R"({"audioList":[],"playPolicy":"RANDOM"})",
        R"({"audioList":[null, 3, "x", []]})",
        R"({"audioList":[{"originalDataSource":null}, {"originalDataSource":3}, {"originalDataSource":""}]})",
        R"({"playPolicy":"ORDER"})",
    };
    for (const char* text : bad) {
        SCOPED_TRACE(text);
        log->reset();
        audio.playAudio(QString::fromUtf8(text));
        EXPECT_FALSE(log->records().empty()) << "no log line";
        EXPECT_EQ(testsupport::countStartingWith(*log, "Page:audiopath is :"), 0u);
        if (text == malformed) {
            EXPECT_EQ(testsupport::countStartingWith(*log, "from_string: the music description is "), 1u);
        }
    }
    const int64_t p = audio.player()->position();
    EXPECT_TRUE(waitFor([&] { return audio.player()->position() > p + 300; }, 5000));
    EXPECT_EQ(audio.player()->player()->state(), MpvPlayer::Playing);
    EXPECT_EQ(audio.player()->currentMedia(), playing);
    audio.stop();
    EXPECT_TRUE(audio.player()->player()->waitFor(MpvPlayer::Stopped, 3000));
}

TEST_F(MediaPlayerTest, WrongTypedFieldsAreToleratedAndOneTrackLoopsByItself)
{
    QMLAudio audio;
    // Unknown policy and odd unused fields: played in order, with a log line for the policy.
    const std::string text =
        R"({"audioList":[{"id":"x","name":5,"dataSource":null,"duration":"long","originalDataSource":")" +
        f().toneMp3 + R"("}, 7],"playPolicy":"SOMETIMES"})";
    audio.playAudio(QString::fromStdString(text));
    EXPECT_EQ(testsupport::countStartingWith(*log, "QMLAudio::playAudio unknown playPolicy SOMETIMES"), 1u);
    EXPECT_EQ(testsupport::countStartingWith(*log, "QMLAudio::playAudio audio item 1 is not an object"), 1u);
    ASSERT_TRUE(waitFor([&] { return audio.player()->position() > 200; }, 10000));
    // The one-second track starts again and again, and plays each time.
    const auto seen = [&] {
        return testsupport::countStartingWith(*log, "KestAVPlayer::currentMediaChanged:");
    };
    ASSERT_TRUE(waitFor([&] { return seen() >= 3; }, 15000));
    EXPECT_EQ(testsupport::countStartingWith(*log, "KestAVPlayer::currentMediaChanged:" + f().toneMp3),
              seen());
    EXPECT_TRUE(waitFor([&] { return audio.player()->position() > 100; }, 5000));
    EXPECT_EQ(audio.player()->player()->state(), MpvPlayer::Playing);
    EXPECT_EQ(audio.player()->player()->mediaStatus() & MpvPlayer::End, 0u);
}

} // namespace
