#pragma once

#include "messagecontrollistener.h"

#include <chrono>

namespace dorvo_preview {

// Carries out messages on the Qt side: looks the target window, widget or
// container up in the engine host and invokes its operation by name.
class QtMsgCtrlListener : public MessageControlListener
{
public:
    QtMsgCtrlListener() = default;
    ~QtMsgCtrlListener() override = default;

    void stringEncodeConvert(std::string& text) override;
    void createQtExec(const std::function<void()>& step) override;
    void quitQtExec(const MsgParam& record) override;

    // Waits, at most for the timeout, until a Qt event loop that runs on
    // another thread has ended and its windows are gone. Returns at once when
    // no loop runs or when called on the Qt thread itself.
    static void waitForLoopEnd(std::chrono::milliseconds timeout);

#define DP_MSG(number, Name, op, Sig, ...) DP_OVERRIDE_##Sig(op)
#define DP_OVERRIDE_Exec(op)
#define DP_OVERRIDE_Quit(op)
#define DP_OVERRIDE_GENERIC(op, Sig) DP_RET_##Sig op(DP_PARAMS_##Sig) override;
#define DP_OVERRIDE_V(op) DP_OVERRIDE_GENERIC(op, V)
#define DP_OVERRIDE_S(op) DP_OVERRIDE_GENERIC(op, S)
#define DP_OVERRIDE_P(op) DP_OVERRIDE_GENERIC(op, P)
#define DP_OVERRIDE_SF(op) DP_OVERRIDE_GENERIC(op, SF)
#define DP_OVERRIDE_SS(op) DP_OVERRIDE_GENERIC(op, SS)
#define DP_OVERRIDE_SI(op) DP_OVERRIDE_GENERIC(op, SI)
#define DP_OVERRIDE_SB(op) DP_OVERRIDE_GENERIC(op, SB)
#define DP_OVERRIDE_SL(op) DP_OVERRIDE_GENERIC(op, SL)
#define DP_OVERRIDE_SSB(op) DP_OVERRIDE_GENERIC(op, SSB)
#define DP_OVERRIDE_SIS(op) DP_OVERRIDE_GENERIC(op, SIS)
#define DP_OVERRIDE_SSI(op) DP_OVERRIDE_GENERIC(op, SSI)
#define DP_OVERRIDE_TSS(op) DP_OVERRIDE_GENERIC(op, TSS)
#define DP_OVERRIDE_Create(op) DP_OVERRIDE_GENERIC(op, Create)
#include "msgcatalogue.def"
#undef DP_MSG
};

} // namespace dorvo_preview
