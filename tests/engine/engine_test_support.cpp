#include "engine_test_support.h"

#include "swftk/actions.h"
#include "swftk/stream.h"

namespace engine::test {

void PrintTo(const Message& message, std::ostream* out) {
  *out << "{\"" << message.caption << "\", \"" << message.text << "\", \"" << message.detail
       << "\"}";
}

ErrorSink MessageLog::Sink() {
  return [this](std::string_view caption, std::string_view text, std::string_view detail) {
    messages.push_back({std::string(caption), std::string(text), std::string(detail)});
  };
}

glyphs::TextMetrics FakeGlyphSource::GetTextMetrics() const {
  glyphs::TextMetrics metrics;
  metrics.height = 1024;
  metrics.ascent = 800;
  metrics.descent = 224;
  metrics.weight = 400;
  return metrics;
}

glyphs::AbcWidths FakeGlyphSource::GetAbcWidths(uint8_t code) const {
  return {10, 2 * code, 10};
}

bool FakeGlyphSource::GetGlyphOutline(uint8_t, glyphs::GlyphOutline& out) const {
  constexpr int32_t kOne = 65536;
  out.metrics = {100, 700, 10, 700, 0, 0};
  glyphs::OutlinePolygon box;
  box.start = {0, 0};
  box.curves.push_back(
      {glyphs::kCurveLine, {{100 * kOne, 0}, {100 * kOne, 700 * kOne}, {0, 700 * kOne}}});
  out.polygons = {box};
  return true;
}

std::vector<glyphs::KerningAdjustment> FakeGlyphSource::GetKerningPairs() const {
  return {{'A', 'V', -50}};
}

std::shared_ptr<const glyphs::CKV_GlyphSource> FakeFontService::CreateFont(
    const glyphs::FontRequest& request) {
  requests.push_back(request);
  if (fails) return nullptr;
  return std::make_shared<FakeGlyphSource>();
}

std::unique_ptr<swftk::CSwfReader> ReadMovie(const std::string& path) {
  auto reader = std::make_unique<swftk::CSwfReader>();
  if (reader->OpenMovie(path) != swftk::OpenResult::kOk) return nullptr;
  return reader;
}

std::vector<std::vector<const swftk::CSwfTag*>> SplitFrames(const swftk::TagList& tags) {
  std::vector<std::vector<const swftk::CSwfTag*>> frames(1);
  for (const auto& tag : tags) {
    frames.back().push_back(tag.get());
    if (tag->GetTagCode() == swftk::tagcode::kShowFrame) frames.emplace_back();
  }
  return frames;
}

std::vector<uint16_t> Codes(const std::vector<const swftk::CSwfTag*>& tags) {
  std::vector<uint16_t> codes;
  for (const swftk::CSwfTag* tag : tags) codes.push_back(tag->GetTagCode());
  return codes;
}

std::vector<uint16_t> Codes(const swftk::TagList& tags) {
  std::vector<uint16_t> codes;
  for (const auto& tag : tags) codes.push_back(tag->GetTagCode());
  return codes;
}

const swftk::CSwfTag* FindFirst(const swftk::TagList& tags, uint16_t code) {
  for (const auto& tag : tags) {
    if (tag->GetTagCode() == code) return tag.get();
  }
  return nullptr;
}

std::vector<std::string> DescribeActions(const swftk::CSwfTag& doAction) {
  std::vector<std::string> lines;
  const auto* action = dynamic_cast<const swftk::CSwfDoAction*>(&doAction);
  if (action == nullptr) return lines;
  for (const auto& record : action->actions) {
    const uint8_t code = record->GetActionCode();
    if (const auto* push = dynamic_cast<const swftk::CSwfActionPush*>(record.get())) {
      lines.push_back("push \"" + push->text + "\"");
    } else if (code == swftk::actioncode::kSetVariable) {
      lines.push_back("set");
    } else if (code == swftk::actioncode::kPlay) {
      lines.push_back("play");
    } else if (code == swftk::actioncode::kStop) {
      lines.push_back("stop");
    } else if (const auto* unknown = dynamic_cast<const swftk::CSwfActionUnknown*>(record.get());
               unknown != nullptr && code == swftk::actioncode::kGotoFrame &&
               unknown->data.size() == 2) {
      lines.push_back("goto " + std::to_string(unknown->data[0] | unknown->data[1] << 8));
    } else {
      lines.push_back("action " + std::to_string(code));
    }
  }
  return lines;
}

}  // namespace engine::test
