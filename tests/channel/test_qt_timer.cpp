// Queued mode with the Qt event loop on the worker thread: the 1 ms message
// timer runs queued messages in batches, in posting order, and quit() pauses the
// worker so that later messages stay queued.

#include "channel/messagecontrol.h"
#include "channel/playchannel.h"
#include "channel/qtmsgctrllistener.h"
#include "core/src/enginehost.h"
#include "dorvo_preview.h"
#include "support/logcapture.h"
#include "utils/kestThread.h"

#include "support/wait.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QThread>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

using namespace dorvo_preview;

namespace {

using testsupport::waitFor;

struct Seen
{
    std::mutex mutex;
    std::vector<std::pair<std::string, int>> calls;
    std::atomic<bool> onQtThread{true};
    size_t size()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return calls.size();
    }
};

Seen g_seen;

// The Qt-side listener, with setWidgetX recorded instead of looked up.
class TimerListener : public QtMsgCtrlListener
{
public:
    void setWidgetX(const std::string& id, float value) override
    {
        QCoreApplication* app = QCoreApplication::instance();
        if (!app || QThread::currentThread() != app->thread())
            g_seen.onQtThread = false;
        std::lock_guard<std::mutex> lock(g_seen.mutex);
        g_seen.calls.emplace_back(id, static_cast<int>(value));
    }
};

TEST(QtTimer, MessagesRunOnTheQtThreadInOrderUntilQuit)
{
    auto sink = testsupport::captureLog();
    EngineHost::instance()->config(0, nullptr, nullptr);
    auto channel = std::make_shared<PlayChannel>(std::make_unique<TimerListener>());
    channel->init(true);
    EngineHost::instance()->setPlayChannel("default", channel);

    // Before exec: run by the worker at once, without Qt.
    setWidgetX("before", 1);
    ASSERT_TRUE(waitFor([] { return g_seen.size() == 1; }, 5000));
    EXPECT_FALSE(g_seen.onQtThread.load());
    g_seen.onQtThread = true;

    ASSERT_EQ(exec(), 0);
    ASSERT_TRUE(waitFor([] { return QCoreApplication::instance() != nullptr; }, 10000));

    // 4 threads x 500 messages through the timer.
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([t] {
            const std::string id = "t" + std::to_string(t);
            for (int i = 0; i < 500; ++i)
                setWidgetX(id.c_str(), static_cast<float>(i));
        });
    }
    for (auto& th : threads)
        th.join();
    ASSERT_TRUE(waitFor([] { return g_seen.size() == 2001; }, 60000)) << g_seen.size();
    EXPECT_TRUE(g_seen.onQtThread.load());
    {
        std::lock_guard<std::mutex> lock(g_seen.mutex);
        std::map<std::string, int> next;
        for (size_t i = 1; i < g_seen.calls.size(); ++i) {
            const auto& call = g_seen.calls[i];
            EXPECT_EQ(call.second, next[call.first]++) << call.first;
        }
    }

    // A second exec while the loop runs does nothing but log.
    ASSERT_EQ(exec(), 0);
    ASSERT_TRUE(waitFor([&] { return channel->control()->pending() == 0; }, 5000));

    ASSERT_EQ(quit(), 0);
    ASSERT_TRUE(waitFor([&] { return channel->worker()->status() == KestThread::Paused; }, 10000));
    EXPECT_EQ(testsupport::countStartingWith(*sink, "quit QApplication \n"), 1u);
    EXPECT_EQ(testsupport::countStartingWith(*sink, "QtEngine::stopMsgTimer \n"), 1u);

    // The engine does not start again: later calls are refused, nothing is queued.
    EXPECT_EQ(setWidgetX("after-quit", 5), -1);
    EXPECT_EQ(exec(), -1);
    EXPECT_EQ(g_seen.size(), 2001u);
    EXPECT_EQ(channel->control()->pending(), 0u);
}

} // namespace
