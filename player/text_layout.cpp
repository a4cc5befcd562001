#include "player/text_layout.h"

#include <algorithm>
#include <string_view>

#include "player/edit_text_character.h"
#include "player/font_character.h"

namespace player {
namespace {

// Fonts without layout give no ascent; this share of the height stands in for it.
constexpr double kAscentShareWithoutLayout = 0.8;
// A font without a space glyph still separates words by this share of an em.
constexpr double kSpaceShareWithoutGlyph = 0.25;

struct LineGlyph {
  int glyph = -1;  // -1: a space without a glyph
  double advance = 0;
  bool space = false;
};

struct Line {
  std::vector<LineGlyph> glyphs;
  bool startsParagraph = false;
  bool endsParagraph = false;
};

double Width(const std::vector<LineGlyph>& glyphs, bool withoutTrailingSpaces) {
  size_t end = glyphs.size();
  if (withoutTrailingSpaces)
    while (end > 0 && glyphs[end - 1].space) --end;
  double width = 0;
  for (size_t i = 0; i < end; ++i) width += glyphs[i].advance;
  return width;
}

std::vector<std::string_view> SplitParagraphs(std::string_view text) {
  std::vector<std::string_view> paragraphs;
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && text[i] != '\r' && text[i] != '\n') continue;
    paragraphs.push_back(text.substr(start, i - start));
    if (i + 1 < text.size() && text[i] == '\r' && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  return paragraphs;
}

class LineBreaker {
 public:
  LineBreaker(const CKV_FontCharacter& font, double scale, double width, double indent,
              bool wordWrap)
      : font_(font), scale_(scale), width_(width), indent_(indent), wordWrap_(wordWrap) {}

  void AddParagraph(std::string_view text) {
    line_ = {};
    lineWidth_ = 0;
    line_.startsParagraph = true;
    for (const char c : text) Add(static_cast<uint8_t>(c));
    line_.endsParagraph = true;
    lines_.push_back(std::move(line_));
  }

  std::vector<Line> TakeLines() { return std::move(lines_); }

 private:
  void Add(uint8_t code) {
    const int glyph = font_.GlyphForCode(code);
    const bool space = code == ' ';
    if (glyph < 0 && !space) return;
    const double advance = glyph >= 0
                               ? font_.Advance(glyph) * scale_
                               : kSpaceShareWithoutGlyph * CKV_FontCharacter::kEmSquare * scale_;
    if (wordWrap_ && !space) WrapBefore(advance);
    line_.glyphs.push_back({glyph, advance, space});
    lineWidth_ += advance;
  }

  // Starts a new line when the next glyph would pass the width: at the last space if the
  // line has one, otherwise right here, unless the line is still empty.
  void WrapBefore(double advance) {
    const double start = line_.startsParagraph ? indent_ : 0;
    if (start + lineWidth_ + advance <= width_) return;
    const auto lastSpace = std::find_if(line_.glyphs.rbegin(), line_.glyphs.rend(),
                                        [](const LineGlyph& g) { return g.space; });
    std::vector<LineGlyph> carried;
    if (lastSpace != line_.glyphs.rend()) {
      const auto afterSpace = lastSpace.base();
      carried.assign(afterSpace, line_.glyphs.end());
      line_.glyphs.erase(afterSpace, line_.glyphs.end());
    } else if (line_.glyphs.empty()) {
      return;
    }
    lines_.push_back(std::move(line_));
    line_ = {};
    line_.glyphs = std::move(carried);
    lineWidth_ = Width(line_.glyphs, false);
  }

