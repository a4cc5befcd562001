#pragma once

#include <cstdint>
#include <string>

namespace player {

class CKV_FrameSequence;

// Writes the frames as a looping animated GIF at the movie's frame rate. One palette of up to
// 255 colours, chosen by libimagequant from the first frame and every change, serves every
// frame, so parts that do not move keep their colours. After the first, a frame stores only the
// rectangle that changed, over the frame before, with a transparent index wherever that still
// shows right; a frame without a change lengthens the one before. The frames are rendered twice,
// once to choose the palette and once to write them. False with the reason in error when the
// file cannot be written.
bool WriteAnimatedGif(CKV_FrameSequence& frames, const std::string& path, std::string& error);

// The delay of a frame in hundredths of a second: the frames' start times are rounded, so
// the delays add up to the movie's running time.
int GifFrameDelay(uint32_t index, double frameRate);

}  // namespace player
