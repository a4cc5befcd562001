#include <gtest/gtest.h>

#include <random>
#include <string>

#include "shape_test_util.h"
#include "swftk/define_shape.h"
#include "swftk/shape.h"
#include "test_bytes.h"

namespace swftk {
namespace {

using test::Bytes;
using test::Change;
using test::Concat;
using test::Encode;
using test::Hex;
using test::Straight;

// Three solid fills (colours 0, 1, 2 in red) and one black line of width 20.
const Bytes kThreeFillsOneLine{0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00,
                               0x02, 0x00, 0x00, 0x01, 0x14, 0x00, 0x00, 0x00, 0x00};

TEST(ShapeWithStyle, WithoutArraysWritesTwoZeroCountsAndZeroWidths) {
  CSwfShapeWithStyle shape;
  shape.records.push_back(std::make_unique<CSwfEndOfShapeRecord>());
  EXPECT_EQ(Encode(shape), (Bytes{0x00, 0x00, 0b0000'0000, 0b000000'00}));
  shape.fillStyles = std::make_unique<CSwfFillStyleArray>();
  shape.lineStyles = std::make_unique<CSwfLineStyleArray>();
  EXPECT_EQ(Encode(shape), (Bytes{0x00, 0x00, 0b0000'0000, 0b000000'00}));
}

// Index widths are written as the style counts give them (the count up to 15, above that the
// bits it needs), whatever widths the file came with.
TEST(ShapeWithStyle, MinimalWidthsFromAFileAreWrittenAsCounts) {
  const Bytes threeFillsNoLines{0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01,
                                0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00};
  // As another tool writes it: 2 bits index three fills, everywhere.
  const Bytes minimal = Concat({
      kThreeFillsOneLine,
      {0b0010'0001},  // widths 2 and 1
      // change: fill1 3 in 2 bits, line 1 | horizontal edge 100 | new styles
      {0b0'01100'11, 0b1'1'1'0110'0, 0b0'0110010, 0b0'0'10000'0},
      threeFillsNoLines,
      {0b0010'0000},   // widths 2 and 0
      {0b0'00010'10},  // change: fill0 2 in 2 bits
      {0b000000'00},   // end
  });
  const Bytes counted = Concat({
      kThreeFillsOneLine,
      {0b0011'0001},  // widths 3 and 1
      // change: fill1 3 in 3 bits, line 1 | horizontal edge 100 | new styles
      {0b0'01100'01, 0b1'1'11'0110, 0b0'0'011001, 0b00'0'10000},
      threeFillsNoLines,
      {0b0011'0000},                 // widths 3 and 0
      {0b0'00010'01, 0b0'000000'0},  // change: fill0 2 in 3 bits | end
  });
  const auto shape = test::ReadShape<CSwfShapeWithStyle>(minimal);
  ASSERT_EQ(shape->records.size(), 5U);
  EXPECT_EQ(static_cast<const CSwfStyleChangeShapeRecord&>(*shape->records[0]).fillStyle1, 3);
  EXPECT_EQ(static_cast<const CSwfStyleChangeShapeRecord&>(*shape->records[3]).fillStyle0, 2);
  EXPECT_EQ(Hex(Encode(*shape)), Hex(counted));
  EXPECT_EQ(Hex(Encode(*test::ReadShape<CSwfShapeWithStyle>(counted))), Hex(counted));
}

TEST(DefineShape, ColoursAreRgbaOnlyInDefineShape3) {
  // One solid fill selected by a fill1 change: 16 bytes with RGBA, 15 with RGB.
  const Bytes head = {0x01, 0x00, 0x28, 0x00, 0x00, 0x00, 0x01, 0x00, 0x11, 0x22, 0x33};
  const Bytes tail = {0x00, 0b0001'0000, 0b0'00100'1'0, 0b00000'000};
  const std::pair<uint16_t, Bytes> cases[] = {
      {tagcode::kDefineShape3, Concat({{0x10, 0x08}, head, {0x44}, tail})},
      {tagcode::kDefineShape, Concat({{0x8F, 0x00}, head, tail})},
      {tagcode::kDefineShape2, Concat({{0x8F, 0x05}, head, tail})},
  };
  for (const auto& [code, framed] : cases) {
    CSwfDefineShape tag(code);
    EXPECT_EQ(test::Decode(tag, framed), code);
    ASSERT_EQ(tag.shape->fillStyles->styles.size(), 1U);
    EXPECT_EQ(tag.shape->fillStyles->styles[0]->color->HasAlpha(), code == 32) << code;
    EXPECT_EQ(Hex(Encode(tag)), Hex(framed)) << code;
  }
}

// A DefineShape3 that uses every kind of style and record.
std::unique_ptr<CSwfDefineShape> RichShape() {
  auto tag = std::make_unique<CSwfDefineShape>(tagcode::kDefineShape3);
  tag->SetCharacterId(5);
  tag->bounds->SetPixels(-10, -10, 300, 200);
  CSwfShapeWithStyle& shape = *tag->shape;
  shape.fillStyles = test::SolidFills(2, 1);
  auto gradient = std::make_unique<CSwfGradient>();
  gradient->hasAlpha = 1;
  auto stop = std::make_unique<CSwfGradientRecord>();
  stop->Init(9, std::make_unique<CSwfColorAlpha>(1, 2, 3, 4), 1);
  gradient->records.push_back(std::move(stop));
  auto matrix = std::make_unique<CSwfMatrix>();
  matrix->SetTranslate(100, -20);
  auto fill = std::make_unique<CSwfFillStyle>();
  fill->SetGradient(CSwfFillStyle::kRadialGradient, std::move(matrix), std::move(gradient));
  shape.fillStyles->styles.push_back(std::move(fill));
  ++shape.fillStyles->count;
  shape.lineStyles = test::BlackLines(1, 1);

  shape.records.push_back(Change(&shape, 0, 3, 1, 40));
  shape.records.push_back(Straight(-2000, 0, CSwfStraightEdgeShapeRecord::kHorizontal));
  shape.records.push_back(test::Curved(40, 0, 40, -7));
  auto newStyles = std::make_unique<CSwfStyleChangeShapeRecord>();
  newStyles->SetMoveTo(0, 0, &shape);
  newStyles->fillStyles = test::SolidFills(5, 1);
  newStyles->lineStyles = test::BlackLines(2, 1);
  newStyles->UpdateFlags();
  shape.records.push_back(std::move(newStyles));
  shape.records.push_back(Change(&shape, 0, 5, 2));
  shape.records.push_back(Straight(0, 77, CSwfStraightEdgeShapeRecord::kVertical));
  shape.records.push_back(std::make_unique<CSwfEndOfShapeRecord>());
  return tag;
}

// A copy's style changes take their widths from the copy's shape, so it outlives its source;
// copied or read back, the shape writes the same bytes.
TEST(DefineShape, ACopyOutlivesItsSource) {
  auto source = RichShape();
  const Bytes before = Encode(*source);
  CSwfDefineShape copy;
  copy.CopyFrom(*source);
  for (const auto& record : copy.shape->records) {
    if (record->GetRecordType() != CSwfShapeRecord::kStyleChange) continue;
    const auto& change = static_cast<const CSwfStyleChangeShapeRecord&>(*record);
    EXPECT_EQ(change.shape, copy.shape.get());
  }
  source.reset();
  EXPECT_EQ(Hex(Encode(copy)), Hex(before));
  CSwfDefineShape read(tagcode::kDefineShape3);
  test::Decode(read, before);
  EXPECT_EQ(Hex(Encode(read)), Hex(before));
}

// The fields a record carries in the file, for comparing shapes record by record.
std::vector<std::string> Describe(const CSwfShape& shape) {
  std::vector<std::string> lines;
  const auto text = [](std::initializer_list<int64_t> values) {
    std::string out;
    for (const int64_t v : values) out += std::to_string(v) + " ";
    return out;
  };
  for (const auto& record : shape.records) {
    const int type = record->GetRecordType();
    if (type == CSwfShapeRecord::kStyleChange) {
      const auto& r = static_cast<const CSwfStyleChangeShapeRecord&>(*record);
      lines.push_back(
          "change " +
          text({r.flags, r.moveDeltaX, r.moveDeltaY, r.fillStyle0, r.fillStyle1, r.lineStyle,
                r.fillStyles ? r.fillStyles->count : -1, r.lineStyles ? r.lineStyles->count : -1}));
    } else if (type == CSwfShapeRecord::kStraightEdge) {
      const auto& r = static_cast<const CSwfStraightEdgeShapeRecord&>(*record);
      lines.push_back("line " + text({r.lineKind, r.deltaX, r.deltaY}));
    } else if (type == CSwfShapeRecord::kCurvedEdge) {
      const auto& r = static_cast<const CSwfCurvedEdgeShapeRecord&>(*record);
      lines.push_back("curve " +
                      text({r.controlDeltaX, r.controlDeltaY, r.anchorDeltaX, r.anchorDeltaY}));
    } else {
      lines.push_back("type " + std::to_string(type));
    }
  }
  return lines;
}

// Random shapes of every record kind, style indices within the current arrays and deltas often
// right at a width's edge.
class RandomShapes {
 public:
  explicit RandomShapes(uint32_t seed) : rng_(seed) {}

  int Between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

  int32_t Delta(int maxBits) {
    const int bits = Between(0, maxBits);
    const int64_t limit = (int64_t{1} << bits) - 1;
    const int64_t magnitude = Between(0, 3) == 0 ? limit : Between(0, static_cast<int>(limit));
    return static_cast<int32_t>(Between(0, 1) ? -magnitude : magnitude);
  }

  std::unique_ptr<CSwfShapeWithStyle> Shape() {
    auto shape = std::make_unique<CSwfShapeWithStyle>();
    shape->hasAlpha = static_cast<uint8_t>(Between(0, 1));
    int fills = Between(0, 20);
    int lines = Between(0, 20);
    if (fills > 0 || Between(0, 1)) shape->fillStyles = test::SolidFills(fills, shape->hasAlpha);
    if (lines > 0 || Between(0, 1)) shape->lineStyles = test::BlackLines(lines, shape->hasAlpha);
    for (int i = Between(0, 40); i > 0; --i) {
      const int kind = Between(0, 2);
      if (kind == 0) {
        using Change = CSwfStyleChangeShapeRecord;
        auto change = std::make_unique<Change>();
        const auto flags = static_cast<uint8_t>(Between(1, 31));
        change->Init(flags, shape.get());
        change->hasAlpha = shape->hasAlpha;
        if (flags & Change::kMoveTo) {
          change->moveDeltaX = Delta(30);
          change->moveDeltaY = Delta(30);
        }
        if (flags & Change::kFillStyle0) change->fillStyle0 = uint16_t(Between(0, fills));
        if (flags & Change::kFillStyle1) change->fillStyle1 = uint16_t(Between(0, fills));
        if (flags & Change::kLineStyle) change->lineStyle = uint16_t(Between(0, lines));
        if (flags & Change::kNewStyles) {
          fills = Between(0, 20);
          lines = Between(0, 20);
          change->fillStyles = test::SolidFills(fills, shape->hasAlpha);
          change->lineStyles = test::BlackLines(lines, shape->hasAlpha);
        }
        shape->records.push_back(std::move(change));
      } else if (kind == 1) {
        const auto line = static_cast<uint8_t>(Between(0, 2));
        shape->records.push_back(
            Straight(line == CSwfStraightEdgeShapeRecord::kVertical ? 0 : Delta(16),
                     line == CSwfStraightEdgeShapeRecord::kHorizontal ? 0 : Delta(16), line));
      } else {
        shape->records.push_back(test::Curved(Delta(16), Delta(16), Delta(16), Delta(16)));
      }
    }
    shape->records.push_back(std::make_unique<CSwfEndOfShapeRecord>());
    return shape;
  }

 private:
  std::mt19937 rng_;
};

TEST(ShapeRoundTrip, RandomShapesReadBackRecordForRecord) {
  RandomShapes random(20240611);
  for (int i = 0; i < 500; ++i) {
    const auto shape = random.Shape();
    const Bytes bytes = Encode(*shape);
    const auto read = test::ReadShape<CSwfShapeWithStyle>(bytes, shape->hasAlpha);
    ASSERT_EQ(Describe(*read), Describe(*shape)) << "shape " << i;
    ASSERT_EQ(Hex(Encode(*read)), Hex(bytes)) << "shape " << i;
  }
}

// Every truncation of a valid body, random bodies and bodies with a few bytes changed.
TEST(ShapeMalformed, DamagedBodiesReadAndWriteStably) {
  const Bytes body = test::Body(Encode(*RichShape()));
  std::vector<Bytes> bodies = test::DamagedBodies({body}, 4242, 1500, 257);
  std::mt19937 rng(4243);
  for (int i = 0; i < 1500; ++i) {
    Bytes changed = body;
    for (int n = static_cast<int>(rng() % 6) + 1; n > 0; --n)
      changed[rng() % changed.size()] = static_cast<uint8_t>(rng());
    bodies.push_back(std::move(changed));
  }
  for (const uint16_t code : {tagcode::kDefineShape, tagcode::kDefineShape3})
    test::ExpectDamagedBodiesReadStably(
        code, [code] { return std::make_unique<CSwfDefineShape>(code); }, bodies);
}

}  // namespace
}  // namespace swftk
