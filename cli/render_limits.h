#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>

namespace player {
class CKV_Movie;
}

namespace zarn::cli {

// Pixels a render may make in all, at four bytes each: past this a run takes many minutes and
// its output gigabytes, so it is refused before it starts.
inline constexpr uint64_t kMaxRenderBytes = uint64_t{4} << 30;

// The last frame worth rendering for a range that ends at last: a movie whose main timeline
// has stopped at its end shows that frame for ever, so a range past it is cut there, with a
// note on err. A movie that goes on playing (it loops) keeps the range as asked.
uint32_t CutRangeAtStop(const std::shared_ptr<const player::CKV_Movie>& movie, uint32_t last,
                        std::ostream& err);

// False, after a message on err, when count frames of width x height pixels pass
// kMaxRenderBytes.
bool RenderIsAffordable(uint32_t count, int width, int height, std::ostream& err);

}  // namespace zarn::cli
