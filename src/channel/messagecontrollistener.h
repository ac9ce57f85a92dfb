#pragma once

#include "msgparam.h"
#include "msgsignatures.h"

#include <cstdint>
#include <functional>
#include <string>

namespace dorvo_preview {

// The operations a message can invoke, one per message of the catalogue.
// Implemented on the Qt side by QtMsgCtrlListener; tests install their own.
class MessageControlListener
{
public:
    virtual ~MessageControlListener() = default;

    // Re-encodes GBK text as UTF-8 in place.
    virtual void stringEncodeConvert(std::string& text) = 0;

    // Message 2: runs the Qt event loop; step processes one queued message.
    virtual void createQtExec(const std::function<void()>& step) = 0;
    // Message 3: ends the Qt event loop.
    virtual void quitQtExec(const MsgParam& record) = 0;

#define DP_MSG(number, Name, op, Sig, ...) DP_DECLARE_##Sig(op)
#define DP_DECLARE_Exec(op)
#define DP_DECLARE_Quit(op)
#define DP_DECLARE_GENERIC(op, Sig) virtual DP_RET_##Sig op(DP_PARAMS_##Sig) = 0;
#define DP_DECLARE_V(op) DP_DECLARE_GENERIC(op, V)
#define DP_DECLARE_S(op) DP_DECLARE_GENERIC(op, S)
#define DP_DECLARE_P(op) DP_DECLARE_GENERIC(op, P)
#define DP_DECLARE_SF(op) DP_DECLARE_GENERIC(op, SF)
#define DP_DECLARE_SS(op) DP_DECLARE_GENERIC(op, SS)
#define DP_DECLARE_SI(op) DP_DECLARE_GENERIC(op, SI)
#define DP_DECLARE_SB(op) DP_DECLARE_GENERIC(op, SB)
#define DP_DECLARE_SL(op) DP_DECLARE_GENERIC(op, SL)
#define DP_DECLARE_SSB(op) DP_DECLARE_GENERIC(op, SSB)
#define DP_DECLARE_SIS(op) DP_DECLARE_GENERIC(op, SIS)
#define DP_DECLARE_SSI(op) DP_DECLARE_GENERIC(op, SSI)
#define DP_DECLARE_TSS(op) DP_DECLARE_GENERIC(op, TSS)
#define DP_DECLARE_Create(op) DP_DECLARE_GENERIC(op, Create)
#include "msgcatalogue.def"
#undef DP_MSG
};

} // namespace dorvo_preview
