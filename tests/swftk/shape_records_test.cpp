#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <functional>
#include <string>

#include "shape_test_util.h"
#include "swftk/shape.h"
#include "test_bytes.h"

namespace swftk {
namespace {

using test::Bytes;
using test::Encode;
using test::Hex;

std::unique_ptr<CSwfShapeRecord> Straight(int32_t dx, int32_t dy, uint8_t kind) {
  auto edge = std::make_unique<CSwfStraightEdgeShapeRecord>();
  edge->Init(dx, dy, kind);
  return edge;
}

std::unique_ptr<CSwfShapeRecord> Curved(int32_t cx, int32_t cy, int32_t ax, int32_t ay) {
  auto edge = std::make_unique<CSwfCurvedEdgeShapeRecord>();
  edge->Init(cx, cy, ax, ay);
  return edge;
}

struct RecordCase {
  const char* name;
  uint8_t fillBits;  // widths of the shape the record belongs to
  uint8_t lineBits;
  std::function<std::unique_ptr<CSwfShapeRecord>(CSwfShape*)> make;
  Bytes bytes;
};

const RecordCase kRecordCases[] = {
    {"horizontal (100, 0)",
     0,
     0,
     [](CSwfShape*) { return Straight(100, 0, CSwfStraightEdgeShapeRecord::kHorizontal); },
     // edge, straight, width 8 - 2, not general, not vertical | deltaX
     {0b1'1'0110'0'0, 0b01100100}},
    {"general (-3, 2) at the minimum width",
     0,
     0,
     [](CSwfShape*) { return Straight(-3, 2, CSwfStraightEdgeShapeRecord::kGeneral); },
     // edge, straight, width 5 - 2, general, -3 | 2
     {0b1'1'0011'1'1, 0b1101'0001, 0b0'0000000}},
    {"vertical (0, -20)",
     0,
     0,
     [](CSwfShape*) { return Straight(0, -20, CSwfStraightEdgeShapeRecord::kVertical); },
     // edge, straight, width 6 - 2, not general, vertical | -20
     {0b1'1'0100'0'1, 0b101100'00}},
    {"curve (40, 0, 40, 0)",
     0,
     0,
     [](CSwfShape*) { return Curved(40, 0, 40, 0); },
     // edge, curved, width 7 - 2, then 40, 0, 40, 0 in 7 bits each
     {0b1'0'0101'01, 0b01000'000, 0b0000'0101, 0b000'00000, 0b00'000000}},
    {"end of shape",
     0,
     0,
     [](CSwfShape*) { return std::make_unique<CSwfEndOfShapeRecord>(); },
     {0b000000'00}},
    {"move to (100, -20)",
     0,
     0,
     [](CSwfShape* shape) {
       auto change = std::make_unique<CSwfStyleChangeShapeRecord>();
       change->SetMoveTo(100, -20, shape);
       change->UpdateFlags();
       return change;
     },
     // type 0, flags moveTo, width 8 | 100 | -20
     {0b0'00001'01, 0b000'01100, 0b100'11101, 0b100'00000}},
    {"fill style 1 without a move",
     1,
     0,
     [](CSwfShape* shape) {
       auto change = std::make_unique<CSwfStyleChangeShapeRecord>();
       change->SetMoveTo(0, 0, shape);
       change->fillStyle1 = 1;
       change->UpdateFlags();
       return change;
     },
     // type 0, flags fillStyle1 only, index 1 in one bit
     {0b0'00100'1'0}},
    {"all indices in the shape's widths",
     3,
     2,
     [](CSwfShape* shape) {
       auto change = std::make_unique<CSwfStyleChangeShapeRecord>();
       change->SetMoveTo(0, 0, shape);
       change->fillStyle0 = 5;
       change->fillStyle1 = 2;
       change->lineStyle = 3;
       change->UpdateFlags();
       return change;
     },
     // type 0, flags line, fill1, fill0 | 5 in 3 bits, 2 in 3 bits, 3 in 2 bits
     {0b0'01110'10, 0b1'010'11'00}},
    {"explicit change to fill style 0",
     2,
     0,
     [](CSwfShape* shape) {
       auto change = std::make_unique<CSwfStyleChangeShapeRecord>();
       change->Init(CSwfStyleChangeShapeRecord::kFillStyle0, shape);
       return change;
     },
     {0b0'00010'00}},
    {"new styles: 2 fills, 1 line",
     1,
     0,
     [](CSwfShape* shape) {
       auto change = std::make_unique<CSwfStyleChangeShapeRecord>();
       change->SetMoveTo(0, 0, shape);
       change->fillStyles = test::SolidFills(2, 0);
       change->lineStyles = test::BlackLines(1, 0);
       change->UpdateFlags();
       return change;
     },
     // type 0, flags newStyles | two solid fills | one line of width 20, black | widths 2 and 1
     {0b0'10000'00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x01, 0x14, 0x00, 0x00,
      0x00, 0x00, 0b0010'0001}},
    {"new-styles flag without arrays: two empty ones",
     0,
     0,
     [](CSwfShape* shape) {
       auto change = std::make_unique<CSwfStyleChangeShapeRecord>();
       change->Init(CSwfStyleChangeShapeRecord::kNewStyles, shape);
       return change;
     },
     {0b0'10000'00, 0x00, 0x00, 0b0000'0000}},
    {"arrays without the flag: the flag is written",
     0,
     0,
     [](CSwfShape* shape) {
       auto change = std::make_unique<CSwfStyleChangeShapeRecord>();
       change->Init(0, shape);
       change->fillStyles = test::SolidFills(1, 0);
       return change;
     },
     {0b0'10000'00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0b0001'0000}},
};

// A shape whose header carries the case's widths, the case's record, then zero bits.
Bytes InShape(const RecordCase& c) {
  Bytes bytes{static_cast<uint8_t>(c.fillBits << 4 | c.lineBits)};
  bytes.insert(bytes.end(), c.bytes.begin(), c.bytes.end());
  return bytes;
}

TEST(ShapeRecords, WriteTheirEncoding) {
  for (const RecordCase& c : kRecordCases) {
    CSwfShape owner;
    owner.SetStyleBits(c.fillBits, c.lineBits);
    EXPECT_EQ(Hex(Encode(*c.make(&owner))), Hex(c.bytes)) << c.name;
  }
}

TEST(ShapeRecords, ReadBackToTheSameEncoding) {
  for (const RecordCase& c : kRecordCases) {
    const auto shape = test::ReadShape<CSwfShape>(InShape(c));
    const int expectedType = c.make(nullptr)->GetRecordType();
    // An end record in the table is the one that closes the shape.
    const size_t expectedCount = expectedType == CSwfShapeRecord::kEndOfShape ? 1 : 2;
    ASSERT_EQ(shape->records.size(), expectedCount) << c.name;
    EXPECT_EQ(shape->records.back()->GetRecordType(), CSwfShapeRecord::kEndOfShape) << c.name;
    const CSwfShapeRecord& record = *shape->records.front();
    EXPECT_EQ(record.GetRecordType(), expectedType) << c.name;
    EXPECT_EQ(Hex(Encode(record)), Hex(c.bytes)) << c.name;
  }
}

TEST(ShapeRecords, TheEdgeWidthCountsADeltaThatIsNotWritten) {
  const auto edge = Straight(1, 100, CSwfStraightEdgeShapeRecord::kHorizontal);
  EXPECT_EQ(Hex(Encode(*edge)), Hex({0b1'1'0110'0'0, 0b00000001}));
}

TEST(ShapeRecords, StraightEdgesReadTheirKindAndWidth) {
  struct Case {
    Bytes bytes;
    uint8_t kind;
    int32_t dx;
    int32_t dy;
    uint8_t numBits;
  };
  const Case cases[] = {
      {{0x00, 0b1'1'0110'0'0, 0b01100100}, CSwfStraightEdgeShapeRecord::kHorizontal, 100, 0, 6},
      {{0x00, 0b1'1'0100'0'1, 0b101100'00}, CSwfStraightEdgeShapeRecord::kVertical, 0, -20, 4},
      {{0x00, 0b1'1'0011'1'1, 0b1101'0001, 0}, CSwfStraightEdgeShapeRecord::kGeneral, -3, 2, 3},
      // The widest the field allows: 17 bits.
      {{0x00, 0b1'1'1111'0'0, 0b10000000, 0b00000000, 0b0'0000000},
       CSwfStraightEdgeShapeRecord::kHorizontal,
       -65536,
       0,
       15},
  };
  for (const Case& c : cases) {
    const auto shape = test::ReadShape<CSwfShape>(c.bytes);
    ASSERT_EQ(shape->records.size(), 2U) << Hex(c.bytes);
    const auto& edge = static_cast<const CSwfStraightEdgeShapeRecord&>(*shape->records[0]);
    EXPECT_EQ(edge.lineKind, c.kind) << Hex(c.bytes);
    EXPECT_EQ(edge.deltaX, c.dx) << Hex(c.bytes);
    EXPECT_EQ(edge.deltaY, c.dy) << Hex(c.bytes);
    EXPECT_EQ(edge.numBits, c.numBits) << Hex(c.bytes);
  }
}

TEST(StyleChangeRecord, FlagsFollowTheValues) {
  struct Case {
    int32_t dx;
    int32_t dy;
    uint16_t fill0;
    uint16_t fill1;
    uint16_t line;
    bool fillArray;
    bool lineArray;
    uint8_t flags;
  };
  const Case cases[] = {
      {0, 0, 0, 1, 0, false, false, 4},  {5, 0, 0, 0, 0, false, false, 1},
      {0, -5, 0, 0, 0, false, false, 1}, {0, 0, 2, 0, 0, false, false, 2},
      {0, 0, 0, 0, 3, false, false, 8},  {0, 0, 0, 0, 0, true, false, 16},
      {0, 0, 0, 0, 0, false, true, 16},  {1, 1, 1, 1, 1, true, true, 31},
      {0, 0, 0, 0, 0, false, false, 0},
  };
  for (const Case& c : cases) {
    CSwfStyleChangeShapeRecord change;
    change.flags = 0xFF;
    change.moveDeltaX = c.dx;
    change.moveDeltaY = c.dy;
    change.fillStyle0 = c.fill0;
    change.fillStyle1 = c.fill1;
    change.lineStyle = c.line;
    if (c.fillArray) change.fillStyles = test::SolidFills(1, 0);
    if (c.lineArray) change.lineStyles = test::BlackLines(1, 0);
    change.UpdateFlags();
    EXPECT_EQ(change.flags, c.flags) << "case with flags " << int{c.flags};
  }
}

TEST(StyleChangeRecord, SetMoveToAndInitTakeTheShapesWidths) {
  CSwfShape shape;
  shape.SetStyleBits(3, 2);
  CSwfStyleChangeShapeRecord change;
  change.fillStyle0 = 4;
  change.fillStyles = test::SolidFills(1, 0);
  change.flags = CSwfStyleChangeShapeRecord::kLineStyle;
  change.SetMoveTo(7, 8, &shape);
  EXPECT_EQ(change.shape, &shape);
  EXPECT_EQ(change.numFillBits, 3);
  EXPECT_EQ(change.numLineBits, 2);
  EXPECT_EQ(change.fillStyle0, 0);
  EXPECT_EQ(change.fillStyles, nullptr);
  EXPECT_EQ(change.flags, CSwfStyleChangeShapeRecord::kLineStyle) << "flags are left alone";
  change.Init(CSwfStyleChangeShapeRecord::kFillStyle1, &shape);
  EXPECT_EQ(change.moveDeltaX, 0);
  EXPECT_EQ(change.moveDeltaY, 0);
  EXPECT_EQ(change.flags, CSwfStyleChangeShapeRecord::kFillStyle1);
}

TEST(StyleChangeRecord, NewStylesMoveTheShapesWidths) {
  CSwfShape shape;
  shape.SetStyleBits(1, 1);
  CSwfStyleChangeShapeRecord change;
  change.SetMoveTo(0, 0, &shape);
  change.fillStyles = test::SolidFills(3, 0);
  change.lineStyles = test::BlackLines(2, 0);
  change.UpdateFlags();
  EXPECT_EQ(Encode(change).back(), 0b0011'0010) << "widths 3 and 2, the counts";
  EXPECT_EQ(shape.numFillBits, 3);
  EXPECT_EQ(shape.numLineBits, 2);

  // Without lines: an empty line array, and the line width stays the shape's.
  change.lineStyles.reset();
  shape.SetStyleBits(1, 1);
  const Bytes bytes = Encode(change);
  ASSERT_GE(bytes.size(), 2U);
  EXPECT_EQ(bytes[bytes.size() - 2], 0x00);
  EXPECT_EQ(bytes.back(), 0b0011'0001);
  EXPECT_EQ(shape.numLineBits, 1);
}

// Writes one record inside a shape and reads the shape back.
std::unique_ptr<CSwfShape> ThroughShape(std::unique_ptr<CSwfShapeRecord> record) {
  CSwfShape shape;
  shape.records.push_back(std::move(record));
  shape.records.push_back(std::make_unique<CSwfEndOfShapeRecord>());
  return test::ReadShape<CSwfShape>(Encode(shape));
}

TEST(LongEdges, StraightEdgesAreWrittenAsPiecesThatAddUp) {
  struct Case {
    int32_t dx;
    int32_t dy;
    uint8_t kind;
    size_t pieces;
  };
  const Case cases[] = {
      {65535, 0, CSwfStraightEdgeShapeRecord::kHorizontal, 1},
      {-65535, 65535, CSwfStraightEdgeShapeRecord::kGeneral, 1},
      {65536, 0, CSwfStraightEdgeShapeRecord::kHorizontal, 2},
      {-200000, 7, CSwfStraightEdgeShapeRecord::kGeneral, 4},
      {0, 1000000, CSwfStraightEdgeShapeRecord::kVertical, 16},
      {INT32_MIN, INT32_MAX, CSwfStraightEdgeShapeRecord::kGeneral, 32769},
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

// Distance from (x, y) to the curve from the origin with the given deltas.
double DistanceToCurve(double cx, double cy, double ax, double ay, double x, double y) {
  const auto distanceAt = [&](double t) {
    const double px = 2 * t * (1 - t) * cx + t * t * (cx + ax);
    const double py = 2 * t * (1 - t) * cy + t * t * (cy + ay);
    return std::hypot(px - x, py - y);
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

}  // namespace
}  // namespace swftk
