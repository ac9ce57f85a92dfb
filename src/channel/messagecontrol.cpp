#include "messagecontrol.h"

#include "messagecontrollistener.h"
#include "msgtype.h"
#include "logging/log.h"

#include <array>
#include <chrono>
#include <thread>

namespace dorvo_preview {

namespace {

using Handler = void (*)(MessageControl&, const MsgParam&);

// Time one tick of the Qt message timer may spend on queued messages.
constexpr std::chrono::microseconds kBatchBudget{4000};

std::array<Handler, kMsgTypeCount> buildDispatchTable()
{
    std::array<Handler, kMsgTypeCount> table{};
#define DP_MSG(number, Name, op, Sig, ...) DP_HANDLER_##Sig(number, op)
#define DP_HANDLER_GENERIC(number, op, Sig)                                                                  \
    table[number] = [](MessageControl& c, [[maybe_unused]] const MsgParam& p) {                              \
        c.listener()->op(DP_ARGS_##Sig(p));                                                                  \
    };
#define DP_HANDLER_V(number, op) DP_HANDLER_GENERIC(number, op, V)
#define DP_HANDLER_S(number, op) DP_HANDLER_GENERIC(number, op, S)
#define DP_HANDLER_P(number, op) DP_HANDLER_GENERIC(number, op, P)
#define DP_HANDLER_SF(number, op) DP_HANDLER_GENERIC(number, op, SF)
#define DP_HANDLER_SS(number, op) DP_HANDLER_GENERIC(number, op, SS)
#define DP_HANDLER_SI(number, op) DP_HANDLER_GENERIC(number, op, SI)
#define DP_HANDLER_SB(number, op) DP_HANDLER_GENERIC(number, op, SB)
#define DP_HANDLER_SL(number, op) DP_HANDLER_GENERIC(number, op, SL)
#define DP_HANDLER_SSB(number, op) DP_HANDLER_GENERIC(number, op, SSB)
#define DP_HANDLER_SIS(number, op) DP_HANDLER_GENERIC(number, op, SIS)
#define DP_HANDLER_SSI(number, op) DP_HANDLER_GENERIC(number, op, SSI)
#define DP_HANDLER_TSS(number, op) DP_HANDLER_GENERIC(number, op, TSS)
#define DP_HANDLER_Create(number, op) DP_HANDLER_GENERIC(number, op, Create)
#define DP_HANDLER_Exec(number, op)                                                                          \
    table[number] = [](MessageControl& c, const MsgParam&) {                                                 \
        MessageControl* control = &c;                                                                        \
        c.listener()->op([control] { control->processBatch(kBatchBudget); });                                \
    };
#define DP_HANDLER_Quit(number, op)                                                                          \
    table[number] = [](MessageControl& c, const MsgParam& p) { c.listener()->op(p); };
#include "msgcatalogue.def"
#undef DP_MSG
    return table;
}

int64_t monotonicMs()
{
    using namespace std::chrono;
    return duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count() / 1000 / 1000;
}

} // namespace

MessageControl::MessageControl(MessageControlListener* listener) : listener_(listener) {}

MessageControl::~MessageControl()
{
    clear();
}

MessageControl::Message MessageControl::fromParam(int32_t number, MsgParam& param, std::function<void()> done)
{
    Message m;
    m.number = number;
    m.boolValue = param.boolValue;
    m.widgetType = param.widgetType;
    m.floatValue = param.floatValue;
    m.intValue = param.intValue;
    m.texts[0].adopt(param.firstString);
    m.texts[1].adopt(param.secondString);
    m.texts[2].adopt(param.thirdString);
    param.firstString = param.secondString = param.thirdString = nullptr;
    m.done = std::move(done);
    return m;
}

void MessageControl::post(int32_t number, MsgParam param)
{
    post(fromParam(number, param, nullptr));
}

void MessageControl::post(int32_t number, MsgParam param, std::function<void()> done)
{
    post(fromParam(number, param, std::move(done)));
}

MessageControl::Route MessageControl::route() const
{
    if (queued_)
        return Route::Queue;
    const std::thread::id self = std::this_thread::get_id();
    if (carrying_.load())
        return self == loopThread_.load() ? Route::Here : Route::Queue;
    const std::thread::id owner = ownerThread_.load();
    return owner == std::thread::id() || owner == self ? Route::Here : Route::Refuse;
}

bool MessageControl::post(Message&& message)
{
    switch (route()) {
    case Route::Here:
        run(message);
        return true;
    case Route::Queue:
        enqueue(std::move(message), false);
        return true;
    case Route::Refuse:
        break;
    }
    LOG_E("process msg %s refused: called from a thread other than the engine's before its Qt loop runs",
          msgTypeName(message.number));
    for (MsgText& text : message.texts)
        text.reset();
    if (message.done)
        message.done();
    return false;
}

void MessageControl::postAhead(int32_t number, MsgParam param, std::function<void()> done)
{
    Message message = fromParam(number, param, std::move(done));
    if (route() == Route::Queue) {
        enqueue(std::move(message), true);
        return;
    }
    post(std::move(message));
}

void MessageControl::enqueue(Message&& message, bool ahead)
{
    message.postedMs = monotonicMs();
    message.ahead = ahead;
    bool wake = false;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (ahead) {
            // Window and engine messages change what a new widget is made in
            // (the attached window, the Qt application, fonts, border scale):
            // they keep their place before it, as do earlier creations.
            size_t at = queue_.size();
            while (at > 0) {
                const Message& before = queue_.at(at - 1);
                if (before.ahead ||
                    (before.number >= 0 && before.number <= static_cast<int32_t>(MsgType::ResumePreview)))
                    break;
                --at;
            }
            queue_.insert(at, std::move(message));
        } else {
            queue_.push_back(std::move(message));
        }
        pendingHint_.store(true, std::memory_order_relaxed);
        // Only a sleeping worker needs the (costly) wake-up.
        wake = waiting_;
        waiting_ = false;
    }
    if (wake)
        cond_.notify_one();
}

// The record a handler sees, with the message's texts written into texts.
MsgParam MessageControl::toParam(const Message& message, std::string (&texts)[3])
{
    MsgParam param;
    param.boolValue = message.boolValue;
    param.widgetType = message.widgetType;
    param.floatValue = message.floatValue;
    param.intValue = message.intValue;
    param.firstString = message.texts[0].into(texts[0]);
    param.secondString = message.texts[1].into(texts[1]);
    param.thirdString = message.texts[2].into(texts[2]);
    return param;
}

void MessageControl::run(Message& message)
{
    std::string texts[3];
    // Direct mode: the thread that runs the Qt loop takes the messages of
    // other threads while the loop runs.
    const bool loop =
        !queued_ && !carrying_.load() && message.number == static_cast<int32_t>(MsgType::CreateQtExec);
    if (loop) {
        loopThread_ = std::this_thread::get_id();
        carrying_ = true;
    }
    onMsgProcessor(message.number, toParam(message, texts));
    if (loop) {
        carrying_ = false;
        ownerThread_ = loopThread_.load();
        clear();
    }
    for (MsgText& text : message.texts)
        text.reset();
    if (message.done)
        message.done();
}

bool MessageControl::runNext(int32_t& number)
{
    std::unique_lock<std::mutex> lock(mutex_);
    if (queue_.empty())
        return false;
    Message message = std::move(queue_.front());
    queue_.pop_front();
    pendingHint_.store(!queue_.empty(), std::memory_order_relaxed);
    lock.unlock();
    number = message.number;
    run(message);
    return true;
}

bool MessageControl::processOne(bool* ran)
{
    int32_t number = -1;
    const bool took = runNext(number);
    if (ran)
        *ran = took;
    return took && number == static_cast<int32_t>(MsgType::CreateQtExec);
}

int MessageControl::processBatch(std::chrono::microseconds budget)
{
    using Clock = std::chrono::steady_clock;
    const auto end = Clock::now() + budget;
    int count = 0;
    int32_t number = -1;
    while (runNext(number)) {
        ++count;
        if (number == static_cast<int32_t>(MsgType::CreateQtExec) ||
            number == static_cast<int32_t>(MsgType::QuitQtExec) || Clock::now() >= end)
            break;
    }
    return count;
}

bool MessageControl::drain(bool* ran)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        batch_.swap(queue_);
        pendingHint_.store(false, std::memory_order_relaxed);
    }
    if (ran)
        *ran = !batch_.empty();
    const auto exec = static_cast<int32_t>(MsgType::CreateQtExec);
    while (!batch_.empty()) {
        Message message = std::move(batch_.front());
        batch_.pop_front();
        if (message.number == exec && !batch_.empty()) {
            // The Qt loop about to start takes the rest in batches, in order,
            // ahead of anything posted meanwhile.
            std::lock_guard<std::mutex> lock(mutex_);
            for (size_t i = batch_.size(); i > 0; --i)
                queue_.push_front(std::move(batch_.at(i - 1)));
            while (!batch_.empty())
                batch_.pop_front();
            pendingHint_.store(true, std::memory_order_relaxed);
        }
        run(message);
        if (message.number == exec)
            return true;
    }
    return false;
}

