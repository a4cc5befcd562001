// Frame runs, animated GIFs and contact sheets.
#include <gif_lib.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "player/contact_sheet.h"
#include "player/frame_sequence.h"
#include "player/gif_writer.h"
#include "test_movie.h"
#include "tests/support/temp_dir.h"

namespace player::test {
namespace {

// Four frames: a red square steps right 10 pixels a frame over a blue background.
std::shared_ptr<const CKV_Movie> SteppingSquare() {
  TestMovie movie(40, 10, kBlue);
  movie.Add(FilledRect(1, kRed, 0, 0, 200, 200), Place(1, 1)).Frame();
  for (int step = 1; step < 4; ++step)
    movie.Add(Move(1, Transform2D::Translation(200.0 * step, 0))).Frame();
  return movie.Load();
}

// The first column of the square's row that is red, or -1.
int SquareColumn(const std::function<bool(int)>& isRed) {
  for (int x = 0; x < 40; ++x)
    if (isRed(x)) return x;
  return -1;
}

TEST(FrameSequence, RendersTheFramesOfItsRangeAsTheMoviePlays) {
  std::string error;
  auto frames = CKV_FrameSequence::Create(SteppingSquare(), 1.0, 2, 5, error);
  ASSERT_TRUE(frames) << error;
  EXPECT_EQ(frames->Count(), 4U);
  std::vector<std::pair<uint32_t, int>> squareAt;
  while (const CKV_Image* image = frames->Next()) {
    const int column = SquareColumn([&](int x) { return PixelAt(*image, x, 2) == kRed; });
    squareAt.emplace_back(frames->Current(), column);
  }
  // Frame 5 is frame 1 again: the movie loops.
  EXPECT_EQ(squareAt, (std::vector<std::pair<uint32_t, int>>{{2, 10}, {3, 20}, {4, 30}, {5, 0}}));
  frames->Restart();
  ASSERT_TRUE(frames->Next());
  EXPECT_EQ(frames->Current(), 2U);

  EXPECT_FALSE(CKV_FrameSequence::Create(SteppingSquare(), 1.0, 3, 2, error));
  EXPECT_EQ(error, "the frame range is empty");
  EXPECT_FALSE(CKV_FrameSequence::Create(SteppingSquare(), 300.0, 1, 1, error));
}

TEST(AnimatedGif, HoldsEveryFrameWithDelaysThatAddUpAndLoops) {
  std::string error;
  auto frames = CKV_FrameSequence::Create(SteppingSquare(), 1.0, 1, 4, error);
  ASSERT_TRUE(frames) << error;
  const zarn::test::TempDir dir;
  const std::string path = dir.File("movie.gif");
  ASSERT_TRUE(WriteAnimatedGif(*frames, path, error)) << error;

  int code = 0;
  GifFileType* gif = DGifOpenFileName(path.c_str(), &code);
  ASSERT_TRUE(gif);
  ASSERT_EQ(DGifSlurp(gif), GIF_OK);
  EXPECT_EQ(gif->SWidth, 40);
  EXPECT_EQ(gif->SHeight, 10);
  ASSERT_EQ(gif->ImageCount, 4);
  bool loops = false;
  for (int i = 0; i < gif->SavedImages[0].ExtensionBlockCount; ++i) {
    const ExtensionBlock& block = gif->SavedImages[0].ExtensionBlocks[i];
    if (block.Function == APPLICATION_EXT_FUNC_CODE && block.ByteCount == 11 &&
        std::string(reinterpret_cast<char*>(block.Bytes), 11) == "NETSCAPE2.0")
      loops = true;
  }
  EXPECT_TRUE(loops);
  std::vector<int> delays;
  std::vector<int> squareColumn;
  // Frames after the first hold the changed rectangle, drawn over the frame before; their
  // transparent index keeps what shows.
  std::vector<int> row2(40, -1);
  for (int i = 0; i < gif->ImageCount; ++i) {
    GraphicsControlBlock control;
    ASSERT_EQ(DGifSavedExtensionToGCB(gif, i, &control), GIF_OK);
    delays.push_back(control.DelayTime);
    EXPECT_EQ(control.DisposalMode, DISPOSE_DO_NOT);
    const GifImageDesc& rect = gif->SavedImages[i].ImageDesc;
    for (int x = rect.Left;
         x < rect.Left + rect.Width && rect.Top <= 2 && 2 < rect.Top + rect.Height; ++x) {
      const int index = gif->SavedImages[i].RasterBits[(2 - rect.Top) * rect.Width + x - rect.Left];
      if (index != control.TransparentColor) row2[x] = index;
    }
    squareColumn.push_back(SquareColumn([&](int x) {
      const GifColorType color = gif->SColorMap->Colors[row2[x]];
      return color.Red > 200 && color.Blue < 50;
    }));
  }
  // 12 frames a second: starts at 0, 8, 17 and 25 hundredths, the last lasting to 33.
  EXPECT_EQ(delays, (std::vector<int>{8, 9, 8, 8}));
  EXPECT_EQ(squareColumn, (std::vector<int>{0, 10, 20, 30}));
  DGifCloseFile(gif, &code);

  EXPECT_FALSE(WriteAnimatedGif(*frames, "/nonexistent/dir/x.gif", error));
  EXPECT_FALSE(error.empty());

  // Delays are whole hundredths: rounding each on its own would drift from the running time.
  for (const double rate : {12.0, 24.0, 30.0, 7.5}) {
    int total = 0;
    for (uint32_t i = 0; i < 100; ++i) total += GifFrameDelay(i, rate);
    EXPECT_NEAR(total, 100 * 100 / rate, 1) << rate << " frames a second";
  }
  EXPECT_EQ(GifFrameDelay(0, 100.0), 2) << "browsers slow anything shorter down";
  EXPECT_EQ(GifFrameDelay(0, 0.0), 100);
}

TEST(ContactSheet, LaysFramesOutInAGridAboutAsWideAsHigh) {
  struct Case {
    uint32_t count;
    int cellWidth;
    int cellHeight;
    int columns;
  };
  const Case cases[] = {{1, 100, 100, 1},  {4, 100, 100, 2}, {5, 100, 100, 3},
                        {20, 500, 166, 3}, {3, 10, 1000, 3}, {100, 40, 10, 5}};
  for (const Case& c : cases)
    EXPECT_EQ(ContactSheetColumns(c.count, c.cellWidth, c.cellHeight), c.columns)
        << c.count << " frames of " << c.cellWidth << " x " << c.cellHeight;

  std::string error;
  auto frames = CKV_FrameSequence::Create(SteppingSquare(), 1.0, 1, 4, error);
  ASSERT_TRUE(frames);
  auto sheet = MakeContactSheet(*frames, error);
  ASSERT_TRUE(sheet) << error;
  // Cells of 40 x (10 + 16) with 4-pixel gaps: 2 columns of 4 frames.
  EXPECT_EQ(sheet->Width(), 2 * 44 + 4);
  EXPECT_EQ(sheet->Height(), 2 * 30 + 4);
  EXPECT_EQ(PixelAt(*sheet, 4 + 2, 4 + 2), kRed) << "frame 1, square at the left";
  EXPECT_EQ(PixelAt(*sheet, 48 + 12, 4 + 2), kRed) << "frame 2, square 10 pixels on";
  EXPECT_EQ(PixelAt(*sheet, 48 + 2, 4 + 2), kBlue);
  EXPECT_EQ(PixelAt(*sheet, 4 + 22, 34 + 2), kRed) << "frame 3 starts the second row";

  // 120 cells of 1600 x 416 pixels cannot fit; the sheet is refused before any frame is drawn.
  auto many = CKV_FrameSequence::Create(SteppingSquare(), 40.0, 1, 120, error);
  ASSERT_TRUE(many);
  EXPECT_FALSE(MakeContactSheet(*many, error));
  EXPECT_NE(error.find("above 8192 x 8192"), std::string::npos) << error;
}

}  // namespace
}  // namespace player::test
