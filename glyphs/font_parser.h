#pragma once

namespace glyphs {

// Kept by the main window beside its glyph extractor; it holds nothing and does nothing yet.
class CKV_FontParser {
 public:
  CKV_FontParser() = default;
  virtual ~CKV_FontParser() = default;
};

}  // namespace glyphs
