#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace player {

class CKV_FrameSequence;
class CKV_Image;

// Lays the frames out in a grid, left to right and top to bottom, each with its frame number
// beneath it, with about as many columns as rows for the stage's shape. Null with the reason
// in error when the sheet would pass 8192 x 8192 pixels.
std::unique_ptr<CKV_Image> MakeContactSheet(CKV_FrameSequence& frames, std::string& error);

// Columns of a sheet of count cells of the given size, so that the sheet comes out roughly
// square.
int ContactSheetColumns(uint32_t count, int cellWidth, int cellHeight);

}  // namespace player
