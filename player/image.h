#pragma once

#include <cstdint>
#include <memory>
#include <string>

using cairo_surface_t = struct _cairo_surface;

namespace player {

// A picture the player draws into: premultiplied 32-bit ARGB pixels in native byte order
// (the layout of a Qt ARGB32_Premultiplied image), rows Stride() bytes apart.
class CKV_Image {
 public:
  // Larger images are refused.
  static constexpr int kMaxSide = 8192;

  // Null when a side is not positive or above kMaxSide, or the memory is not there. The new
  // image is transparent.
  static std::unique_ptr<CKV_Image> Create(int width, int height);
  // Null when the file is not a PNG that can be read or is larger than kMaxSide.
  static std::unique_ptr<CKV_Image> ReadPng(const std::string& path);
  CKV_Image(const CKV_Image&) = delete;
  CKV_Image& operator=(const CKV_Image&) = delete;
  ~CKV_Image();

  int Width() const;
  int Height() const;
  int Stride() const;
  const uint8_t* Data() const;
  // 0xAARRGGBB, premultiplied.
  uint32_t Pixel(int x, int y) const;
  // False with the reason in error when the file cannot be written.
  bool WritePng(const std::string& path, std::string& error) const;

  // For drawing with cairo inside the player.
  cairo_surface_t* Surface() const { return surface_; }

 private:
  explicit CKV_Image(cairo_surface_t* surface) : surface_(surface) {}

  cairo_surface_t* surface_ = nullptr;
};

}  // namespace player
