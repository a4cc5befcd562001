#include "swftk/shape_records.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <vector>

#include "swftk/reader.h"
#include "swftk/shape.h"
#include "swftk/stream.h"

namespace swftk {
namespace {

// An edge's 4-bit width field holds width - 2, so deltas get at most 17 bits: 16 of
// magnitude and the sign.
constexpr int64_t kLargestEdgeDelta = 65535;

// Type bit, straight bit and the width of the deltas that follow.
void WriteEdgeHeader(CSwfStream& out, bool straight, int width) {
  out.WriteBits(1, 1);
  out.WriteBits(straight ? 1 : 0, 1);
  out.WriteBits(width - 2, 4);
}

int64_t Largest(std::initializer_list<int64_t> values) {
  int64_t largest = 0;
  for (const int64_t v : values) largest = std::max(largest, std::abs(v));
  return largest;
}

void WriteStraightEdge(CSwfStream& out, int64_t dx, int64_t dy, uint8_t kind) {
  // The width covers both deltas even when the kind writes only one.
  const int n = BitsNeeded(Largest({dx, dy}), true);
  WriteEdgeHeader(out, true, n);
  if (kind == CSwfStraightEdgeShapeRecord::kHorizontal) {
    out.WriteBits(0b00, 2);  // not general, not vertical
    out.WriteBits(dx, n);
  } else if (kind == CSwfStraightEdgeShapeRecord::kVertical) {
    out.WriteBits(0b01, 2);  // not general, vertical
    out.WriteBits(dy, n);
  } else {
    out.WriteBits(1, 1);  // general
    out.WriteBits(dx, n);
    out.WriteBits(dy, n);
  }
}

struct Curve {
  int64_t controlX = 0;
  int64_t controlY = 0;
  int64_t anchorX = 0;
  int64_t anchorY = 0;
};

int64_t RoundedHalf(int64_t v) {
  return std::llround(static_cast<double>(v) / 2.0);
}
int64_t RoundedQuarter(int64_t v) {
  return std::llround(static_cast<double>(v) / 4.0);
}

// Halves a curve at t = 0.5 (de Casteljau) with the split points on whole twips; each half
// goes from its start to its end exactly, so the two end where the original does.
void SplitCurve(const Curve& c, Curve& first, Curve& second) {
  const int64_t endX = c.controlX + c.anchorX;
  const int64_t endY = c.controlY + c.anchorY;
  const int64_t firstControlX = RoundedHalf(c.controlX);
  const int64_t firstControlY = RoundedHalf(c.controlY);
  const int64_t midX = RoundedQuarter(2 * c.controlX + endX);
  const int64_t midY = RoundedQuarter(2 * c.controlY + endY);
  const int64_t secondControlX = RoundedHalf(c.controlX + endX);
  const int64_t secondControlY = RoundedHalf(c.controlY + endY);
  first = {firstControlX, firstControlY, midX - firstControlX, midY - firstControlY};
  second = {secondControlX - midX, secondControlY - midY, endX - secondControlX,
            endY - secondControlY};
}

void WriteCurvedEdge(CSwfStream& out, const Curve& c) {
  const int n = BitsNeeded(Largest({c.controlX, c.controlY, c.anchorX, c.anchorY}), true);
  WriteEdgeHeader(out, false, n);
  for (const int64_t v : {c.controlX, c.controlY, c.anchorX, c.anchorY}) out.WriteBits(v, n);
}

}  // namespace

void CSwfStyleChangeShapeRecord::Clear() {
  fillStyles.reset();
  lineStyles.reset();
}

void CSwfStyleChangeShapeRecord::TakeWidthsFrom(const CSwfShape* owner) const {
  if (!owner) return;
  numFillBits = owner->numFillBits;
  numLineBits = owner->numLineBits;
}

void CSwfStyleChangeShapeRecord::SetMoveTo(int32_t dx, int32_t dy, CSwfShape* owner) {
  moveDeltaX = dx;
  moveDeltaY = dy;
  shape = owner;
  TakeWidthsFrom(owner);
  fillStyle0 = 0;
  fillStyle1 = 0;
  lineStyle = 0;
  Clear();
}

void CSwfStyleChangeShapeRecord::Init(uint8_t newFlags, CSwfShape* owner) {
  SetMoveTo(0, 0, owner);
  flags = newFlags;
}

void CSwfStyleChangeShapeRecord::CopyFrom(const CSwfStyleChangeShapeRecord& source) {
  CSwfShapeRecord::CopyFrom(source);
  moveDeltaX = source.moveDeltaX;
  moveDeltaY = source.moveDeltaY;
  fillStyle0 = source.fillStyle0;
  fillStyle1 = source.fillStyle1;
  lineStyle = source.lineStyle;
  numFillBits = source.numFillBits;
  numLineBits = source.numLineBits;
  flags = source.flags;
  fillStyles = CopyStyleArray(source.fillStyles);
  lineStyles = CopyStyleArray(source.lineStyles);
}

void CSwfStyleChangeShapeRecord::UpdateFlags() {
  flags = 0;
  if (fillStyles || lineStyles) flags |= kNewStyles;
  if (lineStyle != 0) flags |= kLineStyle;
  if (fillStyle1 != 0) flags |= kFillStyle1;
  if (fillStyle0 != 0) flags |= kFillStyle0;
  if (moveDeltaX != 0 || moveDeltaY != 0) flags |= kMoveTo;
}

uint32_t CSwfStyleChangeShapeRecord::Read(CSwfReader& reader) {
  const uint32_t start = reader.GetPosition();
  if (flags & kMoveTo) {
    const int n = reader.ReadBits(5, false);
    moveDeltaX = reader.ReadBits(n, true);
    moveDeltaY = reader.ReadBits(n, true);
  }
  if (flags & kFillStyle0) fillStyle0 = static_cast<uint16_t>(reader.ReadBits(numFillBits, false));
  if (flags & kFillStyle1) fillStyle1 = static_cast<uint16_t>(reader.ReadBits(numFillBits, false));
  if (flags & kLineStyle) lineStyle = static_cast<uint16_t>(reader.ReadBits(numLineBits, false));
  if (flags & kNewStyles) {
    fillStyles = std::make_unique<CSwfFillStyleArray>();
    fillStyles->Init(hasAlpha);
    fillStyles->Read(reader);
    lineStyles = std::make_unique<CSwfLineStyleArray>();
    lineStyles->Init(hasAlpha);
    lineStyles->Read(reader);
    numFillBits = static_cast<uint16_t>(reader.ReadBits(4, false));
    numLineBits = static_cast<uint16_t>(reader.ReadBits(4, false));
    if (shape)
      shape->SetStyleBits(static_cast<uint8_t>(numFillBits), static_cast<uint8_t>(numLineBits));
  }
  return reader.GetPosition() - start;
}

uint32_t CSwfStyleChangeShapeRecord::Write(CSwfStream& out) const {
  TakeWidthsFrom(shape);
  // New styles follow whenever an array is present or the flag asks for them; the flag
  // written always agrees, or a reader would lose its place in the bits.
  const bool newStyles = fillStyles || lineStyles || (flags & kNewStyles);
  out.WriteBits(newStyles ? (flags | kNewStyles) : flags, 6);
  if (flags & kMoveTo) {
    const int n = BitsNeededCapped(Largest({moveDeltaX, moveDeltaY}), true);
    out.WriteBits(n, 5);
    out.WriteBits(moveDeltaX, n);
    out.WriteBits(moveDeltaY, n);
  }
  if (flags & kFillStyle0) out.WriteBits(fillStyle0, numFillBits);
  if (flags & kFillStyle1) out.WriteBits(fillStyle1, numFillBits);
  if (flags & kLineStyle) out.WriteBits(lineStyle, numLineBits);
  if (!newStyles) return 0;
  if (fillStyles) {
    fillStyles->Write(out);
    numFillBits = fillStyles->IndexBits();
  } else {
    out.WriteByte(0);
  }
  if (lineStyles) {
    lineStyles->Write(out);
    numLineBits = lineStyles->IndexBits();
  } else {
    out.WriteByte(0);
  }
  out.WriteBits(numFillBits, 4);
  out.WriteBits(numLineBits, 4);
  if (shape)
    shape->SetStyleBits(static_cast<uint8_t>(numFillBits), static_cast<uint8_t>(numLineBits));
  return 0;
}

void CSwfStraightEdgeShapeRecord::SetNumBits(uint8_t n) {
  numBits = n;
  Init(0, 0, kGeneral);
}

void CSwfStraightEdgeShapeRecord::Init(int32_t dx, int32_t dy, uint8_t kind) {
  deltaX = dx;
  deltaY = dy;
  lineKind = kind;
}

void CSwfStraightEdgeShapeRecord::CopyFrom(const CSwfStraightEdgeShapeRecord& source) {
  CSwfShapeRecord::CopyFrom(source);
  Init(source.deltaX, source.deltaY, source.lineKind);
  numBits = source.numBits;
}

uint32_t CSwfStraightEdgeShapeRecord::Read(CSwfReader& reader) {
  const uint32_t start = reader.GetPosition();
  ReadDeltas(reader, static_cast<uint8_t>(reader.ReadBits(4, false)));
  return reader.GetPosition() - start;
}

void CSwfStraightEdgeShapeRecord::ReadDeltas(CSwfReader& reader, uint8_t width) {
  numBits = width;
  const int n = numBits + 2;
  if (reader.ReadBits(1, false)) {
    const int32_t dx = reader.ReadBits(n, true);
    Init(dx, reader.ReadBits(n, true), kGeneral);
  } else if (reader.ReadBits(1, false)) {
    Init(0, reader.ReadBits(n, true), kVertical);
  } else {
    Init(reader.ReadBits(n, true), 0, kHorizontal);
  }
}

uint32_t CSwfStraightEdgeShapeRecord::Write(CSwfStream& out) const {
  // Too long for one edge: equal pieces along the same line, whose deltas add up exactly.
  const int64_t dx = deltaX;
  const int64_t dy = deltaY;
  const int64_t largest = Largest({dx, dy});
  if (largest <= kLargestEdgeDelta) {
    WriteStraightEdge(out, dx, dy, lineKind);
    return 0;
  }
  const int64_t pieces =
      std::max<int64_t>(1, (largest + kLargestEdgeDelta - 1) / kLargestEdgeDelta);
  for (int64_t i = 0; i < pieces; ++i) {
    WriteStraightEdge(out, dx * (i + 1) / pieces - dx * i / pieces,
                      dy * (i + 1) / pieces - dy * i / pieces, lineKind);
  }
  return 0;
}

void CSwfCurvedEdgeShapeRecord::SetNumBits(uint8_t n) {
  numBits = n;
  Init(0, 0, 0, 0);
}

void CSwfCurvedEdgeShapeRecord::Init(int32_t cdx, int32_t cdy, int32_t adx, int32_t ady) {
  controlDeltaX = cdx;
  controlDeltaY = cdy;
  anchorDeltaX = adx;
  anchorDeltaY = ady;
}

void CSwfCurvedEdgeShapeRecord::CopyFrom(const CSwfCurvedEdgeShapeRecord& source) {
  CSwfShapeRecord::CopyFrom(source);
  Init(source.controlDeltaX, source.controlDeltaY, source.anchorDeltaX, source.anchorDeltaY);
  numBits = source.numBits;
}

uint32_t CSwfCurvedEdgeShapeRecord::Read(CSwfReader& reader) {
  const uint32_t start = reader.GetPosition();
  ReadDeltas(reader, static_cast<uint8_t>(reader.ReadBits(4, false)));
  return reader.GetPosition() - start;
}

void CSwfCurvedEdgeShapeRecord::ReadDeltas(CSwfReader& reader, uint8_t width) {
  numBits = width;
  const int n = numBits + 2;
  for (int32_t* v : {&controlDeltaX, &controlDeltaY, &anchorDeltaX, &anchorDeltaY})
    *v = reader.ReadBits(n, true);
}

uint32_t CSwfCurvedEdgeShapeRecord::Write(CSwfStream& out) const {
  // Too long for one edge: halve until every piece fits, writing the pieces in order. The
  // pending list stays short: each halving at least nearly halves the deltas.
  const Curve whole{controlDeltaX, controlDeltaY, anchorDeltaX, anchorDeltaY};
  if (Largest({whole.controlX, whole.controlY, whole.anchorX, whole.anchorY}) <=
      kLargestEdgeDelta) {
    WriteCurvedEdge(out, whole);
    return 0;
  }
  std::vector<Curve> pending{whole};
  while (!pending.empty()) {
    const Curve c = pending.back();
    pending.pop_back();
    if (Largest({c.controlX, c.controlY, c.anchorX, c.anchorY}) <= kLargestEdgeDelta) {
      WriteCurvedEdge(out, c);
      continue;
    }
    Curve first;
    Curve second;
    SplitCurve(c, first, second);
    pending.push_back(second);
    pending.push_back(first);
  }
  return 0;
}

uint32_t CSwfEndOfShapeRecord::Read(CSwfReader&) {
  return 0;
}

uint32_t CSwfEndOfShapeRecord::Write(CSwfStream& out) const {
  out.WriteBits(0, 6);
  return 0;
}

}  // namespace swftk
