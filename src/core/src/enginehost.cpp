#include "enginehost.h"

#include "channel/playchannel.h"
#include "core/engine/qtengine.h"
#include "logging/log.h"
#include "logging/spdlogapplication.h"

#include <QCoreApplication>
#include <QObject>
#include <QThread>

#include <atomic>
#include <deque>
#include <map>
#include <set>
#include <mutex>
#include <unordered_map>

namespace dorvo_preview {

struct EngineHost::Private
{
    mutable std::mutex mutex; // registries, engine, attached window, path
    std::unique_ptr<Engine> engine;
    bool forcePaused = false;
    QObject* attachedWindow = nullptr;
    std::map<std::string, QObject*> windows;
    std::map<std::string, QObject*> widgets;

    mutable std::mutex idMutex; // identifier lists
    std::deque<std::string> widgetIds;
    std::deque<std::string> windowIds;
    std::set<std::string> failedCreations;

    mutable std::mutex channelMutex; // channel table
    std::unordered_map<std::string, std::shared_ptr<PlayChannel>> channels;
    std::shared_ptr<PlayChannel> defaultChannel;
    // Channels and engines replaced by a later init(): a running Qt loop may
    // still hold their message timer, so they live until the library unloads.
    std::vector<std::shared_ptr<PlayChannel>> retiredChannels;
    std::vector<std::unique_ptr<Engine>> retiredEngines;

    std::string runningPath;
    std::atomic<bool> stopped{false};

    Private()
    {
        channels.rehash(8);
        channels.max_load_factor(1.0f);
    }
};

EngineHost::EngineHost() : d(std::make_unique<Private>())
{
    RK::SpdlogApplication::instance().useConsole();
}

EngineHost::~EngineHost()
{
    // A host that unloads the library with the Qt loop still running on the
    // worker: end the loop so that the worker can pause and be joined.
    if (QCoreApplication* app = QCoreApplication::instance()) {
        if (app->thread() != QThread::currentThread())
            QMetaObject::invokeMethod(app, "quit", Qt::QueuedConnection);
    }
    // Channels go first: their workers may still run handlers that use the engine.
    std::unordered_map<std::string, std::shared_ptr<PlayChannel>> channels;
    std::vector<std::shared_ptr<PlayChannel>> retired;
    {
        std::lock_guard<std::mutex> lock(d->channelMutex);
        channels.swap(d->channels);
        retired.swap(d->retiredChannels);
        d->defaultChannel.reset();
    }
    channels.clear();
    retired.clear();
    std::lock_guard<std::mutex> lock(d->mutex);
    d->engine.reset();
    d->retiredEngines.clear();
}

EngineHost* EngineHost::instance()
{
    static EngineHost host;
    return &host;
}

Engine* EngineHost::getEngine()
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->engine.get();
}

bool EngineHost::config(int kind, void* moduleHandle, void* hostWindow)
{
    if (kind != 0)
        return false;
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        if (!d->engine)
            d->engine = std::make_unique<QtEngine>();
        if (auto* qt = dynamic_cast<QtEngine*>(d->engine.get()))
            qt->setHandles(moduleHandle, hostWindow);
    }
    LOG_I("EngineHost config Qt engine");
    return true;
}

bool EngineHost::config(int kind)
{
    if (kind != 0)
        return false;
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        // The replaced engine is no longer handed out, but its message timer
        // may still run in a Qt loop: it is kept until unload.
        if (d->engine)
            d->retiredEngines.push_back(std::move(d->engine));
        d->engine = std::make_unique<QtEngine>();
    }
    LOG_I("EngineHost config Qt engine");
    return true;
}

void EngineHost::setPlayChannel(const std::string& name, std::shared_ptr<PlayChannel> channel)
{
    if (name.empty()) {
        LOG_E("EngineHost::setPlayChannel() name is empty!");
        return;
    }
    if (!channel) {
        LOG_E("EngineHost::setPlayChannel() playChannel is nullptr!");
        return;
    }
    std::lock_guard<std::mutex> lock(d->channelMutex);
    auto& slot = d->channels[name];
    if (slot && slot != channel)
        d->retiredChannels.push_back(std::move(slot));
    slot = channel;
    if (name == "default")
        d->defaultChannel = channel;
}

