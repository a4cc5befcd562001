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

// libimagequant spreads its loops over threads through GCC's OpenMP runtime, whose C interface
// this is.
extern "C" {
int omp_get_max_threads();
void omp_set_num_threads(int count);
}

namespace player {
namespace {

constexpr int kPaletteSize = 256;
// Browsers stretch shorter delays to a tenth of a second.
constexpr int kShortestDelay = 2;
// A delay is stored in 16 bits of hundredths.
constexpr int kLongestDelay = UINT16_MAX;

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

// While it lives, the quantizer works on the calling thread alone. Its pieces of work per frame
// are small, and threads waiting for the next one spin on the cores the drawing needs: on two
// cores the whole writer ran 2.4 times faster on one thread.
class OneQuantizerThread {
 public:
  OneQuantizerThread() : previous_(omp_get_max_threads()) { omp_set_num_threads(1); }
  OneQuantizerThread(const OneQuantizerThread&) = delete;
  OneQuantizerThread& operator=(const OneQuantizerThread&) = delete;
  ~OneQuantizerThread() { omp_set_num_threads(previous_); }

 private:
  int previous_;
};

// Pixels of a frame: a rectangle, or the whole frame.
struct PixelRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool Empty() const { return width == 0 || height == 0; }
};

const uint32_t* Row(const CKV_Image& image, int y) {
  return reinterpret_cast<const uint32_t*>(image.Data() +
                                           static_cast<ptrdiff_t>(y) * image.Stride());
}

// The frame's pixels, rows packed, to compare the next frame with.
class PreviousFrame {
 public:
  void Clear() { pixels_.clear(); }
  void Keep(const CKV_Image& image) {
    width_ = image.Width();
    pixels_.resize(static_cast<size_t>(width_) * image.Height());
    for (int y = 0; y < image.Height(); ++y)
      std::copy_n(Row(image, y), width_, pixels_.begin() + static_cast<ptrdiff_t>(y) * width_);
  }
  bool Same(const CKV_Image& image, int x, int y) const {
    return !pixels_.empty() && pixels_[static_cast<size_t>(y) * width_ + x] == Row(image, y)[x];
  }
  // The smallest rectangle holding every pixel that differs from this frame: all of the image
  // when there is no frame before it, empty when nothing changed.
  PixelRect Changed(const CKV_Image& image) const {
    if (pixels_.empty()) return {0, 0, image.Width(), image.Height()};
    int left = image.Width();
    int right = -1;
    int top = -1;
    int bottom = -1;
    for (int y = 0; y < image.Height(); ++y) {
      const uint32_t* now = Row(image, y);
      const uint32_t* before = pixels_.data() + static_cast<ptrdiff_t>(y) * width_;
      int first = 0;
      while (first < width_ && now[first] == before[first]) ++first;
      if (first == width_) continue;
      int last = width_ - 1;
      while (now[last] == before[last]) --last;
      left = std::min(left, first);
      right = std::max(right, last);
      if (top < 0) top = y;
      bottom = y;
    }
    if (top < 0) return {};
    return {left, top, right - left + 1, bottom - top + 1};
  }

 private:
  int width_ = 0;
  std::vector<uint32_t> pixels_;
};

// A rectangle of a frame as libimagequant takes it: straight-alpha RGBA bytes, which the image
// borrows.
class QuantizerFrame {
 public:
  QuantizerFrame(liq_attr* attr, const CKV_Image& image, const PixelRect& rect)
      : rgba_(RgbaBytes(image, rect)) {
    image_.reset(liq_image_create_rgba(attr, rgba_.data(), rect.width, rect.height, 0));
  }
  liq_image* Get() const { return image_.get(); }

