#include "player/jpeg_bitmap.h"

// jpeglib.h needs size_t and FILE declared before it.
#include <algorithm>
#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <initializer_list>
#include <string>

#include <jpeglib.h>

#include "swftk/bitmap_tags.h"
#include "swftk/object.h"

namespace player {
namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return: it jumps back
// to the decoding call with the library's message.
struct JpegErrorManager {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void ExitWithMessage(j_common_ptr info) {
  auto* errors = reinterpret_cast<JpegErrorManager*>(info->err);
  info->err->format_message(info, errors->message);
  std::longjmp(errors->jump, 1);
}

// Warnings (a damaged but readable stream) are not worth a line each.
void IgnoreMessage(j_common_ptr, int) {}

// The tables and the image as one stream. Files join such streams with an end-of-image and
// start-of-image pair ("FF D9 FF D8"), and some put a stray pair before the image; both go,
// leaving one stream. Inside entropy-coded data an FF byte is never followed by D9, so the
// pair can only be a marker boundary.
std::vector<uint8_t> JoinedStream(const std::vector<uint8_t>& tables,
                                  const std::vector<uint8_t>& image) {
  std::vector<uint8_t> joined;
  joined.reserve(tables.size() + image.size());
  joined.insert(joined.end(), tables.begin(), tables.end());
  joined.insert(joined.end(), image.begin(), image.end());
  std::vector<uint8_t> out;
  out.reserve(joined.size());
  for (size_t i = 0; i < joined.size(); ++i) {
    if (i + 3 < joined.size() && joined[i] == 0xFF && joined[i + 1] == 0xD9 &&
        joined[i + 2] == 0xFF && joined[i + 3] == 0xD8) {
      i += 3;
      continue;
    }
    out.push_back(joined[i]);
  }
  return out;
}

// The image as RGB rows. No C++ object with a destructor lives in this frame between the
// setjmp and the jump, so jumping back skips nothing; the output vector belongs to the
// caller.
bool DecodeRgb(const std::vector<uint8_t>& stream, std::vector<uint8_t>& rgb, int& width,
               int& height, std::string& problem) {
  jpeg_decompress_struct info{};
  JpegErrorManager errors{};
  info.err = jpeg_std_error(&errors.manager);
  errors.manager.error_exit = ExitWithMessage;
  errors.manager.emit_message = IgnoreMessage;
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&info);
    problem.assign("the JPEG data is damaged (").append(errors.message).append(")");
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, stream.data(), static_cast<unsigned long>(stream.size()));
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) {
    jpeg_destroy_decompress(&info);
    problem = "the JPEG data holds no image";
    return false;
  }
  width = static_cast<int>(info.image_width);
  height = static_cast<int>(info.image_height);
  problem = CheckBitmapSize(width, height);
  if (!problem.empty()) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  const size_t rowBytes = static_cast<size_t>(width) * 3;
  rgb.assign(rowBytes * static_cast<size_t>(height), 0);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = rgb.data() + rowBytes * info.output_scanline;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

bool StartsWith(const std::vector<uint8_t>& data, std::initializer_list<uint8_t> prefix) {
  return data.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), data.begin());
}

}  // namespace

BitmapDecodeResult DecodeJpegBitmap(const swftk::CSwfDefineBitsJpeg& tag,
                                    const std::vector<uint8_t>& tables) {
  if (StartsWith(tag.imageData, {0x89, 'P', 'N', 'G'}) ||
      StartsWith(tag.imageData, {'G', 'I', 'F', '8'}))
    return {nullptr, "PNG and GIF images in JPEG tags are not drawn"};
  const bool withTables = tag.GetTagCode() == swftk::tagcode::kDefineBits;
  std::vector<uint8_t> rgb;
  int width = 0;
  int height = 0;
  std::string problem;
  if (!DecodeRgb(JoinedStream(withTables ? tables : std::vector<uint8_t>{}, tag.imageData), rgb,
                 width, height, problem))
    return {nullptr, std::move(problem)};
  const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
  // A DefineBitsJPEG3 without alpha data is opaque, as a DefineBitsJPEG2 is.
  const bool withAlpha =
      tag.GetTagCode() == swftk::tagcode::kDefineBitsJpeg3 && !tag.alphaData.empty();
  const std::vector<uint8_t> alpha =
      withAlpha ? InflateBounded(tag.alphaData, count) : std::vector<uint8_t>{};
  std::vector<uint32_t> pixels(count);
  for (size_t i = 0; i < count; ++i) {
    const uint32_t a = withAlpha ? alpha[i] : 255;
    const auto premultiply = [a](uint8_t channel) { return (channel * a + 127) / 255; };
    pixels[i] = a << 24 | premultiply(rgb[i * 3]) << 16 | premultiply(rgb[i * 3 + 1]) << 8 |
                premultiply(rgb[i * 3 + 2]);
  }
  return {std::make_unique<CKV_BitmapCharacter>(tag.characterId, width, height, std::move(pixels)),
          {}};
}

}  // namespace player
