#pragma once

#include "messagecontrol.h"
#include "messagecontrollistener.h"
#include "msgparam.h"

#include <array>
#include <chrono>
#include <atomic>
#include <cstdint>
#include <memory>

namespace dorvo_preview {

class KestThread;

using HostCallback = void (*)(const char*);

// The host callbacks, in the order the channel keeps them.
enum class CallbackKind : int
{
    WidgetSelected = 0,
    RectChanged,
    WidgetDoubleClicked,
    KeyChanged,
    Fps,
    MouseWheel,
    Count
};

// Carries posted messages to the listener: at once (direct mode) or through a
// queue drained by the worker thread and later by the Qt message timer
// (queued mode).
class PlayChannel
{
public:
    // Without a listener the channel uses the Qt-side QtMsgCtrlListener.
    explicit PlayChannel(std::unique_ptr<MessageControlListener> listener = nullptr);
    ~PlayChannel();
    PlayChannel(const PlayChannel&) = delete;
    PlayChannel& operator=(const PlayChannel&) = delete;

    void init(bool threaded);
    void post(int32_t number, MsgParam param);
    // False when the message was refused (logged).
    bool post(MessageControl::Message&& message);
    // Posts the message and waits, at most for the timeout, until it has run.
    // On the worker thread and in direct mode it runs at once. False when it
    // did not run in time (the worker paused, or the channel was torn down).
    bool postAndWait(int32_t number, MsgParam param, std::chrono::milliseconds timeout);
    void prePause();
    void stop();

    // Creates a widget of the type under the given id and returns when it
    // exists. Nothing queued before can name the new widget, so the creation
    // runs ahead of the queued messages, behind only the window and engine
    // messages it depends on, and the caller waits for it unless waiting
    // could not end (on the worker thread itself it runs at once; while the
    // worker is paused it stays queued).
    // False when the call was refused (direct mode, a thread that is not the
    // engine's, logged).
    bool createWidget(int type, const std::string& id);

    void setCallback(CallbackKind kind, HostCallback callback);
    HostCallback callback(CallbackKind kind) const;
    // Calls the callback if one is set; text is valid only during the call.
    void notify(CallbackKind kind, const char* text) const;

    MessageControl* control() const { return control_.get(); }
    MessageControlListener* listener() const { return listener_.get(); }
    KestThread* worker() const { return worker_.get(); }
    bool stopped() const { return stopped_; }

private:
    bool queueServed() const;
    int step();

    std::atomic<bool> stopped_{false};
    std::unique_ptr<MessageControlListener> listener_;
    std::unique_ptr<MessageControl> control_;
    std::unique_ptr<KestThread> worker_;
    std::array<std::atomic<HostCallback>, static_cast<size_t>(CallbackKind::Count)> callbacks_{};
};

} // namespace dorvo_preview
