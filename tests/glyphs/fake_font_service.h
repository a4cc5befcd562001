#pragma once

// Fonts that answer what a test sets, and a log of what was asked of them.

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
  FakeGlyphSource(const FakeFont& font, FakeFontLog& log) : font_(font), log_(log) { ++log_.live; }
  ~FakeGlyphSource() override { --log_.live; }

  std::string GetFaceName() const override { return font_.faceName; }
  TextMetrics GetTextMetrics() const override { return font_.metrics; }
  AbcWidths GetAbcWidths(uint8_t code) const override {
    const auto found = font_.widths.find(code);
    return found != font_.widths.end() ? found->second : AbcWidths{};
  }
  bool GetGlyphOutline(uint8_t code, GlyphOutline& out) const override {
    if (font_.unreadable.count(code) != 0) return false;
    const auto found = font_.outlines.find(code);
    out = found != font_.outlines.end() ? found->second : GlyphOutline{};
    return true;
  }
  std::vector<KerningAdjustment> GetKerningPairs() const override {
    ++log_.kerningFetches;
    return font_.kerning;
  }

 private:
  FakeFont font_;
  FakeFontLog& log_;
};

// Makes fake fonts from `font`, or none when `refuse` is set.
class FakeFontService : public CKV_FontService {
 public:
  std::shared_ptr<const CKV_GlyphSource> CreateFont(const FontRequest& request) override {
    log.created.push_back(request);
    log.liveWhenCreated.push_back(log.live);
    if (refuse) return nullptr;
    return std::make_shared<FakeGlyphSource>(font, log);
  }

  FakeFont font;
  FakeFontLog log;
  bool refuse = false;
};

}  // namespace glyphs
