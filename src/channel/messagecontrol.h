#pragma once

#include "msgparam.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace dorvo_preview {

class MessageControlListener;

// A first-in first-out queue in one growing ring of slots: once it has grown
// to the size a program needs, appending and taking allocate nothing.
template <typename T> class RingQueue
{
public:
    bool empty() const { return count_ == 0; }
    size_t size() const { return count_; }
    T& at(size_t i) { return slots_[(head_ + i) & (slots_.size() - 1)]; }
    T& front() { return slots_[head_]; }
    void push_back(T&& value)
    {
        grow();
        at(count_) = std::move(value);
        ++count_;
    }
    void push_front(T&& value)
    {
        grow();
        head_ = (head_ + slots_.size() - 1) & (slots_.size() - 1);
        slots_[head_] = std::move(value);
        ++count_;
    }
    // Inserts before the element at pos (pos == size() appends).
    void insert(size_t pos, T&& value)
    {
        grow();
        for (size_t i = count_; i > pos; --i)
            at(i) = std::move(at(i - 1));
        at(pos) = std::move(value);
        ++count_;
    }
    void pop_front()
    {
        slots_[head_] = T();
        head_ = (head_ + 1) & (slots_.size() - 1);
        --count_;
    }
    void swap(RingQueue& other)
    {
        slots_.swap(other.slots_);
        std::swap(head_, other.head_);
        std::swap(count_, other.count_);
    }

private:
    void grow()
    {
        if (count_ < slots_.size())
            return;
        std::vector<T> bigger(slots_.empty() ? 64 : slots_.size() * 2);
        for (size_t i = 0; i < count_; ++i)
            bigger[i] = std::move(at(i));
        slots_.swap(bigger);
        head_ = 0;
    }

    std::vector<T> slots_; // a power of two in size
    size_t head_ = 0;
    size_t count_ = 0;
};

// Holds the queue of posted messages and hands each to the listener operation
// of its number.
class MessageControl
{
public:
    // One posted message as the queue keeps it: the record's values, with its
    // strings inline when they are short.
    struct Message
    {
        int32_t number = -1;
        bool boolValue = false;
        int32_t widgetType = 0;
        float floatValue = 0.0f;
        int64_t intValue = 0;
        MsgText texts[3];
        int64_t postedMs = 0;
        std::function<void()> done;
        bool ahead = false;
    };

    explicit MessageControl(MessageControlListener* listener);
    ~MessageControl();
    MessageControl(const MessageControl&) = delete;
    MessageControl& operator=(const MessageControl&) = delete;

    void setQueued(bool queued) { queued_ = queued; }
    bool queued() const { return queued_; }
    MessageControlListener* listener() const { return listener_; }

    // Where a message posted from the calling thread runs.
    enum class Route
    {
        Here,   // on the calling thread, at once
        Queue,  // queued for the engine's thread
        Refuse, // direct mode, from a thread that is not the engine's
    };
    // Direct mode: Qt objects belong to the thread that made them, so every
    // message runs on the engine's thread. Until the Qt loop runs that is the
    // thread that started the engine (setOwnerThread); calls from any other
    // thread are refused. While the loop runs it is the loop's thread; calls
    // from other threads are queued for it and run at its next turn.
    Route route() const;
    void setOwnerThread(std::thread::id owner) { ownerThread_ = owner; }
    // Direct mode: true while the Qt loop runs and takes queued messages.
    bool carrying() const { return carrying_.load(); }

    // Queued mode: appends the message; direct mode: runs it on the calling
    // thread (see route()). Either way the record's strings belong to the
    // control afterwards.
    void post(int32_t number, MsgParam param);
    // The same; done runs once the handler has returned, or when the message
    // is discarded unrun.
    void post(int32_t number, MsgParam param, std::function<void()> done);
    // The exports' way: one lock and one move in queued mode. False when the
    // message was refused (logged) rather than run or queued.
    bool post(Message&& message);
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
    // taking it; the strings stay owned by the control and valid until the
    // next peek. False when empty.
    bool peek(int32_t& number, MsgParam& param) const;

private:
    static MsgParam toParam(const Message& message, std::string (&texts)[3]);
    static Message fromParam(int32_t number, MsgParam& param, std::function<void()> done);
    void enqueue(Message&& message, bool ahead);
    // Runs a message taken off the queue and reports it done.
    void run(Message& message);
    // Takes the oldest message and runs it; number receives its number.
    bool runNext(int32_t& number);

    mutable std::mutex mutex_;
    std::condition_variable cond_;
    RingQueue<Message> queue_;
    RingQueue<Message> batch_; // the worker's, while it drains
    mutable std::string peeked_[3];
    bool woken_ = false;
    bool waiting_ = false;
    // Lock-free hints for the worker's short look before it sleeps.
    std::atomic<bool> pendingHint_{false};
    std::atomic<bool> wokenHint_{false};
    bool queued_ = false;
    std::atomic<std::thread::id> ownerThread_{};
    std::atomic<std::thread::id> loopThread_{};
    std::atomic<bool> carrying_{false};
    MessageControlListener* listener_;
};

} // namespace dorvo_preview
