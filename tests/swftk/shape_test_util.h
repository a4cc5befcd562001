#pragma once

#include <cstdint>
#include <memory>
#include <utility>

#include "swftk/shape.h"
#include "test_bytes.h"

namespace swftk::test {

// A fill style array of count solid fills whose colours tell them apart.
inline std::unique_ptr<CSwfFillStyleArray> SolidFills(int count, uint8_t hasAlpha) {
  auto fills = std::make_unique<CSwfFillStyleArray>();
  fills->Init(hasAlpha);
  for (int i = 0; i < count; ++i) {
    auto style = std::make_unique<CSwfFillStyle>();
    const auto c = static_cast<uint8_t>(i);
    if (hasAlpha) {
      style->SetSolid(std::make_unique<CSwfColorAlpha>(c, 0, 0, 0x80), 1);
    } else {
      style->SetSolid(std::make_unique<CSwfColor>(c, 0, 0), 0);
    }
    fills->styles.push_back(std::move(style));
    ++fills->count;
  }
  return fills;
}

inline std::unique_ptr<CSwfLineStyleArray> BlackLines(int count, uint8_t hasAlpha) {
  auto lines = std::make_unique<CSwfLineStyleArray>();
  lines->Init(hasAlpha);
  for (int i = 0; i < count; ++i) {
    auto style = std::make_unique<CSwfLineStyle>();
    style->Init(20, nullptr, hasAlpha);
    lines->styles.push_back(std::move(style));
    ++lines->count;
  }
  return lines;
}

inline std::unique_ptr<CSwfStraightEdgeShapeRecord> Straight(int32_t dx, int32_t dy, uint8_t kind) {
  auto edge = std::make_unique<CSwfStraightEdgeShapeRecord>();
  edge->Init(dx, dy, kind);
  return edge;
}

inline std::unique_ptr<CSwfCurvedEdgeShapeRecord> Curved(int32_t cx, int32_t cy, int32_t ax,
                                                         int32_t ay) {
  auto edge = std::make_unique<CSwfCurvedEdgeShapeRecord>();
  edge->Init(cx, cy, ax, ay);
  return edge;
}

// A style change in the shape that sets what is non-zero.
inline std::unique_ptr<CSwfStyleChangeShapeRecord> Change(CSwfShape* shape, uint16_t fill0,
                                                          uint16_t fill1, uint16_t line,
                                                          int32_t dx = 0, int32_t dy = 0) {
  auto change = std::make_unique<CSwfStyleChangeShapeRecord>();
  change->SetMoveTo(dx, dy, shape);
  change->fillStyle0 = fill0;
  change->fillStyle1 = fill1;
  change->lineStyle = line;
  change->UpdateFlags();
  return change;
}

template <class Shape>
std::unique_ptr<Shape> ReadShape(const Bytes& bytes, uint8_t hasAlpha = 0) {
  auto shape = std::make_unique<Shape>();
  shape->hasAlpha = hasAlpha;
  DecodeRecord(*shape, bytes);
  return shape;
}

}  // namespace swftk::test
