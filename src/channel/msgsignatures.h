#pragma once

// Handler signatures of the message catalogue. For each signature name Sig:
//   DP_RET_Sig        the listener operation's result type
//   DP_PARAMS_Sig     its parameter list
//   DP_ARGS_Sig(p)    the arguments taken from a MsgParam p
//   DP_NAMES_Sig      the parameter names, to forward them
// Exec and Quit are not listed: their handlers are written out by hand.

#define DP_RET_V void
#define DP_PARAMS_V
#define DP_ARGS_V(p)
#define DP_NAMES_V

#define DP_RET_S void
#define DP_PARAMS_S const std::string& id
#define DP_ARGS_S(p) (p).first()
#define DP_NAMES_S id

#define DP_RET_P void
#define DP_PARAMS_P const std::string& path
#define DP_ARGS_P(p) (p).second()
#define DP_NAMES_P path

#define DP_RET_SF void
#define DP_PARAMS_SF const std::string &id, float value
#define DP_ARGS_SF(p) (p).first(), (p).floatValue
#define DP_NAMES_SF id, value

#define DP_RET_SS void
#define DP_PARAMS_SS const std::string &id, const std::string &text
#define DP_ARGS_SS(p) (p).first(), (p).second()
#define DP_NAMES_SS id, text

#define DP_RET_SI void
#define DP_PARAMS_SI const std::string &id, int value
#define DP_ARGS_SI(p) (p).first(), (p).intLow()
#define DP_NAMES_SI id, value

#define DP_RET_SB void
#define DP_PARAMS_SB const std::string &id, bool value
#define DP_ARGS_SB(p) (p).first(), (p).boolValue
#define DP_NAMES_SB id, value

#define DP_RET_SL void
#define DP_PARAMS_SL const std::string &id, int64_t value
#define DP_ARGS_SL(p) (p).first(), (p).intValue
#define DP_NAMES_SL id, value

#define DP_RET_SSB void
#define DP_PARAMS_SSB const std::string &id, const std::string &text, bool value
#define DP_ARGS_SSB(p) (p).first(), (p).second(), (p).boolValue
#define DP_NAMES_SSB id, text, value

#define DP_RET_SIS void
#define DP_PARAMS_SIS const std::string &id, int value, const std::string &text
#define DP_ARGS_SIS(p) (p).first(), (p).intLow(), (p).second()
#define DP_NAMES_SIS id, value, text

#define DP_RET_SSI void
#define DP_PARAMS_SSI const std::string &id, const std::string &text, int value
#define DP_ARGS_SSI(p) (p).first(), (p).second(), (p).intLow()
#define DP_NAMES_SSI id, text, value

#define DP_RET_TSS void
#define DP_PARAMS_TSS int type, const std::string &id, const std::string &text
#define DP_ARGS_TSS(p) (p).widgetType, (p).first(), (p).second()
#define DP_NAMES_TSS type, id, text

#define DP_RET_Create const char*
#define DP_PARAMS_Create                                                                                     \
    int type, const std::string &containerId, const std::string &newId, const std::string &content
#define DP_ARGS_Create(p) (p).widgetType, (p).second(), (p).first(), (p).third()
#define DP_NAMES_Create type, containerId, newId, content
