#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "glyphs/font_request.h"
#include "glyphs/font_service.h"

namespace engine {

// The longest text a movie animates: one letter per depth and per frame group, and the size
// of the text buffers the settings keep.
inline constexpr size_t kMaxTextLength = 254;

// Everything one build needs, in the order the generator takes it. Lengths are in pixels,
// colours are 0x00BBGGRR (red in the low byte), texts are Windows-1252.
struct MovieRequest {
  std::string effectPath;
  std::string outputPath;
  int movieWidth = 0;
  int movieHeight = 0;
  float frameRate = 0.0F;
  uint32_t textColor = 0;
  uint32_t backgroundColor = 0;
  int fontSizeTenths = 0;
  // CR and LF break lines.
  std::string text;
  // Measures glyphs and makes the font's outlines; must outlive the build.
  glyphs::CKV_FontService* window = nullptr;
  // Its height is replaced by the design cell height before use.
  glyphs::FontRequest logFont;
  int originX = 0;
  int originY = 0;
  bool loop = false;
  int letterSpace = 0;
  int lineSpace = 0;
  bool allAtOnce = false;
  // Frames between the starts of two consecutive letters, carried whole.
  int frameDelay = 1;
  // No link is made when it has fewer than 2 characters.
  std::string linkUrl;
  std::string linkTarget;
  bool protect = false;
  // The template's version is 4: letters are dynamic text fields.
  bool editTextMode = false;
  // The template is a ".kvx" file: its signature is not checked.
  bool lenientSignature = false;
  // Characters the template wants embedded whatever the text.
  std::string embedGlyphs;
  // The template file's bytes when the caller has read them already; empty: the generator
  // reads effectPath.
  std::vector<uint8_t> templateBytes;
};

}  // namespace engine
