#include "glyphs/font_context.h"
#include "swftk/units.h"

namespace glyphs {

namespace {

constexpr int32_t kCellHeight = swftk::kGlyphCellUnits;

}  // namespace

CKV_FontContext::CKV_FontContext(CKV_FontService& fonts) : fonts_(fonts) {}

bool CKV_FontContext::SelectFont(std::string_view face, int32_t newSize, uint16_t flags) {
  if (newSize <= 0) return false;
  size = newSize;
  styleFlags = flags;
  FontRequest request;
  request.lfHeight = kCellHeight;
  request.SetFaceName(face);
  if (flags & kBold) request.lfWeight = kWeightBold;
  if (flags & kItalic) request.lfItalic = 1;
  if (flags & kUnderline) request.lfUnderline = 1;
  if (flags & kStrikeOut) request.lfStrikeOut = 1;
  // The old font goes before the new one is made.
  currentFont.reset();
  currentFont = fonts_.CreateFont(request);
  return currentFont != nullptr;
}

TextMetrics CKV_FontContext::Metrics() const {
  return currentFont ? currentFont->GetTextMetrics() : TextMetrics{};
}

AbcWidths CKV_FontContext::Widths(uint8_t c) const {
  return currentFont ? currentFont->GetAbcWidths(c) : AbcWidths{};
}

int32_t CKV_FontContext::Rescale(int32_t value, int32_t factor, int32_t divisor) {
  if (divisor == 0) return 0;
  return static_cast<int32_t>(static_cast<int64_t>(value) * factor / divisor);
}

int32_t CKV_FontContext::GetAscent() {
  return Metrics().ascent;
}
int32_t CKV_FontContext::GetDescent() {
  return Metrics().descent;
}
int32_t CKV_FontContext::GetExternalLeading() {
  return Metrics().externalLeading;
}
int32_t CKV_FontContext::GetHeight() {
  return Metrics().height;
}
int32_t CKV_FontContext::GetBlackWidth(uint8_t c) {
  return Widths(c).b;
}
int32_t CKV_FontContext::GetLeftBearing(uint8_t c) {
  return Widths(c).a;
}
int32_t CKV_FontContext::GetRightBearing(uint8_t c) {
  return Widths(c).c;
}

int32_t CKV_FontContext::GetAdvance(uint8_t c) {
  const AbcWidths widths = Widths(c);
  return widths.a + widths.b + widths.c;
}

int32_t CKV_FontContext::GetCellAdvance(uint8_t c) {
  return CKV_FontContext::GetAdvance(c);
}
int32_t CKV_FontContext::GetKerning(uint8_t) {
  return 0;
}
int32_t CKV_FontContext::GetSizeTenths() {
  return size * 10;
}

int32_t CKV_FontContext::GetDesignAscent() {
  return Rescale(GetAscent(), designUnits, GetHeight());
}
int32_t CKV_FontContext::GetDesignExternalLeading() {
  return Rescale(GetExternalLeading(), designUnits, GetHeight());
}
int32_t CKV_FontContext::GetDesignDescent() {
  return Rescale(GetDescent(), designUnits, GetHeight());
}
int32_t CKV_FontContext::GetDesignLineHeight() {
  return Rescale(GetDescent() + GetAscent(), designUnits, GetHeight());
}
int32_t CKV_FontContext::GetDesignAdvance(uint8_t c) {
  return Rescale(GetAdvance(c), kCellHeight, size);
}
int32_t CKV_FontContext::GetDesignBlackWidth(uint8_t c) {
  return Rescale(GetBlackWidth(c), designUnits, size);
}
int32_t CKV_FontContext::GetDesignLeftBearing(uint8_t c) {
  return Rescale(GetLeftBearing(c), designUnits, size);
}
int32_t CKV_FontContext::GetDesignRightBearing(uint8_t c) {
  return Rescale(GetRightBearing(c), designUnits, size);
}
int32_t CKV_FontContext::GetSourceWidth(uint8_t) {
  return 0;
}
int32_t CKV_FontContext::GetDesignKerning(uint8_t c) {
  return Rescale(GetKerning(c), designUnits, size);
}

}  // namespace glyphs
