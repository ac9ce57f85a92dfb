#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace dorvo_preview {

// A worker thread that calls a work function in a loop and can be paused,
// resumed and stopped from other threads.
class KestThread
{
public:
    enum Status : int32_t
    {
        Constructed = 0,
        Stopped = 1,
        Running = 2,
        Paused = 3
    };

    KestThread(std::function<int()> work, std::string name);
    ~KestThread();
    KestThread(const KestThread&) = delete;
    KestThread& operator=(const KestThread&) = delete;

    void start();    // starts the thread, or resumes a paused one
    void prePause(); // asks the loop to pause after the current iteration; nobody waits
    void pause();    // pauses the loop and waits until it has paused
    void stop();     // ends the loop and joins (detaches when called on the thread itself)

    int32_t status() const { return status_.load(); }
    // True when called on the worker thread itself.
    bool isCurrentThread() const { return workerId_.load() == std::this_thread::get_id(); }
    const std::string& name() const { return name_; }

    void setStartHook(std::function<void()> hook) { startHook_ = std::move(hook); }
    void setEndHook(std::function<void()> hook) { endHook_ = std::move(hook); }
    // Called after a pause or stop request so that a work function blocked
    // waiting for work returns and lets the loop see the request.
    void setWakeHook(std::function<void()> hook) { wakeHook_ = std::move(hook); }

private:
    void onRun();
    void wake();

    std::function<int()> work_;
    std::string name_;
    std::mutex stateMutex_;
    std::mutex callMutex_;
    std::atomic<bool> waitPaused_{false};
    std::atomic<bool> prePaused_{false};
    std::condition_variable cond_;
    std::atomic<int32_t> status_{Constructed};
    std::unique_ptr<std::thread> thread_;
    std::atomic<std::thread::id> workerId_{};
    bool looping_ = false; // the run loop has not returned yet (state mutex)
    std::function<void()> startHook_;
    std::function<void()> endHook_;
    std::function<void()> wakeHook_;
};

} // namespace dorvo_preview
