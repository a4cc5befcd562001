#include "player/gif_writer.h"

#include <gif_lib.h>
#include <libimagequant.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "player/frame_sequence.h"
#include "player/image.h"
#include "swftk/replace_file.h"

namespace player {
namespace {

constexpr int kPaletteSize = 256;
// Browsers stretch shorter delays to a tenth of a second.
constexpr int kShortestDelay = 2;

struct AttrDeleter {
  void operator()(liq_attr* attr) const { liq_attr_destroy(attr); }
};
struct HistogramDeleter {
  void operator()(liq_histogram* histogram) const { liq_histogram_destroy(histogram); }
};
struct ImageDeleter {
  void operator()(liq_image* image) const { liq_image_destroy(image); }
};
struct ResultDeleter {
  void operator()(liq_result* result) const { liq_result_destroy(result); }
};
struct ColorMapDeleter {
  void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

// Closes the file if the writer gives up before closing it itself.
struct GifCloser {
  void operator()(GifFileType* gif) const {
    int ignored = 0;
    EGifCloseFile(gif, &ignored);
  }
};
using GifPtr = std::unique_ptr<GifFileType, GifCloser>;

// A frame as libimagequant takes it: straight-alpha RGBA bytes, which the image borrows.
class QuantizerFrame {
 public:
  QuantizerFrame(liq_attr* attr, const CKV_Image& image) : rgba_(RgbaBytes(image)) {
    image_.reset(liq_image_create_rgba(attr, rgba_.data(), image.Width(), image.Height(), 0));
  }
  liq_image* Get() const { return image_.get(); }

 private:
  static std::vector<uint8_t> RgbaBytes(const CKV_Image& image) {
    std::vector<uint8_t> rgba(static_cast<size_t>(image.Width()) * image.Height() * 4);
    size_t out = 0;
    for (int y = 0; y < image.Height(); ++y) {
      const auto* row = reinterpret_cast<const uint32_t*>(image.Data() + static_cast<ptrdiff_t>(y) *
                                                                             image.Stride());
      for (int x = 0; x < image.Width(); ++x) {
        const uint32_t p = row[x];
        const uint32_t a = p >> 24;
        for (const int shift : {16, 8, 0}) {
          const uint32_t c = p >> shift & 255;
          rgba[out++] = static_cast<uint8_t>(a == 0 ? 0 : std::min<uint32_t>(255, c * 255 / a));
        }
        rgba[out++] = static_cast<uint8_t>(a);
      }
    }
    return rgba;
  }

