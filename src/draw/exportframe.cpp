#include "exportframe.h"

#include "channel/playchannel.h"
#include "channel/qtmsgctrllistener.h"
#include "core/src/enginehost.h"
#include "logging/log.h"
#include "utils/uuid.h"

#include <string>

namespace dorvo_preview {
namespace frame {

void logRefusal(const Site& site) noexcept
try {
    if (EngineHost::instance()->stopped()) {
        RK::logf(RK::Level::Error, site.file, site.function, site.line,
                 site.refusal == Refusal::Plain ? "%s error, engine stopped" : "%s() error, engine stopped",
                 site.function);
        return;
    }
    RK::logf(RK::Level::Error, site.file, site.function, site.line,
             site.refusal == Refusal::Plain ? "%s error" : "%s() error", site.function);
} catch (...) {
    // Nothing more can be said without the logger.
}

void logFailure(const Site& site, const char* what) noexcept
{
    try {
        RK::logf(RK::Level::Error, site.file, site.function, site.line,
                 site.refusal == Refusal::Plain ? "%s failed: %s" : "%s() failed: %s", site.function, what);
    } catch (...) {
        // Nothing more can be said without the logger.
    }
}

std::shared_ptr<PlayChannel> liveChannel()
{
    EngineHost* host = EngineHost::instance();
    return host->stopped() ? nullptr : host->getPlayChannel();
}

Post::Post(const Site& site, MsgType type, WidgetType widgetType) noexcept : site_(site)
{
    message_.number = static_cast<int32_t>(type);
    message_.widgetType = static_cast<int32_t>(widgetType);
    try {
        channel_ = liveChannel();
    } catch (const std::exception& e) {
        fail(e.what());
    } catch (...) {
        fail("unknown exception");
    }
}

Post::~Post() = default;

void Post::fail(const char* what) noexcept
{
    if (failure_)
        return;
    failure_ = "unknown exception";
    try {
        failureText_ = what;
        failure_ = failureText_.c_str();
    } catch (...) {
    }
}

// Short texts are copied into the message itself, longer ones onto the heap.
Post& Post::text(int index, const char* value) noexcept
{
    if (!channel_ || failure_ || message_.texts[index].present())
        return *this;
    try {
        message_.texts[index].assign(value);
    } catch (const std::exception& e) {
        fail(e.what());
    } catch (...) {
        fail("unknown exception");
    }
    return *this;
}

Post& Post::str1(const char* value) noexcept
{
    return text(0, value);
}

Post& Post::str2(const char* value) noexcept
{
    return text(1, value);
}

Post& Post::str3(const char* value) noexcept
{
    return text(2, value);
}

Post& Post::flag(bool value) noexcept
{
    message_.boolValue = value;
    return *this;
}

Post& Post::integer(int64_t value) noexcept
{
    message_.intValue = value;
    return *this;
}

Post& Post::real(float value) noexcept
{
    message_.floatValue = value;
    return *this;
}

int Post::send() noexcept
{
    if (failure_) {
        logFailure(site_, failure_);
        return -1;
    }
    if (!channel_) {
        logRefusal(site_);
        return -1;
    }
    // The channel owns the texts from here on.
    return guarded(site_, -1, [this] { return channel_->post(std::move(message_)) ? 0 : -1; });
}

const char* createWindow(const Site& site) noexcept
{
    return guarded(site, static_cast<const char*>(nullptr), [&site]() -> const char* {
        Post post(site, MsgType::CreateKestWindow);
        if (!post.ready()) {
            logRefusal(site);
            return nullptr;
        }
        const std::string id = makeIdentifier();
        if (post.str1(id.c_str()).send() != 0)
            return nullptr;
        return EngineHost::instance()->storeWindowId(id);
    });
}

const char* createWidget(const Site& site, int type, const char* containerId,
                         const char* defaultContent) noexcept
{
    return guarded(site, static_cast<const char*>(nullptr), [&]() -> const char* {
        Post post(site, MsgType::CreateWidget, static_cast<WidgetType>(type));
        if (!post.ready()) {
            logRefusal(site);
            return nullptr;
        }
        if (static_cast<unsigned>(type) > static_cast<unsigned>(kWidgetTypeMax)) {
            RK::logf(RK::Level::Error, site.file, site.function, site.line, "cannot support this type %d",
                     type);
            return nullptr;
        }
        const std::string id = makeIdentifier();
        if (post.str1(id.c_str()).str2(containerId).str3(defaultContent).send() != 0)
            return nullptr;
        return EngineHost::instance()->storeWidgetId(id);
    });
}

const char* createWidgetContainer(const Site& site, const char* defaultContent) noexcept
{
    return guarded(site, static_cast<const char*>(nullptr), [&]() -> const char* {
        Post post(site, MsgType::CreateWidget, WidgetType::WidgetContainer);
        if (!post.ready()) {
            logRefusal(site);
            return nullptr;
        }
        const std::string id = makeIdentifier();
        if (post.str1(id.c_str()).str2("").str3(defaultContent).send() != 0)
            return nullptr;
        return EngineHost::instance()->storeWidgetId(id);
    });
}

const char* createFamilyWidget(const Site& site, WidgetType type) noexcept
{
    return guarded(site, static_cast<const char*>(nullptr), [&]() -> const char* {
        std::shared_ptr<PlayChannel> channel = channelOrRefuse(site);
        if (!channel)
            return nullptr;
        const std::string id = makeIdentifier();
        if (!channel->createWidget(static_cast<int>(type), id))
            return nullptr;
        // A creation that ran (on the Qt thread, before createWidget returned) and
        // made nothing gives null; one still queued behind a stopped loop keeps its id.
        if (EngineHost::instance()->takeCreationFailed(id)) {
            RK::logf(RK::Level::Error, site.file, site.function, site.line, "%s() widget %s was not created",
                     site.function, id.c_str());
            return nullptr;
        }
        return EngineHost::instance()->storeWidgetId(id);
    });
}

const char* createFamilyWidget(const Site& site, WidgetType type, std::string (*defaultSource)()) noexcept
{
    const char* id = createFamilyWidget(site, type);
    if (id) {
        guarded(site, -1, [&] {
            const std::string source = defaultSource();
            return Post(site, MsgType::SetWidgetSource, type).str1(id).str2(source.c_str()).send();
        });
    }
    return id;
}

int acceptIgnored(const Site& site, const char* first, const char* second) noexcept
{
    return guarded(site, -1, [&] {
        if (!channelOrRefuse(site))
            return -1;
        // Copied like every other argument, then dropped: nothing uses them.
        std::string a(first ? first : "");
        std::string b(second ? second : "");
        return 0;
    });
}

int quitEngine(const Site& site) noexcept
{
    return guarded(site, -1, [&] {
        std::shared_ptr<PlayChannel> channel = channelOrRefuse(site);
        if (!channel)
            return -1;
        // The host may return from main() right after this call: the Qt loop,
        // its rendering and the windows end before the call returns, so that
        // nothing of the engine still runs while the process tears down.
        if (!channel->postAndWait(static_cast<int32_t>(MsgType::QuitQtExec), MsgParam(),
                                  std::chrono::seconds(10)))
            LOG_E("quit() the engine did not take the quit message in time");
        QtMsgCtrlListener::waitForLoopEnd(std::chrono::seconds(10));
        return 0;
    });
}

std::shared_ptr<PlayChannel> channelOrRefuse(const Site& site)
{
    std::shared_ptr<PlayChannel> channel = liveChannel();
    if (!channel)
        logRefusal(site);
    return channel;
}

} // namespace frame
} // namespace dorvo_preview
