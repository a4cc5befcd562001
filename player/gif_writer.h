#pragma once

#include <cstdint>
#include <string>

namespace player {

class CKV_FrameSequence;

// Writes the frames as a looping animated GIF at the movie's frame rate. One palette of 256
// colours, chosen by libimagequant from all the frames, serves every frame, so parts that do
// not move keep their colours; the frames are rendered twice, once to choose it and once to
// write them. False with the reason in error when the file cannot be written.
bool WriteAnimatedGif(CKV_FrameSequence& frames, const std::string& path, std::string& error);

// The delay of a frame in hundredths of a second: the frames' start times are rounded, so
// the delays add up to the movie's running time.
int GifFrameDelay(uint32_t index, double frameRate);

}  // namespace player
