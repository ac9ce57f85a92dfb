#include "bitconverter.h"

namespace {

unsigned char byteAt(const QByteArray& array, int index)
{
    return index < array.size() ? static_cast<unsigned char>(array.at(index)) : 0;
}

void putByte(QByteArray& array, int index, char value)
{
    if (index < 0)
        return;
    // Bytes skipped over when the array grows are zero, never left unset.
    if (index >= array.size())
        array.append(QByteArray(index + 1 - array.size(), '\0'));
    array[index] = value;
}

} // namespace

void BitConverter::ByteToBytes(QByteArray& array, int index, char value)
{
    putByte(array, index, value);
}

void BitConverter::ShortToBytes(QByteArray& array, int index, short value)
{
    const auto v = static_cast<unsigned short>(value);
    putByte(array, index, static_cast<char>(v & 0xFF));
    putByte(array, index + 1, static_cast<char>((v >> 8) & 0xFF));
}

void BitConverter::IntToBytes(QByteArray& array, int index, int value)
{
    const auto v = static_cast<unsigned int>(value);
    for (int i = 0; i < 4; ++i)
        putByte(array, index + i, static_cast<char>((v >> (8 * i)) & 0xFF));
}

unsigned short BitConverter::ByteToShort(QByteArray& array)
{
    return static_cast<unsigned short>(byteAt(array, 0) + byteAt(array, 1) * 256);
}

int BitConverter::ByteToInt(QByteArray& array)
{
    const unsigned int v = byteAt(array, 0) | (byteAt(array, 1) << 8) | (byteAt(array, 2) << 16) |
                           (static_cast<unsigned int>(byteAt(array, 3)) << 24);
    return static_cast<int>(v);
}

void BitConverter::ReverseByteArray(QByteArray& array)
{
    const QByteArray copy = array;
    const int n = copy.size();
    for (int i = 0; i < n; ++i)
        array[i] = copy.at(n - 1 - i);
}

unsigned short BitConverter::ByteToASCIIToShort(QByteArray&, bool*)
{
    return 0;
}

int BitConverter::ByteToASCIIToInt(QByteArray&, bool*)
{
    return 0;
}

bool BitConverter::is_str_utf8(const char* text)
{
    if (!text)
        return true;
    int expected = 0;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
        const unsigned char c = *p;
        if (expected != 0) {
            if ((c & 0xC0) != 0x80)
                return false;
            --expected;
        } else if (c < 0x80) {
            continue;
        } else if (c == 0xFC || c == 0xFD) {
            expected = 5;
        } else if (c >= 0xF8) {
            expected = 4;
        } else if (c >= 0xF0) {
            expected = 3;
        } else if (c >= 0xE0) {
            expected = 2;
        } else if (c >= 0xC0) {
            expected = 1;
        } else {
            return false;
        }
    }
    return expected == 0;
}

bool BitConverter::is_str_gbk(const char* text)
{
    if (!text)
        return true;
    bool trail = false;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
        const unsigned char c = *p;
        if (trail) {
            if (c < 0x40 || c > 0xFE)
                return false;
            trail = false;
        } else if (c < 0x80) {
            continue;
        } else if (c >= 0x81 && c <= 0xFE) {
            trail = true;
        } else {
            return false;
        }
    }
    return !trail;
}
