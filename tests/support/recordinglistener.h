#pragma once

// A listener that records which operation each message reached, with the
// arguments it received, instead of acting on them.

#include "channel/messagecontrollistener.h"

#include <atomic>
#include <mutex>
#include <sstream>
#include <string>
#include <vector>

namespace testsupport {

struct Call
{
    std::string op;
    std::string args; // the arguments, each followed by "|"
};

class RecordingListener : public dorvo_preview::MessageControlListener
{
public:
    std::vector<Call> calls()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return calls_;
    }
    // A listener that stops recording costs (almost) nothing per message.
    void setRecording(bool on) { recording_ = on; }
    void reset()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        calls_.clear();
    }

    void stringEncodeConvert(std::string&) override {}
    void createQtExec(const std::function<void()>&) override { record("createQtExec", ""); }
    void quitQtExec(const dorvo_preview::MsgParam&) override { record("quitQtExec", ""); }

#define DP_MSG(number, Name, op, Sig, ...) RL_##Sig(op)
#define RL_Exec(op)
#define RL_Quit(op)
#define RL_GENERIC(op, Sig)                                                                                  \
    DP_RET_##Sig op(DP_PARAMS_##Sig) override                                                                \
    {                                                                                                        \
        if (!recording_)                                                                                     \
            return static_cast<DP_RET_##Sig>(0);                                                             \
        std::ostringstream out;                                                                              \
        join(out, DP_NAMES_##Sig);                                                                           \
        record(#op, out.str());                                                                              \
        return static_cast<DP_RET_##Sig>(0);                                                                 \
    }
#define RL_V(op)                                                                                             \
    void op() override                                                                                       \
    {                                                                                                        \
        record(#op, "");                                                                                     \
    }
#define RL_S(op) RL_GENERIC(op, S)
#define RL_P(op) RL_GENERIC(op, P)
#define RL_SF(op) RL_GENERIC(op, SF)
#define RL_SS(op) RL_GENERIC(op, SS)
#define RL_SI(op) RL_GENERIC(op, SI)
#define RL_SB(op) RL_GENERIC(op, SB)
#define RL_SL(op) RL_GENERIC(op, SL)
#define RL_SSB(op) RL_GENERIC(op, SSB)
#define RL_SIS(op) RL_GENERIC(op, SIS)
#define RL_SSI(op) RL_GENERIC(op, SSI)
#define RL_TSS(op) RL_GENERIC(op, TSS)
#define RL_Create(op) RL_GENERIC(op, Create)
#include "channel/msgcatalogue.def"
#undef DP_MSG

private:
    static void join(std::ostringstream&) {}
    template <typename T, typename... Rest>
    static void join(std::ostringstream& out, const T& first, const Rest&... rest)
    {
        out << first << '|';
        join(out, rest...);
    }
    void record(const char* op, std::string args)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        calls_.push_back({op, std::move(args)});
    }

    std::atomic<bool> recording_{true};
    std::mutex mutex_;
    std::vector<Call> calls_;
};

} // namespace testsupport
