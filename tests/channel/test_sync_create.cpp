// N<Family>_createWidget returns the new widget's id only once the widget has
// been created on the engine thread, and never deadlocks: from a host thread,
// from the engine thread itself, before the Qt loop runs, and after it ended.

#include "channel/messagecontrol.h"
#include "channel/playchannel.h"
#include "core/src/enginehost.h"
#include "dorvo_preview.h"
#include "support/logcapture.h"
#include "support/recordinglistener.h"
#include "utils/kestThread.h"

#include "support/wait.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

using namespace dorvo_preview;

namespace {

using testsupport::waitFor;

// Records like RecordingListener; its pausePreview creates a widget from the
// engine thread, as a host callback running there would.
class CreatingListener : public testsupport::RecordingListener
{
public:
    std::atomic<const char*> createdOnWorker{nullptr};
    void pausePreview(const std::string& id) override
    {
        RecordingListener::pausePreview(id);
        createdOnWorker = NImage_createWidget();
    }
};

bool recordedCreation(testsupport::RecordingListener& l, int type, const char* id)
{
    for (const auto& call : l.calls())
        if (call.op == "createWidget" && call.args == std::to_string(type) + "||" + id + "||")
            return true;
    return false;
}

class SyncCreate : public ::testing::Test
{
protected:
    void start(bool threaded)
    {
        auto l = std::make_unique<CreatingListener>();
        listener = l.get();
        channel = std::make_shared<PlayChannel>(std::move(l));
        channel->init(threaded);
        EngineHost::instance()->setPlayChannel("default", channel);
    }
    CreatingListener* listener = nullptr;
    std::shared_ptr<PlayChannel> channel;
};

TEST_F(SyncCreate, FromAHostThreadTheWidgetExistsOnReturn)
{
    start(true);
    // Window messages posted before stay ahead of the creation.
    attachWindow("earlier");
    const char* id = NText_createWidget();
    ASSERT_NE(id, nullptr);
    EXPECT_EQ(std::string(id).size(), 36u);
    EXPECT_TRUE(recordedCreation(*listener, 11, id));
    auto calls = listener->calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].op, "attachWindow");
}

TEST_F(SyncCreate, FromTheEngineThreadItRunsAtOnce)
{
    start(true);
    ASSERT_EQ(pausePreview("w"), 0);
    ASSERT_TRUE(waitFor([&] { return listener->createdOnWorker.load() != nullptr; }, 5000));
    EXPECT_TRUE(recordedCreation(*listener, 5, listener->createdOnWorker.load()));
}

TEST_F(SyncCreate, AfterTheLoopEndedItReturnsAndStaysQueued)
{
    start(true);
    ASSERT_EQ(exec(), 0); // the recording listener's loop ends at once; the worker pauses
    ASSERT_TRUE(waitFor([&] { return channel->worker()->status() == KestThread::Paused; }, 5000));
    const auto t0 = std::chrono::steady_clock::now();
    const char* id = NVideo_createWidget();
    EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(2));
    ASSERT_NE(id, nullptr);
    EXPECT_FALSE(recordedCreation(*listener, 13, id));
    EXPECT_EQ(channel->control()->pending(), 1u);
    // Resumed, the creation runs.
    channel->worker()->start();
    ASSERT_TRUE(waitFor([&] { return recordedCreation(*listener, 13, id); }, 5000));
}

TEST_F(SyncCreate, DirectModeRunsOnTheCallingThread)
{
    start(false);
    const char* id = NHdmi_createWidget();
    ASSERT_NE(id, nullptr);
    EXPECT_TRUE(recordedCreation(*listener, 20, id));
}

TEST_F(SyncCreate, EveryFamilyPassesItsTypeCode)
{
    start(true);
    struct
    {
        const char* (*create)();
        int type;
    } families[] = {
        {NAnalogClock_createWidget, 1},
        {NColorfulText_createWidget, 2},
        {NDigitalClock_createWidget, 3},
        {NHtml_createWidget, 4},
        {NImage_createWidget, 5},
        {NImageGroup_createWidget, 6},
        {NRss_createWidget, 7},
        {NRtMedia_createWidget, 8},
        {NStreamMedia_createWidget, 9},
        {NTable_createWidget, 10},
        {NText_createWidget, 11},
        {NTimer_createWidget, 12},
        {NVideo_createWidget, 13},
        {NTarroAnalogClock_createWidget, 14},
        {NBaseWeather_createWidget, 15},
        {NCalendar_createWidget, 16},
        {NSeniorWeather_createWidget, 17},
        {NWeather_createWidget, 18},
        {NHdmi_createWidget, 20},
    };
    for (const auto& f : families) {
        const char* id = f.create();
        ASSERT_NE(id, nullptr);
        EXPECT_TRUE(recordedCreation(*listener, f.type, id)) << f.type;
    }
}

} // namespace
