#pragma once

#include <cstdint>
#include <string_view>

#include "glyphs/font_context.h"

namespace glyphs {

// What a glyph extractor may ask instead of its font: a scale factor and a width per
// character. The program attaches none, so both answers are 0.
class CKV_AttachedGlyphSource {
 public:
  virtual ~CKV_AttachedGlyphSource() = default;
  virtual int32_t GetSourceFactor() const = 0;
  virtual int32_t GetSourceWidth(uint8_t c) const = 0;
};

// A font context whose design metrics come from an attached source; it never selects a font
// of its own.
class CKV_GlyphExtractor : public CKV_FontContext {
 public:
  // The attached source answers the width questions in this mode.
  static constexpr int32_t kSourceWidths = 3;

  using CKV_FontContext::CKV_FontContext;

  // Not owned; null detaches.
  void AttachSource(const CKV_AttachedGlyphSource* source, int32_t mode);

  bool SelectFont(std::string_view face, int32_t size, uint16_t flags) override;
  int32_t GetKerning(uint8_t c) override;
  int32_t GetDesignAscent() override;
  int32_t GetDesignExternalLeading() override;
  int32_t GetDesignDescent() override;
  int32_t GetDesignLineHeight() override;
  int32_t GetDesignAdvance(uint8_t c) override;
  int32_t GetDesignLeftBearing(uint8_t c) override;
  int32_t GetSourceWidth(uint8_t c) override;

  const CKV_AttachedGlyphSource* glyphSource = nullptr;
  int32_t sourceMode = 0;

 private:
  int32_t SourceFactor() const;
  // Half the source's width in the source-width mode; none otherwise.
  bool HalfSourceWidth(uint8_t c, int32_t& width) const;
};

}  // namespace glyphs
