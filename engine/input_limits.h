#pragma once

namespace engine {

// Limits of the main window's number boxes: the lowest allowed value and the first value
// refused.
inline constexpr int kMinFrameDelay = 1;
inline constexpr int kMaxFrameDelay = 3000;
inline constexpr int kMinMovieSize = 1;
inline constexpr int kMaxMovieSize = 3000;
inline constexpr float kMinFrameRate = 1.0F;
inline constexpr float kMaxFrameRate = 100.0F;
inline constexpr int kMinSpace = -3000;
inline constexpr int kMaxSpace = 3000;
// The first letter may stand off the stage, but not so far that twips and layout overflow.
inline constexpr int kMinPosition = -3000;
inline constexpr int kMaxPosition = 3000;
// A letter's height of size × 30 twips, its baseline and the field's leading all sit in 16-bit
// fields of the movie.
inline constexpr int kMinFontSize = 1;
inline constexpr int kMaxFontSize = 1000;

}  // namespace engine
