// The channel: order, unknown numbers, discarding, the worker's pause and stop.

#include "channel/messagecontrol.h"
#include "channel/msgtype.h"
#include "channel/playchannel.h"
#include "support/logcapture.h"
#include "support/recordinglistener.h"
#include "utils/kestThread.h"

#include "support/wait.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <chrono>
#include <thread>
#include <vector>

using namespace dorvo_preview;

namespace {

using testsupport::waitFor;

MsgParam withId(const std::string& id)
{
    MsgParam p;
    p.firstString = new std::string(id);
    return p;
}

TEST(MessageControl, QueuedMessagesRunInPostingOrderAndUnknownOnesAreDropped)
{
    auto sink = testsupport::captureLog();
    testsupport::RecordingListener listener;
    MessageControl control(&listener);
    control.setQueued(true);
    control.post(static_cast<int32_t>(MsgType::DestroyWindow), withId("a"));
    control.post(500, withId("lost"));
    control.post(-1, MsgParam());
    control.post(static_cast<int32_t>(MsgType::SetWidgetX), withId("b"));
    control.post(static_cast<int32_t>(MsgType::NColorfulText_setText), withId("c"));
    EXPECT_TRUE(listener.calls().empty());
    while (control.pending())
        control.processOne();
    auto calls = listener.calls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].op, "destroyWindow");
    EXPECT_EQ(calls[1].op, "setWidgetX");
    EXPECT_EQ(calls[2].op, "NColorfulText_setText");
    EXPECT_EQ(
        testsupport::countStartingWith(*sink, "Unknown msg 500 \n //messagecontrol.cpp:onMsgProcessor()#"),
        1u);
    EXPECT_EQ(testsupport::countStartingWith(*sink, "Unknown msg -1 \n"), 1u);
    EXPECT_EQ(testsupport::countStartingWith(*sink, "process msg: DestroyWindow \n"), 1u);
    EXPECT_EQ(testsupport::countStartingWith(*sink, "process msg: SetWidgetX \n"), 1u);
    // Numbers past the name table (500, and 139 NColorfulText_setText) log an empty name.
    EXPECT_EQ(testsupport::countStartingWith(*sink, "process msg:  \n"), 2u);
    EXPECT_EQ(testsupport::countStartingWith(*sink, "process msg: MsgInvalid \n"), 1u);
}

// A listener whose setWidgetX throws, as a handler with a fault would.
class ThrowingListener : public testsupport::RecordingListener
{
public:
    void setWidgetX(const std::string&, float) override { throw std::runtime_error("handler fault"); }
};

TEST(MessageControl, AHandlerThatThrowsIsLoggedAndTheNextMessageRuns)
{
    auto sink = testsupport::captureLog();
    ThrowingListener listener;
    MessageControl control(&listener);
    control.setQueued(true);
    control.post(static_cast<int32_t>(MsgType::SetWidgetX), withId("a"));
    control.post(static_cast<int32_t>(MsgType::DestroyWindow), withId("b"));
    while (control.pending())
        control.processOne();
    ASSERT_EQ(listener.calls().size(), 1u);
    EXPECT_EQ(listener.calls()[0].op, "destroyWindow");
    EXPECT_EQ(testsupport::countStartingWith(*sink, "process msg SetWidgetX failed, dropped: handler fault"),
              1u);
}

TEST(MessageControl, ProcessOneReportsCreateQtExec)
{
    testsupport::RecordingListener listener;
    MessageControl control(&listener);
    control.setQueued(true);
    control.post(static_cast<int32_t>(MsgType::CreateQtExec), MsgParam());
    control.post(static_cast<int32_t>(MsgType::QuitQtExec), MsgParam());
    bool ran = false;
    EXPECT_TRUE(control.processOne(&ran));
    EXPECT_TRUE(ran);
    EXPECT_FALSE(control.processOne(&ran));
    EXPECT_TRUE(ran);
    EXPECT_FALSE(control.processOne(&ran));
    EXPECT_FALSE(ran);
}

