#include "kestThread.h"

#include "logging/log.h"

#include <pthread.h>

namespace dorvo_preview {

KestThread::KestThread(std::function<int()> work, std::string name)
    : work_(std::move(work)), name_(std::move(name))
{}

KestThread::~KestThread()
{
    if (thread_)
        stop();
}

void KestThread::wake()
{
    if (wakeHook_)
        wakeHook_();
}

void KestThread::start()
{
    LOG_D("KestThread::start start");
    {
        std::lock_guard<std::mutex> call(callMutex_);
        prePaused_ = false;
        if (thread_) {
            std::lock_guard<std::mutex> state(stateMutex_);
            status_ = Running;
            cond_.notify_all();
        } else {
            status_ = Running;
            thread_ = std::make_unique<std::thread>(&KestThread::onRun, this);
        }
    }
    LOG_D("KestThread::start end");
}

void KestThread::prePause()
{
    LOG_D("KestThread::prePause");
    std::unique_lock<std::mutex> call(callMutex_, std::try_to_lock);
    if (call.owns_lock() && status_ == Running)
        prePaused_ = true;
}

void KestThread::pause()
{
    LOG_D("KestThread::pause start");
    {
        std::lock_guard<std::mutex> call(callMutex_);
        if (status_ == Running) {
            std::unique_lock<std::mutex> state(stateMutex_);
            waitPaused_ = true;
            state.unlock();
            wake();
            state.lock();
            cond_.wait(state, [this] { return !waitPaused_.load(); });
        }
    }
    LOG_D("KestThread::pause end");
}

void KestThread::stop()
{
    LOG_D("KestThread::stop %s start", name_.c_str());
    {
        std::lock_guard<std::mutex> call(callMutex_);
        prePaused_ = false;
        {
            std::lock_guard<std::mutex> state(stateMutex_);
            status_ = Stopped;
            cond_.notify_all();
        }
        wake();
        if (thread_ && thread_->joinable()) {
            if (thread_->get_id() == std::this_thread::get_id())
                thread_->detach();
            else
                thread_->join();
        }
        thread_.reset();
    }
    LOG_D("KestThread::stop %s end", name_.c_str());
}

void KestThread::onRun()
{
    workerId_ = std::this_thread::get_id();
    pthread_setname_np(pthread_self(), name_.substr(0, 15).c_str());
    LOG_D("KestThread::onRun start");
    if (startHook_)
        startHook_();
    while (status_ > Stopped) {
        if (waitPaused_) {
            LOG_D("_waitPaused");
            std::lock_guard<std::mutex> state(stateMutex_);
            status_ = Paused;
            waitPaused_ = false;
            cond_.notify_all();
        }
        if (status_ == Paused) {
            LOG_D("ThreadStatusPaused == _threadStatus");
            std::unique_lock<std::mutex> state(stateMutex_);
            cond_.wait(state, [this] { return status_ != Paused; });
        } else if (status_ == Running) {
            if (work_() < 0)
                prePaused_ = true;
        }
        if (prePaused_) {
            std::unique_lock<std::mutex> call(callMutex_, std::try_to_lock);
            if (call.owns_lock() && status_ == Running)
                status_ = Paused;
            prePaused_ = false;
        }
    }
    if (endHook_)
        endHook_();
    LOG_D("KestThread::onRun end");
}

} // namespace dorvo_preview
