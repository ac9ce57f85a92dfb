#pragma once

#include <cstdint>
#include <string>

namespace dorvo_preview {

// The arguments of one exported call. Plain record, copied by value; the three
// strings are owned by the record once it is posted and freed by the channel
// (freeStrings) after the handler has run or when the queue is discarded.
struct MsgParam
{
    bool boolValue = false;
    int32_t widgetType = 0;
    float floatValue = 0.0f;
    int64_t intValue = 0;
    std::string* firstString = nullptr;
    std::string* secondString = nullptr;
    std::string* thirdString = nullptr;

    // Read access that treats a missing string as the empty one.
    const std::string& first() const { return firstString ? *firstString : empty(); }
    const std::string& second() const { return secondString ? *secondString : empty(); }
    const std::string& third() const { return thirdString ? *thirdString : empty(); }
    // The low 32 bits of the integer payload, as handlers of int operations take it.
    int intLow() const { return static_cast<int>(static_cast<uint32_t>(intValue)); }

    void freeStrings()
    {
        delete firstString;
        delete secondString;
        delete thirdString;
        firstString = secondString = thirdString = nullptr;
    }

    static const std::string& empty();
};

} // namespace dorvo_preview
