#include "fake_font_service.h"

namespace glyphs {

FakeGlyphSource::FakeGlyphSource(const FakeFont& font, FakeFontLog& log) : font_(font), log_(log) {
  ++log_.live;
}

FakeGlyphSource::~FakeGlyphSource() {
  --log_.live;
}

AbcWidths FakeGlyphSource::GetAbcWidths(uint8_t code) const {
  const auto found = font_.widths.find(code);
  return found != font_.widths.end() ? found->second : AbcWidths{};
}

bool FakeGlyphSource::GetGlyphOutline(uint8_t code, GlyphOutline& out) const {
  if (font_.unreadable.count(code) != 0) return false;
  const auto found = font_.outlines.find(code);
  out = found != font_.outlines.end() ? found->second : GlyphOutline{};
  return true;
}

std::vector<KerningAdjustment> FakeGlyphSource::GetKerningPairs() const {
  ++log_.kerningFetches;
  return font_.kerning;
}

std::shared_ptr<const CKV_GlyphSource> FakeFontService::CreateFont(const FontRequest& request) {
  log.created.push_back(request);
  log.liveWhenCreated.push_back(log.live);
  if (refuse) return nullptr;
  return std::make_shared<FakeGlyphSource>(font, log);
}

}  // namespace glyphs
