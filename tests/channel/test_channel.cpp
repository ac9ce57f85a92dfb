// The channel: order, unknown numbers, batches, the worker's pause and stop; creations that return once the
// widget exists; many host threads posting at once, in direct and queued mode (the Qt timer's order is
// checked by the host test, through the log).

#include "channel/messagecontrol.h"
#include "channel/msgtype.h"
#include "channel/playchannel.h"
#include "core/src/enginehost.h"
#include "dorvo_preview.h"
#include "support/logcapture.h"
#include "support/recordinglistener.h"
#include "support/wait.h"
#include "utils/kestThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <map>
#include <mutex>
#include <stdexcept>
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

// Records like RecordingListener, except that: setWidgetX throws for the id "throw", takes 60 ms for "slow"
// (a costly handler) and otherwise logs its value per id (the posting thread); pausePreview creates a widget
// from the engine thread, as a host callback running there would; createQtExec runs a stand-in for the Qt
// loop (the message step every millisecond) while loop is set.
class TestListener : public testsupport::RecordingListener
{
public:
    void setWidgetX(const std::string& id, float value) override
    {
        if (id == "throw")
            throw std::runtime_error("handler fault");
        if (id == "slow")
            std::this_thread::sleep_for(std::chrono::milliseconds(60));
        if (id.rfind("thread-", 0) != 0)
            return RecordingListener::setWidgetX(id, value);
        std::lock_guard<std::mutex> lock(mutex);
        seen[id].push_back(static_cast<int>(value));
        ++total;
    }
    void pausePreview(const std::string& id) override
    {
        RecordingListener::pausePreview(id);
        createdOnWorker = NImage_createWidget();
    }
    void createQtExec(const std::function<void()>& step) override
    {
        if (!loop)
            return RecordingListener::createQtExec(step);
        running = true;
        while (!end) {
            step();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    size_t count()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return total;
    }

    std::atomic<const char*> createdOnWorker{nullptr};
    std::atomic<bool> loop{false}, running{false}, end{false};
    std::mutex mutex;
    std::map<std::string, std::vector<int>> seen;
    size_t total = 0;
};

bool recordedCreation(testsupport::RecordingListener& l, int type, const char* id)
{
    for (const auto& call : l.calls())
        if (call.op == "createWidget" && call.args == std::to_string(type) + "||" + id + "||")
            return true;
    return false;
}

TEST(MessageControl, QueuedMessagesRunInPostingOrderUnknownOnesAndFaultsAreDropped)
{
    auto sink = testsupport::captureLog();
    TestListener listener;
    MessageControl control(&listener);
    control.setQueued(true);
    control.post(static_cast<int32_t>(MsgType::DestroyWindow), withId("a"));
    control.post(500, withId("lost"));
    control.post(-1, MsgParam());
    control.post(static_cast<int32_t>(MsgType::SetWidgetX), withId("throw"));
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
    EXPECT_EQ(testsupport::countStartingWith(*sink, "process msg SetWidgetX failed, dropped: handler fault"),
              1u);
    EXPECT_EQ(testsupport::countStartingWith(*sink, "process msg: DestroyWindow \n"), 1u);
    EXPECT_EQ(testsupport::countStartingWith(*sink, "process msg: SetWidgetX \n"), 2u);
    // Numbers past the name table (500, and 139 NColorfulText_setText) log an empty name.
    EXPECT_EQ(testsupport::countStartingWith(*sink, "process msg:  \n"), 2u);
    EXPECT_EQ(testsupport::countStartingWith(*sink, "process msg: MsgInvalid \n"), 1u);
    EXPECT_STREQ(msgTypeName(127), "NRtMedia_setUpdateDuration");

    // Texts at the inline limit and past it move unchanged; what they left is absent.
    for (const size_t n : {MsgText::kInline, MsgText::kInline + 1}) {
        MsgText copied;
        copied.assign(std::string(n, 'a').c_str());
        MsgText moved(std::move(copied));
        std::string out;
        ASSERT_NE(moved.into(out), nullptr);
        EXPECT_EQ(out, std::string(n, 'a'));
        EXPECT_EQ(copied.into(out), nullptr);
    }
}

TEST(MessageControl, BatchesEndWhenEmptyAfterTheBudgetOrAfterTheLoopChanges)
{
    TestListener listener;
    MessageControl control(&listener);
    control.setQueued(true);
    const auto x = static_cast<int32_t>(MsgType::SetWidgetX);
    // Wide enough that the quick messages of a batch never overrun it on a
    // busy machine; the slow handler outlasts it.
    const auto budget = std::chrono::milliseconds(50);
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
            control.post(number, withId("slow"));
        for (int expected : c.batches)
            EXPECT_EQ(control.processBatch(budget), expected);
        EXPECT_EQ(control.pending(), 0u);
    }
    // processOne tells whether the loop started.
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

TEST(MessageControl, CreationsRunAheadOfAllButWindowAndEngineMessages)
{
    testsupport::RecordingListener listener;
    MessageControl control(&listener);
    control.setQueued(true);
    const auto x = static_cast<int32_t>(MsgType::SetWidgetX);
    std::vector<std::string> done;
    auto creation = [&](const char* id) {
        control.postAhead(static_cast<int32_t>(MsgType::CreateWidget), withId(id),
                          [&done, id] { done.push_back(id); });
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

class Channel : public ::testing::Test
{
protected:
    void start(bool threaded)
    {
        auto l = std::make_unique<TestListener>();
        listener = l.get();
        channel = std::make_shared<PlayChannel>(std::move(l));
        channel->init(threaded);
        EngineHost::instance()->setPlayChannel("default", channel);
    }
    bool paused() { return channel->worker()->status() == KestThread::Paused; }

    // Posts from eight threads at once, then checks that every thread's messages arrived once, in order.
    void postFromThreadsAndCheck(int perThread)
    {
        std::vector<std::thread> threads;
        for (int t = 0; t < 8; ++t) {
            threads.emplace_back([t, perThread] {
                const std::string id = "thread-" + std::to_string(t);
                for (int i = 0; i < perThread; ++i)
                    ASSERT_EQ(setWidgetX(id.c_str(), static_cast<float>(i)), 0);
            });
        }
        for (auto& th : threads)
            th.join();
        ASSERT_TRUE(waitFor([&] { return listener->count() == 8u * perThread; }, 60000)) << listener->count();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        std::lock_guard<std::mutex> lock(listener->mutex);
        ASSERT_EQ(listener->total, 8u * perThread);
        ASSERT_EQ(listener->seen.size(), 8u);
        for (const auto& [id, values] : listener->seen)
            for (int i = 0; i < perThread; ++i)
                ASSERT_EQ(values[i], i) << id;
    }

    TestListener* listener = nullptr;
    std::shared_ptr<PlayChannel> channel;
};

TEST_F(Channel, WorkerRunsMessagesAsTheyArriveAndPausesAfterExec)
{
    start(true);
    channel->post(static_cast<int32_t>(MsgType::SetWidgetX), withId("1"));
    ASSERT_TRUE(waitFor([&] { return listener->calls().size() == 1; }));
    // The recording listener returns from createQtExec at once, as when the Qt loop has ended: the worker
    // pauses itself and later messages wait.
    channel->post(static_cast<int32_t>(MsgType::CreateQtExec), MsgParam());
    ASSERT_TRUE(waitFor([&] { return paused(); }));
    channel->post(static_cast<int32_t>(MsgType::SetWidgetX), withId("2"));
    // A creation still returns at once and stays queued.
    const auto t0 = std::chrono::steady_clock::now();
    const char* id = NVideo_createWidget();
    EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(2));
    ASSERT_NE(id, nullptr);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(listener->calls().size(), 2u);
    EXPECT_EQ(channel->control()->pending(), 2u);
    // Resuming runs what waited (the creation first, then the setter).
    channel->worker()->start();
    ASSERT_TRUE(waitFor([&] { return listener->calls().size() == 4u; })) << listener->calls().size();
    EXPECT_TRUE(recordedCreation(*listener, 13, id));
    // Paused when asked: pause() returns once the worker has stopped taking messages.
    channel->worker()->pause();
    EXPECT_TRUE(paused());
    channel->post(static_cast<int32_t>(MsgType::SetWidgetX), withId("3"));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(channel->control()->pending(), 1u);
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
    EXPECT_EQ(recorder->calls().size(), 1u);
    channel.reset(); // frees every queued record (the sanitizer build checks for leaks)
}

// From a host thread the widget exists on return, behind window messages posted before; from the engine
// thread it runs at once; every family passes its type code.
TEST_F(Channel, CreationReturnsOnceTheWidgetExists)
{
    start(true);
    attachWindow("earlier");
    const char* id = NText_createWidget();
    ASSERT_NE(id, nullptr);
    EXPECT_EQ(std::string(id).size(), 36u);
    auto calls = listener->calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].op, "attachWindow");
    EXPECT_TRUE(recordedCreation(*listener, 11, id));

