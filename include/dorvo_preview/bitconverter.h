/*
 * bitconverter.h - little-endian packing in a QByteArray and text-encoding
 * probes. Independent of the engine: callable before init() and from any
 * thread.
 */
#ifndef DORVO_BITCONVERTER_H
#define DORVO_BITCONVERTER_H

#include <QByteArray>

#if defined(DORVO_PREVIEW_BUILD)
#define DORVO_PREVIEW_CLASS_API __attribute__((visibility("default")))
#else
#define DORVO_PREVIEW_CLASS_API
#endif

class DORVO_PREVIEW_CLASS_API BitConverter
{
public:
    /* array[index] = value; the array grows when index is past its end. */
    static void ByteToBytes(QByteArray& array, int index, char value);
    /* Low byte at index, high byte at index + 1. */
    static void ShortToBytes(QByteArray& array, int index, short value);
    /* Four bytes, least significant first, from index on. */
    static void IntToBytes(QByteArray& array, int index, int value);
    /* array[0] + array[1] * 256; missing bytes read as 0. */
    static unsigned short ByteToShort(QByteArray& array);
    /* Bytes 0..3, least significant first, taken unsigned; missing bytes read as 0. */
    static int ByteToInt(QByteArray& array);
    /* Reverses the bytes in place. */
    static void ReverseByteArray(QByteArray& array);
    /* Return 0 and leave *ok untouched. */
    static unsigned short ByteToASCIIToShort(QByteArray& array, bool* ok);
    static int ByteToASCIIToInt(QByteArray& array, bool* ok);
    /* Whether the zero-terminated text is well-formed UTF-8 (lead bytes of up
     * to six bytes accepted) or GBK. NULL and "" are valid. */
    static bool is_str_utf8(const char* text);
    static bool is_str_gbk(const char* text);
};

#endif /* DORVO_BITCONVERTER_H */
