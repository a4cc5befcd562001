#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "swftk/object.h"
#include "swftk/record_pool.h"
#include "swftk/styles.h"

namespace swftk {

class CSwfShape;

// Base of the four shape records.
class CSwfShapeRecord : public CSwfObj {
 public:
  static constexpr int kStyleChange = 1;
  static constexpr int kStraightEdge = 2;
  static constexpr int kCurvedEdge = 3;
  static constexpr int kEndOfShape = 4;

  virtual int GetRecordType() const { return 0; }

  static void* operator new(std::size_t size) { return AllocateRecord(size); }
  static void operator delete(void* record, std::size_t size) noexcept { FreeRecord(record, size); }
  virtual void CopyFrom(const CSwfShapeRecord& source) { hasAlpha = source.hasAlpha; }

  // New styles carry RGBA colours.
  uint8_t hasAlpha = 0;
};

// Moves the pen, picks styles by index, or brings new style arrays.
class CSwfStyleChangeShapeRecord : public CSwfShapeRecord {
 public:
  // The state flags in their bit order.
  static constexpr uint8_t kMoveTo = 1;
  static constexpr uint8_t kFillStyle0 = 2;
  static constexpr uint8_t kFillStyle1 = 4;
  static constexpr uint8_t kLineStyle = 8;
  static constexpr uint8_t kNewStyles = 16;

  int GetRecordType() const override { return kStyleChange; }
  void Clear() override;
  // Reads what follows the five flag bits, which the shape has read into flags.
  uint32_t Read(CSwfReader& reader) override;
  uint32_t Write(CSwfStream& out) const override;

  // Sets the move and the shape, takes the shape's widths; clears indices and arrays.
  virtual void SetMoveTo(int32_t dx, int32_t dy, CSwfShape* owner);
  // A record with the given flags and nothing else; a move to (0, 0) or a change to style 0
  // needs its flags set this way.
  virtual void Init(uint8_t newFlags, CSwfShape* owner);
  using CSwfShapeRecord::CopyFrom;
  // Copies every field and the arrays deeply, but not the shape pointer.
  virtual void CopyFrom(const CSwfStyleChangeShapeRecord& source);
  // Derives flags from the values: arrays, non-zero indices, a non-zero move.
  void UpdateFlags();

  int32_t moveDeltaX = 0;
  int32_t moveDeltaY = 0;
  uint16_t fillStyle0 = 0;
  uint16_t fillStyle1 = 0;
  uint16_t lineStyle = 0;
  // Widths of style indices; taken from the shape and moved by new styles while writing.
  mutable uint16_t numFillBits = 0;
  mutable uint16_t numLineBits = 0;
  // The owning shape, not owned; may be null.
  CSwfShape* shape = nullptr;
  std::unique_ptr<CSwfFillStyleArray> fillStyles;
  std::unique_ptr<CSwfLineStyleArray> lineStyles;
  uint8_t flags = 0;

 private:
  void TakeWidthsFrom(const CSwfShape* owner) const;
};

// A line; deltas in twips.
class CSwfStraightEdgeShapeRecord : public CSwfShapeRecord {
 public:
  static constexpr uint8_t kGeneral = 0;
  static constexpr uint8_t kHorizontal = 1;
  static constexpr uint8_t kVertical = 2;

  int GetRecordType() const override { return kStraightEdge; }
  uint32_t Read(CSwfReader& reader) override;
  // What follows the 4-bit width field, for a reader that has read the width already.
  void ReadDeltas(CSwfReader& reader, uint8_t width);
  // Deltas wider than the format allows are written as several shorter edges.
  uint32_t Write(CSwfStream& out) const override;

  // Stores n and makes this a general edge with zero deltas.
  virtual void SetNumBits(uint8_t n);
  virtual void Init(int32_t dx, int32_t dy, uint8_t kind);
  using CSwfShapeRecord::CopyFrom;
  virtual void CopyFrom(const CSwfStraightEdgeShapeRecord& source);

  uint8_t lineKind = kGeneral;
  int32_t deltaX = 0;
  int32_t deltaY = 0;
  // The 4-bit width field as read (width - 2); writing computes its own.
  uint8_t numBits = 0;
};

// A quadratic curve: control point then anchor, each relative to the point before.
class CSwfCurvedEdgeShapeRecord : public CSwfShapeRecord {
 public:
  int GetRecordType() const override { return kCurvedEdge; }
  uint32_t Read(CSwfReader& reader) override;
  // What follows the 4-bit width field, for a reader that has read the width already.
  void ReadDeltas(CSwfReader& reader, uint8_t width);
  // Deltas wider than the format allows are written as several shorter curves.
  uint32_t Write(CSwfStream& out) const override;

  // Stores n and zeroes the deltas.
  virtual void SetNumBits(uint8_t n);
  virtual void Init(int32_t cdx, int32_t cdy, int32_t adx, int32_t ady);
  using CSwfShapeRecord::CopyFrom;
  virtual void CopyFrom(const CSwfCurvedEdgeShapeRecord& source);

  int32_t controlDeltaX = 0;
  int32_t controlDeltaY = 0;
  int32_t anchorDeltaX = 0;
  int32_t anchorDeltaY = 0;
  // The 4-bit width field as read (width - 2); writing computes its own.
  uint8_t numBits = 0;
};

// Six zero bits.
class CSwfEndOfShapeRecord : public CSwfShapeRecord {
 public:
  int GetRecordType() const override { return kEndOfShape; }
  uint32_t Read(CSwfReader& reader) override;
  uint32_t Write(CSwfStream& out) const override;
};

}  // namespace swftk
