#include "player/image.h"

#include <cairo.h>

#include "player/cairo_handles.h"
#include "swftk/replace_file.h"

namespace player {

std::unique_ptr<CKV_Image> CKV_Image::Create(int width, int height) {
  if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return nullptr;
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    return nullptr;
  }
  return std::unique_ptr<CKV_Image>(new CKV_Image(surface));
}

std::unique_ptr<CKV_Image> CKV_Image::ReadPng(const std::string& path) {
  cairo_surface_t* read = cairo_image_surface_create_from_png(path.c_str());
  const bool usable = cairo_surface_status(read) == CAIRO_STATUS_SUCCESS &&
                      cairo_image_surface_get_width(read) <= kMaxSide &&
                      cairo_image_surface_get_height(read) <= kMaxSide;
  std::unique_ptr<CKV_Image> image =
      usable ? Create(cairo_image_surface_get_width(read), cairo_image_surface_get_height(read))
             : nullptr;
  if (image) {
    // Whatever the file's format, the copy is ARGB32.
    const ContextPtr cr(cairo_create(image->surface_));
    cairo_set_source_surface(cr.get(), read, 0, 0);
    cairo_set_operator(cr.get(), CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr.get());
  }
  cairo_surface_destroy(read);
  return image;
}

CKV_Image::~CKV_Image() {
  cairo_surface_destroy(surface_);
}

int CKV_Image::Width() const {
  return cairo_image_surface_get_width(surface_);
}

int CKV_Image::Height() const {
  return cairo_image_surface_get_height(surface_);
}

int CKV_Image::Stride() const {
  return cairo_image_surface_get_stride(surface_);
}

const uint8_t* CKV_Image::Data() const {
  cairo_surface_flush(surface_);
  return cairo_image_surface_get_data(surface_);
}

uint32_t CKV_Image::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= Width() || y >= Height()) return 0;
  const uint8_t* row = Data() + static_cast<ptrdiff_t>(y) * Stride();
  return reinterpret_cast<const uint32_t*>(row)[x];
}

bool CKV_Image::WritePng(const std::string& path, std::string& error) const {
  cairo_surface_flush(surface_);
  swftk::FileReplacement file;
  if (!file.Open(path, error)) return false;
  const cairo_write_func_t toFile = [](void* closure, const unsigned char* data,
                                       unsigned int length) {
    return static_cast<swftk::FileReplacement*>(closure)->Write(data, length)
               ? CAIRO_STATUS_SUCCESS
               : CAIRO_STATUS_WRITE_ERROR;
  };
  const cairo_status_t status = cairo_surface_write_to_png_stream(surface_, toFile, &file);
  // A failed write gives its own reason through Commit, which then drops the temporary file.
  if (status == CAIRO_STATUS_SUCCESS || status == CAIRO_STATUS_WRITE_ERROR)
    return file.Commit(error);
  error = cairo_status_to_string(status);
  return false;
}

}  // namespace player
