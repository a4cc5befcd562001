#include "res/skins/png_writer.h"

#include <png.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace skins {

namespace {

struct FileCloser {
  void operator()(FILE* file) const { std::fclose(file); }
};

// Kept apart from C++ objects: libpng leaves it through longjmp on an error.
bool WriteRows(FILE* file, png_structp png, png_infop info, png_uint_32 width, png_uint_32 height,
               png_bytepp rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_init_io(png, file);
  png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_compression_level(png, 9);
  png_write_info(png, info);
  png_write_image(png, rows);
  png_write_end(png, nullptr);
  return true;
}

}  // namespace

bool WriteOpaquePng(const QImage& image, const std::string& path) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
  std::vector<png_bytep> rows(static_cast<size_t>(rgb.height()));
  for (int row = 0; row < rgb.height(); ++row) {
    rows[static_cast<size_t>(row)] = const_cast<png_bytep>(rgb.constScanLine(row));
  }
  std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
  if (!file) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  const bool written =
      info && WriteRows(file.get(), png, info, static_cast<png_uint_32>(rgb.width()),
                        static_cast<png_uint_32>(rgb.height()), rows.data());
  png_destroy_write_struct(&png, &info);
  return written && std::fflush(file.get()) == 0;
}

}  // namespace skins
