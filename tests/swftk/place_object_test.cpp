#include <gtest/gtest.h>

#include "swftk/place_object.h"
#include "test_bytes.h"

namespace swftk {
namespace {

using test::Bytes;
using test::Decode;
using test::Encode;

Bytes Concat(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

const Bytes kIdentity = {0b1'10010'01, 0, 0, 0b01000000, 0, 0};

TEST(PlaceObject2, EncodingsFollowThePresentFields) {
  CSwfPlaceObject2 plain;
  plain.depth = 1;
  plain.characterId = 2;
  EXPECT_EQ(Encode(plain), (Bytes{0x85, 0x06, 0x02, 0x01, 0x00, 0x02, 0x00}));

  CSwfPlaceObject2 named;
  named.CopyFrom(plain);
  named.name = "letter";
  EXPECT_EQ(Encode(named),
            (Bytes{0x8C, 0x06, 0x22, 0x01, 0x00, 0x02, 0x00, 'l', 'e', 't', 't', 'e', 'r', 0}));

  CSwfPlaceObject2 placed;
  placed.CopyFrom(plain);
  placed.matrix = std::make_unique<CSwfMatrix>();
  EXPECT_EQ(Encode(placed), Concat({0x8B, 0x06, 0x06, 0x01, 0x00, 0x02, 0x00}, kIdentity));
}

TEST(PlaceObject2, NameComesBeforeClipDepth) {
  CSwfPlaceObject2 mask;
  mask.depth = 3;
  mask.characterId = 4;
  mask.name = "m";
  mask.clipDepth = 9;
  const Bytes bytes = Encode(mask);
  EXPECT_EQ(bytes, (Bytes{0x89, 0x06, 0x62, 0x03, 0x00, 0x04, 0x00, 'm', 0, 0x09, 0x00}));
  CSwfPlaceObject2 back;
  Decode(back, bytes);
  EXPECT_EQ(back.name, "m");
  EXPECT_EQ(back.clipDepth, 9);
}

TEST(PlaceObject2, MoveOnlyReadsAndWritesBack) {
  const Bytes bytes = {0x83, 0x06, 0x01, 0x05, 0x00};
  CSwfPlaceObject2 back;
  Decode(back, bytes);
  EXPECT_TRUE(back.move);
  EXPECT_EQ(back.characterId, 0);
  EXPECT_EQ(back.matrix, nullptr);
  EXPECT_EQ(Encode(back), bytes);
}

TEST(PlaceObject2, AZeroRatioIsLeftOutOnWrite) {
  const Bytes bytes = {0x85, 0x06, 0x12, 0x01, 0x00, 0x02, 0x00, 0x00, 0x00};
  CSwfPlaceObject2 back;
  Decode(back, Concat({0x87, 0x06}, Bytes(bytes.begin() + 2, bytes.end())));
  EXPECT_EQ(back.ratio, 0);
  EXPECT_EQ(Encode(back), (Bytes{0x85, 0x06, 0x02, 0x01, 0x00, 0x02, 0x00}));
}

TEST(PlaceObject2, EveryFieldRoundTrips) {
  CSwfPlaceObject2 full;
  full.depth = 300;
  full.characterId = 7;
  full.move = true;
  full.ratio = 65535;
  full.clipDepth = 400;
  full.name = "effect1";
  full.matrix = std::make_unique<CSwfMatrix>();
  full.matrix->Set(-65536, 32768, 100, -100, -2000, 4000, 0);
  full.colorTransformAlpha = std::make_unique<CSwfColorTransformAlpha>();
  full.colorTransformAlpha->alphaMult = 128;
  full.colorTransformAlpha->redAdd = -255;
  const Bytes bytes = Encode(full);
  CSwfPlaceObject2 back;
  Decode(back, bytes);
  EXPECT_EQ(Encode(back), bytes);
  EXPECT_EQ(back.matrix->rotateSkew1, -100);
  EXPECT_EQ(back.colorTransformAlpha->redAdd, -255);
}

TEST(PlaceObject2, CopyFromMakesIndependentChildren) {
  CSwfPlaceObject2 source;
  source.matrix = std::make_unique<CSwfMatrix>();
  source.colorTransformAlpha = std::make_unique<CSwfColorTransformAlpha>();
  CSwfPlaceObject2 copy;
  copy.CopyFrom(source);
  copy.matrix->SetTranslate(5, 5);
  copy.colorTransformAlpha->redAdd = 3;
  EXPECT_EQ(source.matrix->translateX, 0);
  EXPECT_EQ(source.colorTransformAlpha->redAdd, 0);
}

TEST(PlaceObject, LengthCountsTheMatrixPartialByte) {
  CSwfPlaceObject place(1, 1);
  place.matrix = std::make_unique<CSwfMatrix>();
  EXPECT_EQ(Encode(place), Concat({0x0A, 0x01, 0x01, 0x00, 0x01, 0x00}, kIdentity));
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