// A listener whose setWidgetX takes a while, as a costly handler does.
class SlowListener : public testsupport::RecordingListener
{
public:
    void setWidgetX(const std::string& id, float value) override
    {
        RecordingListener::setWidgetX(id, value);
        std::this_thread::sleep_for(std::chrono::milliseconds(3));
    }
};

TEST(MessageControl, BatchesEndWhenEmptyAfterTheBudgetOrAfterTheLoopChanges)
{
    SlowListener listener;
    MessageControl control(&listener);
    control.setQueued(true);
    const auto x = static_cast<int32_t>(MsgType::SetWidgetX);
    const auto budget = std::chrono::microseconds(1000);
    // Each batch: what was queued -> how many run.
    struct Case
    {
        std::vector<int32_t> queued;
        std::vector<int> batches;
    } cases[] = {
        {{}, {0}},
        {{19, 20, 19}, {3}},
        {{x, x, x}, {1, 1, 1, 0}},
        {{19, 3, 19}, {2, 1}},
        {{19, 2, 19}, {2, 1}},
    };
    for (const Case& c : cases) {
        for (int32_t number : c.queued)
            control.post(number, withId("w"));
        for (int expected : c.batches)
            EXPECT_EQ(control.processBatch(budget), expected);
        EXPECT_EQ(control.pending(), 0u);
    }
}

TEST(MessageControl, CreationsRunAheadOfAllButWindowAndEngineMessages)
{
    testsupport::RecordingListener listener;
    MessageControl control(&listener);
    control.setQueued(true);
    const auto x = static_cast<int32_t>(MsgType::SetWidgetX);
    const auto create = static_cast<int32_t>(MsgType::CreateWidget);
    std::vector<std::string> done;
    auto creation = [&](const char* id) {
        MsgParam p = withId(id);
        control.postAhead(create, p, [&done, id] { done.push_back(id); });
    };
    control.post(x, withId("a"));
    control.post(static_cast<int32_t>(MsgType::AttachWindow), withId("w"));
    control.post(x, withId("b"));
    creation("n1");
    control.post(x, withId("c"));
    creation("n2");
    while (control.pending())
        control.processOne();
    std::string order;
    for (const auto& call : listener.calls())
        order += call.op + ":" + call.args.substr(0, call.args.find('|')) + " ";
    EXPECT_EQ(order, "setWidgetX:a attachWindow:w createWidget:0 createWidget:0 setWidgetX:b setWidgetX:c ");
    EXPECT_EQ(done, (std::vector<std::string>{"n1", "n2"}));
}

TEST(MessageControl, TextsTravelUnchangedInlineOrOnTheHeap)
{
    const std::string lengths[] = {"", std::string(MsgText::kInline, 'a'),
                                   std::string(MsgText::kInline + 1, 'b'), std::string(5000, 'c'),
                                   std::string("\xff\xfe odd bytes")};
    for (const std::string& text : lengths) {
        MsgText copied;
        copied.assign(text.c_str());
        MsgText moved(std::move(copied));
        std::string out;
        ASSERT_NE(moved.into(out), nullptr);
        EXPECT_EQ(out, text);
        EXPECT_FALSE(copied.present());
    }
    MsgText none;
    none.assign(nullptr);
    std::string out = "x";
    ASSERT_NE(none.into(out), nullptr);
    EXPECT_EQ(out, "");
    none.adopt(nullptr);
    EXPECT_EQ(none.into(out), nullptr);
}

TEST(MessageControl, NamesOfTheTable)
{
    EXPECT_STREQ(msgTypeName(-1), "MsgInvalid");
    EXPECT_STREQ(msgTypeName(0), "CreateKestWindow");
    EXPECT_STREQ(msgTypeName(47), "SetWidgetBackgroundColor");
    EXPECT_STREQ(msgTypeName(48), "NImage_setKeepOriginalScale");
    EXPECT_STREQ(msgTypeName(100), "SetWidgetX");
    EXPECT_STREQ(msgTypeName(127), "NRtMedia_setUpdateDuration");
    EXPECT_STREQ(msgTypeName(128), "");
    EXPECT_STREQ(msgTypeName(-2), "");
}