  const CKV_FontCharacter& font_;
  double scale_ = 0;
  double width_ = 0;
  double indent_ = 0;
  bool wordWrap_ = false;
  Line line_;
  double lineWidth_ = 0;
  std::vector<Line> lines_;
};

void DecodeEntity(std::string_view entity, std::string& out) {
  static constexpr std::pair<std::string_view, char> kEntities[] = {
      {"lt", '<'}, {"gt", '>'}, {"amp", '&'}, {"quot", '"'}, {"apos", '\''}, {"nbsp", ' '}};
  for (const auto& [name, c] : kEntities) {
    if (entity == name) {
      out.push_back(c);
      return;
    }
  }
  out.push_back('&');
  out.append(entity);
  out.push_back(';');
}

std::string StripHtml(std::string_view html) {
  std::string text;
  size_t i = 0;
  while (i < html.size()) {
    const char c = html[i];
    if (c == '<') {
      const size_t close = html.find('>', i);
      if (close == std::string_view::npos) break;
      std::string tag(html.substr(i + 1, close - i - 1));
      std::transform(tag.begin(), tag.end(), tag.begin(), [](char t) {
        return static_cast<char>(std::tolower(static_cast<uint8_t>(t)));
      });
      if (tag == "br" || tag == "br/" || tag == "/p") text.push_back('\n');
      i = close + 1;
    } else if (c == '&') {
      const size_t semicolon = html.find(';', i);
      if (semicolon == std::string_view::npos || semicolon - i > 6) {
        text.push_back(c);
        ++i;
        continue;
      }
      DecodeEntity(html.substr(i + 1, semicolon - i - 1), text);
      i = semicolon + 1;
    } else {
      text.push_back(c);
      ++i;
    }
  }
  // The paragraph that closes the markup does not open an empty line after it.
  if (!text.empty() && text.back() == '\n') text.pop_back();
  return text;
}

}  // namespace

std::string DisplayedFieldText(const CKV_EditTextCharacter& field, const std::string& text) {
  std::string shown = field.html ? StripHtml(text) : text;
  if (field.password) {
    for (char& c : shown)
      if (c != '\r' && c != '\n') c = '*';
  }
  return shown;
}

std::vector<PlacedGlyph> LayOutFieldText(const CKV_EditTextCharacter& field,
                                         const CKV_FontCharacter& font, const std::string& text) {
  const double scale = field.height / CKV_FontCharacter::kEmSquare;
  const double ascent =
      font.hasLayout ? font.ascent * scale : field.height * kAscentShareWithoutLayout;
  const double descent =
      font.hasLayout ? font.descent * scale : field.height * (1 - kAscentShareWithoutLayout);
  const double left = field.bounds.xMin + kFieldPadding + field.leftMargin;
  const double width = field.bounds.xMax - field.bounds.xMin - 2 * kFieldPadding -
                       field.leftMargin - field.rightMargin;

  LineBreaker breaker(font, scale, width, field.indent, field.wordWrap);
  for (const std::string_view paragraph : SplitParagraphs(text)) breaker.AddParagraph(paragraph);

  std::vector<PlacedGlyph> placed;
  double baseline = field.bounds.yMin + kFieldPadding + ascent;
  for (const Line& line : breaker.TakeLines()) {
    const double start = line.startsParagraph ? field.indent : 0;
    const double room = width - start - Width(line.glyphs, true);
    double x = left + start;
    double extraPerSpace = 0;
    switch (field.align) {
      case CKV_EditTextCharacter::Align::kRight:
        x += room;
        break;
      case CKV_EditTextCharacter::Align::kCenter:
        x += room / 2;
        break;
      case CKV_EditTextCharacter::Align::kJustify:
        if (!line.endsParagraph && room > 0) {
          // Spaces at the line's end stay as they are.
          auto end = line.glyphs.end();
          while (end != line.glyphs.begin() && (end - 1)->space) --end;
          const auto spaces =
              std::count_if(line.glyphs.begin(), end, [](const LineGlyph& g) { return g.space; });
          if (spaces > 0) extraPerSpace = room / static_cast<double>(spaces);
        }
        break;
      case CKV_EditTextCharacter::Align::kLeft:
        break;
    }
    for (const LineGlyph& glyph : line.glyphs) {
      if (glyph.glyph >= 0 && !font.glyphs[glyph.glyph].items.empty()) {
        placed.push_back(
            {&font.glyphs[glyph.glyph], Transform2D{scale, 0, 0, scale, x, baseline}, field.color});
      }
      x += glyph.advance + (glyph.space ? extraPerSpace : 0);
    }
    baseline += ascent + descent + field.leading;
  }
  return placed;
}

}  // namespace player
