// Whole files through the reader: nothing may crash, and what the writer makes of a movie must
// read back into the same bytes.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "swftk/reader.h"
#include "swftk/writer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  swftk::CSwfReader first;
  if (first.OpenMovieBytes(std::vector<uint8_t>(data, data + size)) != swftk::OpenResult::kOk) {
    return 0;
  }
  const std::vector<uint8_t> once = swftk::RebuildMovie(first);
  swftk::CSwfReader second;
  if (second.OpenMovieBytes(once) != swftk::OpenResult::kOk) __builtin_trap();
  if (swftk::RebuildMovie(second) != once) __builtin_trap();
  return 0;
}