bool MessageControl::onMsgProcessor(int32_t number, const MsgParam& param)
{
    const char* name = msgTypeName(number);
    LOG_D("process msg: %s", name);
    static const std::array<Handler, kMsgTypeCount> table = buildDispatchTable();
    if (number < 0 || number >= kMsgTypeCount || !table[number]) {
        LOG_E("Unknown msg %d", number);
        return false;
    }
    // No exception of a handler reaches the host or stops the queue: the
    // message is dropped with a log line and the next one runs.
    if (listener_) {
        try {
            table[number](*this, param);
        } catch (const std::exception& e) {
            LOG_E("process msg %s failed, dropped: %s", name, e.what());
        } catch (...) {
            LOG_E("process msg %s failed, dropped", name);
        }
    }
    LOG_D("process msg end: %s", name);
    return true;
}

void MessageControl::clear()
{
    RingQueue<Message> discarded;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        discarded.swap(queue_);
        pendingHint_.store(false, std::memory_order_relaxed);
    }
    while (!discarded.empty()) {
        Message message = std::move(discarded.front());
        discarded.pop_front();
        if (message.done)
            message.done();
    }
}

void MessageControl::waitForMessage()
{
    // Messages often come in bursts: look again for a short while before
    // sleeping, so that a burst does not pay a wake-up per message.
    const auto spinUntil = std::chrono::steady_clock::now() + std::chrono::microseconds(50);
    while (std::chrono::steady_clock::now() < spinUntil) {
        if (pendingHint_.load(std::memory_order_relaxed) || wokenHint_.load(std::memory_order_relaxed))
            break;
#if defined(__x86_64__) || defined(__i386__)
        __builtin_ia32_pause();
#else
        std::this_thread::yield();
#endif
    }
    std::unique_lock<std::mutex> lock(mutex_);
    while (queue_.empty() && !woken_) {
        waiting_ = true;
        cond_.wait(lock);
    }
    waiting_ = false;
    woken_ = false;
    wokenHint_.store(false, std::memory_order_relaxed);
}

void MessageControl::wake()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        woken_ = true;
        wokenHint_.store(true, std::memory_order_relaxed);
    }
    cond_.notify_all();
}

size_t MessageControl::pending() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return queue_.size();
}

bool MessageControl::peek(int32_t& number, MsgParam& param) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (queue_.empty())
        return false;
    const Message& front = const_cast<RingQueue<Message>&>(queue_).front();
    number = front.number;
    param = toParam(front, peeked_);
    return true;
}

} // namespace dorvo_preview