    ASSERT_EQ(pausePreview("w"), 0);
    ASSERT_TRUE(waitFor([&] { return listener->createdOnWorker.load() != nullptr; }));
    EXPECT_TRUE(recordedCreation(*listener, 5, listener->createdOnWorker.load()));

    const struct
    {
        const char* (*create)();
        int type;
    } families[] = {
        {NAnalogClock_createWidget, 1},    {NColorfulText_createWidget, 2},
        {NDigitalClock_createWidget, 3},   {NHtml_createWidget, 4},
        {NImageGroup_createWidget, 6},     {NRss_createWidget, 7},
        {NRtMedia_createWidget, 8},        {NStreamMedia_createWidget, 9},
        {NTable_createWidget, 10},         {NTimer_createWidget, 12},
        {NVideo_createWidget, 13},         {NTarroAnalogClock_createWidget, 14},
        {NBaseWeather_createWidget, 15},   {NCalendar_createWidget, 16},
        {NSeniorWeather_createWidget, 17}, {NWeather_createWidget, 18},
        {NHdmi_createWidget, 20},
    };
    for (const auto& f : families) {
        id = f.create();
        ASSERT_NE(id, nullptr);
        EXPECT_TRUE(recordedCreation(*listener, f.type, id)) << f.type;
    }
}

