#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <set>
#include <thread>
#include <utility>
#include <vector>

#include "swftk/reader.h"
#include "swftk/shape_records.h"
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

TEST(Stream, BitsAndBytesShareTheOutput) {
  CSwfStream out;
  out.WriteBits(5, 3);
  out.WriteByte(0xFF);  // flushes the partial byte first
  for (int i = 0; i < 8; ++i) out.WriteBits(1, 1);
  EXPECT_EQ(out.ByteCount(), 2) << "pending bits are not counted";
  out.FlushBits();
  out.FlushBits();  // a full accumulator is appended once
  out.WriteUI16(0x1234);
  out.WriteUI32(258);
  out.WriteSI16(-2);
  EXPECT_EQ(out.GetBytes(),
            (Bytes{0b101'00000, 0xFF, 0xFF, 0x34, 0x12, 0x02, 0x01, 0x00, 0x00, 0xFE, 0xFF}));
}

TEST(Stream, AppendMovesTheOtherStreamsBytesAndFlushesBoth) {
  CSwfStream a;
  CSwfStream b;
  a.WriteBits(1, 1);
  b.WriteByte(7);
  b.WriteBits(3, 2);
  a.Append(b);
  EXPECT_EQ(b.ByteCount(), 0);
  EXPECT_EQ(a.GetBytes(), (Bytes{0x80, 0x07, 0xC0}));
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
  reader.OpenFromBytes({});
  EXPECT_EQ(reader.ReadUI8(), 0);
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
  std::mt19937 random(1234);
  struct Field {
    int32_t value;
    int width;  // 0 for a whole byte
    bool isSigned;
  };
  std::vector<Field> fields;
  CSwfStream out;
  for (int i = 0; i < 2000; ++i) {
    const bool isSigned = random() % 2 == 0;
    const int32_t value = static_cast<int32_t>(random() % 200001) - (isSigned ? 100000 : 0);
    const int width = BitsNeeded(value, isSigned);
    out.WriteBits(value, width);
    fields.push_back({value, width, isSigned});
    if (random() % 7 == 0) {
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

using Records = std::vector<std::unique_ptr<CSwfStraightEdgeShapeRecord>>;

Records MakeEdges(int count, int32_t tag) {
  Records edges;
  for (int i = 0; i < count; ++i) {
    edges.push_back(std::make_unique<CSwfStraightEdgeShapeRecord>());
    edges.back()->Init(tag, i, CSwfStraightEdgeShapeRecord::kGeneral);
  }
  return edges;
}

void ExpectIntact(const Records& edges, int32_t tag) {
  for (size_t i = 0; i < edges.size(); ++i) {
    ASSERT_EQ(edges[i]->deltaX, tag);
    ASSERT_EQ(edges[i]->deltaY, static_cast<int32_t>(i));
  }
}

// Records freed on another thread go to that thread's reuse, and live records never share
// memory, whichever thread made or freed them.
TEST(RecordPool, RecordsMadeOnOneThreadAndFreedOnAnotherStayApart) {
  constexpr int kCount = 20000;  // several blocks' worth
  Records first;
  std::thread maker([&first] { first = MakeEdges(kCount, 1); });
  maker.join();
  ExpectIntact(first, 1);

  Records second = MakeEdges(kCount, 2);
  std::thread freer([&first] { first.clear(); });
  freer.join();
  Records third = MakeEdges(kCount, 3);
  std::vector<std::unique_ptr<CSwfShapeRecord>> mixed;
  for (int i = 0; i < kCount; ++i) {
    mixed.push_back(std::make_unique<CSwfCurvedEdgeShapeRecord>());
    mixed.push_back(std::make_unique<CSwfStyleChangeShapeRecord>());
  }

  std::set<const void*> addresses;
  for (const Records* edges : {&second, &third})
    for (const auto& edge : *edges) addresses.insert(edge.get());
  for (const auto& record : mixed) addresses.insert(record.get());
  EXPECT_EQ(addresses.size(), 4U * kCount);
  ExpectIntact(second, 2);
  ExpectIntact(third, 3);
}

}  // namespace
}  // namespace swftk
