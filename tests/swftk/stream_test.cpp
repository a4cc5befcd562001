#include <gtest/gtest.h>

#include "swftk/reader.h"
#include "swftk/stream.h"
#include "test_bytes.h"

namespace swftk {
namespace {

using test::Bytes;

TEST(BitsNeeded, UsesTheMagnitudeWithAMinimumOfFour) {
  struct Case {
    int64_t value;
    int unsignedWidth;
    int signedWidth;
  };
  const Case cases[] = {{0, 4, 5},       {7, 4, 5},        {8, 4, 5},          {15, 4, 5},
                        {16, 5, 6},      {-1, 4, 5},       {-16, 5, 6},        {100, 7, 8},
                        {65535, 16, 17}, {-65536, 17, 18}, {INT32_MIN, 32, 33}};
  for (const Case& c : cases) {
    EXPECT_EQ(BitsNeeded(c.value, false), c.unsignedWidth) << c.value;
    EXPECT_EQ(BitsNeeded(c.value, true), c.signedWidth) << c.value;
  }
}

TEST(Stream, BitFieldsShareBytesUntilAByteWrite) {
  CSwfStream out;
  out.WriteBits(5, 3);
  out.WriteByte(0xFF);
  EXPECT_EQ(out.ByteCount(), 2);
  EXPECT_EQ(out.GetBytes(), (Bytes{0b101'00000, 0xFF}));
}

TEST(Stream, AFullAccumulatorIsAppendedOnce) {
  CSwfStream out;
  for (int i = 0; i < 8; ++i) out.WriteBits(1, 1);
  EXPECT_EQ(out.ByteCount(), 0) << "pending bits are not counted";
  out.FlushBits();
  out.FlushBits();
  EXPECT_EQ(out.GetBytes(), (Bytes{0xFF}));
}

TEST(Stream, IntegersAreLittleEndian) {
  CSwfStream out;
  out.WriteUI16(0x1234);
  out.WriteUI32(258);
  out.WriteSI16(-2);
  EXPECT_EQ(out.GetBytes(), (Bytes{0x34, 0x12, 0x02, 0x01, 0x00, 0x00, 0xFE, 0xFF}));
}

TEST(Stream, AppendMovesTheOtherStreamsBytesAndFlushesBoth) {
  CSwfStream a;
  CSwfStream b;
  a.WriteBits(1, 1);
  b.WriteByte(7);
  b.WriteBits(3, 2);
  a.Append(b);
  EXPECT_EQ(a.ByteCount(), 3);
  EXPECT_EQ(b.ByteCount(), 0);
  EXPECT_EQ(a.GetBytes(), (Bytes{0x80, 0x07, 0xC0}));
}

TEST(Reader, SignedBitFieldsAreTwosComplement) {
  struct Case {
    uint8_t byte;
    int32_t value;
  };
  for (const Case c : {Case{0b11111'000, -1}, Case{0b10000'000, -16}, Case{0b01111'000, 15}}) {
    CSwfReader reader;
    reader.OpenFromBytes({c.byte});
    EXPECT_EQ(reader.ReadBits(5, true), c.value);
  }
}

TEST(Reader, ReadsPastTheEndGiveZeroAndStayPut) {
  CSwfReader reader;
  reader.OpenFromBytes({0xAB});
  EXPECT_EQ(reader.ReadUI16(), 0);
  EXPECT_EQ(reader.GetPosition(), 0U);
  EXPECT_EQ(reader.ReadUI32(), 0U);
  EXPECT_EQ(reader.ReadUI8(), 0xAB);
  EXPECT_EQ(reader.ReadUI8(), 0);
  EXPECT_EQ(reader.ReadBits(32, false), 0);
  CSwfReader empty;
  empty.OpenFromBytes({});
  EXPECT_EQ(empty.ReadUI8(), 0);
}

TEST(Reader, ByteReadsSkipAPartlyReadByte) {
  CSwfReader reader;
  reader.OpenFromBytes({0xF0, 0x34, 0x12});
  EXPECT_EQ(reader.ReadBits(3, false), 7);
  EXPECT_EQ(reader.ReadUI16(), 0x1234);
}

TEST(Reader, FixedLengthStringsDropOneTrailingNul) {
  struct Case {
    Bytes data;
    uint32_t length;
    std::string expected;
    uint32_t position;
  };
  const Case cases[] = {
      {{'a', 'b', 0, 0}, 4, std::string("ab\0", 3), 4},
      {{'a', 'b', 'c', 'd'}, 4, "abcd", 4},
      {{'L', 'a', 'b', 'e', 'l', 0, 'x'}, 0, "Label", 6},
      {{'a', 'b'}, 0, "ab", 2},
      {{'a', 'b'}, 9, "ab", 2},
  };
  for (const Case& c : cases) {
    CSwfReader reader;
    reader.OpenFromBytes(c.data);
    std::string text = "old";
    reader.ReadString(text, c.length);
    EXPECT_EQ(text, c.expected);
    EXPECT_EQ(reader.GetPosition(), c.position);
  }
}

TEST(Reader, ALimitHidesTheBytesBeyondIt) {
  CSwfReader reader;
  reader.OpenFromBytes({1, 2, 3, 4});
  const uint32_t outer = reader.PushLimit(2);
  EXPECT_EQ(reader.ReadUI16(), 0x0201);
  EXPECT_EQ(reader.ReadUI8(), 0);
  EXPECT_EQ(reader.ReadBits(8, false), 0);
  reader.PopLimit(outer);
  reader.SetPosition(2);
  EXPECT_EQ(reader.ReadUI16(), 0x0403);
}

TEST(Stream, RandomBitFieldsReadBackAsWritten) {
  std::srand(1234);
  struct Field {
    int32_t value;
    int width;
    bool isSigned;
  };
  std::vector<Field> fields;
  CSwfStream out;
  for (int i = 0; i < 2000; ++i) {
    const bool isSigned = std::rand() % 2 == 0;
    const int32_t value = (std::rand() % 200001) - (isSigned ? 100000 : 0);
    const int width = BitsNeeded(value, isSigned);
    out.WriteBits(value, width);
    fields.push_back({value, width, isSigned});
    if (std::rand() % 7 == 0) {
      out.WriteByte(0x5A);
      fields.push_back({0x5A, 0, false});
    }
  }
  CSwfReader reader;
  reader.OpenFromBytes(out.GetBytes());
  for (const Field& f : fields) {
    const int32_t read = f.width == 0 ? reader.ReadUI8() : reader.ReadBits(f.width, f.isSigned);
    ASSERT_EQ(read, f.value);
  }
}

}  // namespace
}  // namespace swftk
