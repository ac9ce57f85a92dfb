#pragma once

#include <cstdint>

namespace dorvo_preview {

// Message numbers 0..179; -1 is the invalid message.
enum class MsgType : int32_t
{
    MsgInvalid = -1,
#define DP_MSG(number, Name, ...) Name = number,
#include "msgcatalogue.def"
#undef DP_MSG
};

constexpr int kMsgTypeCount = 180;

// Widget type codes of the exported interface.
enum class WidgetType : int32_t
{
    None = 0,
    AnalogClock = 1,
    ColorfulText = 2,
    DigitalClock = 3,
    Html = 4,
    Image = 5,
    ImageGroup = 6,
    Rss = 7,
    RtMedia = 8,
    StreamMedia = 9,
    Table = 10,
    Text = 11,
    Timer = 12,
    Video = 13,
    TarroAnalogClock = 14,
    BaseWeather = 15,
    Calendar = 16,
    SeniorWeather = 17,
    Weather = 18,
    WidgetContainer = 19,
    Hdmi = 20,
};

constexpr int kWidgetTypeMax = 20;

// Name of a message for the log: the name table covers -1..127; every other
// number has the empty name.
const char* msgTypeName(int number);

} // namespace dorvo_preview
