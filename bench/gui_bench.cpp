// The skin toolkit's steady costs: decoding a main-window-sized skin, and the block copies that
// every hover tick and every window paint make.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QImage>
#include <vector>

#include "gui/skin_image.h"
#include "gui/surface.h"

namespace gui {
namespace {

constexpr int kSkinWidth = 1002;
constexpr int kSkinHeight = 448;

// A skin-sized PNG with smooth gradients and fine detail, as the real skins have.
std::vector<uint8_t> SkinPng() {
  QImage image(kSkinWidth, kSkinHeight, QImage::Format_RGB32);
  for (int y = 0; y < kSkinHeight; ++y) {
    for (int x = 0; x < kSkinWidth; ++x) {
      image.setPixel(x, y, qRgb(x * 255 / kSkinWidth, y * 255 / kSkinHeight, (x ^ y) & 0x3F));
    }
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

void BM_DecodeSkin(benchmark::State& state) {
  const std::vector<uint8_t> png = SkinPng();
  for (auto _ : state) {
    CKV_SkinImage image;
    benchmark::DoNotOptimize(image.LoadFromBytes(png));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kSkinWidth * kSkinHeight * 3);
}
BENCHMARK(BM_DecodeSkin)->Unit(benchmark::kMillisecond);

// One block copy of the given size from the skin into the back buffer, with the given operation.
void BM_CopyBlock(benchmark::State& state) {
  std::unique_ptr<CKV_Surface> skin;
  std::unique_ptr<CKV_Surface> backBuffer;
  CreateSurface(skin, kSkinWidth, kSkinHeight, 32);
  CreateSurface(backBuffer, 718, 448, 32);
  const auto width = static_cast<int32_t>(state.range(0));
  const auto height = static_cast<int32_t>(state.range(1));
  const auto op = static_cast<KV_RasterOp>(state.range(2));
  for (auto _ : state) {
    CopyBlock(*backBuffer, 0, 0, width, height, *skin, 0, 0, op);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * width * height);
}
// A button frame, a list row, the whole window, and the colour swatch's XOR step.
BENCHMARK(BM_CopyBlock)
    ->Args({65, 21, 0})
    ->Args({174, 22, 0})
    ->Args({718, 448, 0})
    ->Args({41, 19, 1});

}  // namespace
}  // namespace gui
