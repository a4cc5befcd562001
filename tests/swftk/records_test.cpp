#include <gtest/gtest.h>

#include <functional>

#include "swftk/place_object.h"
#include "swftk/records.h"
#include "test_bytes.h"

namespace swftk {
namespace {

using test::Bytes;
using test::Concat;
using test::Decode;
using test::DecodeRecord;
using test::Encode;
using test::Hex;
using test::kIdentityMatrix;

struct RecordCase {
  const char* name;
  Bytes written;
  Bytes expected;
  Bytes reread;  // the expected bytes read into a new record and written again
  Bytes expectedReread;
};

// A record, its expected bytes, and what a new record reads of those bytes and writes again
// (the same bytes unless a field absent from the bytes keeps the new record's value).
template <class Record>
RecordCase Row(const char* name, const Record& record, Bytes expected, Bytes reread = {}) {
  Record back;
  DecodeRecord(back, expected);
  if (reread.empty()) reread = expected;
  return {name, Encode(record), expected, Encode(back), reread};
}

CSwfMatrix MatrixOf(int32_t sx, int32_t sy, int32_t r0, int32_t r1, int32_t tx, int32_t ty) {
  CSwfMatrix m;
  m.Set(sx, sy, r0, r1, tx, ty, 0);
  return m;
}

template <class Transform>
Transform TransformOf(bool hasMult,
                      std::initializer_list<std::pair<int32_t Transform::*, int32_t>> terms) {
  Transform t;
  t.hasMultTerms = hasMult;
  for (const auto& [field, value] : terms) t.*field = value;
  return t;
}

TEST(Records, EncodeAndReadBack) {
  using CT = CSwfColorTransform;
  using CTA = CSwfColorTransformAlpha;
  CSwfRect frame;
  frame.SetPixels(0, 0, 550, 400);
  const RecordCase cases[] = {
      Row("empty rect", CSwfRect(), test::kEmptyRect),
      Row("550 x 400 pixels: 15-bit fields", frame,
          {0x78, 0x00, 0x05, 0x5F, 0x00, 0x00, 0x0F, 0xA0, 0x00}),
      Row("negative rect", CSwfRect(-1, 1, -20, 20), {0x37, 0xE0, 0xD8, 0xA0}),
      Row("31-bit rect", CSwfRect(-(1 << 30), (1 << 30) - 1, 0, 0),
          {0xFC, 0, 0, 0, 0x07, 0xFF, 0xFF, 0xFF, 0xE0, 0, 0, 0, 0, 0, 0, 0, 0}),
      Row("identity: scale 1.0 in 18 bits", CSwfMatrix(), kIdentityMatrix),
      Row("translation (100, -20) in 8 bits", MatrixOf(65536, 65536, 0, 0, 100, -20),
          {0xC9, 0x00, 0x00, 0x40, 0x00, 0x08, 0x64, 0xEC}),
      Row("rotation without scale: a read keeps the old scale", MatrixOf(0, 0, 5, 0, 1, 2),
          {0x4A, 0x50, 0x14, 0x22}, {0xC9, 0x00, 0x00, 0x40, 0x00, 0x25, 0x28, 0x0A, 0x11, 0x00}),
      Row("no terms at all", MatrixOf(0, 0, 0, 0, 0, 0), {0x00}, kIdentityMatrix),
      Row("RGB", CSwfColor(10, 20, 30), {10, 20, 30}),
      Row("RGBA is opaque black by default", CSwfColorAlpha(), {0, 0, 0, 0xFF}),
      Row("no transform: two zero bits and width 5", CT(), {0b0'0'0101'00}),
      // hasAdd 0, hasMult 1, n = 9, then 0, 0, 0, 128 in 9 bits.
      Row("alpha multiplier only", TransformOf<CTA>(false, {{&CTA::alphaMult, 128}}),
          {0b0'1'1001'00, 0, 0, 0, 0b00100000, 0}),
      // A file's multiplier terms that are all zero (a full tint) stay present.
      Row("present all-zero multipliers", TransformOf<CT>(true, {{&CT::greenAdd, 255}}),
          {0xE4, 0x00, 0x00, 0x00, 0x00, 0x1F, 0xE0, 0x00}),
      Row("both groups share one width",
          TransformOf<CTA>(false, {{&CTA::redMult, 256},
                                   {&CTA::greenMult, -256},
                                   {&CTA::blueAdd, 255},
                                   {&CTA::alphaAdd, -255}}),
          {0xE9, 0x00, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x0F, 0xFC, 0x04}),
      Row("the widest term a 4-bit width holds", TransformOf<CT>(false, {{&CT::redAdd, -16384}}),
          {0xBE, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}),
  };
  for (const RecordCase& c : cases) {
    EXPECT_EQ(Hex(c.written), Hex(c.expected)) << c.name;
    EXPECT_EQ(Hex(c.reread), Hex(c.expectedReread)) << c.name;
  }
}

TEST(ColorTransform, ReadAndResetForgetEarlierTerms) {
  CSwfColorTransformAlpha back;
  back.redAdd = 9;
  back.hasMultTerms = true;
  DecodeRecord(back, {0b0'0'0101'00});
  EXPECT_EQ(Encode(back), (Bytes{0b0'0'0101'00}));
  CSwfColorTransform tint;
  tint.hasMultTerms = true;
  tint.greenAdd = 255;
  tint.Reset();
  EXPECT_EQ(Encode(tint), (Bytes{0b0'0'0101'00})) << "a reset transform stands for none again";
}

TEST(PlaceObject2, EncodingsFollowThePresentFieldsAndReadBack) {
  const struct {
    const char* name;
    std::function<void(CSwfPlaceObject2&)> set;
    Bytes bytes;
  } cases[] = {
      {"character only", [](auto&) {}, {0x85, 0x06, 0x02, 0x01, 0x00, 0x02, 0x00}},
      {"name",
       [](auto& p) { p.name = std::string("letter"); },
       {0x8C, 0x06, 0x22, 0x01, 0x00, 0x02, 0x00, 'l', 'e', 't', 't', 'e', 'r', 0}},
      {"matrix", [](auto& p) { p.matrix = std::make_unique<CSwfMatrix>(); },
       Concat({{0x8B, 0x06, 0x06, 0x01, 0x00, 0x02, 0x00}, kIdentityMatrix})},
      {"the name comes before the clip depth",
       [](auto& p) {
         p.name = std::string("m");
         p.clipDepth = 9;
       },
       {0x89, 0x06, 0x62, 0x01, 0x00, 0x02, 0x00, 'm', 0, 0x09, 0x00}},
      {"move only",
       [](auto& p) {
         p.move = true;
         p.characterId = 0;
       },
       {0x83, 0x06, 0x01, 0x01, 0x00}},
      {"every field",
       [](auto& p) {
         p.depth = 300;
         p.characterId = 7;
         p.move = true;
         p.ratio = 65535;
         p.clipDepth = 400;
         p.name = std::string("effect1");
         p.matrix = std::make_unique<CSwfMatrix>();
         p.matrix->Set(-65536, 32768, 100, -100, -2000, 4000, 0);
         p.colorTransformAlpha = std::make_unique<CSwfColorTransformAlpha>();
         p.colorTransformAlpha->alphaMult = 128;
         p.colorTransformAlpha->redAdd = -255;
       },
       Concat({{0xA7, 0x06, 0x7F, 0x2C, 0x01, 0x07, 0x00},
               // scale in 18 bits, rotation in 8, translation in 13
               {0xCB, 0x00, 0x00, 0x20, 0x00, 0x28, 0x64, 0x9C, 0x6E, 0x0C, 0x1F, 0x40},
               // both groups in 9 bits
               {0xE4, 0x00, 0x00, 0x00, 0x20, 0x20, 0x20, 0x00, 0x00, 0x00},
               {0xFF, 0xFF, 'e', 'f', 'f', 'e', 'c', 't', '1', 0, 0x90, 0x01}})},
  };
  for (const auto& c : cases) {
    CSwfPlaceObject2 place;
    place.depth = 1;
    place.characterId = 2;
    c.set(place);
    EXPECT_EQ(Hex(Encode(place)), Hex(c.bytes)) << c.name;
    EXPECT_EQ(Hex(test::Reencode<CSwfPlaceObject2>(c.bytes)), Hex(c.bytes)) << c.name;
  }
}

TEST(PlaceObject2, AZeroRatioIsLeftOutOnWrite) {
  EXPECT_EQ(
      test::Reencode<CSwfPlaceObject2>({0x87, 0x06, 0x12, 0x01, 0x00, 0x02, 0x00, 0x00, 0x00}),
      (Bytes{0x85, 0x06, 0x02, 0x01, 0x00, 0x02, 0x00}));
}

TEST(PlaceObject, LengthCountsTheMatrixPartialByte) {
  CSwfPlaceObject place(1, 1);
  place.matrix = std::make_unique<CSwfMatrix>();
  EXPECT_EQ(Encode(place), Concat({{0x0A, 0x01, 0x01, 0x00, 0x01, 0x00}, kIdentityMatrix}));
}

TEST(PlaceObject, ColourTransformOnlyWhenTheBodyHasMore) {
  CSwfPlaceObject bare(1, 1);
  bare.matrix = std::make_unique<CSwfMatrix>();
  CSwfPlaceObject back;
  Decode(back, Encode(bare));
  EXPECT_EQ(back.colorTransform, nullptr);

  CSwfPlaceObject tinted(1, 1);
  tinted.matrix = std::make_unique<CSwfMatrix>();
  tinted.matrix->SetTranslate(200, 0);  // the matrix ends inside a byte
  tinted.colorTransform = std::make_unique<CSwfColorTransform>();
  tinted.colorTransform->greenAdd = 40;
  Decode(back, Encode(tinted));
  ASSERT_NE(back.colorTransform, nullptr);
  EXPECT_EQ(back.colorTransform->greenAdd, 40);
}

}  // namespace
}  // namespace swftk
