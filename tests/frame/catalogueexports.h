#pragma once

// The posting exports, one row each, generated from the message catalogue for
// the window, container, widget and family messages (their exports carry the
// listener operation's name). The catalogue's Special messages take their own
// arguments: their exports are written out by hand below.

#include "dorvo_preview.h"

#include <cstdint>
#include <cstring>
#include <sstream>
#include <string>

namespace frametest {

const char* const kFirst = "first \xc3\xa4";
const char* const kSecond = "second";
const int kInt = -123456;
const float kFloat = 2.5f;
const int64_t kLong = int64_t(1) << 40;

// The one export named differently from its listener operation.
inline int selectWidget(const char* id, bool value)
{
    return selectWidgetBorder(id, value);
}
inline std::string exportName(const std::string& op)
{
    return op == "selectWidget" ? "selectWidgetBorder" : op;
}

// The float a record carries for kFloat, after the export's own parameter type.
template <typename A, typename B> float passed(int (*)(A, B))
{
    return static_cast<float>(static_cast<B>(kFloat));
}

struct ExportRow
{
    const char* name;   // the export (see exportName for selectWidget)
    const char* op;     // the listener operation the message reaches
    int number;         // its message number
    const char* fields; // the handler's arguments in order: W widget type, S first string,
                        // T second, B, I, L, F (each also says which record field is set)
    int widgetType;     // -1: the family's own type (N<Family>_...), else this code
    float floatValue;   // the float the record carries (F)
    int (*post)();      // called with kFirst, kSecond, kInt, true, kFloat, kLong
    int (*refuse)();    // called with NULL strings
};

#define FT_ARGS_S(a, b) a
#define FT_ARGS_SF(a, b) a, kFloat
#define FT_ARGS_SS(a, b) a, b
#define FT_ARGS_SI(a, b) a, kInt
#define FT_ARGS_SB(a, b) a, true
#define FT_ARGS_SL(a, b) a, kLong
#define FT_ARGS_SSB(a, b) a, b, true
#define FT_ARGS_SIS(a, b) a, kInt, b
#define FT_ARGS_SSI(a, b) a, b, kInt
#define FT_FIELDS_S "S"
#define FT_FIELDS_SF "SF"
#define FT_FIELDS_SS "ST"
#define FT_FIELDS_SI "SI"
#define FT_FIELDS_SB "SB"
#define FT_FIELDS_SL "SL"
#define FT_FIELDS_SSB "STB"
#define FT_FIELDS_SIS "SIT"
#define FT_FIELDS_SSI "STI"
#define FT_FLOAT_SF(op) passed(&op)
#define FT_FLOAT_S(op) 0.0f
#define FT_FLOAT_SS(op) 0.0f
#define FT_FLOAT_SI(op) 0.0f
#define FT_FLOAT_SB(op) 0.0f
#define FT_FLOAT_SL(op) 0.0f
#define FT_FLOAT_SSB(op) 0.0f
#define FT_FLOAT_SIS(op) 0.0f
#define FT_FLOAT_SSI(op) 0.0f
#define FT_ROW(number, op, Sig, type)                                                                        \
    {#op,                                                                                                    \
     #op,                                                                                                    \
     number,                                                                                                 \
     FT_FIELDS_##Sig,                                                                                        \
     type,                                                                                                   \
     FT_FLOAT_##Sig(op),                                                                                     \
     [] { return op(FT_ARGS_##Sig(kFirst, kSecond)); },                                                      \
     [] { return op(FT_ARGS_##Sig(nullptr, nullptr)); }},
#define FT_Window(number, op, Sig) FT_ROW(number, op, Sig, 0)
#define FT_Container(number, op, Sig) FT_ROW(number, op, Sig, 0)
#define FT_Widget(number, op, Sig) FT_ROW(number, op, Sig, 0)
#define FT_Family(number, op, Sig) FT_ROW(number, op, Sig, -1)
#define FT_Special(number, op, Sig)
#define FT_HAND(name, op, number, fields, type, ...)                                                         \
    {                                                                                                        \
#name, op, number, fields, type, 0.0f, [] { return name(__VA_ARGS__); },                             \
                                                                              [] { return name##_null(); }   \
    }

// NULL-string calls of the hand-written rows.
inline int destroyWindow_null()
{
    return destroyWindow(nullptr);
}
inline int exec_null()
{
    return exec();
}
inline int quit_null()
{
    return quit();
}
inline int setAllWidgetBorderScale_null()
{
    return setAllWidgetBorderScale(nullptr, 1);
}
inline int addSystemFont_null()
{
    return addSystemFont(nullptr);
}
inline int pausePreviewForce_null()
{
    return pausePreviewForce(nullptr, true);
}
inline int addWidget_null()
{
    return addWidget(nullptr, nullptr);
}
inline int deleteWidget_null()
{
    return deleteWidget(nullptr);
}
#define FT_SOURCE_NULL(name)                                                                                 \
    inline int name##_null()                                                                                 \
    {                                                                                                        \
        return name(nullptr, nullptr);                                                                       \
    }
FT_SOURCE_NULL(NText_setSource)
FT_SOURCE_NULL(NImage_setSource)
FT_SOURCE_NULL(NVideo_setSource)
FT_SOURCE_NULL(NTable_setSource)
FT_SOURCE_NULL(NBaseWeather_setSource)
FT_SOURCE_NULL(NSeniorWeather_setSource)
FT_SOURCE_NULL(NTimer_setBackground)
FT_SOURCE_NULL(setDisplayRatio)

const ExportRow kExportRows[] = {
#define DP_MSG(number, Name, op, Sig, Kind, Class, Method) FT_##Kind(number, op, Sig)
#include "channel/msgcatalogue.def"
#undef DP_MSG
    FT_HAND(destroyWindow, "destroyWindow", 1, "S", 0, kFirst),
    FT_HAND(exec, "createQtExec", 2, "", 0),
    FT_HAND(quit, "quitQtExec", 3, "", 0),
    FT_HAND(setAllWidgetBorderScale, "setAllWidgetBorderScale", 15, "SI", 0, kFirst, kInt),
    FT_HAND(addSystemFont, "addSystemFont", 16, "T", 0, kSecond),
    FT_HAND(pausePreviewForce, "pausePreviewForce", 18, "SB", 0, kFirst, true),
    FT_HAND(addWidget, "addWidget", 31, "ST", 0, kFirst, kSecond),
    FT_HAND(deleteWidget, "deleteWidget", 32, "S", 0, kFirst),
    FT_HAND(NText_setSource, "setWidgetSource", 45, "WST", 11, kFirst, kSecond),
    FT_HAND(NImage_setSource, "setWidgetSource", 45, "WST", 5, kFirst, kSecond),
    FT_HAND(NVideo_setSource, "setWidgetSource", 45, "WST", 13, kFirst, kSecond),
    FT_HAND(NTable_setSource, "setWidgetSource", 45, "WST", 10, kFirst, kSecond),
    FT_HAND(NBaseWeather_setSource, "setWidgetSource", 45, "WST", 15, kFirst, kSecond),
    FT_HAND(NSeniorWeather_setSource, "setWidgetSource", 45, "WST", 17, kFirst, kSecond),
    FT_HAND(setDisplayRatio, "setDisplayRatio", 46, "WST", 13, kFirst, kSecond),
    FT_HAND(NTimer_setBackground, "setWidgetBackgroundColor", 47, "WST", 12, kFirst, kSecond),
};

// The widget type code of a family export's prefix (N<Family>_), -1 if unknown.
inline int familyType(const std::string& op)
{
    std::istringstream names("- AnalogClock ColorfulText DigitalClock Html Image ImageGroup Rss RtMedia "
                             "StreamMedia Table Text Timer Video TarroAnalogClock BaseWeather Calendar "
                             "SeniorWeather Weather WidgetContainer Hdmi");
    const std::string family = op.substr(1, op.find('_') - 1);
    std::string name;
    for (int code = 0; names >> name; ++code) {
        if (name == family)
            return code;
    }
    return -1;
}

} // namespace frametest