std::shared_ptr<PlayChannel> EngineHost::getPlayChannel()
{
    std::lock_guard<std::mutex> lock(d->channelMutex);
    return d->defaultChannel;
}

// The two registry look-ups: log the miss (the host, its record or the id)
// and give null.
QObject* EngineHost::lookUp(bool window, const std::string& id)
{
    EngineHost* host = instance();
    if (!host) {
        LOG_E("host is nullptr");
        return nullptr;
    }
    if (!host->d) {
        LOG_E("context is nullptr");
        return nullptr;
    }
    std::lock_guard<std::mutex> lock(host->d->mutex);
    const auto& registry = window ? host->d->windows : host->d->widgets;
    auto it = registry.find(id);
    if (it == registry.end()) {
        LOG_E("cannot find %s id %s", window ? "window" : "widget", id.c_str());
        return nullptr;
    }
    return it->second;
}

QObject* EngineHost::getWindow(const std::string& id)
{
    return lookUp(true, id);
}

QObject* EngineHost::getWidget(const std::string& id)
{
    return lookUp(false, id);
}

void EngineHost::addWindow(const std::string& id, QObject* window)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->windows[id] = window;
}

void EngineHost::removeWindow(const std::string& id)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    auto it = d->windows.find(id);
    if (it == d->windows.end())
        return;
    if (d->attachedWindow == it->second)
        d->attachedWindow = nullptr;
    d->windows.erase(it);
}

void EngineHost::addWidget(const std::string& id, QObject* widget)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->widgets[id] = widget;
}

void EngineHost::removeWidget(const std::string& id)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->widgets.erase(id);
}

void EngineHost::removeWidget(const std::string& id, const QObject* expected)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    auto it = d->widgets.find(id);
    if (it != d->widgets.end() && it->second == expected)
        d->widgets.erase(it);
}

std::vector<QObject*> EngineHost::widgets() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    std::vector<QObject*> out;
    out.reserve(d->widgets.size());
    for (const auto& entry : d->widgets)
        out.push_back(entry.second);
    return out;
}

std::vector<QObject*> EngineHost::windows() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    std::vector<QObject*> out;
    for (const auto& entry : d->windows)
        out.push_back(entry.second);
    return out;
}

bool EngineHost::hasWindow(const std::string& id) const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->windows.count(id) != 0;
}

QObject* EngineHost::getAttachWindow()
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->attachedWindow;
}

void EngineHost::setAttachWindow(QObject* window)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->attachedWindow = window;
}

void EngineHost::clearAttachWindow(QObject* window)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    if (d->attachedWindow == window)
        d->attachedWindow = nullptr;
}

bool EngineHost::forcePaused() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->forcePaused;
}

void EngineHost::setForcePaused(bool paused)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->forcePaused = paused;
}

void EngineHost::markStopped()
{
    d->stopped.store(true);
}

bool EngineHost::stopped() const
{
    return d->stopped.load();
}

const char* EngineHost::storeWindowId(const std::string& id)
{
    std::lock_guard<std::mutex> lock(d->idMutex);
    d->windowIds.push_back(id);
    return d->windowIds.back().c_str();
}

const char* EngineHost::storeWidgetId(const std::string& id)
{
    std::lock_guard<std::mutex> lock(d->idMutex);
    d->widgetIds.push_back(id);
    return d->widgetIds.back().c_str();
}

void EngineHost::markCreationFailed(const std::string& id)
{
    std::lock_guard<std::mutex> lock(d->idMutex);
    d->failedCreations.insert(id);
}

bool EngineHost::takeCreationFailed(const std::string& id)
{
    std::lock_guard<std::mutex> lock(d->idMutex);
    return d->failedCreations.erase(id) > 0;
}

size_t EngineHost::widgetIdCount() const
{
    std::lock_guard<std::mutex> lock(d->idMutex);
    return d->widgetIds.size();
}

void EngineHost::setRunningPath(const std::string& path)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->runningPath = path;
}

std::string EngineHost::runningPath() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->runningPath;
}

} // namespace dorvo_preview
