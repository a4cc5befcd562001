#include "glyphs/glyph_extractor.h"

namespace glyphs {

void CKV_GlyphExtractor::AttachSource(const CKV_AttachedGlyphSource* source, int32_t mode) {
  glyphSource = source;
  sourceMode = mode;
}

bool CKV_GlyphExtractor::SelectFont(std::string_view, int32_t, uint16_t) {
  return false;
}

int32_t CKV_GlyphExtractor::SourceFactor() const {
  return glyphSource ? glyphSource->GetSourceFactor() : 0;
}

bool CKV_GlyphExtractor::HalfSourceWidth(uint8_t c, int32_t& width) const {
  if (sourceMode != kSourceWidths) return false;
  width = (glyphSource ? glyphSource->GetSourceWidth(c) : 0) / 2;
  return true;
}

int32_t CKV_GlyphExtractor::GetKerning(uint8_t c) {
  return Rescale(SourceFactor(), GetRightBearing(c), size);
}

int32_t CKV_GlyphExtractor::GetDesignAscent() {
  return Rescale(SourceFactor(), GetAscent(), GetHeight());
}

int32_t CKV_GlyphExtractor::GetDesignExternalLeading() {
  return Rescale(SourceFactor(), GetExternalLeading(), GetHeight());
}

int32_t CKV_GlyphExtractor::GetDesignDescent() {
  return Rescale(SourceFactor(), GetDescent(), GetHeight());
}

int32_t CKV_GlyphExtractor::GetDesignLineHeight() {
  return Rescale(SourceFactor(), GetAscent() + GetDescent(), GetHeight());
}

int32_t CKV_GlyphExtractor::GetDesignAdvance(uint8_t c) {
  int32_t width = 0;
  return HalfSourceWidth(c, width) ? width : CKV_FontContext::GetDesignAdvance(c);
}

int32_t CKV_GlyphExtractor::GetDesignLeftBearing(uint8_t c) {
  int32_t width = 0;
  return HalfSourceWidth(c, width) ? width : CKV_FontContext::GetDesignLeftBearing(c);
}

int32_t CKV_GlyphExtractor::GetSourceWidth(uint8_t c) {
  int32_t width = 0;
  return HalfSourceWidth(c, width) ? width : 0;
}

}  // namespace glyphs
