// The skin loader on any bytes: decodes or refuses, never crashes.

#include <cstddef>
#include <cstdint>
#include <span>

#include "gui/skin_image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  gui::CKV_SkinImage image;
  if (image.LoadFromBytes(std::span<const uint8_t>(data, size))) {
    // A decoded image holds every row it claims.
    volatile uint8_t last = image.bitmap.back();
    (void)last;
  }
  return 0;
}
