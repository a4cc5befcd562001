#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "glyphs/glyph_source.h"

namespace engine {

// Top-left corner of a letter in twips; y grows downwards.
struct LetterPosition {
  int32_t x = 0;
  int32_t y = 0;

  bool operator==(const LetterPosition&) const = default;
};

// The distinct glyphs of a movie and where each letter of its text stands. Lengths are in
// twips; CR and LF are letters too, with a glyph and a position but no effect of their own.
struct GlyphLayout {
  // Distinct characters of the text and of the template's extra characters, ascending by
  // unsigned code; a character's position here is its glyph index.
  std::string glyphSet;
  // The glyph index of every character of the text.
  std::vector<uint16_t> letterGlyph;
  // The advance of every glyph at the requested size.
  std::vector<int> glyphAdvance;
  // The letter height: the point size × 30.
  double emHeight = 0.0;
  // Design units per twip.
  float measureScale = 0.0F;
  // From a letter's top to its baseline.
  int ascentOffset = 0;
  // One entry per character of the text and one more: the pen after the last letter.
  std::vector<LetterPosition> letterPosition;
};

inline bool IsLineBreak(char c) {
  return c == '\r' || c == '\n';
}

// Fills glyphSet and letterGlyph.
void BuildGlyphSet(std::string_view text, std::string_view embedGlyphs, GlyphLayout& layout);

// Fills emHeight, measureScale, ascentOffset and glyphAdvance from a font made at the design
// cell height; each glyph is measured once.
void MeasureGlyphs(const glyphs::CKV_GlyphSource& font, int fontSizeTenths, GlyphLayout& layout);

// Lays the letters out in lines from the origin (pixels): no wrapping, alignment or kerning;
// every CR and every LF starts a line of its own.
void PlaceLetters(std::string_view text, int originX, int originY, int letterSpace, int lineSpace,
                  int fontSizeTenths, GlyphLayout& layout);

}  // namespace engine
