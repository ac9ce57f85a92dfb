#include "bitconverter.h"

#include <gtest/gtest.h>

namespace {

TEST(BitConverter, PacksLittleEndianAndGrows)
{
    QByteArray a;
    BitConverter::ShortToBytes(a, 0, 0x1234);
    ASSERT_EQ(a.size(), 2);
    EXPECT_EQ(static_cast<unsigned char>(a[0]), 0x34);
    EXPECT_EQ(static_cast<unsigned char>(a[1]), 0x12);

    QByteArray b;
    BitConverter::IntToBytes(b, 2, static_cast<int>(0xA1B2C3D4));
    ASSERT_EQ(b.size(), 6);
    EXPECT_EQ(static_cast<unsigned char>(b[2]), 0xD4);
    EXPECT_EQ(static_cast<unsigned char>(b[5]), 0xA1);
    QByteArray tail = b.mid(2);
    EXPECT_EQ(static_cast<unsigned int>(BitConverter::ByteToInt(tail)), 0xA1B2C3D4u);

    QByteArray c;
    BitConverter::ByteToBytes(c, 3, 'x');
    EXPECT_EQ(c.size(), 4);
    EXPECT_EQ(c[3], 'x');
}

TEST(BitConverter, UnpacksWithMissingBytesAsZero)
{
    QByteArray a("\x01\x02", 2);
    EXPECT_EQ(BitConverter::ByteToInt(a), 0x0201);
    EXPECT_EQ(BitConverter::ByteToShort(a), 0x0201);
    QByteArray empty;
    EXPECT_EQ(BitConverter::ByteToShort(empty), 0);
    EXPECT_EQ(BitConverter::ByteToInt(empty), 0);
    QByteArray high("\xff\xff", 2);
    EXPECT_EQ(BitConverter::ByteToShort(high), 0xFFFF);
}

TEST(BitConverter, NegativeIndexWritesNothing)
{
    QByteArray a("ab");
    BitConverter::ByteToBytes(a, -1, 'x');
    BitConverter::IntToBytes(a, -3, 0x01020304);
    // Only the byte that falls on index 0 lands: the top byte.
    EXPECT_EQ(a.size(), 2);
    EXPECT_EQ(a[0], '\x01');
    EXPECT_EQ(a[1], 'b');
}

TEST(BitConverter, ReverseKeepsTheCallersObject)
{
    QByteArray a("abcd");
    BitConverter::ReverseByteArray(a);
    EXPECT_EQ(a, QByteArray("dcba"));
    QByteArray empty;
    BitConverter::ReverseByteArray(empty);
    EXPECT_TRUE(empty.isEmpty());
}

TEST(BitConverter, AsciiParsersReturnZero)
{
    QByteArray a("123");
    bool ok = true;
    EXPECT_EQ(BitConverter::ByteToASCIIToShort(a, &ok), 0);
    EXPECT_EQ(BitConverter::ByteToASCIIToInt(a, &ok), 0);
    EXPECT_TRUE(ok);
    EXPECT_EQ(BitConverter::ByteToASCIIToInt(a, nullptr), 0);
}

TEST(BitConverter, Utf8Probe)
{
    EXPECT_TRUE(BitConverter::is_str_utf8(""));
    EXPECT_TRUE(BitConverter::is_str_utf8(nullptr));
    EXPECT_TRUE(BitConverter::is_str_utf8("plain ascii"));
    EXPECT_TRUE(BitConverter::is_str_utf8("\xe4\xbd\xa0\xe5\xa5\xbd"));
    EXPECT_TRUE(BitConverter::is_str_utf8("\xf0\x9f\x98\x80"));
    EXPECT_TRUE(BitConverter::is_str_utf8("\xfc\x80\x80\x80\x80\x80")); // historical six-byte form
    EXPECT_FALSE(BitConverter::is_str_utf8("\x80"));
    EXPECT_FALSE(BitConverter::is_str_utf8("\xe4\xbd"));
    EXPECT_FALSE(BitConverter::is_str_utf8("\xc3("));
}

TEST(BitConverter, GbkProbe)
{
    EXPECT_TRUE(BitConverter::is_str_gbk(""));
    EXPECT_TRUE(BitConverter::is_str_gbk("plain ascii"));
    EXPECT_TRUE(BitConverter::is_str_gbk("\x81\x40"));
    EXPECT_TRUE(BitConverter::is_str_gbk("\xc4\xe3\xba\xc3"));
    EXPECT_FALSE(BitConverter::is_str_gbk("\x81"));
    EXPECT_FALSE(BitConverter::is_str_gbk("\x80\x40"));
    EXPECT_FALSE(BitConverter::is_str_gbk("\xff\x40"));
    EXPECT_FALSE(BitConverter::is_str_gbk("\x81\x20"));
}

} // namespace
