#include "swftk/styles.h"

#include <algorithm>

#include "swftk/morph_shape.h"
#include "swftk/reader.h"
#include "swftk/stream.h"

namespace swftk {
namespace {

std::unique_ptr<CSwfColor> CloneColor(const std::unique_ptr<CSwfColor>& color) {
  return color ? color->Clone() : nullptr;
}

// A colour the format requires but the object lacks is written as (opaque) black.
void WriteColorOrBlack(CSwfStream& out, const CSwfColor* color, bool hasAlpha) {
  if (color) {
    color->Write(out);
  } else if (hasAlpha) {
    CSwfColorAlpha().Write(out);
  } else {
    CSwfColor().Write(out);
  }
}

// Reads up to count items. The count comes from the file, so nothing is reserved for it and
// the loop stops once the data runs out instead of making thousands of empty items.
template <class Item>
void ReadItems(CSwfReader& reader, uint32_t count, uint8_t hasAlpha,
               std::vector<std::unique_ptr<Item>>& items) {
  for (uint32_t i = 0; i < count && reader.BytesLeft() > 0; ++i) {
    auto item = std::make_unique<Item>();
    item->hasAlpha = hasAlpha;
    item->Read(reader);
    items.push_back(std::move(item));
  }
}

template <class Item>
void CopyItems(const std::vector<std::unique_ptr<Item>>& source,
               std::vector<std::unique_ptr<Item>>& target) {
  target.clear();
  for (const auto& item : source) {
    auto copy = std::make_unique<Item>();
    copy->CopyFrom(*item);
    target.push_back(std::move(copy));
  }
}

}  // namespace

void CSwfGradientRecord::Init(uint8_t newRatio, std::unique_ptr<CSwfColor> newColor,
                              uint8_t alpha) {
  ratio = newRatio;
  color = std::move(newColor);
  hasAlpha = alpha;
}

void CSwfGradientRecord::CopyFrom(const CSwfGradientRecord& source) {
  Init(source.ratio, CloneColor(source.color), source.hasAlpha);
}

uint32_t CSwfGradientRecord::Read(CSwfReader& reader) {
  const uint32_t start = reader.GetPosition();
  ratio = reader.ReadUI8();
  color = ReadColor(reader, hasAlpha != 0);
  return reader.GetPosition() - start;
}

uint32_t CSwfGradientRecord::Write(CSwfStream& out) const {
  out.WriteByte(ratio);
  WriteColorOrBlack(out, color.get(), hasAlpha != 0);
  return 0;
}

void CSwfGradient::CopyFrom(const CSwfGradient& source) {
  hasAlpha = source.hasAlpha;
  CopyItems(source.records, records);
}

uint32_t CSwfGradient::Read(CSwfReader& reader) {
  const uint32_t start = reader.GetPosition();
  Clear();
  ReadItems(reader, reader.ReadUI8(), hasAlpha, records);
  return reader.GetPosition() - start;
}

uint32_t CSwfGradient::Write(CSwfStream& out) const {
  // The count is one byte; records past it could not be read back.
  const size_t written = std::min<size_t>(records.size(), 255);
  out.WriteByte(static_cast<uint8_t>(written));
  for (size_t i = 0; i < written; ++i) records[i]->Write(out);
  return 0;
}

void CSwfFillStyle::Clear() {
  color.reset();
  gradient.reset();
  matrix.reset();
}

void CSwfFillStyle::Init(uint8_t alpha) {
  Clear();
  hasAlpha = alpha;
  fillType = kSolid;
  bitmapId = 0;
}

void CSwfFillStyle::SetBitmap(uint8_t type, uint16_t id, std::unique_ptr<CSwfMatrix> newMatrix) {
  Init(0);
  fillType = type;
  bitmapId = id;
  matrix = std::move(newMatrix);
}

void CSwfFillStyle::SetGradient(uint8_t type, std::unique_ptr<CSwfMatrix> newMatrix,
                                std::unique_ptr<CSwfGradient> newGradient) {
  Init(0);
  fillType = type;
  matrix = std::move(newMatrix);
  gradient = std::move(newGradient);
}

void CSwfFillStyle::SetSolid(std::unique_ptr<CSwfColor> newColor, uint8_t alpha) {
  Init(alpha);
  color = std::move(newColor);
}

void CSwfFillStyle::CopyFrom(const CSwfFillStyle& source) {
  Init(source.hasAlpha);
  fillType = source.fillType;
  bitmapId = source.bitmapId;
  color = CloneColor(source.color);
  if (source.matrix) matrix = std::make_unique<CSwfMatrix>(*source.matrix);
  if (source.gradient) {
    gradient = std::make_unique<CSwfGradient>();
    gradient->CopyFrom(*source.gradient);
  }
}

uint32_t CSwfFillStyle::Read(CSwfReader& reader) {
  const uint32_t start = reader.GetPosition();
  Clear();
  fillType = reader.ReadUI8();
  switch (fillType) {
    case kSolid:
      color = ReadColor(reader, hasAlpha != 0);
      break;
    case kLinearGradient:
    case kRadialGradient:
      matrix = std::make_unique<CSwfMatrix>();
      matrix->Read(reader);
      gradient = std::make_unique<CSwfGradient>();
      gradient->hasAlpha = hasAlpha;
      gradient->Read(reader);
      break;
    case kRepeatingBitmap:
    case kClippedBitmap:
      bitmapId = reader.ReadUI16();
      matrix = std::make_unique<CSwfMatrix>();
      matrix->Read(reader);
      break;
    default:
      break;
  }
  return reader.GetPosition() - start;
}

uint32_t CSwfFillStyle::Write(CSwfStream& out) const {
  out.WriteByte(fillType);
  switch (fillType) {
    case kSolid:
      out.WriteObject(color.get());
      break;
    case kLinearGradient:
    case kRadialGradient:
      out.WriteObject(matrix.get());
      out.WriteObject(gradient.get());
      break;
    case kRepeatingBitmap:
    case kClippedBitmap:
      out.WriteUI16(bitmapId);
      out.WriteObject(matrix.get());
      break;
    default:
      break;
  }
  return 0;
}

void CSwfLineStyle::Init(uint16_t newWidth, std::unique_ptr<CSwfColor> newColor, uint8_t alpha) {
  width = newWidth;
  color = std::move(newColor);
  hasAlpha = alpha;
}

void CSwfLineStyle::CopyFrom(const CSwfLineStyle& source) {
  Init(source.width, CloneColor(source.color), source.hasAlpha);
}

uint32_t CSwfLineStyle::Read(CSwfReader& reader) {
  const uint32_t start = reader.GetPosition();
  width = reader.ReadUI16();
  color = ReadColor(reader, hasAlpha != 0);
  return reader.GetPosition() - start;
}

uint32_t CSwfLineStyle::Write(CSwfStream& out) const {
  out.WriteUI16(width);
  WriteColorOrBlack(out, color.get(), hasAlpha != 0);
  return 0;
}

template <class Style>
void CSwfStyleArray<Style>::Clear() {
  styles.clear();
  count = 0;
}

template <class Style>
void CSwfStyleArray<Style>::Init(uint8_t alpha) {
  Clear();
  hasAlpha = alpha;
}

template <class Style>
void CSwfStyleArray<Style>::CopyFrom(const CSwfStyleArray& source) {
  hasAlpha = source.hasAlpha;
  CopyItems(source.styles, styles);
  count = static_cast<uint16_t>(styles.size());
}

template <class Style>
uint8_t CSwfStyleArray<Style>::IndexBits() const {
  if (count <= 15) return static_cast<uint8_t>(count);
  // Counts from 32768 on would need 16 bits; indices that high stay unreachable.
  return static_cast<uint8_t>(std::min(BitsNeeded(count, false), 15));
}

template <class Style>
uint32_t CSwfStyleArray<Style>::Read(CSwfReader& reader) {
  const uint32_t start = reader.GetPosition();
  Clear();
  uint32_t declared = reader.ReadUI8();
  if (declared == 0xFF) declared = reader.ReadUI16();
  ReadItems(reader, declared, hasAlpha, styles);
  count = static_cast<uint16_t>(styles.size());
  return reader.GetPosition() - start;
}

template <class Style>
uint32_t CSwfStyleArray<Style>::Write(CSwfStream& out) const {
  if (count < 0xFF) {
    out.WriteByte(static_cast<uint8_t>(count));
  } else {
    out.WriteByte(0xFF);
    out.WriteUI16(count);
  }
  for (const auto& style : styles) style->Write(out);
  return 0;
}

template class CSwfStyleArray<CSwfFillStyle>;
template class CSwfStyleArray<CSwfLineStyle>;
template class CSwfStyleArray<CSwfMorphFillStyle>;
template class CSwfStyleArray<CSwfMorphLineStyle>;

}  // namespace swftk
