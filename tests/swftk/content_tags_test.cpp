// The tags a rewrite passes through as raw bytes and a player reads by their classes:
// bitmaps, JPEG data and morph shapes, and the reader's choice between the two.
#include <gtest/gtest.h>

#include <functional>

#include "swftk/bitmap_tags.h"
#include "swftk/morph_shape.h"
#include "swftk/place_object.h"
#include "swftk/reader.h"
#include "swftk/sprite.h"
#include "swftk/writer.h"
#include "test_bytes.h"

namespace swftk {
namespace {

using test::Bytes;
using test::Concat;
using test::Decode;
using test::Encode;
using test::Framed;
using test::Hex;

TEST(BitmapTags, ReadTheirFieldsAndWriteTheSameBytes) {
  const Bytes pixels = {0x78, 0x9C, 0x01, 0x02};
  const Bytes jpeg = {0xFF, 0xD8, 0xFF, 0xD9};
  const Bytes alpha = {0x78, 0x9C, 0x03};
  struct Case {
    uint16_t code;
    Bytes body;
    std::function<void(const CSwfTag&)> check;
  };
  const Case cases[] = {
      {tagcode::kDefineBitsLossless, Concat({{7, 0, 3, 2, 0, 1, 0, 15}, pixels}),
       [&](const CSwfTag& tag) {
         const auto& bits = static_cast<const CSwfDefineBitsLossless&>(tag);
         EXPECT_EQ(bits.characterId, 7);
         EXPECT_EQ(bits.format, CSwfDefineBitsLossless::kColorMapped);
         EXPECT_EQ(bits.width, 2);
         EXPECT_EQ(bits.height, 1);
         EXPECT_EQ(bits.colorTableSize, 15);
         EXPECT_EQ(bits.zlibData, pixels);
         EXPECT_FALSE(bits.HasAlpha());
       }},
      {tagcode::kDefineBitsLossless2, Concat({{8, 0, 5, 1, 0, 1, 0}, pixels}),
       [&](const CSwfTag& tag) {
         const auto& bits = static_cast<const CSwfDefineBitsLossless&>(tag);
         EXPECT_EQ(bits.format, CSwfDefineBitsLossless::kRgb32);
         EXPECT_EQ(bits.zlibData, pixels);
         EXPECT_TRUE(bits.HasAlpha());
       }},
      {tagcode::kJpegTables, jpeg,
       [&](const CSwfTag& tag) { EXPECT_EQ(static_cast<const CSwfJpegTables&>(tag).data, jpeg); }},
      {tagcode::kDefineBits, Concat({{3, 0}, jpeg}),
       [&](const CSwfTag& tag) {
         EXPECT_EQ(static_cast<const CSwfDefineBitsJpeg&>(tag).imageData, jpeg);
       }},
      {tagcode::kDefineBitsJpeg2, Concat({{3, 0}, jpeg}),
       [&](const CSwfTag& tag) {
         EXPECT_EQ(static_cast<const CSwfDefineBitsJpeg&>(tag).imageData, jpeg);
       }},
      // The image's size, then the image, then the alpha.
      {tagcode::kDefineBitsJpeg3, Concat({{3, 0, 4, 0, 0, 0}, jpeg, alpha}),
       [&](const CSwfTag& tag) {
         const auto& bits = static_cast<const CSwfDefineBitsJpeg&>(tag);
         EXPECT_EQ(bits.characterId, 3);
         EXPECT_EQ(bits.imageData, jpeg);
         EXPECT_EQ(bits.alphaData, alpha);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(TagName(c.code));
    const auto tag = MakeTag(c.code, 0, 0, TagModel::kEveryModelledTag);
    EXPECT_EQ(Decode(*tag, Framed(c.code, c.body)), c.code);
    c.check(*tag);
    EXPECT_EQ(Hex(Encode(*tag)), Hex(Framed(c.code, c.body)));
  }
  test::ExpectDamagedBodiesReadStably(
      tagcode::kDefineBitsJpeg3, [] { return std::make_unique<CSwfDefineBitsJpeg>(35); },
      test::DamagedBodies({Concat({{3, 0, 4, 0, 0, 0}, jpeg, alpha})}, 5, 20, 24));
}

// A square from (0, 0) growing to (400, 400), with one fill and one line style.
std::unique_ptr<CSwfDefineMorphShape> GrowingSquare() {
  auto owned = std::make_unique<CSwfDefineMorphShape>();
  CSwfDefineMorphShape& morph = *owned;
  morph.characterId = 4;
  morph.endBounds.xMax = morph.endBounds.yMax = 400;
  auto fill = std::make_unique<CSwfMorphFillStyle>();
  fill->startColor.Set(255, 0, 0, 255);
  fill->endColor.Set(0, 0, 255, 128);
  morph.fillStyles.styles.push_back(std::move(fill));
  morph.fillStyles.count = 1;
  auto line = std::make_unique<CSwfMorphLineStyle>();
  line->startWidth = 20;
  line->endWidth = 60;
  morph.lineStyles.styles.push_back(std::move(line));
  morph.lineStyles.count = 1;
  for (auto [edges, side] : {std::pair{&morph.startEdges, 100}, std::pair{&morph.endEdges, 400}}) {
    edges->SetStyleBits(1, 1);
    // Only the start edges pick styles.
    if (edges == &morph.startEdges) {
      auto select = std::make_unique<CSwfStyleChangeShapeRecord>();
      select->Init(CSwfStyleChangeShapeRecord::kFillStyle1 | CSwfStyleChangeShapeRecord::kLineStyle,
                   edges);
      select->fillStyle1 = select->lineStyle = 1;
      edges->records.push_back(std::move(select));
    }
    for (auto [dx, dy] : {std::pair{side, 0}, {0, side}, {-side, 0}, {0, -side}}) {
      auto edge = std::make_unique<CSwfStraightEdgeShapeRecord>();
      edge->Init(dx, dy, CSwfStraightEdgeShapeRecord::kGeneral);
      edges->records.push_back(std::move(edge));
    }
    edges->records.push_back(std::make_unique<CSwfEndOfShapeRecord>());
  }
  return owned;
}

TEST(MorphShape, WritesTheOffsetOfTheEndEdgesAndReadsBackTheSame) {
  const auto owned = GrowingSquare();
  const CSwfDefineMorphShape& morph = *owned;
  const Bytes written = Encode(morph);
  // The id, two rects, then the offset from the byte after it.
  const Bytes body = test::Body(written);
  const size_t offsetAt = 2 + Encode(morph.startBounds).size() + Encode(morph.endBounds).size();
  const uint32_t offset = body[offsetAt] | body[offsetAt + 1] << 8;
  const size_t endEdgesAt = offsetAt + 4 + offset;
  CSwfShape endOnly;
  test::DecodeRecord(endOnly, Bytes(body.begin() + static_cast<ptrdiff_t>(endEdgesAt), body.end()));
  EXPECT_EQ(Hex(Encode(endOnly)), Hex(Encode(morph.endEdges)));

  CSwfDefineMorphShape back;
  EXPECT_EQ(Decode(back, written), tagcode::kDefineMorphShape);
  EXPECT_EQ(back.characterId, 4);
  EXPECT_EQ(back.endBounds.xMax, 400);
  ASSERT_EQ(back.fillStyles.styles.size(), 1U);
  EXPECT_EQ(back.fillStyles.styles[0]->endColor.alpha, 128);
  ASSERT_EQ(back.lineStyles.styles.size(), 1U);
  EXPECT_EQ(back.lineStyles.styles[0]->endWidth, 60);
  EXPECT_EQ(back.startEdges.records.size(), 6U);
  EXPECT_EQ(back.endEdges.records.size(), 5U);
  EXPECT_EQ(Hex(Encode(back)), Hex(written));
  // An offset past the tag leaves the end edges where the start edges end.
  Bytes forged = body;
  forged[offsetAt + 3] = 0x7F;
  test::ExpectDamagedBodiesReadStably(
      tagcode::kDefineMorphShape, [] { return std::make_unique<CSwfDefineMorphShape>(); },
      test::DamagedBodies({body, forged}, 9, 40, 64));
}

TEST(TagModel, ARewriteKeepsContentTagsRawWhileAPlayerGetsTheirClasses) {
  CSwfWriter writer;
  writer.AddTag(std::make_unique<CSwfPlaceObject>(1, 1));
  auto sprite = std::make_unique<CSwfDefineSprite>(2, 1);
  sprite->tags.push_back(std::make_unique<CSwfPlaceObject>(1, 1));
  writer.AddTag(std::move(sprite));
  Bytes movie;
  writer.Build(movie, nullptr);
  for (const TagModel model : {TagModel::kRewrite, TagModel::kEveryModelledTag}) {
    CSwfReader reader;
    reader.SetTagModel(model);
    ASSERT_EQ(reader.OpenMovieBytes(movie), OpenResult::kOk);
    const bool modelled = model == TagModel::kEveryModelledTag;
    const auto* nested = dynamic_cast<const CSwfDefineSprite*>(reader.GetTags()[1].get());
    ASSERT_TRUE(nested);
    for (const CSwfTag* place : {reader.GetTags()[0].get(), nested->tags[0].get()})
      EXPECT_EQ(dynamic_cast<const CSwfPlaceObject*>(place) != nullptr, modelled);
  }
}

}  // namespace
}  // namespace swftk