 private:
  static std::vector<uint8_t> RgbaBytes(const CKV_Image& image, const PixelRect& rect) {
    std::vector<uint8_t> rgba(static_cast<size_t>(rect.width) * rect.height * 4);
    size_t out = 0;
    for (int y = rect.y; y < rect.y + rect.height; ++y) {
      const uint32_t* row = Row(image, y);
      for (int x = rect.x; x < rect.x + rect.width; ++x) {
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

// A frame as stored: palette indices of a rectangle, the transparent index where the frame
// before shows through, and how long it stands.
struct StoredFrame {
  PixelRect rect;
  std::vector<uint8_t> indices;
  int delay = 0;
  bool transparent = false;
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

// Maps frames to the palette, each as the rectangle of what changed since the frame before
// with the transparent index for every pixel that still shows right: unchanged pixels keep
// what the viewer shows, however the dithering would have drawn them this time.
class ChangeMapper {
 public:
  ChangeMapper(liq_attr* attr, liq_result* result, int width, int height, uint8_t transparent)
      : attr_(attr),
        result_(result),
        width_(width),
        shown_(static_cast<size_t>(width) * height),
        transparent_(transparent) {}

  // An empty rectangle in stored when nothing changed; false when the frame cannot be mapped.
  bool Map(const CKV_Image& image, const PreviousFrame& previous, StoredFrame& stored) {
    const PixelRect rect = previous.Changed(image);
    stored = {};
    if (rect.Empty()) return true;
    const QuantizerFrame quantized(attr_, image, rect);
    std::vector<uint8_t> indices(static_cast<size_t>(rect.width) * rect.height);
    if (!quantized.Get() || liq_write_remapped_image(result_, quantized.Get(), indices.data(),
                                                     indices.size()) != LIQ_OK)
      return false;
    // The bounds of the pixels drawn over what shows; the first frame is drawn whole.
    int left = rect.x + rect.width;
    int top = rect.y + rect.height;
    int right = -1;
    int bottom = -1;
    for (int y = 0; y < rect.height; ++y) {
      for (int x = 0; x < rect.width; ++x) {
        uint8_t& index = indices[static_cast<size_t>(y) * rect.width + x];
        uint8_t& shown = shown_[static_cast<size_t>(rect.y + y) * width_ + rect.x + x];
        if (started_ && (index == shown || previous.Same(image, rect.x + x, rect.y + y))) {
          index = transparent_;
          continue;
        }
        shown = index;
        left = std::min(left, rect.x + x);
        top = std::min(top, rect.y + y);
        right = std::max(right, rect.x + x);
        bottom = std::max(bottom, rect.y + y);
      }
    }
    stored.transparent = started_;
    started_ = true;
    if (right < 0) return true;
    const PixelRect drawn{left, top, right - left + 1, bottom - top + 1};
    stored.rect = drawn;
    stored.indices.reserve(static_cast<size_t>(drawn.width) * drawn.height);
    for (int y = drawn.y; y < drawn.y + drawn.height; ++y) {
      const auto row =
          indices.begin() + static_cast<ptrdiff_t>(y - rect.y) * rect.width + (drawn.x - rect.x);
      stored.indices.insert(stored.indices.end(), row, row + drawn.width);
    }
    return true;
  }

 private:
  liq_attr* attr_;
  liq_result* result_;
  int width_;
  std::vector<uint8_t> shown_;
  uint8_t transparent_;
  bool started_ = false;
};

// The frame's control block (its delay; the frame stays below the next; the transparent
// index), then its rectangle.
bool PutFrame(GifFileType* gif, const StoredFrame& frame, int transparentIndex) {
  const GraphicsControlBlock control{DISPOSE_DO_NOT, false, frame.delay,
                                     frame.transparent ? transparentIndex : NO_TRANSPARENT_COLOR};
  GifByteType extension[4];
  const size_t extensionLength = EGifGCBToExtension(&control, extension);
  if (EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(extensionLength), extension) !=
          GIF_OK ||
      EGifPutImageDesc(gif, frame.rect.x, frame.rect.y, frame.rect.width, frame.rect.height, false,
                       nullptr) != GIF_OK)
    return false;
  for (int y = 0; y < frame.rect.height; ++y) {
    if (EGifPutLine(gif,
                    const_cast<GifByteType*>(frame.indices.data()) +
                        static_cast<size_t>(y) * frame.rect.width,
                    frame.rect.width) != GIF_OK)
      return false;
  }
  return true;
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

  const OneQuantizerThread oneThread;
  // First pass: the colours the file stores, those of the first frame and of every change.
  const std::unique_ptr<liq_attr, AttrDeleter> attr(liq_attr_create());
  liq_set_max_colors(attr.get(), kPaletteSize - 1);
  const std::unique_ptr<liq_histogram, HistogramDeleter> histogram(
      liq_histogram_create(attr.get()));
  PreviousFrame previous;
  frames.Restart();
  while (const CKV_Image* frame = frames.Next()) {
    const PixelRect changed = previous.Changed(*frame);
    previous.Keep(*frame);
    if (changed.Empty()) continue;
    const QuantizerFrame image(attr.get(), *frame, changed);
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
  // The entry after the colours stands for "unchanged"; the table's size is a power of two.
  const auto transparentIndex = static_cast<uint8_t>(std::min<unsigned>(palette->count, 255));
  int mapSize = 2;
  while (mapSize <= transparentIndex) mapSize *= 2;
  std::vector<GifColorType> colors(static_cast<size_t>(mapSize), GifColorType{0, 0, 0});
  for (unsigned i = 0; i < transparentIndex; ++i)
    colors[i] = {palette->entries[i].r, palette->entries[i].g, palette->entries[i].b};
  const std::unique_ptr<ColorMapObject, ColorMapDeleter> colorMap(
      GifMakeMapObject(mapSize, colors.data()));

  // Second pass: each frame's change in palette indices, into a file that takes the
  // destination's place only when complete. The file outlives the writer, which may still
  // write as it closes. A frame is written once the next is known, so that frames without a
  // change lengthen it instead of being stored.
  swftk::FileReplacement file;
  if (!file.Open(path, error)) return false;
  int code = 0;
  GifPtr gif(EGifOpen(&file, WriteToFile, &code));
  if (!gif) return GifFailed(code, error);
  EGifSetGifVersion(gif.get(), true);
  if (EGifPutScreenDesc(gif.get(), width, height, 8, 0, colorMap.get()) != GIF_OK ||
      !WriteLoopExtension(gif.get()))
    return GifFailed(gif->Error, file, error);
  ChangeMapper mapper(attr.get(), result.get(), width, height, transparentIndex);
  StoredFrame pending;
  previous.Clear();
  frames.Restart();
  for (uint32_t index = 0; const CKV_Image* frame = frames.Next(); ++index) {
    StoredFrame stored;
    if (!mapper.Map(*frame, previous, stored)) {
      error = "a frame cannot be mapped to the palette";
      return false;
    }
    previous.Keep(*frame);
    const int delay = GifFrameDelay(index, frames.FrameRate());
    if (stored.rect.Empty() && pending.delay + delay <= kLongestDelay) {
      pending.delay += delay;
      continue;
    }
    if (stored.rect.Empty()) stored = {{0, 0, 1, 1}, {transparentIndex}, 0, true};
    if (index > 0 && !PutFrame(gif.get(), pending, transparentIndex))
      return GifFailed(gif->Error, file, error);
    pending = std::move(stored);
    pending.delay = delay;
  }
  if (!PutFrame(gif.get(), pending, transparentIndex)) return GifFailed(gif->Error, file, error);
  GifFileType* closing = gif.release();
  if (EGifCloseFile(closing, &code) != GIF_OK) return GifFailed(code, file, error);
  return file.Commit(error);
}

}  // namespace player
