#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "glyphs/font_service.h"
#include "swftk/units.h"

namespace glyphs {

// Selects a font by face name, point size and style flags and answers metric questions about
// it, in the font's device units and rescaled to the 1024-unit design grid.
class CKV_FontContext {
 public:
  static constexpr uint16_t kBold = 0x01;
  static constexpr uint16_t kItalic = 0x02;
  static constexpr uint16_t kUnderline = 0x04;
  static constexpr uint16_t kStrikeOut = 0x80;

  explicit CKV_FontContext(CKV_FontService& fonts);
  CKV_FontContext(const CKV_FontContext&) = delete;
  CKV_FontContext& operator=(const CKV_FontContext&) = delete;
  virtual ~CKV_FontContext() = default;

  // Creates the font at a cell height of 1024; the size only rescales widths. False for a size
  // that is not positive (nothing changes) or a font that cannot be made (none is left).
  virtual bool SelectFont(std::string_view face, int32_t size, uint16_t flags);
  virtual int32_t GetAscent();
  virtual int32_t GetDescent();
  virtual int32_t GetExternalLeading();
  virtual int32_t GetHeight();
  virtual int32_t GetBlackWidth(uint8_t c);
  virtual int32_t GetLeftBearing(uint8_t c);
  virtual int32_t GetRightBearing(uint8_t c);
  virtual int32_t GetAdvance(uint8_t c);
  // The same answer as GetAdvance.
  virtual int32_t GetCellAdvance(uint8_t c);
  virtual int32_t GetKerning(uint8_t c);
  virtual int32_t GetSizeTenths();
  virtual int32_t GetDesignAscent();
  virtual int32_t GetDesignExternalLeading();
  virtual int32_t GetDesignDescent();
  virtual int32_t GetDesignLineHeight();
  virtual int32_t GetDesignAdvance(uint8_t c);
  virtual int32_t GetDesignBlackWidth(uint8_t c);
  virtual int32_t GetDesignLeftBearing(uint8_t c);
  virtual int32_t GetDesignRightBearing(uint8_t c);
  virtual int32_t GetSourceWidth(uint8_t c);
  virtual int32_t GetDesignKerning(uint8_t c);

  int32_t size = 0;
  uint16_t styleFlags = 0;
  // The font made by the last selection, or none.
  std::shared_ptr<const CKV_GlyphSource> currentFont;
  int32_t designUnits = swftk::kGlyphCellUnits;

 protected:
  // value × factor / divisor, truncated; 0 when there is nothing to divide by, as before any
  // font is selected.
  static int32_t Rescale(int32_t value, int32_t factor, int32_t divisor);
  TextMetrics Metrics() const;
  AbcWidths Widths(uint8_t c) const;

 private:
  CKV_FontService& fonts_;
};

}  // namespace glyphs
