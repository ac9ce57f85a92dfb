#pragma once

// The common frame of the exported functions: look the channel up, refuse with
// a log line when there is none, otherwise copy the arguments into a MsgParam
// and post it.

#include "channel/messagecontrol.h"
#include "channel/msgparam.h"
#include "channel/msgtype.h"

#include <cstdint>
#include <memory>

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
void logRefusal(const Site& site);

// One posting call: holds the channel for the duration of the call and builds
// the record; send() posts it (0) or logs the refusal (-1).
class Post
{
public:
    Post(const Site& site, MsgType type, WidgetType widgetType = WidgetType::None);
    ~Post();
    Post(const Post&) = delete;
    Post& operator=(const Post&) = delete;

    Post& str1(const char* text);
    Post& str2(const char* text);
    Post& str3(const char* text);
    Post& flag(bool value);
    Post& integer(int64_t value);
    Post& real(float value);

    // True when a channel exists and the record can be posted.
    bool ready() const { return channel_ != nullptr; }
    int send();

private:
    Post& text(int index, const char* text);

    Site site_;
    std::shared_ptr<PlayChannel> channel_;
    MessageControl::Message message_;
};

// createWindow, createWidget and createWidgetContainer.
const char* createWindow(const Site& site);
const char* createWidget(const Site& site, int type, const char* containerId, const char* defaultContent);
const char* createWidgetContainer(const Site& site, const char* defaultContent);
// N<Family>_createWidget: creates the widget on the Qt thread and returns its id,
// or null (logged) when no widget was created.
const char* createFamilyWidget(const Site& site, WidgetType type);
// Exports that are accepted and ignored: guard, copy, post nothing.
int acceptIgnored(const Site& site, const char* first, const char* second);
// The channel exports post into; none before the engine starts or after quit().
std::shared_ptr<PlayChannel> liveChannel();
// quit(): ends the engine and returns once its Qt loop has ended.
int quitEngine(const Site& site);
// Exports without a message that only need the channel (callback setters).
std::shared_ptr<PlayChannel> channelOrRefuse(const Site& site);

} // namespace frame
} // namespace dorvo_preview
