#include <gtest/gtest.h>

#include "swftk/records.h"
#include "test_bytes.h"

namespace swftk {
namespace {

using test::Bytes;
using test::DecodeRecord;
using test::Encode;

TEST(Rect, WidthFollowsTheLargestMagnitude) {
  EXPECT_EQ(Encode(CSwfRect()), (Bytes{0b00101'000, 0x00, 0x00, 0x00}));
  CSwfRect frame;
  frame.SetPixels(0, 0, 550, 400);
  EXPECT_EQ(frame.xMax, 11000);
  EXPECT_EQ(frame.yMax, 8000);
  // n = 15: 5 + 4 * 15 = 65 bits, 9 bytes.
  const Bytes bytes = Encode(frame);
  ASSERT_EQ(bytes.size(), 9U);
  EXPECT_EQ(bytes[0] >> 3, 15);
  CSwfRect back;
  EXPECT_EQ(DecodeRecord(back, bytes), 9U);
  EXPECT_EQ(back.xMax, 11000);
  EXPECT_EQ(back.yMax, 8000);
}

TEST(Rect, NegativeAndExtremeBoundsReadBack) {
  for (const CSwfRect& r : {CSwfRect(-1, 1, -20, 20), CSwfRect(-(1 << 30), (1 << 30) - 1, 0, 0)}) {
    CSwfRect back;
    DecodeRecord(back, Encode(r));
    EXPECT_EQ(back.xMin, r.xMin);
    EXPECT_EQ(back.xMax, r.xMax);
    EXPECT_EQ(back.yMin, r.yMin);
    EXPECT_EQ(back.yMax, r.yMax);
    EXPECT_EQ(Encode(back), Encode(r));
  }
}

TEST(Matrix, IdentityCarriesTheScaleBit) {
  // 1, n = 18, 65536, 65536, no rotate, 5-bit zero: 48 bits.
  const Bytes expected = {0b1'10010'01, 0b00000000, 0b00000000,
                          0b01000000,   0b00000000, 0b0000'0'000};
  EXPECT_EQ(Encode(CSwfMatrix()), expected);
}

TEST(Matrix, TranslationWidthAndReadBack) {
  CSwfMatrix m;
  m.SetTranslate(100, -20);
  const Bytes bytes = Encode(m);
  // 1 + 5 + 36 + 1 + 5 + 2 * 8 = 64 bits.
  EXPECT_EQ(bytes.size(), 8U);
  CSwfMatrix back;
  DecodeRecord(back, bytes);
  EXPECT_EQ(back.translateX, 100);
  EXPECT_EQ(back.translateY, -20);
  EXPECT_EQ(back.scaleX, 65536);
}

TEST(Matrix, ReadWithoutScaleKeepsTheOldScale) {
  // no scale, no rotate, translation width 0
  CSwfMatrix back;
  DecodeRecord(back, {0b0'0'00000'0});
  EXPECT_EQ(back.scaleX, 65536);
  EXPECT_TRUE(back.flags & CSwfMatrix::kHasScale);
  EXPECT_EQ(Encode(back), Encode(CSwfMatrix()));
}

TEST(Matrix, SetAddsFlagsForNonZeroTerms) {
  CSwfMatrix m;
  m.Set(0, 0, 5, 0, 1, 2, 0);
  EXPECT_EQ(m.flags, CSwfMatrix::kHasRotate);
  CSwfMatrix copy;
  copy = m;
  EXPECT_EQ(copy.flags, CSwfMatrix::kHasRotate);
  EXPECT_EQ(copy.rotateSkew0, 5);
  CSwfMatrix back;
  back.Set(0, 0, 0, 0, 0, 0, 0);
  DecodeRecord(back, Encode(m));
  EXPECT_EQ(back.rotateSkew0, 5);
  EXPECT_EQ(back.translateY, 2);
}

TEST(Color, EncodingsAndDefaults) {
  EXPECT_EQ(Encode(CSwfColorAlpha()), (Bytes{0, 0, 0, 0xFF}));
  EXPECT_EQ(Encode(CSwfColor(10, 20, 30)), (Bytes{10, 20, 30}));
  CSwfReader reader;
  reader.OpenFromBytes({1, 2, 3, 4});
  const auto color = ReadColor(reader, false);
  EXPECT_FALSE(color->HasAlpha());
  EXPECT_EQ(reader.GetPosition(), 3U);
  EXPECT_EQ(Encode(*color->Clone()), (Bytes{1, 2, 3}));
  EXPECT_TRUE(ReadColor(reader, true)->HasAlpha());
}

TEST(ColorTransform, OnlyAlphaMultiplier) {
  CSwfColorTransformAlpha t;
  t.alphaMult = 128;
  // hasAdd 0, hasMult 1, n = 9, then 0, 0, 0, 128 in 9 bits: 42 bits.
  const Bytes expected = {0b0'1'1001'00, 0b00000000, 0b00000000,
                          0b00000000,    0b00100000, 0b00'000000};
  EXPECT_EQ(Encode(t), expected);
  CSwfColorTransformAlpha back;
  DecodeRecord(back, expected);
  EXPECT_EQ(back.alphaMult, 128);
  EXPECT_EQ(back.redMult, 0);
}

TEST(ColorTransform, AllZeroIsTwoZeroBitsAndWidthFive) {
  EXPECT_EQ(Encode(CSwfColorTransform()), (Bytes{0b0'0'0101'00}));
  CSwfColorTransformAlpha back;
  back.redAdd = 9;
  DecodeRecord(back, {0b0'0'0101'00});
  EXPECT_EQ(back.redAdd, 0);
}

// A file's multiplier terms that are all zero (a full tint) stay present through a round trip.
TEST(ColorTransform, PresentAllZeroMultipliersSurviveAReadAndWrite) {
  CSwfColorTransform tint;
  tint.hasMultTerms = true;
  tint.greenAdd = 255;
  // hasAdd 1, hasMult 1, n = 9, then 0, 0, 0 and 0, 255, 0 in 9 bits: 60 bits.
  const Bytes bytes = Encode(tint);
  ASSERT_EQ(bytes.size(), 8U);
  EXPECT_EQ(bytes[0], 0b1'1'1001'00);
  CSwfColorTransform back;
  DecodeRecord(back, bytes);
  EXPECT_TRUE(back.hasMultTerms);
  EXPECT_EQ(back.greenAdd, 255);
  EXPECT_EQ(Encode(back), bytes);
  back.Reset();
  EXPECT_EQ(Encode(back), (Bytes{0b0'0'0101'00})) << "a reset transform stands for none again";
}

TEST(ColorTransform, BothGroupsShareOneWidthAndReadBack) {
  CSwfColorTransformAlpha t;
  t.redMult = 256;
  t.greenMult = -256;
  t.blueAdd = 255;
  t.alphaAdd = -255;
  const Bytes bytes = Encode(t);
  EXPECT_EQ(bytes[0] >> 6, 0b11);
  EXPECT_EQ((bytes[0] >> 2) & 15, 10);
  CSwfColorTransformAlpha back;
  DecodeRecord(back, bytes);
  EXPECT_EQ(back.redMult, 256);
  EXPECT_EQ(back.greenMult, -256);
  EXPECT_EQ(back.blueAdd, 255);
  EXPECT_EQ(back.alphaAdd, -255);
  // The widest value a 4-bit width can hold survives a second write.
  CSwfColorTransform wide;
  wide.redAdd = -16384;
  CSwfColorTransform wideBack;
  DecodeRecord(wideBack, Encode(wide));
  EXPECT_EQ(wideBack.redAdd, -16384);
}

}  // namespace
}  // namespace swftk
