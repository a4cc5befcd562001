#pragma once

#include <cstdint>
#include <vector>

#include "swftk/object.h"

namespace swftk {

// DefineBitsLossless (20) and DefineBitsLossless2 (36, with alpha): the pixel data stays
// zlib-compressed as stored; decoding it is the drawing side's business.
class CSwfDefineBitsLossless : public CSwfCharacterTag {
 public:
  static constexpr uint8_t kColorMapped = 3;
  static constexpr uint8_t kRgb15 = 4;
  static constexpr uint8_t kRgb32 = 5;

  explicit CSwfDefineBitsLossless(uint16_t code = tagcode::kDefineBitsLossless)
      : tagCode(code == tagcode::kDefineBitsLossless2 ? code : tagcode::kDefineBitsLossless) {}

  uint16_t GetTagCode() const override { return tagCode; }
  bool HasAlpha() const { return tagCode == tagcode::kDefineBitsLossless2; }
  uint32_t Read(CSwfReader& reader) override;
  uint32_t Write(CSwfStream& out) const override;

  uint8_t format = kRgb32;
  uint16_t width = 0;
  uint16_t height = 0;
  // Colours in the table minus one; present for colour-mapped bitmaps only.
  uint8_t colorTableSize = 0;
  std::vector<uint8_t> zlibData;
  uint16_t tagCode = tagcode::kDefineBitsLossless;
};

// JPEGTables: the encoding tables every DefineBits of the movie shares.
class CSwfJpegTables : public CSwfTag {
 public:
  uint16_t GetTagCode() const override { return tagcode::kJpegTables; }
  uint32_t Read(CSwfReader& reader) override;
  uint32_t Write(CSwfStream& out) const override;

  std::vector<uint8_t> data;
};

// DefineBits (6, image data without tables), DefineBitsJPEG2 (21, complete JPEG data) and
// DefineBitsJPEG3 (35, JPEG data followed by zlib-compressed alpha, one byte a pixel).
class CSwfDefineBitsJpeg : public CSwfCharacterTag {
 public:
  explicit CSwfDefineBitsJpeg(uint16_t code = tagcode::kDefineBitsJpeg2);

  uint16_t GetTagCode() const override { return tagCode; }
  uint32_t Read(CSwfReader& reader) override;
  uint32_t Write(CSwfStream& out) const override;

  std::vector<uint8_t> imageData;
  // DefineBitsJPEG3 only.
  std::vector<uint8_t> alphaData;
  uint16_t tagCode = tagcode::kDefineBitsJpeg2;
};

}  // namespace swftk
