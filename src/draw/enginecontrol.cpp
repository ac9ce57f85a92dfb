#include "dorvo_preview.h"

#include "channel/playchannel.h"
#include "core/src/enginehost.h"
#include "exportframe.h"
#include "logging/log.h"
#include "logging/spdlogapplication.h"

#include <QCoreApplication>
#include <QDir>
#include <QString>

#include <atomic>
#include <mutex>

using namespace dorvo_preview;
using namespace dorvo_preview::frame;

namespace {

std::mutex g_startMutex;
// How the engine was started: the two modes do not mix.
enum class Mode
{
    None,
    Direct,
    Queued
};
Mode g_mode = Mode::None;
std::atomic<bool> g_runningPathSet{false};

// A start the engine cannot take: after quit(), or in the other mode.
bool refuseStart(const char* name, Mode wanted)
{
    if (EngineHost::instance()->stopped()) {
        LOG_E("%s() error, engine stopped", name);
        return true;
    }
    if (g_mode != Mode::None && g_mode != wanted) {
        LOG_E("%s() refused, the engine already runs in %s mode", name,
              g_mode == Mode::Direct ? "direct (init)" : "queued (initPreview)");
        return true;
    }
    return false;
}

const size_t kLogFileSize = 20971520;
const size_t kLogFileCount = 20;

int storeCallback(const Site& site, CallbackKind kind, DorvoCallback callback)
{
    return guarded(site, -1, [&]() -> int {
        std::shared_ptr<PlayChannel> channel = channelOrRefuse(site);
        if (!channel)
            return -1;
        channel->setCallback(kind, callback);
        return 0;
    });
}

} // namespace

int init(void) noexcept
{
    return guarded(DP_SITE, -1, [&]() -> int {
        std::lock_guard<std::mutex> lock(g_startMutex);
        if (refuseStart("init", Mode::Direct))
            return -1;
        g_mode = Mode::Direct;
        EngineHost* host = EngineHost::instance();
        host->config(0);
        auto channel = std::make_shared<PlayChannel>();
        channel->init(false);
        host->setPlayChannel("default", channel);
        return 0;
    });
}

bool initPreview(void* moduleHandle, void* hostWindow) noexcept
{
    return guarded(DP_SITE, false, [&]() -> bool {
        std::lock_guard<std::mutex> lock(g_startMutex);
        if (refuseStart("initPreview", Mode::Queued))
            return false;
        EngineHost* host = EngineHost::instance();
        host->config(0, moduleHandle, hostWindow);
        if (g_mode == Mode::Queued)
            return false;
        auto channel = std::make_shared<PlayChannel>();
        channel->init(true);
        host->setPlayChannel("default", channel);
        g_mode = Mode::Queued;
        return false;
    });
}

void setRunningPath(const char* path) noexcept
{
    guarded(DP_SITE, 0, [&] {
        // An empty path would put the log at the root of the file system.
        if (!path || !*path) {
            LOG_E("setRunningPath() refused, the path is empty");
            return 0;
        }
        if (g_runningPathSet.exchange(true))
            return 0;
        QString runningPath = QString::fromLocal8Bit(path ? path : "");
        runningPath.replace('\\', '/');
        if (!QDir().mkpath(runningPath) || !QDir::setCurrent(runningPath))
            LOG_E("cannot use running path %s", runningPath.toUtf8().constData());
        // The running path comes first; Qt's own plugin folder stays behind it,
        // as the platform plugins live there rather than beside the host.
        QStringList libraryPaths = QCoreApplication::libraryPaths();
        libraryPaths.removeAll(runningPath);
        libraryPaths.prepend(runningPath);
        QCoreApplication::setLibraryPaths(libraryPaths);
        const std::string stored = runningPath.toStdString();
        EngineHost::instance()->setRunningPath(stored);
        // The log file first: in direct mode exec() runs the Qt loop here.
        RK::SpdlogApplication::instance().useRotatingFile(stored + "/log/preview/preview.log", kLogFileSize,
                                                          kLogFileCount);
        LOG_I("=====================VERSION " DORVO_PREVIEW_VERSION_TEXT "=====================");
        exec();
        return 0;
    });
}

int unInit(void) noexcept
{
    return 0;
}

int openConsoleLog(void) noexcept
{
    return guarded(DP_SITE, -1, [&]() -> int {
        RK::SpdlogApplication::instance().useConsole();
        return 0;
    });
}

int setOnWidgetSelected(DorvoCallback callback) noexcept
{
    return storeCallback(DP_SITE, CallbackKind::WidgetSelected, callback);
}

int setOnRectChanged(DorvoCallback callback) noexcept
{
    return storeCallback(DP_SITE, CallbackKind::RectChanged, callback);
}

int setOnWidgetDoubleClicked(DorvoCallback callback) noexcept
{
    return storeCallback(DP_SITE, CallbackKind::WidgetDoubleClicked, callback);
}

int setOnKeyChanged(DorvoCallback callback) noexcept
{
    return storeCallback(DP_SITE, CallbackKind::KeyChanged, callback);
}

int setFpsCallback(DorvoCallback callback) noexcept
{
    return storeCallback(DP_SITE, CallbackKind::Fps, callback);
}

int setMouseWheelCallback(DorvoCallback callback) noexcept
{
    return storeCallback(DP_SITE, CallbackKind::MouseWheel, callback);
}

const char* dorvo_preview_version(void) noexcept
{
    return DORVO_PREVIEW_VERSION_TEXT;
}
