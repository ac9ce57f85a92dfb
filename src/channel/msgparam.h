#pragma once

#include <cstddef>
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

// One string argument as the queue keeps it: absent, inline when it fits the
// small buffer (identifiers, colours, numbers), otherwise on the heap. Posting
// a short string therefore allocates nothing.
class MsgText
{
public:
    static constexpr size_t kInline = 47;

    MsgText() = default;
    ~MsgText() { reset(); }
    MsgText(MsgText&& other) noexcept { take(other); }
    MsgText& operator=(MsgText&& other) noexcept
    {
        if (this != &other) {
            reset();
            take(other);
        }
        return *this;
    }
    MsgText(const MsgText&) = delete;
    MsgText& operator=(const MsgText&) = delete;

    // Copies the text (null counts as empty).
    void assign(const char* text);
    // Takes an owned string (null leaves the text absent).
    void adopt(std::string* text);
    void reset();

    bool present() const { return present_; }
    const char* data() const { return heap_ ? heap_->data() : local_; }
    size_t size() const { return heap_ ? heap_->size() : size_; }
    // Writes the text into out and returns &out, or null when absent.
    std::string* into(std::string& out) const;

private:
    void take(MsgText& other);

    std::string* heap_ = nullptr;
    uint8_t size_ = 0;
    bool present_ = false;
    char local_[kInline + 1] = {};
};

} // namespace dorvo_preview
