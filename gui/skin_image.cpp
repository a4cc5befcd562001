#include "gui/skin_image.h"

#include <png.h>

#include <algorithm>
#include <fstream>
#include <iterator>

namespace gui {

namespace {

constexpr size_t kSignatureSize = 8;

// Everything libpng touches between a setjmp and its longjmp: plain data only, so that a jump
// out of the library skips no destructor.
struct PngDecode {
  const uint8_t* data = nullptr;
  size_t size = 0;
  size_t offset = 0;
  png_structp png = nullptr;
  png_infop info = nullptr;
  png_uint_32 width = 0;
  png_uint_32 height = 0;
  int bitDepth = 0;
  int colorType = 0;
  size_t rowBytes = 0;
  int channels = 0;
  bool hasBackground = false;
  png_color_16 background{};
  // Chunk values read between setjmp and longjmp live here rather than in locals.
  png_color_16p backgroundChunk = nullptr;
  double fileGamma = 0;
};

void ReadFromMemory(png_structp png, png_bytep out, size_t length) {
  auto* decode = static_cast<PngDecode*>(png_get_io_ptr(png));
  if (length > decode->size - decode->offset) png_error(png, "file ends early");
  std::copy_n(decode->data + decode->offset, length, out);
  decode->offset += length;
}

[[noreturn]] void OnPngError(png_structp png, png_const_charp) {
  png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

// Reads the header and sets up the transformations to 8-bit RGB or RGBA rows.
bool ReadHeader(PngDecode& decode) {
  if (setjmp(png_jmpbuf(decode.png))) return false;
  png_set_read_fn(decode.png, &decode, ReadFromMemory);
  png_set_sig_bytes(decode.png, kSignatureSize);
  png_set_user_limits(decode.png, CKV_SkinImage::kMaxSide, CKV_SkinImage::kMaxSide);
  png_set_chunk_malloc_max(decode.png, CKV_SkinImage::kMaxFileBytes);
  png_read_info(decode.png, decode.info);
  png_get_IHDR(decode.png, decode.info, &decode.width, &decode.height, &decode.bitDepth,
               &decode.colorType, nullptr, nullptr, nullptr);
  if (decode.bitDepth == 16) png_set_strip_16(decode.png);
  if (decode.colorType == PNG_COLOR_TYPE_PALETTE) png_set_expand(decode.png);
  if (decode.bitDepth < 8) png_set_expand(decode.png);
  if (png_get_valid(decode.png, decode.info, PNG_INFO_tRNS)) png_set_expand(decode.png);
  if (decode.colorType == PNG_COLOR_TYPE_GRAY || decode.colorType == PNG_COLOR_TYPE_GRAY_ALPHA) {
    png_set_gray_to_rgb(decode.png);
  }
  if (png_get_bKGD(decode.png, decode.info, &decode.backgroundChunk)) {
    png_set_background(decode.png, decode.backgroundChunk, PNG_BACKGROUND_GAMMA_FILE, 1, 1.0);
    decode.hasBackground = true;
    decode.background = *decode.backgroundChunk;
  }
  if (png_get_gAMA(decode.png, decode.info, &decode.fileGamma)) {
    png_set_gamma(decode.png, 2.2, decode.fileGamma);
  }
  png_set_interlace_handling(decode.png);
  png_read_update_info(decode.png, decode.info);
  png_get_IHDR(decode.png, decode.info, &decode.width, &decode.height, &decode.bitDepth,
               &decode.colorType, nullptr, nullptr, nullptr);
  decode.rowBytes = png_get_rowbytes(decode.png, decode.info);
  decode.channels = png_get_channels(decode.png, decode.info);
  return true;
}

bool ReadRows(PngDecode& decode, png_bytepp rows) {
  if (setjmp(png_jmpbuf(decode.png))) return false;
  png_read_image(decode.png, rows);
  png_read_end(decode.png, nullptr);
  return true;
}

// Owns libpng's read structures for one decode.
class PngReader {
 public:
  explicit PngReader(PngDecode& decode) : decode_(decode) {
    decode.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning);
    if (decode.png) decode.info = png_create_info_struct(decode.png);
  }
  PngReader(const PngReader&) = delete;
  PngReader& operator=(const PngReader&) = delete;
  ~PngReader() { png_destroy_read_struct(&decode_.png, &decode_.info, nullptr); }

  bool Ready() const { return decode_.png && decode_.info; }

 private:
  PngDecode& decode_;
};

void PutU32(uint8_t* out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace

bool CKV_SkinImage::Load(const std::string& path) {
  Release();
  std::ifstream file(path, std::ios::binary | std::ios::ate);
  if (!file) return false;
  const std::streamoff size = file.tellg();
  if (size < 0 || static_cast<uint64_t>(size) > kMaxFileBytes) return false;
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  file.seekg(0);
  if (!file.read(reinterpret_cast<char*>(bytes.data()), size)) return false;
  return LoadFromBytes(bytes);
}

bool CKV_SkinImage::LoadFromBytes(std::span<const uint8_t> bytes) {
  Release();
  if (bytes.size() < kSignatureSize || png_sig_cmp(bytes.data(), 0, kSignatureSize) != 0) {
    return false;
  }
  PngDecode decode;
  decode.data = bytes.data();
  decode.size = bytes.size();
  decode.offset = kSignatureSize;
  PngReader reader(decode);
  if (!reader.Ready() || !ReadHeader(decode)) return false;
  const uint64_t pixelCount = uint64_t{decode.width} * decode.height;
  if (decode.width == 0 || decode.height == 0 || pixelCount > kMaxPixels || decode.bitDepth != 8 ||
      (decode.channels != 3 && decode.channels != 4) ||
      decode.rowBytes != size_t{decode.width} * static_cast<size_t>(decode.channels)) {
    return false;
  }
  std::vector<uint8_t> decoded(decode.rowBytes * decode.height);
  std::vector<png_bytep> rows(decode.height);
  for (png_uint_32 row = 0; row < decode.height; ++row) {
    rows[row] = decoded.data() + row * decode.rowBytes;
  }
  if (!ReadRows(decode, rows.data())) return false;

  width = decode.width;
  height = decode.height;
  bitDepth = decode.bitDepth;
  colorType = decode.colorType;
  channels = static_cast<uint32_t>(decode.channels);
  pixels = std::move(decoded);
  if (decode.hasBackground) {
    background = std::array<uint8_t, 3>{static_cast<uint8_t>(decode.background.red),
                                        static_cast<uint8_t>(decode.background.green),
                                        static_cast<uint8_t>(decode.background.blue)};
  }
  // A top-down 24-bit bitmap: header, then blue-green-red rows padded to 4 bytes.
  const uint32_t stride = BitmapStride();
  bitmap.assign(kBitmapHeaderSize + size_t{stride} * height, 0);
  PutU32(&bitmap[0], kBitmapHeaderSize);
  PutU32(&bitmap[4], width);
  PutU32(&bitmap[8], static_cast<uint32_t>(-static_cast<int32_t>(height)));
  bitmap[12] = 1;
  bitmap[14] = 24;
  for (uint32_t row = 0; row < height; ++row) {
    const uint8_t* from = &pixels[size_t{row} * width * channels];
    uint8_t* to = &bitmap[kBitmapHeaderSize + size_t{row} * stride];
    for (uint32_t column = 0; column < width; ++column, from += channels, to += 3) {
      to[0] = from[2];
      to[1] = from[1];
      to[2] = from[0];
    }
  }
  return true;
}

bool CKV_SkinImage::Release() {
  *this = CKV_SkinImage{};
  return true;
}

const uint8_t* CKV_SkinImage::BitmapBits() const {
  return bitmap.empty() ? nullptr : bitmap.data() + kBitmapHeaderSize;
}

}  // namespace gui