TEST(PlayChannel, DirectModeRunsOnTheCallingThread)
{
    auto listener = std::make_unique<testsupport::RecordingListener>();
    auto* recorder = listener.get();
    PlayChannel channel(std::move(listener));
    channel.init(false);
    channel.post(static_cast<int32_t>(MsgType::PausePreview), withId("w"));
    ASSERT_EQ(recorder->calls().size(), 1u);
    EXPECT_EQ(recorder->calls()[0].op, "pausePreview");
    EXPECT_EQ(channel.control()->pending(), 0u);
}

TEST(PlayChannel, WorkerRunsMessagesAsTheyArriveAndPausesAfterExec)
{
    auto listener = std::make_unique<testsupport::RecordingListener>();
    auto* recorder = listener.get();
    PlayChannel channel(std::move(listener));
    channel.init(true);
    channel.post(static_cast<int32_t>(MsgType::PausePreview), withId("1"));
    ASSERT_TRUE(waitFor([&] { return recorder->calls().size() == 1; }));
    // The recording listener returns from createQtExec at once, as when the
    // Qt loop has ended: the worker pauses itself and later messages wait.
    channel.post(static_cast<int32_t>(MsgType::CreateQtExec), MsgParam());
    ASSERT_TRUE(waitFor([&] { return channel.worker()->status() == KestThread::Paused; }));
    channel.post(static_cast<int32_t>(MsgType::PausePreview), withId("2"));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(recorder->calls().size(), 2u);
    EXPECT_EQ(channel.control()->pending(), 1u);
    // Resuming runs what waited.
    channel.worker()->start();
    ASSERT_TRUE(waitFor([&] { return recorder->calls().size() == 3; }));
}

TEST(PlayChannel, TearDownDiscardsQueuedMessages)
{
    auto listener = std::make_unique<testsupport::RecordingListener>();
    auto* recorder = listener.get();
    auto channel = std::make_unique<PlayChannel>(std::move(listener));
    channel->init(true);
    channel->post(static_cast<int32_t>(MsgType::CreateQtExec), MsgParam());
    ASSERT_TRUE(waitFor([&] { return channel->worker()->status() == KestThread::Paused; }));
    for (int i = 0; i < 100; ++i)
        channel->post(static_cast<int32_t>(MsgType::SetWidgetX), withId(std::string(100, 'x')));
    EXPECT_EQ(channel->control()->pending(), 100u);
    size_t before = recorder->calls().size();
    channel.reset(); // frees every queued record (the sanitizer build checks for leaks)
    EXPECT_EQ(before, 1u);
}

TEST(KestThread, StopFromItsOwnThreadDetaches)
{
    std::atomic<int> runs{0};
    KestThread* self = nullptr;
    KestThread thread(
        [&] {
            if (++runs == 3)
                self->stop();
            return 0;
        },
        "selfstop");
    self = &thread;
    thread.start();
    ASSERT_TRUE(waitFor([&] { return thread.status() == KestThread::Stopped; }));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(runs.load(), 3);
}

TEST(KestThread, NegativeWorkResultPauses)
{
    std::atomic<int> runs{0};
    KestThread thread([&] { return ++runs == 5 ? -1 : 0; }, "negative");
    thread.start();
    ASSERT_TRUE(waitFor([&] { return thread.status() == KestThread::Paused; }));
    EXPECT_EQ(runs.load(), 5);
    thread.stop();
    EXPECT_EQ(thread.status(), KestThread::Stopped);
}

TEST(KestThread, PauseWaitsAndStartResumes)
{
    std::atomic<int> runs{0};
    KestThread thread(
        [&] {
            ++runs;
            std::this_thread::sleep_for(std::chrono::microseconds(100));
            return 0;
        },
        "pauser");
    thread.start();
    ASSERT_TRUE(waitFor([&] { return runs > 2; }));
    thread.pause();
    EXPECT_EQ(thread.status(), KestThread::Paused);
    const int frozen = runs;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(runs.load(), frozen);
    thread.start();
    ASSERT_TRUE(waitFor([&] { return runs > frozen + 2; }));
    thread.stop();
}

} // namespace
