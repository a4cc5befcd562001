#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace glyphs {

inline constexpr size_t kFontRequestSize = 60;
inline constexpr size_t kFaceNameSize = 32;
inline constexpr int32_t kWeightNormal = 400;
inline constexpr int32_t kWeightBold = 700;

// A font request with the fields and the little-endian 60-byte layout of a Windows LOGFONTA,
// so that stored preferences keep it byte for byte.
struct FontRequest {
  int32_t lfHeight = 0;
  int32_t lfWidth = 0;
  int32_t lfEscapement = 0;
  int32_t lfOrientation = 0;
  int32_t lfWeight = 0;
  uint8_t lfItalic = 0;
  uint8_t lfUnderline = 0;
  uint8_t lfStrikeOut = 0;
  uint8_t lfCharSet = 0;
  uint8_t lfOutPrecision = 0;
  uint8_t lfClipPrecision = 0;
  uint8_t lfQuality = 0;
  uint8_t lfPitchAndFamily = 0;
  // Always holds a terminator within its 32 bytes.
  std::array<char, kFaceNameSize> lfFaceName{};

  // Copies the name, cut to 31 characters so that the terminator fits.
  void SetFaceName(std::string_view name);
  std::string GetFaceName() const;

  std::array<uint8_t, kFontRequestSize> Serialise() const;
  // A face field without a terminator comes back cut to 31 characters.
  static FontRequest Parse(std::span<const uint8_t, kFontRequestSize> bytes);

  bool operator==(const FontRequest&) const = default;
};

}  // namespace glyphs
