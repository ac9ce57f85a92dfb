#include "uuid.h"

#include <cstdint>
#include <random>

namespace dorvo_preview {

std::string makeIdentifier()
{
    thread_local std::random_device device;
    std::uniform_int_distribution<uint64_t> dist;
    uint64_t high = dist(device);
    uint64_t low = dist(device);
    high = (high & ~uint64_t(0xF000)) | uint64_t(0x4000);         // version 4
    low = (low & ~(uint64_t(0x3) << 62)) | (uint64_t(0x2) << 62); // variant 10

    static const char hex[] = "0123456789abcdef";
    std::string out(36, '-');
    int pos = 0;
    auto put = [&](uint64_t value, int digits) {
        for (int i = digits - 1; i >= 0; --i)
            out[pos++] = hex[(value >> (i * 4)) & 0xF];
    };
    put(high >> 32, 8);
    ++pos;
    put(high >> 16, 4);
    ++pos;
    put(high, 4);
    ++pos;
    put(low >> 48, 4);
    ++pos;
    put(low, 12);
    return out;
}

} // namespace dorvo_preview
