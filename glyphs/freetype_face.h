#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "glyphs/glyph_source.h"

namespace glyphs {

// A scalable face opened with FreeType and scaled as Windows scales a TrueType font: a
// positive height is the cell height (the face's Windows ascent plus descent), a negative one
// the em height. Glyphs are read once and kept; the object may be shared between threads.
class CKV_FreeTypeFace : public CKV_GlyphSource {
 public:
  // Null when the file holds no scalable face at that index.
  static std::unique_ptr<CKV_FreeTypeFace> Open(const std::string& file, int index, int32_t height);

  struct Handles;
  // Made by Open only: the handles are complete only in the source file.
  explicit CKV_FreeTypeFace(std::unique_ptr<Handles> handles);
  ~CKV_FreeTypeFace() override;

  std::string GetFaceName() const override;
  TextMetrics GetTextMetrics() const override;
  AbcWidths GetAbcWidths(uint8_t code) const override;
  bool GetGlyphOutline(uint8_t code, GlyphOutline& out) const override;
  std::vector<KerningAdjustment> GetKerningPairs() const override;

 private:
  struct Glyph {
    bool loaded = false;
    GlyphOutline outline;
    AbcWidths widths;
  };

  // Call with the mutex held.
  const Glyph& GlyphOf(uint8_t code) const;

  std::unique_ptr<Handles> handles_;
  std::string faceName_;
  TextMetrics metrics_;
  double scale_ = 0;
  std::array<uint32_t, 256> glyphIndex_{};

  mutable std::mutex mutex_;
  mutable std::array<std::unique_ptr<Glyph>, 256> glyphs_;
  mutable std::optional<std::vector<KerningAdjustment>> kerning_;
};

}  // namespace glyphs
