#include "glyphs/font_request.h"

#include <algorithm>
#include <cstring>

namespace glyphs {

namespace {

void PutI32(uint8_t* out, int32_t value) {
  const auto bits = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(bits >> (8 * i));
}

int32_t GetI32(const uint8_t* in) {
  uint32_t bits = 0;
  for (int i = 0; i < 4; ++i) bits |= static_cast<uint32_t>(in[i]) << (8 * i);
  return static_cast<int32_t>(bits);
}

// Offsets of the LOGFONTA fields.
constexpr size_t kBytesOffset = 20;
constexpr size_t kFaceOffset = 28;

}  // namespace

void FontRequest::SetFaceName(std::string_view name) {
  lfFaceName.fill('\0');
  const size_t length = std::min(name.size(), kFaceNameSize - 1);
  std::copy_n(name.begin(), length, lfFaceName.begin());
}

std::string FontRequest::GetFaceName() const {
  const auto end = std::find(lfFaceName.begin(), lfFaceName.end(), '\0');
  return std::string(lfFaceName.begin(), end);
}

std::array<uint8_t, kFontRequestSize> FontRequest::Serialise() const {
  std::array<uint8_t, kFontRequestSize> bytes{};
  const int32_t words[] = {lfHeight, lfWidth, lfEscapement, lfOrientation, lfWeight};
  for (size_t i = 0; i < std::size(words); ++i) PutI32(&bytes[4 * i], words[i]);
  const uint8_t flags[] = {lfItalic,       lfUnderline,     lfStrikeOut, lfCharSet,
                           lfOutPrecision, lfClipPrecision, lfQuality,   lfPitchAndFamily};
  std::copy(std::begin(flags), std::end(flags), &bytes[kBytesOffset]);
  std::memcpy(&bytes[kFaceOffset], lfFaceName.data(), kFaceNameSize);
  return bytes;
}

FontRequest FontRequest::Parse(std::span<const uint8_t, kFontRequestSize> bytes) {
  FontRequest request;
  request.lfHeight = GetI32(&bytes[0]);
  request.lfWidth = GetI32(&bytes[4]);
  request.lfEscapement = GetI32(&bytes[8]);
  request.lfOrientation = GetI32(&bytes[12]);
  request.lfWeight = GetI32(&bytes[16]);
  uint8_t* flags[] = {&request.lfItalic,  &request.lfUnderline,     &request.lfStrikeOut,
                      &request.lfCharSet, &request.lfOutPrecision,  &request.lfClipPrecision,
                      &request.lfQuality, &request.lfPitchAndFamily};
  for (size_t i = 0; i < std::size(flags); ++i) *flags[i] = bytes[kBytesOffset + i];
  std::memcpy(request.lfFaceName.data(), &bytes[kFaceOffset], kFaceNameSize);
  request.lfFaceName.back() = '\0';
  return request;
}

}  // namespace glyphs
