#include "kestThread.h"

#include "logging/log.h"

#include <pthread.h>

namespace dorvo_preview {

KestThread::KestThread(std::function<int()> work, std::string name)
    : work_(std::move(work)), name_(std::move(name))
{}

KestThread::~KestThread()
{
    bool started = false;
    {
        std::lock_guard<std::mutex> call(callMutex_);
        started = thread_ != nullptr;
    }
    if (started)
        stop();
    if (isCurrentThread())
        return;
    // A thread that stopped itself was detached and may still be leaving its
    // loop: wait until it no longer touches this object.
    std::unique_lock<std::mutex> state(stateMutex_);
    cond_.wait(state, [this] { return !looping_; });
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
    if (!call.owns_lock()) {
        // Another control call is under way: keep the request for the run
        // loop, which honours it once the call is over.
        if (isCurrentThread())
            prePaused_ = true;
        return;
    }
    if (status_ == Running)
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
    {
        std::lock_guard<std::mutex> state(stateMutex_);
        looping_ = true;
    }
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
        } else if (status_ == Running && !prePaused_) {
            if (work_() < 0)
                prePaused_ = true;
        }
        if (prePaused_) {
            std::unique_lock<std::mutex> call(callMutex_, std::try_to_lock);
            if (call.owns_lock()) {
                if (status_ == Running)
                    status_ = Paused;
                prePaused_ = false;
            } else {
                // A control call holds the mutex (a pause() waiting for this
                // loop is seen at the top): the request waits for its end
                // instead of being lost, and no more work runs meanwhile.
                std::this_thread::yield();
            }
        }
    }
    if (endHook_)
        endHook_();
    LOG_D("KestThread::onRun end");
    std::lock_guard<std::mutex> state(stateMutex_);
    looping_ = false;
    cond_.notify_all();
}

} // namespace dorvo_preview
