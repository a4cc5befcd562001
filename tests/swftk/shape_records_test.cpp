#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <functional>
#include <string>

#include "shape_test_util.h"
#include "swftk/shape.h"
#include "swftk/styles.h"
#include "test_bytes.h"

namespace swftk {
namespace {

using test::Bytes;
using test::Change;
using test::Concat;
using test::Curved;
using test::DecodeRecord;
using test::Encode;
using test::Hex;
using test::kIdentityMatrix;
using test::Straight;

using Line = CSwfStraightEdgeShapeRecord;

// A style change made by Init with the given flags, then given arrays of the given sizes.
std::unique_ptr<CSwfShapeRecord> Flagged(CSwfShape* shape, uint8_t flags, int fills = -1,
                                         int lines = -1) {
  auto change = std::make_unique<CSwfStyleChangeShapeRecord>();
  change->Init(flags, shape);
  if (fills >= 0) change->fillStyles = test::SolidFills(fills, 0);
  if (lines >= 0) change->lineStyles = test::BlackLines(lines, 0);
  return change;
}

struct RecordCase {
  const char* name;
  uint8_t widths;  // fill and line index widths of the shape the record belongs to
  std::function<std::unique_ptr<CSwfShapeRecord>(CSwfShape*)> make;
  Bytes bytes;
};

// clang-format off
const RecordCase kRecordCases[] = {
    // edge, straight, width 8 - 2, not general, not vertical | deltaX
    {"horizontal (100, 0)", 0x00, [](CSwfShape*) { return Straight(100, 0, Line::kHorizontal); },
     {0b1'1'0110'0'0, 0b01100100}},
    // edge, straight, width 5 - 2, general, -3 | 2
    {"general (-3, 2) at the minimum width", 0x00,
     [](CSwfShape*) { return Straight(-3, 2, Line::kGeneral); },
     {0b1'1'0011'1'1, 0b1101'0001, 0b0'0000000}},
    // edge, straight, width 6 - 2, not general, vertical | -20
    {"vertical (0, -20)", 0x00, [](CSwfShape*) { return Straight(0, -20, Line::kVertical); },
     {0b1'1'0100'0'1, 0b101100'00}},
    // edge, curved, width 7 - 2, then 40, 0, 40, 0 in 7 bits each
    {"curve (40, 0, 40, 0)", 0x00, [](CSwfShape*) { return Curved(40, 0, 40, 0); },
     {0b1'0'0101'01, 0b01000'000, 0b0000'0101, 0b000'00000, 0b00'000000}},
    {"end of shape", 0x00, [](CSwfShape*) { return std::make_unique<CSwfEndOfShapeRecord>(); },
     {0b000000'00}},
    // type 0, flags moveTo, width 8 | 100 | -20
    {"move to (100, -20)", 0x00, [](CSwfShape* s) { return Change(s, 0, 0, 0, 100, -20); },
     {0b0'00001'01, 0b000'01100, 0b100'11101, 0b100'00000}},
    // type 0, flags fillStyle1 only, index 1 in one bit
    {"fill style 1 without a move", 0x10, [](CSwfShape* s) { return Change(s, 0, 1, 0); },
     {0b0'00100'1'0}},
    // type 0, flags line, fill1, fill0 | 5 in 3 bits, 2 in 3 bits, 3 in 2 bits
    {"all indices in the shape's widths", 0x32, [](CSwfShape* s) { return Change(s, 5, 2, 3); },
     {0b0'01110'10, 0b1'010'11'00}},
    {"explicit change to fill style 0", 0x20,
     [](CSwfShape* s) { return Flagged(s, CSwfStyleChangeShapeRecord::kFillStyle0); },
     {0b0'00010'00}},
    // type 0, flags newStyles | two solid fills | one line of width 20, black | widths 2 and 1
    {"new styles: 2 fills, 1 line", 0x10,
     [](CSwfShape* s) { return Flagged(s, CSwfStyleChangeShapeRecord::kNewStyles, 2, 1); },
     {0b0'10000'00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x01, 0x14, 0x00, 0x00,
      0x00, 0x00, 0b0010'0001}},
    {"new-styles flag without arrays: two empty ones", 0x00,
     [](CSwfShape* s) { return Flagged(s, CSwfStyleChangeShapeRecord::kNewStyles); },
     {0b0'10000'00, 0x00, 0x00, 0b0000'0000}},
    {"arrays without the flag: the flag is written", 0x00,
     [](CSwfShape* s) { return Flagged(s, 0, 1); },
     {0b0'10000'00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0b0001'0000}},
};
// clang-format on

// Each record is written in a shape with the case's widths, and read back from such a shape.
TEST(ShapeRecords, EncodeAndReadBack) {
  for (const RecordCase& c : kRecordCases) {
    CSwfShape owner;
    owner.SetStyleBits(c.widths >> 4, c.widths & 15);
    EXPECT_EQ(Hex(Encode(*c.make(&owner))), Hex(c.bytes)) << c.name;

    const auto shape = test::ReadShape<CSwfShape>(Concat({{c.widths}, c.bytes}));
    const int expectedType = c.make(nullptr)->GetRecordType();
    // An end record in the table is the one that closes the shape.
    const size_t expectedCount = expectedType == CSwfShapeRecord::kEndOfShape ? 1 : 2;
    ASSERT_EQ(shape->records.size(), expectedCount) << c.name;
    EXPECT_EQ(shape->records.back()->GetRecordType(), CSwfShapeRecord::kEndOfShape) << c.name;
    EXPECT_EQ(shape->records.front()->GetRecordType(), expectedType) << c.name;
    EXPECT_EQ(Hex(Encode(*shape->records.front())), Hex(c.bytes)) << c.name;
  }
  // The width of a horizontal edge counts the delta it does not write.
  EXPECT_EQ(Hex(Encode(*Straight(1, 100, Line::kHorizontal))), Hex({0b1'1'0110'0'0, 0b00000001}));
  // The widest the field allows, 17 bits, as another tool may write it (this one splits it).
  const auto widest = test::ReadShape<CSwfShape>({0x00, 0b1'1'1111'0'0, 0b10000000, 0, 0});
  ASSERT_EQ(widest->records.size(), 2U);
  EXPECT_EQ(static_cast<const Line&>(*widest->records[0]).deltaX, -65536);
}

// New fills without lines write an empty line array and leave the line width the shape's.
TEST(StyleChangeRecord, NewFillsAloneKeepTheShapesLineWidth) {
  CSwfShape shape;
  shape.SetStyleBits(1, 1);
  CSwfStyleChangeShapeRecord change;
  change.SetMoveTo(0, 0, &shape);
  change.fillStyles = test::SolidFills(3, 0);
  change.UpdateFlags();
  const Bytes bytes = Encode(change);
  EXPECT_EQ(Hex(Bytes(bytes.end() - 2, bytes.end())), Hex({0x00, 0b0011'0001}));
  EXPECT_EQ(shape.numFillBits, 3);
  EXPECT_EQ(shape.numLineBits, 1);
}

// Writes one record inside a shape and reads the shape back.
std::unique_ptr<CSwfShape> ThroughShape(std::unique_ptr<CSwfShapeRecord> record) {
  CSwfShape shape;
  shape.records.push_back(std::move(record));
  shape.records.push_back(std::make_unique<CSwfEndOfShapeRecord>());
  const Bytes bytes = Encode(shape);
  auto read = test::ReadShape<CSwfShape>(bytes);
  EXPECT_EQ(Encode(*read), bytes) << "the pieces write back as they were read";
  return read;
}

TEST(LongEdges, StraightEdgesAreWrittenAsPiecesThatAddUp) {
  struct Case {
    int32_t dx;
    int32_t dy;
    uint8_t kind;
    size_t pieces;
  };
  const Case cases[] = {
      {65535, 0, Line::kHorizontal, 1},  {-65535, 65535, Line::kGeneral, 1},
      {65536, 0, Line::kHorizontal, 2},  {-200000, 7, Line::kGeneral, 4},
      {0, 1000000, Line::kVertical, 16}, {INT32_MIN, INT32_MAX, Line::kGeneral, 32769},
  };
  for (const Case& c : cases) {
    const auto shape = ThroughShape(Straight(c.dx, c.dy, c.kind));
    ASSERT_EQ(shape->records.size(), c.pieces + 1) << c.dx << ", " << c.dy;
    int64_t sumX = 0;
    int64_t sumY = 0;
    for (size_t i = 0; i < c.pieces; ++i) {
      ASSERT_EQ(shape->records[i]->GetRecordType(), CSwfShapeRecord::kStraightEdge);
      const auto& edge = static_cast<const CSwfStraightEdgeShapeRecord&>(*shape->records[i]);
      EXPECT_EQ(edge.lineKind, c.kind);
      EXPECT_LE(std::abs(edge.deltaX), 65535);
      EXPECT_LE(std::abs(edge.deltaY), 65535);
      sumX += edge.deltaX;
      sumY += edge.deltaY;
    }
    EXPECT_EQ(sumX, c.dx);
    EXPECT_EQ(sumY, c.dy);
  }
}

// Distance from (x, y) to the curve from the origin with the given deltas: the nearest of a
// coarse sampling, then narrowed by ternary search.
double DistanceToCurve(double cx, double cy, double ax, double ay, double x, double y) {
  const auto distanceAt = [&](double t) {
    return std::hypot(2 * t * (1 - t) * cx + t * t * (cx + ax) - x,
                      2 * t * (1 - t) * cy + t * t * (cy + ay) - y);
  };
  constexpr int kSteps = 1024;
  int best = 0;
  for (int step = 1; step <= kSteps; ++step)
    if (distanceAt(double(step) / kSteps) < distanceAt(double(best) / kSteps)) best = step;
  double lo = std::max(0.0, (best - 1.0) / kSteps);
  double hi = std::min(1.0, (best + 1.0) / kSteps);
  for (int i = 0; i < 100; ++i) {
    const double a = lo + (hi - lo) / 3;
    const double b = hi - (hi - lo) / 3;
    if (distanceAt(a) < distanceAt(b)) {
      hi = b;
    } else {
      lo = a;
    }
  }
  return distanceAt((lo + hi) / 2);
}

TEST(LongEdges, CurvesAreHalvedAndEndAtTheOriginalAnchor) {
  struct Case {
    int32_t cx, cy, ax, ay;
    size_t pieces;
  };
  const Case cases[] = {
      {65535, -65535, 65535, 0, 1},
      {100000, 0, 0, 100000, 2},
      {300000, -5, 1, 300000, 0},  // piece counts from here on not pinned
      {INT32_MAX, INT32_MIN, INT32_MAX, INT32_MAX, 0},
  };
  for (const Case& c : cases) {
    const auto shape = ThroughShape(Curved(c.cx, c.cy, c.ax, c.ay));
    const size_t pieces = shape->records.size() - 1;
    if (c.pieces != 0) {
      EXPECT_EQ(pieces, c.pieces) << c.cx;
    }
    // Each piece ends on the original curve, within rounding; a sample of them is measured.
    const size_t stride = std::max<size_t>(1, pieces / 256);
    int64_t penX = 0;
    int64_t penY = 0;
    for (size_t i = 0; i < pieces; ++i) {
      ASSERT_EQ(shape->records[i]->GetRecordType(), CSwfShapeRecord::kCurvedEdge);
      const auto& edge = static_cast<const CSwfCurvedEdgeShapeRecord&>(*shape->records[i]);
      for (const int32_t v :
           {edge.controlDeltaX, edge.controlDeltaY, edge.anchorDeltaX, edge.anchorDeltaY})
        EXPECT_LE(std::abs(v), 65535);
      penX += int64_t{edge.controlDeltaX} + edge.anchorDeltaX;
      penY += int64_t{edge.controlDeltaY} + edge.anchorDeltaY;
      if (i % stride != 0) continue;
      const double nearest = DistanceToCurve(c.cx, c.cy, c.ax, c.ay, penX, penY);
      // Each halving rounds the split point; the huge case also meets double precision.
      const double tolerance = std::abs(static_cast<double>(c.cx)) > 1e9 ? 64.0 : 4.0;
      EXPECT_LT(nearest, tolerance) << "piece " << i << " of curve " << c.cx;
    }
    EXPECT_EQ(penX, int64_t{c.cx} + c.ax);
    EXPECT_EQ(penY, int64_t{c.cy} + c.ay);
  }
}

std::unique_ptr<CSwfGradient> RedToBlue() {
  auto gradient = std::make_unique<CSwfGradient>();
  const auto add = [&gradient](uint8_t ratio, uint8_t red, uint8_t blue) {
    auto record = std::make_unique<CSwfGradientRecord>();
    record->Init(ratio, std::make_unique<CSwfColor>(red, 0, blue), 0);
    gradient->records.push_back(std::move(record));
  };
  add(0, 0xFF, 0);
  add(255, 0, 0xFF);
  return gradient;
}

// A fill of the given type: gradients run from red to blue, bitmaps use the given id.
std::unique_ptr<CSwfFillStyle> Fill(uint8_t type, std::unique_ptr<CSwfColor> color = nullptr,
                                    uint16_t bitmap = 0) {
  auto fill = std::make_unique<CSwfFillStyle>();
  if (color) {
    const uint8_t hasAlpha = color->HasAlpha() ? 1 : 0;
    fill->SetSolid(std::move(color), hasAlpha);
  } else if (type == CSwfFillStyle::kLinearGradient || type == CSwfFillStyle::kRadialGradient) {
    fill->SetGradient(type, std::make_unique<CSwfMatrix>(), RedToBlue());
  } else if (type == CSwfFillStyle::kClippedBitmap || type == CSwfFillStyle::kRepeatingBitmap) {
    fill->SetBitmap(type, bitmap, std::make_unique<CSwfMatrix>());
  } else {
    fill->fillType = type;
  }
  return fill;
}

const Bytes kRedToBlue = {0x02, 0x00, 0xFF, 0x00, 0x00, 0xFF, 0x00, 0x00, 0xFF};

struct FillCase {
  const char* name;
  uint8_t hasAlpha;
  std::unique_ptr<CSwfFillStyle> fill;
  Bytes bytes;
};

const FillCase kFillCases[] = {
    {"solid RGB",
     0,
     Fill(0, std::make_unique<CSwfColor>(0x11, 0x22, 0x33)),
     {0x00, 0x11, 0x22, 0x33}},
    {"solid RGBA",
     1,
     Fill(0, std::make_unique<CSwfColorAlpha>(0x11, 0x22, 0x33, 0x44)),
     {0x00, 0x11, 0x22, 0x33, 0x44}},
    {"linear gradient", 0, Fill(CSwfFillStyle::kLinearGradient),
     Concat({{0x10}, kIdentityMatrix, kRedToBlue})},
    {"radial gradient", 0, Fill(CSwfFillStyle::kRadialGradient),
     Concat({{0x12}, kIdentityMatrix, kRedToBlue})},
    {"clipped bitmap", 0, Fill(CSwfFillStyle::kClippedBitmap, nullptr, 7),
     Concat({{0x41, 0x07, 0x00}, kIdentityMatrix})},
    {"repeating bitmap", 0, Fill(CSwfFillStyle::kRepeatingBitmap, nullptr, 0x1234),
     Concat({{0x40, 0x34, 0x12}, kIdentityMatrix})},
    {"a later fill type carries nothing more", 0, Fill(0x13), {0x13}},
};

TEST(FillStyle, EncodeAndReadBack) {
  for (const FillCase& c : kFillCases) {
    EXPECT_EQ(Hex(Encode(*c.fill)), Hex(c.bytes)) << c.name;

    CSwfFillStyle back;
    back.hasAlpha = c.hasAlpha;
    CSwfReader reader;
    reader.OpenFromBytes(Concat({c.bytes, {0xEE}}));  // what follows is not consumed
    back.Read(reader);
    // A matrix ends inside a byte; the next byte-level read starts after it.
    reader.AlignByte();
    EXPECT_EQ(reader.GetPosition(), c.bytes.size()) << c.name;
    EXPECT_EQ(Hex(Encode(back)), Hex(c.bytes)) << c.name;
  }
}

// A style or stop without a colour still gives the format one: black, opaque with alpha.
TEST(LineStyle, WritesWidthAndColour) {
  const struct {
    uint8_t hasAlpha;
    bool coloured;
    Bytes bytes;
  } cases[] = {
      {0, true, {0x14, 0x00, 0x01, 0x02, 0x03}},
      {1, true, {0x14, 0x00, 0x01, 0x02, 0x03, 0x04}},
      {0, false, {0x14, 0x00, 0x00, 0x00, 0x00}},
      {1, false, {0x14, 0x00, 0x00, 0x00, 0x00, 0xFF}},
  };
  for (const auto& c : cases) {
    std::unique_ptr<CSwfColor> color;
    if (c.coloured && c.hasAlpha) color = std::make_unique<CSwfColorAlpha>(1, 2, 3, 4);
    if (c.coloured && !c.hasAlpha) color = std::make_unique<CSwfColor>(1, 2, 3);
    CSwfLineStyle style;
    style.Init(20, std::move(color), c.hasAlpha);
    EXPECT_EQ(Hex(Encode(style)), Hex(c.bytes));
    CSwfLineStyle read;
    read.hasAlpha = c.hasAlpha;
    EXPECT_EQ(DecodeRecord(read, c.bytes), c.bytes.size());
    EXPECT_EQ(Hex(Encode(read)), Hex(c.bytes));

    if (c.coloured) continue;
    CSwfGradientRecord stop;
    stop.Init(128, nullptr, c.hasAlpha);
    EXPECT_EQ(Hex(Encode(stop)), Hex(Concat({{0x80}, Bytes(c.bytes.begin() + 2, c.bytes.end())})))
        << "a gradient stop";
  }
}

TEST(StyleArrays, CountsBelow255TakeOneByteAndTheRestThree) {
  struct Case {
    int count;
    Bytes prefix;
  };
  const Case cases[] = {
      {0, {0x00}}, {1, {0x01}}, {254, {0xFE}}, {255, {0xFF, 0xFF, 0x00}}, {300, {0xFF, 0x2C, 0x01}},
  };
  for (const Case& c : cases) {
    const auto fills = test::SolidFills(c.count, 0);
    const Bytes bytes = Encode(*fills);
    ASSERT_EQ(bytes.size(), c.prefix.size() + 4U * c.count) << c.count;
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + c.prefix.size()), c.prefix) << c.count;

    CSwfFillStyleArray read;
    EXPECT_EQ(DecodeRecord(read, bytes), bytes.size()) << c.count;
    EXPECT_EQ(read.count, c.count);
    EXPECT_EQ(read.styles.size(), static_cast<size_t>(c.count));
    EXPECT_EQ(Encode(read), bytes) << c.count;
  }
  EXPECT_EQ(Encode(CSwfLineStyleArray()), (Bytes{0x00}));
}

// The index width field has four bits.
TEST(StyleArrays, IndexWidthIsTheCountUpTo15AndTheBitsNeededAbove) {
  for (const auto& [count, width] : {std::pair<uint16_t, uint8_t>{3, 3},
                                     {15, 15},
                                     {16, 5},
                                     {300, 9},
                                     {32767, 15},
                                     {65535, 15}}) {
    CSwfLineStyleArray lines;
    lines.count = count;
    EXPECT_EQ(lines.IndexBits(), width) << count;
  }
}

TEST(StyleArrays, AHugeCountOverShortDataStopsAtTheEnd) {
  struct Case {
    Bytes bytes;
    size_t styles;
  };
  const Case cases[] = {
      {{0xFF, 0xFF, 0xFF}, 0},
      {{0xFF, 0xFF, 0xFF, 0x00, 1, 2, 3}, 1},
      {{0xFF, 0xFF, 0xFF, 0x13, 0x13, 0x13}, 3},
  };
  for (const Case& c : cases) {
    CSwfFillStyleArray fills;
    DecodeRecord(fills, c.bytes);
    EXPECT_EQ(fills.styles.size(), c.styles) << Hex(c.bytes);
    EXPECT_EQ(fills.count, c.styles) << Hex(c.bytes);
  }
  CSwfGradient gradient;
  DecodeRecord(gradient, {0xFF, 0x00, 1, 2, 3});
  EXPECT_EQ(gradient.records.size(), 1U);
}

}  // namespace
}  // namespace swftk
