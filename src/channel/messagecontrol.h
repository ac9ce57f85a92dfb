#pragma once

#include "msgparam.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>

namespace dorvo_preview {

class MessageControlListener;

// Holds the queue of posted messages and hands each to the listener operation
// of its number.
class MessageControl
{
public:
    explicit MessageControl(MessageControlListener* listener);
    ~MessageControl();
    MessageControl(const MessageControl&) = delete;
    MessageControl& operator=(const MessageControl&) = delete;

    void setQueued(bool queued) { queued_ = queued; }
    bool queued() const { return queued_; }
    MessageControlListener* listener() const { return listener_; }

    // Queued mode: appends the message; direct mode: runs it on the calling
    // thread. Either way the record's strings belong to the control afterwards.
    void post(int32_t number, MsgParam param);
    // The same; done runs once the handler has returned, or when the message
    // is discarded unrun.
    void post(int32_t number, MsgParam param, std::function<void()> done);
    // Queued mode: places the message ahead of the queued ones that cannot
    // concern it, behind every window or engine message (numbers 0 to 20) and
    // every earlier message placed ahead, so that it runs at the next turn of
    // the queue. Direct mode: like post.
    void postAhead(int32_t number, MsgParam param, std::function<void()> done);
    // Runs the oldest queued message. Returns true exactly when it was
    // CreateQtExec; ran (optional) tells whether a message was taken at all.
    bool processOne(bool* ran = nullptr);
    // Runs queued messages in order until the queue is empty or the budget is
    // spent (at least one runs), so that the Qt loop serves its own events
    // between two batches. Stops early after CreateQtExec or QuitQtExec, whose
    // successors belong to the next loop. Returns how many ran.
    int processBatch(std::chrono::microseconds budget);
    // Runs every queued message, taking the queue in one step rather than one
    // lock per message (the worker's way before the Qt loop runs). Stops after
    // CreateQtExec, handing what follows it back to the queue first, and then
    // returns true. ran tells whether any message was taken.
    bool drain(bool* ran = nullptr);
    // Runs the handler of one message. Returns false for a number without one.
    bool onMsgProcessor(int32_t number, const MsgParam& param);
    // Discards every queued message, freeing its strings.
    void clear();

    // Blocks until a message is queued or wake() is called.
    void waitForMessage();
    void wake();

    size_t pending() const;
    // Copies the number and record of the oldest queued message without
    // taking it (the strings stay owned by the queue). False when empty.
    bool peek(int32_t& number, MsgParam& param) const;

private:
    // Takes the oldest message and runs it; number receives its number.
    bool runNext(int32_t& number);

    struct Entry
    {
        int32_t number;
        MsgParam param;
        int64_t postedMs;
        std::function<void()> done;
        bool ahead = false;
    };

    mutable std::mutex mutex_;
    std::condition_variable cond_;
    std::deque<Entry> queue_;
    bool woken_ = false;
    bool waiting_ = false;
    // Lock-free hints for the worker's short look before it sleeps.
    std::atomic<bool> pendingHint_{false};
    std::atomic<bool> wokenHint_{false};
    bool queued_ = false;
    MessageControlListener* listener_;
};

} // namespace dorvo_preview