TEST_F(Channel, QueuedModeHundredThousandFromEightThreads)
{
    auto quiet = testsupport::captureLog(); // the records of 100 000 messages are not what is tested here
    start(true);
    postFromThreadsAndCheck(100000 / 8);
}

// Direct mode carries other threads' calls while the Qt loop runs (HostDirect sees them refused before).
TEST_F(Channel, DirectModeHundredThousandFromEightThreads)
{
    auto quiet = testsupport::captureLog();
    start(false);
    listener->loop = true;
    std::thread posters([&] {
        ASSERT_TRUE(waitFor([&] { return listener->running.load(); }));
        postFromThreadsAndCheck(100000 / 8);
        listener->end = true;
    });
    EXPECT_EQ(exec(), 0); // the loop runs here until the posters are done
    posters.join();
}

// A negative result pauses the loop and start() resumes it; stop() from the loop's own thread detaches.
TEST(KestThread, PausesOnANegativeResultAndStopsFromItsOwnThread)
{
    std::atomic<int> runs{0};
    KestThread* self = nullptr;
    KestThread thread(
        [&] {
            if (++runs == 5)
                self->stop();
            return runs == 3 ? -1 : 0;
        },
        "selfstop");
    self = &thread;
    thread.start();
    ASSERT_TRUE(waitFor([&] { return thread.status() == KestThread::Paused; }));
    EXPECT_EQ(runs.load(), 3);
    thread.start();
    ASSERT_TRUE(waitFor([&] { return thread.status() == KestThread::Stopped; }));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(runs.load(), 5);
}

} // namespace
