#include "playchannel.h"

#include "messagecontrol.h"
#include "messagecontrollistener.h"
#include "qtmsgctrllistener.h"
#include "logging/log.h"
#include "utils/kestThread.h"

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
    }
}

void PlayChannel::post(int32_t number, MsgParam param)
{
    control_->post(number, param);
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

const char* PlayChannel::createWidget(int type)
{
    static const std::string none;
    return listener_->createWidget(type, none, none, none);
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
    if (control_->processOne(&ran))
        prePause();
    else if (!ran)
        control_->waitForMessage();
    return 0;
}

} // namespace dorvo_preview
