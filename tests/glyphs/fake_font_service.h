#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "glyphs/font_service.h"

namespace glyphs {

// What a fake font answers.
struct FakeFont {
  std::string faceName = "Fake Face";
  TextMetrics metrics;
  std::map<uint8_t, GlyphOutline> outlines;  // others have an empty outline
  std::map<uint8_t, AbcWidths> widths;       // others have zero widths
  std::set<uint8_t> unreadable;              // outline queries fail
  std::vector<KerningAdjustment> kerning;
};

// What was asked of the fake fonts.
struct FakeFontLog {
  std::vector<FontRequest> created;
  std::vector<int> liveWhenCreated;
  int live = 0;
  mutable int kerningFetches = 0;
};

class FakeGlyphSource : public CKV_GlyphSource {
 public:
  FakeGlyphSource(const FakeFont& font, FakeFontLog& log);
  ~FakeGlyphSource() override;

  std::string GetFaceName() const override { return font_.faceName; }
  TextMetrics GetTextMetrics() const override { return font_.metrics; }
  AbcWidths GetAbcWidths(uint8_t code) const override;
  bool GetGlyphOutline(uint8_t code, GlyphOutline& out) const override;
  std::vector<KerningAdjustment> GetKerningPairs() const override;

 private:
  FakeFont font_;
  FakeFontLog& log_;
};

// Makes fake fonts from `font`, or none when `refuse` is set.
class FakeFontService : public CKV_FontService {
 public:
  std::shared_ptr<const CKV_GlyphSource> CreateFont(const FontRequest& request) override;

  FakeFont font;
  FakeFontLog log;
  bool refuse = false;
};

}  // namespace glyphs
