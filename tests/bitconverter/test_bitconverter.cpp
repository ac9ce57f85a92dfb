#include "bitconverter.h"

#include <gtest/gtest.h>

namespace {

TEST(BitConverter, PacksAndUnpacksLittleEndian)
{
    QByteArray a;
    BitConverter::ShortToBytes(a, 0, 0x1234);
    EXPECT_EQ(a, QByteArray("\x34\x12", 2));

    // Writing past the end grows the array.
    QByteArray b;
    BitConverter::IntToBytes(b, 2, static_cast<int>(0xA1B2C3D4));
    EXPECT_EQ(b, QByteArray("\0\0\xD4\xC3\xB2\xA1", 6)); // the skipped bytes are zero
    QByteArray tail = b.mid(2);
    EXPECT_EQ(static_cast<unsigned int>(BitConverter::ByteToInt(tail)), 0xA1B2C3D4u);
    BitConverter::ByteToBytes(b, 7, 'x');
    EXPECT_EQ(b.mid(6), QByteArray("\0x", 2));

    // Missing bytes read as zero.
    QByteArray two("\x01\x02", 2), empty, high("\xff\xff", 2);
    EXPECT_EQ(BitConverter::ByteToInt(two), 0x0201);
    EXPECT_EQ(BitConverter::ByteToShort(two), 0x0201);
    EXPECT_EQ(BitConverter::ByteToShort(empty), 0);
    EXPECT_EQ(BitConverter::ByteToInt(empty), 0);
    EXPECT_EQ(BitConverter::ByteToShort(high), 0xFFFF);
}

TEST(BitConverter, NegativeIndexWritesNothingBeforeTheArray)
{
    QByteArray a("ab");
    BitConverter::ByteToBytes(a, -1, 'x');
    BitConverter::IntToBytes(a, -3, 0x01020304);
    // Only the byte that falls on index 0 lands: the top byte.
    EXPECT_EQ(a, QByteArray("\x01"
                            "b"));
}

TEST(BitConverter, ReverseAndAsciiParsers)
{
    QByteArray a("abcd"), empty;
    BitConverter::ReverseByteArray(a);
    EXPECT_EQ(a, QByteArray("dcba"));
    BitConverter::ReverseByteArray(empty);
    EXPECT_TRUE(empty.isEmpty());
    QByteArray digits("123");
    bool ok = true;
    EXPECT_EQ(BitConverter::ByteToASCIIToShort(digits, &ok), 0);
    EXPECT_EQ(BitConverter::ByteToASCIIToInt(digits, &ok), 0);
    EXPECT_TRUE(ok);
    EXPECT_EQ(BitConverter::ByteToASCIIToInt(digits, nullptr), 0);
}

TEST(BitConverter, EncodingProbes)
{
    const std::tuple<const char*, bool, bool> cases[] = {
        // text, is UTF-8, is GBK
        {"", true, true},
        {"plain ascii", true, true},
        {"\xe4\xbd\xa0\xe5\xa5\xbd", true, true},
        {"\xf0\x9f\x98\x80", true, true},
        {"\xfc\x80\x80\x80\x80\x80", true, false}, // historical six-byte form
        {"\x80", false, false},
        {"\xe4\xbd", false, true},
        {"\xc3(", false, false},
        {"\x81\x40", false, true},
        {"\xc4\xe3\xba\xc3", false, true},
        {"\x80\x40", false, false},
        {"\xff\x40", false, false},
        {"\x81\x20", false, false},
        {"\x81", false, false},
    };
    for (const auto& [text, utf8, gbk] : cases) {
        EXPECT_EQ(BitConverter::is_str_utf8(text), utf8) << text;
        EXPECT_EQ(BitConverter::is_str_gbk(text), gbk) << text;
    }
    EXPECT_TRUE(BitConverter::is_str_utf8(nullptr));
}

} // namespace
