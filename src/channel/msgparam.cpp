#include "msgparam.h"

#include <cstring>

namespace dorvo_preview {

const std::string& MsgParam::empty()
{
    static const std::string none;
    return none;
}

void MsgText::assign(const char* text)
{
    reset();
    present_ = true;
    const size_t n = text ? std::strlen(text) : 0;
    if (n <= kInline) {
        if (n)
            std::memcpy(local_, text, n);
        local_[n] = '\0';
        size_ = static_cast<uint8_t>(n);
    } else {
        heap_ = new std::string(text, n);
    }
}

void MsgText::adopt(std::string* text)
{
    reset();
    if (!text)
        return;
    present_ = true;
    heap_ = text;
}

void MsgText::reset()
{
    delete heap_;
    heap_ = nullptr;
    size_ = 0;
    present_ = false;
    local_[0] = '\0';
}

std::string* MsgText::into(std::string& out) const
{
    if (!present_)
        return nullptr;
    out.assign(data(), size());
    return &out;
}

void MsgText::take(MsgText& other)
{
    heap_ = other.heap_;
    size_ = other.size_;
    present_ = other.present_;
    if (!heap_)
        std::memcpy(local_, other.local_, static_cast<size_t>(size_) + 1);
    other.heap_ = nullptr;
    other.size_ = 0;
    other.present_ = false;
    other.local_[0] = '\0';
}

} // namespace dorvo_preview
