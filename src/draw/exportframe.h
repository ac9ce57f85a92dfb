#pragma once

// The common frame of the exported functions: look the channel up, refuse with
// a log line when there is none, otherwise copy the arguments into a MsgParam
// and post it.

#include "channel/messagecontrol.h"
#include "channel/msgparam.h"
#include "channel/msgtype.h"

#include <cstdint>
#include <exception>
#include <memory>
#include <string>

namespace dorvo_preview {

class PlayChannel;

namespace frame {

// How a refusal reads: "name() error" or, for some exports, "name error".
enum class Refusal
{
    Paren,
    Plain
};

// Where an export stands, for its refusal log line.
struct Site
{
    const char* file;
    const char* function;
    int line;
    Refusal refusal;
};

#define DP_SITE                                                                                              \
    ::dorvo_preview::frame::Site                                                                             \
    {                                                                                                        \
        __FILE__, __func__, __LINE__, ::dorvo_preview::frame::Refusal::Paren                                 \
    }
#define DP_SITE_PLAIN                                                                                        \
    ::dorvo_preview::frame::Site                                                                             \
    {                                                                                                        \
        __FILE__, __func__, __LINE__, ::dorvo_preview::frame::Refusal::Plain                                 \
    }

// Logs the refusal line of an export at error level.
void logRefusal(const Site& site) noexcept;
// Logs an export that failed on an exception ("name() failed: what").
void logFailure(const Site& site, const char* what) noexcept;

// Runs an export's body so that no exception reaches the host: one that is
// thrown (out of memory, a system error) is logged with the export's name and
// the export answers `failed`.
template <typename R, typename F> R guarded(const Site& site, R failed, F&& body) noexcept
{
    try {
        return body();
    } catch (const std::exception& e) {
        logFailure(site, e.what());
    } catch (...) {
        logFailure(site, "unknown exception");
    }
    return failed;
}

// One posting call: holds the channel for the duration of the call and builds
// the record; send() posts it (0) or logs the refusal (-1). Nothing of it
// throws: a failure on the way is logged by send(), which then answers -1.
class Post
{
public:
    Post(const Site& site, MsgType type, WidgetType widgetType = WidgetType::None) noexcept;
    ~Post();
    Post(const Post&) = delete;
    Post& operator=(const Post&) = delete;

    Post& str1(const char* text) noexcept;
    Post& str2(const char* text) noexcept;
    Post& str3(const char* text) noexcept;
    Post& flag(bool value) noexcept;
    Post& integer(int64_t value) noexcept;
    Post& real(float value) noexcept;

    // True when a channel exists and the record can be posted.
    bool ready() const noexcept { return channel_ != nullptr && !failure_; }
    int send() noexcept;

private:
    Post& text(int index, const char* text) noexcept;
    void fail(const char* what) noexcept;

    Site site_;
    std::shared_ptr<PlayChannel> channel_;
    MessageControl::Message message_;
    // The first failure while building the record, reported by send().
    const char* failure_ = nullptr;
    std::string failureText_;
};

// createWindow, createWidget and createWidgetContainer.
const char* createWindow(const Site& site) noexcept;
const char* createWidget(const Site& site, int type, const char* containerId,
                         const char* defaultContent) noexcept;
const char* createWidgetContainer(const Site& site, const char* defaultContent) noexcept;
// N<Family>_createWidget: creates the widget on the Qt thread and returns its id,
// or null (logged) when no widget was created.
const char* createFamilyWidget(const Site& site, WidgetType type) noexcept;
// The same for a family that starts from a default content: once the widget
// exists, defaultSource() is posted as its source.
const char* createFamilyWidget(const Site& site, WidgetType type, std::string (*defaultSource)()) noexcept;
// Exports that are accepted and ignored: guard, copy, post nothing.
int acceptIgnored(const Site& site, const char* first, const char* second) noexcept;
// The channel exports post into; none before the engine starts or after quit().
std::shared_ptr<PlayChannel> liveChannel();
// quit(): ends the engine and returns once its Qt loop has ended.
int quitEngine(const Site& site) noexcept;
// Exports without a message that only need the channel (callback setters).
std::shared_ptr<PlayChannel> channelOrRefuse(const Site& site);

} // namespace frame
} // namespace dorvo_preview