  std::vector<uint8_t> rgba_;
  std::unique_ptr<liq_image, ImageDeleter> image_;
};

int WriteToFile(GifFileType* gif, const GifByteType* data, int length) {
  auto* file = static_cast<swftk::FileReplacement*>(gif->UserData);
  return file->Write(data, static_cast<size_t>(length)) ? length : 0;
}

bool GifFailed(int code, std::string& error) {
  error = GifErrorString(code) ? GifErrorString(code) : "the GIF cannot be written";
  return false;
}

// A write that failed has the system's reason, which the file gives as it is dropped.
bool GifFailed(int code, swftk::FileReplacement& file, std::string& error) {
  if (code == E_GIF_ERR_WRITE_FAILED && !file.Commit(error)) return false;
  return GifFailed(code, error);
}

bool WriteLoopExtension(GifFileType* gif) {
  static constexpr uint8_t kApplication[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
  static constexpr uint8_t kLoopForever[] = {1, 0, 0};
  return EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
         EGifPutExtensionBlock(gif, sizeof kApplication, kApplication) == GIF_OK &&
         EGifPutExtensionBlock(gif, sizeof kLoopForever, kLoopForever) == GIF_OK &&
         EGifPutExtensionTrailer(gif) == GIF_OK;
}

}  // namespace

int GifFrameDelay(uint32_t index, double frameRate) {
  if (!(frameRate > 0)) return 100;
  const auto start = [frameRate](uint32_t i) { return std::llround(100.0 * i / frameRate); };
  return std::max<int>(kShortestDelay, static_cast<int>(start(index + 1) - start(index)));
}

bool WriteAnimatedGif(CKV_FrameSequence& frames, const std::string& path, std::string& error) {
  const int width = frames.Width();
  const int height = frames.Height();
  if (width > UINT16_MAX || height > UINT16_MAX) {
    error = "the frames are too large for a GIF";
    return false;
  }

  // First pass: the colours of every frame.
  const std::unique_ptr<liq_attr, AttrDeleter> attr(liq_attr_create());
  liq_set_max_colors(attr.get(), kPaletteSize);
  const std::unique_ptr<liq_histogram, HistogramDeleter> histogram(
      liq_histogram_create(attr.get()));
  frames.Restart();
  while (const CKV_Image* frame = frames.Next()) {
    const QuantizerFrame image(attr.get(), *frame);
    if (!image.Get() ||
        liq_histogram_add_image(histogram.get(), attr.get(), image.Get()) != LIQ_OK) {
      error = "the frames' colours cannot be gathered";
      return false;
    }
  }
  liq_result* rawResult = nullptr;
  if (liq_histogram_quantize(histogram.get(), attr.get(), &rawResult) != LIQ_OK) {
    error = "no palette can be made for the frames";
    return false;
  }
  const std::unique_ptr<liq_result, ResultDeleter> result(rawResult);
  const liq_palette* palette = liq_get_palette(result.get());
  std::vector<GifColorType> colors(kPaletteSize, GifColorType{0, 0, 0});
  for (unsigned i = 0; i < palette->count && i < kPaletteSize; ++i)
    colors[i] = {palette->entries[i].r, palette->entries[i].g, palette->entries[i].b};
  const std::unique_ptr<ColorMapObject, ColorMapDeleter> colorMap(
      GifMakeMapObject(kPaletteSize, colors.data()));

  // Second pass: each frame in palette indices, into a file that takes the destination's place
  // only when complete. The file outlives the writer, which may still write as it closes.
  swftk::FileReplacement file;
  if (!file.Open(path, error)) return false;
  int code = 0;
  GifPtr gif(EGifOpen(&file, WriteToFile, &code));
  if (!gif) return GifFailed(code, error);
  EGifSetGifVersion(gif.get(), true);
  if (EGifPutScreenDesc(gif.get(), width, height, 8, 0, colorMap.get()) != GIF_OK ||
      !WriteLoopExtension(gif.get()))
    return GifFailed(gif->Error, file, error);
  std::vector<uint8_t> indices(static_cast<size_t>(width) * height);
  frames.Restart();
  for (uint32_t index = 0; const CKV_Image* frame = frames.Next(); ++index) {
    const QuantizerFrame image(attr.get(), *frame);
    if (!image.Get() || liq_write_remapped_image(result.get(), image.Get(), indices.data(),
                                                 indices.size()) != LIQ_OK) {
      error = "a frame cannot be mapped to the palette";
      return false;
    }
    GraphicsControlBlock control{DISPOSAL_UNSPECIFIED, false,
                                 GifFrameDelay(index, frames.FrameRate()), NO_TRANSPARENT_COLOR};
    GifByteType extension[4];
    const size_t extensionLength = EGifGCBToExtension(&control, extension);
    if (EGifPutExtension(gif.get(), GRAPHICS_EXT_FUNC_CODE, static_cast<int>(extensionLength),
                         extension) != GIF_OK ||
        EGifPutImageDesc(gif.get(), 0, 0, width, height, false, nullptr) != GIF_OK)
      return GifFailed(gif->Error, file, error);
    for (int y = 0; y < height; ++y) {
      if (EGifPutLine(gif.get(), indices.data() + static_cast<size_t>(y) * width, width) != GIF_OK)
        return GifFailed(gif->Error, file, error);
    }
  }
  GifFileType* closing = gif.release();
  if (EGifCloseFile(closing, &code) != GIF_OK) return GifFailed(code, file, error);
  return file.Commit(error);
}

}  // namespace player
