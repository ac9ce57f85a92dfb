#include "playchannel.h"

#include "messagecontrol.h"
#include "messagecontrollistener.h"
#include "qtmsgctrllistener.h"
#include "logging/log.h"
#include "channel/msgtype.h"
#include "utils/kestThread.h"

#include <chrono>
#include <future>
#include <thread>

namespace dorvo_preview {

PlayChannel::PlayChannel(std::unique_ptr<MessageControlListener> listener)
{
    LOG_I("PlayChannel::PlayChannel()");
    listener_ = listener ? std::move(listener) : std::make_unique<QtMsgCtrlListener>();
    control_ = std::make_unique<MessageControl>(listener_.get());
    worker_ = std::make_unique<KestThread>([this] { return step(); }, "PlayChannelService");
    worker_->setWakeHook([this] { control_->wake(); });
    for (auto& cb : callbacks_)
        cb.store(nullptr);
}

PlayChannel::~PlayChannel()
{
    LOG_I("PlayChannel::~PlayChannel()");
    if (!stopped_)
        stop();
    worker_->stop();
    LOG_I("PlayChannel::~PlayChannel() end");
    worker_.reset();
    control_.reset();
    listener_.reset();
}

void PlayChannel::init(bool threaded)
{
    LOG_I("PlayChannel::init()");
    stopped_ = false;
    LOG_I("start thread %d", threaded ? 1 : 0);
    if (threaded) {
        control_->setQueued(true);
        worker_->start();
    } else {
        control_->setOwnerThread(std::this_thread::get_id());
    }
}

void PlayChannel::post(int32_t number, MsgParam param)
{
    control_->post(number, param);
}

bool PlayChannel::post(MessageControl::Message&& message)
{
    return control_->post(std::move(message));
}

// Whether a message queued from this thread can still be taken: by the worker
// (queued mode) or by the running Qt loop (direct mode).
bool PlayChannel::queueServed() const
{
    if (stopped_)
        return false;
    return control_->queued() ? worker_->status() == KestThread::Running : control_->carrying();
}

bool PlayChannel::postAndWait(int32_t number, MsgParam param, std::chrono::milliseconds timeout)
{
    const MessageControl::Route route = control_->route();
    if (route == MessageControl::Route::Here || worker_->isCurrentThread()) {
        control_->onMsgProcessor(number, param);
        param.freeStrings();
        return true;
    }
    if (route == MessageControl::Route::Refuse) {
        control_->post(number, param);
        return false;
    }
    auto done = std::make_shared<std::promise<void>>();
    std::future<void> ran = done->get_future();
    control_->post(number, param, [done] { done->set_value(); });
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (ran.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready) {
        if (!queueServed() || std::chrono::steady_clock::now() > deadline)
            return false;
    }
    return true;
}

void PlayChannel::prePause()
{
    LOG_D("PlayChannel::prePause start");
    worker_->prePause();
    LOG_D("PlayChannel::prePause end");
}

void PlayChannel::stop()
{
    stopped_ = true;
    worker_->pause();
    control_->clear();
}

bool PlayChannel::createWidget(int type, const std::string& id)
{
    MsgParam param;
    param.widgetType = type;
    param.firstString = new std::string(id);
    param.secondString = new std::string();
    param.thirdString = new std::string();
    const auto number = static_cast<int32_t>(MsgType::CreateWidget);
    const MessageControl::Route route = control_->route();
    if (route == MessageControl::Route::Here || worker_->isCurrentThread()) {
        // The engine's thread calling (direct mode, or the worker): run it here.
        control_->onMsgProcessor(number, param);
        param.freeStrings();
        return true;
    }
    if (route == MessageControl::Route::Refuse) {
        control_->post(number, param);
        return false;
    }
    auto done = std::make_shared<std::promise<void>>();
    std::future<void> created = done->get_future();
    control_->postAhead(number, param, [done] { done->set_value(); });
    // The engine's thread never waits for host threads, so this wait ends
    // unless the queue is no longer served (the Qt loop ended) or the channel
    // is torn down.
    while (created.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready) {
        if (!queueServed())
            return true;
    }
    return true;
}

void PlayChannel::setCallback(CallbackKind kind, HostCallback callback)
{
    callbacks_[static_cast<size_t>(kind)].store(callback);
}

HostCallback PlayChannel::callback(CallbackKind kind) const
{
    return callbacks_[static_cast<size_t>(kind)].load();
}

void PlayChannel::notify(CallbackKind kind, const char* text) const
{
    if (HostCallback cb = callback(kind))
        cb(text ? text : "");
}

// The worker's work function. Outside the Qt event loop it sleeps on the queue
// instead of spinning; once CreateQtExec has returned (the Qt loop ended) the
// worker pauses itself.
int PlayChannel::step()
{
    if (stopped_)
        return 0;
    bool ran = false;
    if (control_->drain(&ran))
        prePause();
    else if (!ran)
        control_->waitForMessage();
    return 0;
}

} // namespace dorvo_preview
