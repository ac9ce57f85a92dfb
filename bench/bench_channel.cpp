// Once the Qt loop runs on the worker, messages go through the 1 ms message
// timer: how many run per second, and how long a message waits between its
// posting and its execution, with the Qt loop idle and while it renders an
// animated Quick scene.

#include "channel/playchannel.h"
#include "channel/qtmsgctrllistener.h"
#include "core/src/enginehost.h"
#include "dorvo_preview.h"
#include "logging/spdlogapplication.h"

#include <spdlog/spdlog.h>

#include <QCoreApplication>
#include <QQuickView>
#include <QUrl>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

using namespace dorvo_preview;
using Clock = std::chrono::steady_clock;

namespace {

std::mutex g_mutex;
std::vector<double> g_delaysUs;
std::atomic<int> g_executed{0};
QQuickView* g_view = nullptr;

int64_t nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count();
}

// Posting time travels in the id; setWidgetX records the delay. createWindow
// shows an animated scene so that the Qt loop renders continuously.
class BenchListener : public QtMsgCtrlListener
{
public:
    void setWidgetX(const std::string& id, float) override
    {
        const double us = (nowNs() - std::stoll(id)) / 1000.0;
        std::lock_guard<std::mutex> lock(g_mutex);
        g_delaysUs.push_back(us);
        ++g_executed;
    }
    void createWindow(const std::string&) override
    {
        g_view = new QQuickView();
        g_view->setResizeMode(QQuickView::SizeRootObjectToView);
        g_view->setColor(Qt::black);
        g_view->resize(1280, 720);
        g_view->show();
        g_view->setSource(QUrl::fromLocalFile(QStringLiteral(DORVO_BENCH_QML_DEFAULT)));
    }
};

void waitFor(int count)
{
    const auto end = Clock::now() + std::chrono::seconds(120);
    while (g_executed < count && Clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

void run(const char* label)
{
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        g_delaysUs.clear();
    }
    g_executed = 0;

    // Throughput: a burst of 3000 messages.
    const int burst = 3000;
    const auto t0 = Clock::now();
    for (int i = 0; i < burst; ++i)
        setWidgetX(std::to_string(nowNs()).c_str(), 0);
    waitFor(burst);
    const double seconds = std::chrono::duration<double>(Clock::now() - t0).count();

    // Delay: single messages spaced 5 ms apart, as an editor sends them.
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        g_delaysUs.clear();
    }
    g_executed = 0;
    const int singles = 400;
    for (int i = 0; i < singles; ++i) {
        setWidgetX(std::to_string(nowNs()).c_str(), 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    waitFor(singles);
    std::vector<double> d;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        d = g_delaysUs;
    }
    std::sort(d.begin(), d.end());
    std::printf("%-22s %8.0f messages/s | delay median %7.0f us, p99 %7.0f us (n=%zu)\n", label,
                burst / seconds, d[d.size() / 2], d[d.size() * 99 / 100], d.size());
}

} // namespace

int main()
{
    qputenv("QSG_RENDER_LOOP", "basic");
    EngineHost::instance();
    auto& log = RK::SpdlogApplication::instance();
    log.shutdown();
    log.setName(RK::SpdlogApplication::kLoggerName);
    log.setup(); // no sinks: the figures are about the channel, not the log
    log.logger()->set_level(spdlog::level::off);

    EngineHost::instance()->config(0, nullptr, nullptr);
    auto channel = std::make_shared<PlayChannel>(std::make_unique<BenchListener>());
    channel->init(true);
    EngineHost::instance()->setPlayChannel("default", channel);
    exec();
    while (!QCoreApplication::instance())
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));

    run("Qt loop idle:");
    createWindow();
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    run("Qt loop rendering:");
    quit();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    return 0;
}
