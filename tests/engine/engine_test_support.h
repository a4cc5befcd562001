#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "engine/engine_messages.h"
#include "engine/movie_request.h"
#include "glyphs/font_service.h"
#include "swftk/reader.h"
#include "swftk/stream.h"
#include "template_fixture.h"
#include "tests/support/temp_dir.h"

namespace engine::test {

using zarn::test::ReadFileBytes;
using zarn::test::TempDir;
using zarn::test::WriteFileBytes;

struct Message {
  std::string caption;
  std::string text;
  std::string detail;

  bool operator==(const Message&) const = default;
};
void PrintTo(const Message& message, std::ostream* out);

// Collects what the engine reports.
class MessageLog {
 public:
  ErrorSink Sink();
  std::vector<Message> messages;
};

// A font of known measures: cell height 1024, ascent 800, descent 224; every character is a
// 100 × 700 unit box whose A, B and C widths are 10, 2 × code and 10; one kerning pair (A, V).
class FakeGlyphSource : public glyphs::CKV_GlyphSource {
 public:
  std::string GetFaceName() const override { return "Fake Sans"; }
  glyphs::TextMetrics GetTextMetrics() const override;
  glyphs::AbcWidths GetAbcWidths(uint8_t code) const override;
  bool GetGlyphOutline(uint8_t code, glyphs::GlyphOutline& out) const override;
  std::vector<glyphs::KerningAdjustment> GetKerningPairs() const override;
};

// Hands out FakeGlyphSource fonts (or none) and remembers the requests.
class FakeFontService : public glyphs::CKV_FontService {
 public:
  std::shared_ptr<const glyphs::CKV_GlyphSource> CreateFont(
      const glyphs::FontRequest& request) override;

  bool fails = false;
  std::vector<glyphs::FontRequest> requests;
};

// A movie read back with the toolkit.
std::unique_ptr<swftk::CSwfReader> ReadMovie(const std::string& path);

// The tags the reader keeps as raw bytes (DefineFont, DefineFontInfo, DefineText), read into
// their own class.
template <class T>
std::unique_ptr<T> DecodeAs(const swftk::CSwfTag& tag) {
  swftk::CSwfStream framed;
  tag.Write(framed);
  swftk::CSwfReader reader;
  reader.OpenFromStream(framed);
  auto decoded = std::make_unique<T>();
  reader.ReadTagInto(*decoded);
  return decoded;
}

// The root tags frame by frame: each group ends with its ShowFrame (included); a last group
// holds what follows the last ShowFrame.
std::vector<std::vector<const swftk::CSwfTag*>> SplitFrames(const swftk::TagList& tags);

// The tag codes of a list, for comparing a timeline at a glance.
std::vector<uint16_t> Codes(const std::vector<const swftk::CSwfTag*>& tags);
std::vector<uint16_t> Codes(const swftk::TagList& tags);

// The first tag with this code, or null.
const swftk::CSwfTag* FindFirst(const swftk::TagList& tags, uint16_t code);

// The actions of a DoAction as readable lines: "push \"x\"", "set", "goto 0", "play", "stop".
std::vector<std::string> DescribeActions(const swftk::CSwfTag& doAction);

}  // namespace engine::test
