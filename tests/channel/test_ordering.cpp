// Many host threads posting at once: every message arrives once, in the order
// each thread posted it, in direct mode, with the worker draining the queue,
// and through the Qt message timer.

#include "channel/playchannel.h"
#include "channel/qtmsgctrllistener.h"
#include "core/src/enginehost.h"
#include "dorvo_preview.h"
#include "support/logcapture.h"
#include "support/recordinglistener.h"
#include "utils/kestThread.h"

#include "support/wait.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <atomic>
#include <chrono>
#include <functional>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

using namespace dorvo_preview;

namespace {

using testsupport::waitFor;

constexpr int kThreads = 8;

// Records the sequence number of every setWidgetX per posting thread (the id).
struct SequenceLog
{
    std::mutex mutex;
    std::map<std::string, std::vector<int>> seen;
    size_t total = 0;
    void add(const std::string& id, float value)
    {
        std::lock_guard<std::mutex> lock(mutex);
        seen[id].push_back(static_cast<int>(value));
        ++total;
    }
    size_t count()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return total;
    }
};

class SequenceListener : public testsupport::RecordingListener
{
public:
    explicit SequenceListener(SequenceLog* log) : log_(log) {}
    void setWidgetX(const std::string& id, float value) override { log_->add(id, value); }

private:
    SequenceLog* log_;
};

void postFromThreads(int perThread)
{
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([t, perThread] {
            const std::string id = "thread-" + std::to_string(t);
            for (int i = 0; i < perThread; ++i)
                ASSERT_EQ(setWidgetX(id.c_str(), static_cast<float>(i)), 0);
        });
    }
    for (auto& th : threads)
        th.join();
}

void expectEveryThreadInOrder(SequenceLog& log, int perThread)
{
    std::lock_guard<std::mutex> lock(log.mutex);
    ASSERT_EQ(log.seen.size(), static_cast<size_t>(kThreads));
    for (const auto& entry : log.seen) {
        ASSERT_EQ(entry.second.size(), static_cast<size_t>(perThread)) << entry.first;
        for (int i = 0; i < perThread; ++i)
            ASSERT_EQ(entry.second[i], i) << entry.first;
    }
}

void quietLog()
{
    // The records of 100 000 messages are not what is tested here.
    auto sink = testsupport::captureLog();
    (void)sink;
}

// Direct mode: the engine's thread runs a stand-in for the Qt loop (the
// message step every millisecond) until told to end.
class LoopListener : public SequenceListener
{
public:
    using SequenceListener::SequenceListener;
    void createQtExec(const std::function<void()>& step) override
    {
        running = true;
        while (!end) {
            step();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        running = false;
    }
    std::atomic<bool> running{false};
    std::atomic<bool> end{false};
};

TEST(Ordering, DirectModeRefusesOtherThreadsBeforeTheLoopAndCarriesThemWhileItRuns)
{
    quietLog();
    SequenceLog log;
    auto listener = std::make_unique<LoopListener>(&log);
    LoopListener* loop = listener.get();
    auto channel = std::make_shared<PlayChannel>(std::move(listener));
    channel->init(false);
    EngineHost::instance()->setPlayChannel("default", channel);
    int early = 0;
    std::thread([&] { early = setWidgetX("early", 1.0f); }).join();
    EXPECT_EQ(early, -1) << "no Qt loop runs yet: another thread's call is refused";
    std::thread posters([&] {
        ASSERT_TRUE(waitFor([&] { return loop->running.load(); }, 5000));
        postFromThreads(100000 / kThreads);
        waitFor([&] { return log.count() == 100000u; }, 60000);
        loop->end = true;
    });
    EXPECT_EQ(exec(), 0); // the loop runs here until the posters are done
    posters.join();
    EXPECT_EQ(log.count(), 100000u);
    expectEveryThreadInOrder(log, 100000 / kThreads);
}

TEST(Ordering, QueuedModeHundredThousandFromEightThreads)
{
    quietLog();
    SequenceLog log;
    auto channel = std::make_shared<PlayChannel>(std::make_unique<SequenceListener>(&log));
    channel->init(true);
    EngineHost::instance()->setPlayChannel("default", channel);
    postFromThreads(100000 / kThreads);
    ASSERT_TRUE(waitFor([&] { return log.count() == 100000u; }, 60000)) << log.count();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(log.count(), 100000u);
    expectEveryThreadInOrder(log, 100000 / kThreads);
}

} // namespace
