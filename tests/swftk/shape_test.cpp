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
using test::Encode;
using test::Hex;

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// Three solid fills (colours 0, 1, 2 in red) and one black line of width 20.
const Bytes kThreeFillsOneLine{0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00,
                               0x02, 0x00, 0x00, 0x01, 0x14, 0x00, 0x00, 0x00, 0x00};

std::unique_ptr<CSwfStyleChangeShapeRecord> Change(CSwfShape* shape, uint16_t fill1,
                                                   uint16_t line) {
  auto change = std::make_unique<CSwfStyleChangeShapeRecord>();
  change->SetMoveTo(0, 0, shape);
  change->fillStyle1 = fill1;
  change->lineStyle = line;
  change->UpdateFlags();
  return change;
}

std::unique_ptr<CSwfStraightEdgeShapeRecord> Horizontal(int32_t dx) {
  auto edge = std::make_unique<CSwfStraightEdgeShapeRecord>();
  edge->Init(dx, 0, CSwfStraightEdgeShapeRecord::kHorizontal);
  return edge;
}

TEST(ShapeWithStyle, WidthsAreTheStyleCounts) {
  CSwfShapeWithStyle shape;
  shape.fillStyles = test::SolidFills(3, 0);
  shape.lineStyles = test::BlackLines(1, 0);
  shape.records.push_back(Change(&shape, 3, 1));
  shape.records.push_back(Horizontal(100));
  shape.records.push_back(std::make_unique<CSwfEndOfShapeRecord>());
  const Bytes expected =
      Concat({kThreeFillsOneLine,
              // widths 3 and 1 | style change: flags line and fill1,
              // fill 3 in 3 bits, line 1 in 1 bit, horizontal edge 100, end
              {0b0011'0001, 0b0'01100'01, 0b1'1'11'0110, 0b0'0'011001, 0b00'000000}});
  EXPECT_EQ(Hex(Encode(shape)), Hex(expected));
  EXPECT_EQ(Hex(Encode(shape)), Hex(expected)) << "a second write gives the same bytes";
}

TEST(ShapeWithStyle, WithoutArraysWritesTwoZeroCountsAndZeroWidths) {
  CSwfShapeWithStyle shape;
  shape.records.push_back(std::make_unique<CSwfEndOfShapeRecord>());
  EXPECT_EQ(Encode(shape), (Bytes{0x00, 0x00, 0b0000'0000, 0b000000'00}));
  shape.fillStyles = std::make_unique<CSwfFillStyleArray>();
  shape.lineStyles = std::make_unique<CSwfLineStyleArray>();
  EXPECT_EQ(Encode(shape), (Bytes{0x00, 0x00, 0b0000'0000, 0b000000'00}));
}

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
  EXPECT_EQ(shape->numFillBits, 2) << "the header's widths stand after reading";
  EXPECT_EQ(Hex(Encode(*shape)), Hex(counted));

  const auto again = test::ReadShape<CSwfShapeWithStyle>(counted);
  EXPECT_EQ(Hex(Encode(*again)), Hex(counted));
}

TEST(ShapeWithStyle, MoreThan15StylesAreIndexedWithTheBitsTheirCountNeeds) {
  CSwfShapeWithStyle shape;
  shape.fillStyles = test::SolidFills(20, 0);
  shape.records.push_back(Change(&shape, 20, 0));
  shape.records.push_back(std::make_unique<CSwfEndOfShapeRecord>());
  const Bytes bytes = Encode(shape);
  ASSERT_EQ(bytes.size(), 1 + 80 + 1 + 4U);
  // widths 5 and 0 | change: fill1, 20 in 5 bits | end
  EXPECT_EQ(Hex(Bytes(bytes.end() - 4, bytes.end())),
            Hex({0b0101'0000, 0b0'00100'10, 0b100'00000, 0b0'0000000}));
  const auto read = test::ReadShape<CSwfShapeWithStyle>(bytes);
  ASSERT_EQ(read->records.size(), 2U);
  EXPECT_EQ(static_cast<const CSwfStyleChangeShapeRecord&>(*read->records[0]).fillStyle1, 20);
}

TEST(ShapeWithStyle, NewStylesBeyond15AreIndexedWithTheBitsTheirCountNeeds) {
  CSwfShapeWithStyle shape;
  auto newStyles = std::make_unique<CSwfStyleChangeShapeRecord>();
  newStyles->SetMoveTo(0, 0, &shape);
  newStyles->fillStyles = test::SolidFills(16, 0);
  newStyles->lineStyles = test::BlackLines(17, 0);
  newStyles->UpdateFlags();
  shape.records.push_back(std::move(newStyles));
  shape.records.push_back(Change(&shape, 16, 17));
  shape.records.push_back(std::make_unique<CSwfEndOfShapeRecord>());
  const Bytes bytes = Encode(shape);
  const auto read = test::ReadShape<CSwfShapeWithStyle>(bytes);
  ASSERT_EQ(read->records.size(), 3U);
  const auto& change = static_cast<const CSwfStyleChangeShapeRecord&>(*read->records[1]);
  EXPECT_EQ(change.numFillBits, 5);
  EXPECT_EQ(change.numLineBits, 5);
  EXPECT_EQ(change.fillStyle1, 16);
  EXPECT_EQ(change.lineStyle, 17);
  EXPECT_EQ(Encode(*read), bytes);
}

// One solid fill (RGB or RGBA) selected by a fill1 change.
struct DefineShapeCase {
  uint16_t code;
  bool rgba;
  Bytes framed;
};

const DefineShapeCase kDefineShapeCases[] = {
    {tagcode::kDefineShape3,
     true,
     {0x10, 0x08,              // code 32, 16 bytes
      0x01, 0x00,              // id 1
      0x28, 0x00, 0x00, 0x00,  // empty bounds
      0x01, 0x00, 0x11, 0x22, 0x33, 0x44, 0x00, 0b0001'0000, 0b0'00100'1'0, 0b00000'000}},
    {tagcode::kDefineShape,
     false,
     {0x8F, 0x00, 0x01, 0x00, 0x28, 0x00, 0x00, 0x00, 0x01, 0x00, 0x11, 0x22, 0x33, 0x00,
      0b0001'0000, 0b0'00100'1'0, 0b00000'000}},
    {tagcode::kDefineShape2,
     false,
     {0x8F, 0x05, 0x01, 0x00, 0x28, 0x00, 0x00, 0x00, 0x01, 0x00, 0x11, 0x22, 0x33, 0x00,
      0b0001'0000, 0b0'00100'1'0, 0b00000'000}},
};

TEST(DefineShape, ColoursAreRgbaOnlyInDefineShape3) {
  for (const DefineShapeCase& c : kDefineShapeCases) {
    CSwfDefineShape tag(c.code);
    EXPECT_EQ(test::Decode(tag, c.framed), c.code);
    EXPECT_EQ(tag.GetCharacterId(), 1);
    ASSERT_NE(tag.shape->fillStyles, nullptr);
    ASSERT_EQ(tag.shape->fillStyles->styles.size(), 1U);
    const CSwfColor& color = *tag.shape->fillStyles->styles[0]->color;
    EXPECT_EQ(color.HasAlpha(), c.rgba) << c.code;
    EXPECT_EQ(color.blue, 0x33);
    EXPECT_EQ(Hex(Encode(tag)), Hex(c.framed)) << c.code;

    CSwfDefineShape copy;
    copy.CopyFrom(tag);
    EXPECT_EQ(copy.GetTagCode(), c.code);
    EXPECT_EQ(Hex(Encode(copy)), Hex(c.framed)) << c.code;
  }
}

TEST(DefineShape, ANewDefineShape3BuildsRgbaShapes) {
  EXPECT_EQ(CSwfDefineShape(tagcode::kDefineShape3).shape->hasAlpha, 1);
  EXPECT_EQ(CSwfDefineShape(tagcode::kDefineShape2).shape->hasAlpha, 0);
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

  auto move = Change(&shape, 3, 1);
  move->moveDeltaX = 40;
  move->UpdateFlags();
  shape.records.push_back(std::move(move));
  shape.records.push_back(Horizontal(-2000));
  auto curve = std::make_unique<CSwfCurvedEdgeShapeRecord>();
  curve->Init(40, 0, 40, -7);
  shape.records.push_back(std::move(curve));
  auto newStyles = std::make_unique<CSwfStyleChangeShapeRecord>();
  newStyles->SetMoveTo(0, 0, &shape);
  newStyles->fillStyles = test::SolidFills(5, 1);
  newStyles->lineStyles = test::BlackLines(2, 1);
  newStyles->UpdateFlags();
  shape.records.push_back(std::move(newStyles));
  shape.records.push_back(Change(&shape, 5, 2));
  auto vertical = std::make_unique<CSwfStraightEdgeShapeRecord>();
  vertical->Init(0, 77, CSwfStraightEdgeShapeRecord::kVertical);
  shape.records.push_back(std::move(vertical));
  shape.records.push_back(std::make_unique<CSwfEndOfShapeRecord>());
  return tag;
}

TEST(DefineShape, ACopyOutlivesItsSource) {
  auto source = RichShape();
  const Bytes before = Encode(*source);
  CSwfDefineShape copy;
  copy.CopyFrom(*source);

  ASSERT_EQ(copy.shape->records.size(), source->shape->records.size());
  for (const auto& record : copy.shape->records) {
    if (record->GetRecordType() != CSwfShapeRecord::kStyleChange) continue;
    const auto& change = static_cast<const CSwfStyleChangeShapeRecord&>(*record);
    EXPECT_EQ(change.shape, copy.shape.get()) << "copied changes belong to the copy";
  }
  EXPECT_NE(copy.shape->fillStyles.get(), source->shape->fillStyles.get());
  const auto& sourceNew =
      static_cast<const CSwfStyleChangeShapeRecord&>(*source->shape->records[3]);
  const auto& copyNew = static_cast<const CSwfStyleChangeShapeRecord&>(*copy.shape->records[3]);
  ASSERT_NE(copyNew.fillStyles, nullptr);
  EXPECT_NE(copyNew.fillStyles.get(), sourceNew.fillStyles.get());

  source.reset();
  copy.SetCharacterId(0x0199);
  Bytes expected = before;
  const size_t idAt = (expected[0] & 63) == 63 ? 6 : 2;
  expected[idAt] = 0x99;
  expected[idAt + 1] = 0x01;
  EXPECT_EQ(Hex(Encode(copy)), Hex(expected));
}

TEST(DefineShape, ARichShapeReadsBackToTheSameBytes) {
  const Bytes bytes = Encode(*RichShape());
  CSwfDefineShape read(tagcode::kDefineShape3);
  test::Decode(read, bytes);
  EXPECT_EQ(read.shape->records.size(), 7U);
  EXPECT_EQ(Hex(Encode(read)), Hex(bytes));
}

// The fields a record carries in the file, for comparing shapes record by record.
std::string Describe(const CSwfShapeRecord& record) {
  switch (record.GetRecordType()) {
    case CSwfShapeRecord::kStyleChange: {
      const auto& r = static_cast<const CSwfStyleChangeShapeRecord&>(record);
      return "change flags=" + std::to_string(r.flags) + " move=" + std::to_string(r.moveDeltaX) +
             "," + std::to_string(r.moveDeltaY) + " styles=" + std::to_string(r.fillStyle0) + "," +
             std::to_string(r.fillStyle1) + "," + std::to_string(r.lineStyle) +
             " new=" + std::to_string(r.fillStyles ? r.fillStyles->count : -1) + "," +
             std::to_string(r.lineStyles ? r.lineStyles->count : -1);
    }
    case CSwfShapeRecord::kStraightEdge: {
      const auto& r = static_cast<const CSwfStraightEdgeShapeRecord&>(record);
      return "line kind=" + std::to_string(r.lineKind) + " " + std::to_string(r.deltaX) + "," +
             std::to_string(r.deltaY);
    }
    case CSwfShapeRecord::kCurvedEdge: {
      const auto& r = static_cast<const CSwfCurvedEdgeShapeRecord&>(record);
      return "curve " + std::to_string(r.controlDeltaX) + "," + std::to_string(r.controlDeltaY) +
             " " + std::to_string(r.anchorDeltaX) + "," + std::to_string(r.anchorDeltaY);
    }
    case CSwfShapeRecord::kEndOfShape:
      return "end";
    default:
      return "?";
  }
}

std::vector<std::string> Describe(const CSwfShape& shape) {
  std::vector<std::string> lines;
  for (const auto& record : shape.records) lines.push_back(Describe(*record));
  return lines;
}

class RandomShapes {
 public:
  explicit RandomShapes(uint32_t seed) : rng_(seed) {}

  int Between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

  // A value of up to maxBits magnitude bits, often small, sometimes exactly at a width edge.
  int32_t Delta(int maxBits) {
    const int bits = Between(0, maxBits);
    const int64_t limit = (int64_t{1} << bits) - 1;
    const int64_t magnitude = Between(0, 3) == 0 ? limit : Between(0, static_cast<int>(limit));
    return static_cast<int32_t>(Between(0, 1) ? -magnitude : magnitude);
  }

  std::unique_ptr<CSwfShapeWithStyle> Shape(int maxEdgeBits) {
    auto shape = std::make_unique<CSwfShapeWithStyle>();
    shape->hasAlpha = static_cast<uint8_t>(Between(0, 1));
    int fills = Between(0, 20);
    int lines = Between(0, 20);
    if (fills > 0 || Between(0, 1)) shape->fillStyles = test::SolidFills(fills, shape->hasAlpha);
    if (lines > 0 || Between(0, 1)) shape->lineStyles = test::BlackLines(lines, shape->hasAlpha);
    const int count = Between(0, 40);
    for (int i = 0; i < count; ++i) {
      switch (Between(0, 2)) {
        case 0: {
          auto change = std::make_unique<CSwfStyleChangeShapeRecord>();
          const auto flags = static_cast<uint8_t>(Between(1, 31));
          change->Init(flags, shape.get());
          change->hasAlpha = shape->hasAlpha;
          if (flags & CSwfStyleChangeShapeRecord::kMoveTo) {
            change->moveDeltaX = Delta(30);
            change->moveDeltaY = Delta(30);
          }
          if (flags & CSwfStyleChangeShapeRecord::kFillStyle0)
            change->fillStyle0 = static_cast<uint16_t>(Between(0, fills));
          if (flags & CSwfStyleChangeShapeRecord::kFillStyle1)
            change->fillStyle1 = static_cast<uint16_t>(Between(0, fills));
          if (flags & CSwfStyleChangeShapeRecord::kLineStyle)
            change->lineStyle = static_cast<uint16_t>(Between(0, lines));
          if (flags & CSwfStyleChangeShapeRecord::kNewStyles) {
            fills = Between(0, 20);
            lines = Between(0, 20);
            change->fillStyles = test::SolidFills(fills, shape->hasAlpha);
            change->lineStyles = test::BlackLines(lines, shape->hasAlpha);
          }
          shape->records.push_back(std::move(change));
          break;
        }
        case 1: {
          auto edge = std::make_unique<CSwfStraightEdgeShapeRecord>();
          const auto kind = static_cast<uint8_t>(Between(0, 2));
          edge->Init(kind == CSwfStraightEdgeShapeRecord::kVertical ? 0 : Delta(maxEdgeBits),
                     kind == CSwfStraightEdgeShapeRecord::kHorizontal ? 0 : Delta(maxEdgeBits),
                     kind);
          shape->records.push_back(std::move(edge));
          break;
        }
        default: {
          auto edge = std::make_unique<CSwfCurvedEdgeShapeRecord>();
          edge->Init(Delta(maxEdgeBits), Delta(maxEdgeBits), Delta(maxEdgeBits),
                     Delta(maxEdgeBits));
          shape->records.push_back(std::move(edge));
          break;
        }
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
    const auto shape = random.Shape(16);
    const Bytes bytes = Encode(*shape);
    const auto read = test::ReadShape<CSwfShapeWithStyle>(bytes, shape->hasAlpha);
    ASSERT_EQ(Describe(*read), Describe(*shape)) << "shape " << i;
    ASSERT_EQ(Hex(Encode(*read)), Hex(bytes)) << "shape " << i;
  }
}

TEST(ShapeRoundTrip, RandomLongEdgesKeepTheirEndPoints) {
  const auto penAfter = [](const CSwfShape& shape) {
    int64_t x = 0;
    int64_t y = 0;
    for (const auto& record : shape.records) {
      if (record->GetRecordType() == CSwfShapeRecord::kStraightEdge) {
        const auto& r = static_cast<const CSwfStraightEdgeShapeRecord&>(*record);
        x += r.deltaX;
        y += r.deltaY;
      } else if (record->GetRecordType() == CSwfShapeRecord::kCurvedEdge) {
        const auto& r = static_cast<const CSwfCurvedEdgeShapeRecord&>(*record);
        x += int64_t{r.controlDeltaX} + r.anchorDeltaX;
        y += int64_t{r.controlDeltaY} + r.anchorDeltaY;
      }
    }
    return std::pair{x, y};
  };
  RandomShapes random(77);
  for (int i = 0; i < 100; ++i) {
    const auto shape = random.Shape(22);
    const Bytes bytes = Encode(*shape);
    const auto read = test::ReadShape<CSwfShapeWithStyle>(bytes, shape->hasAlpha);
    ASSERT_GE(read->records.size(), shape->records.size()) << "shape " << i;
    EXPECT_EQ(penAfter(*read), penAfter(*shape)) << "shape " << i;
    ASSERT_EQ(Hex(Encode(*read)), Hex(bytes)) << "shape " << i;
  }
}

// Reads a body as the tag loop would and checks that the result is a whole shape whose
// encoding is stable from then on.
void ExpectReadable(uint16_t code, const Bytes& body, const std::string& what) {
  CSwfDefineShape tag(code);
  test::DecodeRecord(tag, body);
  ASSERT_NE(tag.shape, nullptr) << what;
  ASSERT_FALSE(tag.shape->records.empty()) << what;
  EXPECT_EQ(tag.shape->records.back()->GetRecordType(), CSwfShapeRecord::kEndOfShape) << what;
  const Bytes written = Encode(tag);
  CSwfDefineShape again(code);
  test::Decode(again, written);
  EXPECT_EQ(Hex(Encode(again)), Hex(written)) << what;
}

TEST(ShapeMalformed, EveryTruncationReadsAsAWholeShape) {
  Bytes framed = Encode(*RichShape());
  const size_t headerSize = (framed[0] & 63) == 63 ? 6 : 2;
  const Bytes body(framed.begin() + headerSize, framed.end());
  for (size_t length = 0; length <= body.size(); ++length)
    ExpectReadable(tagcode::kDefineShape3, Bytes(body.begin(), body.begin() + length),
                   "cut at " + std::to_string(length));
}

TEST(ShapeMalformed, GarbageReadsWithoutHarm) {
  std::mt19937 rng(4242);
  std::uniform_int_distribution<int> byte(0, 255);
  Bytes framed = Encode(*RichShape());
  const size_t headerSize = (framed[0] & 63) == 63 ? 6 : 2;
  const Bytes body(framed.begin() + headerSize, framed.end());
  for (int i = 0; i < 3000; ++i) {
    Bytes garbage;
    if (i % 2 == 0) {
      garbage.resize(static_cast<size_t>(byte(rng)) + 1);
      for (uint8_t& b : garbage) b = static_cast<uint8_t>(byte(rng));
    } else {
      garbage = body;
      for (int flips = byte(rng) % 6 + 1; flips > 0; --flips)
        garbage[static_cast<size_t>(byte(rng)) % garbage.size()] = static_cast<uint8_t>(byte(rng));
    }
    for (const uint16_t code : {tagcode::kDefineShape, tagcode::kDefineShape3})
      ExpectReadable(code, garbage, "garbage " + std::to_string(i) + ": " + Hex(garbage));
  }
}

}  // namespace
}  // namespace swftk
