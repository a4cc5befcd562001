// Loading: movies plain and compressed, what is refused and why, lossless bitmaps, what is
// left out with a warning, damaged movies, and movies written by other tools: every one loads
// and plays its first frames, and frames with a real player's screenshot look the same.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iomanip>
#include <random>
#include <sstream>

#include "player/bitmap_character.h"
#include "player/movie_loader.h"
#include "player/renderer.h"
#include "swftk/bitmap_tags.h"
#include "swftk/reader.h"
#include "test_movie.h"
#include "tests/corpus_index.h"

namespace player::test {
namespace {

// The same movie as "CWS": the bytes after the eight-byte header deflated.
Bytes Compressed(const Bytes& movie) {
  Bytes out(movie.begin(), movie.begin() + 8);
  out[0] = 'C';
  const Bytes packed = Deflate(Bytes(movie.begin() + 8, movie.end()));
  out.insert(out.end(), packed.begin(), packed.end());
  return out;
}

TEST(MovieLoader, ReadsTheHeaderOfUncompressedAndCompressedMovies) {
  TestMovie movie(30, 20, {1, 2, 3, 255});
  movie.Add(FilledRect(1, kRed, 0, 0, 200, 200), Place(1, 1)).Frame().Frame();
  for (const Bytes& bytes : {movie.Build(3), Compressed(movie.Build(3))}) {
    const MovieLoadResult loaded = LoadMovieBytes(bytes);
    ASSERT_TRUE(loaded.movie) << loaded.error;
    EXPECT_EQ(loaded.movie->version, 3);
    EXPECT_EQ(loaded.movie->stage.xMax, 600);
    EXPECT_EQ(loaded.movie->stage.yMax, 400);
    EXPECT_EQ(loaded.movie->frameRate, 12);
    EXPECT_EQ(loaded.movie->background, (Rgba{1, 2, 3, 255}));
    EXPECT_EQ(loaded.movie->timeline.FrameCount(), 2U);
    EXPECT_TRUE(loaded.movie->warnings.Items().empty());
  }
}

TEST(MovieLoader, RefusesWhatIsNoMovieWithAReason) {
  const std::pair<Bytes, const char*> cases[] = {
      {{}, "the file is not a SWF movie"},
      {{'G', 'I', 'F', '8', '9', 'a', 0, 0}, "the file is not a SWF movie"},
      {{'C', 'W', 'S', 4, 100, 0, 0, 0, 1, 2, 3}, "the compressed movie data is damaged"},
  };
  for (const auto& [bytes, error] : cases) {
    const MovieLoadResult loaded = LoadMovieBytes(bytes);
    EXPECT_FALSE(loaded.movie);
    EXPECT_EQ(loaded.error, error);
  }
  EXPECT_EQ(LoadMovieFile("/nonexistent/movie.swf").error, "the file cannot be opened");
}

// A lossless bitmap tag read from its body, as the movie reader gives it.
BitmapDecodeResult DecodeBody(const Bytes& body, bool withAlpha) {
  swftk::CSwfDefineBitsLossless tag(withAlpha ? swftk::tagcode::kDefineBitsLossless2
                                              : swftk::tagcode::kDefineBitsLossless);
  swftk::CSwfReader reader;
  reader.OpenFromBytes(body);
  tag.Read(reader);
  return DecodeLosslessBitmap(tag);
}

TEST(LosslessBitmap, DecodesEveryFormat) {
  struct Case {
    const char* name;
    bool withAlpha;
    Bytes body;
    // Premultiplied ARGB pixels, rows apart by " / ".
    const char* pixels;
  };
  const Case cases[] = {
      {"colour-mapped RGB, rows padded to 4 bytes", false,
       LosslessBody(3, 3, 2,
                    {0xFF, 0x00, 0x00, /**/ 0x00, 0x00, 0xFF,  // palette
                     0, 1, 0, 0xEE,                            // row 1 and padding
                     1, 1, 0, 0xEE},
                    2),
       "ffff0000 ff0000ff ffff0000 / ff0000ff ff0000ff ffff0000"},
      {"colour-mapped RGBA, an index past the palette is transparent", true,
       LosslessBody(3, 2, 1, {0x80, 0x00, 0x00, 0x80, /**/ 0, 9, 0, 0}, 1), "80800000 00000000"},
      {"15-bit, big-endian, rows padded to 4 bytes", false,
       LosslessBody(4, 1, 2,
                    {0b0'11111'00, 0b000'00000, 0, 0, /**/ 0b0'00000'00, 0b000'11111, 0, 0}),
       "ffff0000 / ff0000ff"},
      {"32-bit without alpha ignores the first byte", false,
       LosslessBody(5, 2, 1, {0x00, 0x10, 0x20, 0x30, /**/ 0x55, 0xFF, 0xFF, 0xFF}),
       "ff102030 ffffffff"},
      {"32-bit premultiplied ARGB, colour clamped to alpha", true,
       LosslessBody(5, 2, 1, {0x80, 0x40, 0x20, 0x10, /**/ 0x10, 0xFF, 0x00, 0x00}),
       "80402010 10100000"},
      {"data that ends early reads as zeros", false,
       LosslessBody(5, 2, 2, {0x00, 0x10, 0x20, 0x30, 0x00, 0x40, 0x50, 0x60}),
       "ff102030 ff405060 / ff000000 ff000000"},
  };
  for (const Case& c : cases) {
    const BitmapDecodeResult decoded = DecodeBody(c.body, c.withAlpha);
    const auto& bitmap = decoded.bitmap;
    ASSERT_TRUE(bitmap) << c.name << ": " << decoded.problem;
    EXPECT_EQ(bitmap->Id(), 7) << c.name;
    std::ostringstream pixels;
    for (size_t i = 0; i < bitmap->pixels.size(); ++i) {
      if (i > 0) pixels << (i % bitmap->width == 0 ? " / " : " ");
      pixels << std::hex << std::setw(8) << std::setfill('0') << bitmap->pixels[i];
    }
    EXPECT_EQ(pixels.str(), c.pixels) << c.name;
  }
  // Compressed data cut off decodes as far as it goes.
  Bytes cut = LosslessBody(5, 2, 2, Bytes(16, 0x40));
  cut.resize(12);
  EXPECT_TRUE(DecodeBody(cut, false).bitmap);
}

TEST(LosslessBitmap, RefusesWhatCannotBeUsed) {
  struct Case {
    bool withAlpha;
    Bytes body;
    const char* problem;
  };
  const Case cases[] = {
      {false, {7, 0, 5, 1}, "bitmap of 0 x 0 pixels is empty or too large"},
      {false, LosslessBody(5, 0, 4, {}), "bitmap of 0 x 4 pixels is empty or too large"},
      {false, LosslessBody(5, 9000, 1, {}), "bitmap of 9000 x 1 pixels is empty or too large"},
      {false, LosslessBody(5, 8000, 8000, {}),
       "bitmap of 8000 x 8000 pixels is empty or too large"},
      // 15-bit with alpha does not exist; format 1 is JPEG.
      {true, LosslessBody(4, 1, 1, {0, 0, 0, 0}), "bitmap format 4 is not a lossless format"},
      {false, LosslessBody(1, 1, 1, {0}), "bitmap format 1 is not a lossless format"},
  };
  for (const Case& c : cases) {
    const BitmapDecodeResult decoded = DecodeBody(c.body, c.withAlpha);
    EXPECT_FALSE(decoded.bitmap) << c.problem;
    EXPECT_EQ(decoded.problem, c.problem);
  }
}

struct WarningCase {
  const char* name;
  std::function<void(TestMovie&)> build;
  std::vector<std::string> warnings;
};

TEST(Warnings, NameWhatIsLeftOutOnceAndInTheOrderMet) {
  const WarningCase cases[] = {
      {"tags the player leaves out, and a second definition",
       [](TestMovie& m) {
         m.Add(RawTag(21, {1, 0, 0xFF, 0xD8}), RawTag(14, {3, 0}), RawTag(60, {4, 0}),
               RawTag(24, {}));
         m.Add(FilledRect(6, kRed, 0, 0, 20, 20), FilledRect(6, kBlue, 0, 0, 20, 20));
       },
       {"DefineBitsJPEG2 skipped: the JPEG data is damaged (JPEG datastream contains no image)",
        "DefineSound (tag 14) skipped: sound is not played",
        "DefineVideoStream (tag 60) skipped: video is not played",
        "character 6 is defined more than once; the first definition stands"}},
      {"a character never defined is left out",
       [](TestMovie& m) { m.Add(Place(42, 1)); },
       {"character 42 is placed but never defined"}},
      {"scripts that jump back and forth are cut short",
       [](TestMovie& m) {
         m.Add(DoAction(ActionGotoFrame(1))).Frame();
         m.Add(DoAction(ActionGotoFrame(0)));
       },
       {"frame scripts that jump back and forth were cut short"}},
      {"a sprite that places itself twice, 2^n objects n levels deep unbounded",
       [](TestMovie& m) {
         m.Add(Sprite(5, TagList(Place(5, 1), Place(5, 2), ShowFrame())), Place(5, 1));
       },
       {"sprites nested deeper than 32 levels are not shown",
        "more than 20000 objects at once; the rest are not shown"}},
  };
  for (const WarningCase& c : cases) {
    TestMovie movie(20, 20);
    c.build(movie);
    CKV_Player player(movie.Frame().Load());
    for (int tick = 0; tick < 3; ++tick) player.Advance();
    Render(player);
    std::vector<std::string> warnings = player.Movie().warnings.Items();
    for (const std::string& warning : player.Warnings().Items()) warnings.push_back(warning);
    EXPECT_EQ(warnings, c.warnings) << c.name;
  }
}

TEST(MovieLoader, DamagedMoviesLoadAndPlayWithoutFault) {
  // Every prefix of a movie, and the movie with bytes flipped at random, loads or is refused
  // cleanly and plays a few frames.
  TestMovie movie(20, 20);
  movie.Add(FilledRect(1, kRed, 0, 0, 200, 200), Place(1, 1, {}, std::nullopt, 4), Place(1, 2));
  movie.Frame().Add(DoAction(ActionGotoFrame(0))).Frame();
  const Bytes bytes = movie.Build();
  std::mt19937 random(1234);
  for (size_t length = 0; length <= bytes.size() + 40; ++length) {
    Bytes damaged = bytes;
    if (length < bytes.size()) {
      damaged.resize(length);
    } else {
      for (int flips = 0; flips < 4; ++flips)
        damaged[random() % damaged.size()] ^= static_cast<uint8_t>(1 + random() % 255);
    }
    const MovieLoadResult loaded = LoadMovieBytes(damaged);
    if (loaded.movie) PlayAndDraw(loaded.movie, 0.5, 3);
  }
}

TEST(MovieLoader, StagesBeyondTheLargestImageAreRefused) {
  const auto loaded = TestMovie(4000, 100).Load();
  int width = 0;
  int height = 0;
  std::string error;
  EXPECT_TRUE(StageImageSize(*loaded, 2.0, width, height, error));
  EXPECT_EQ(width, 8000);
  EXPECT_EQ(height, 200);
  EXPECT_FALSE(StageImageSize(*loaded, 2.1, width, height, error));
  EXPECT_EQ(error,
            "the stage would be 8400 x 210 pixels at this scale; images above 8192 x 8192 pixels "
            "are refused");
  EXPECT_FALSE(StageImageSize(*loaded, 0, width, height, error));
  EXPECT_EQ(error, "the scale must be a positive number");
  EXPECT_FALSE(StageImageSize(*TestMovie(0, 10).Load(), 1, width, height, error));
  EXPECT_EQ(error, "the movie's stage is empty");
}

const std::filesystem::path kCorpus = ZARN_CORPUS_DIR;

TEST(Corpus, EveryMovieLoadsAndPlaysItsFirstFrames) {
  const std::vector<zarn::test::IndexEntry> files = zarn::test::IndexedEntries(kCorpus);
  if (files.empty()) GTEST_SKIP() << "no corpus at " << kCorpus;
  int loaded = 0;
  int drawn = 0;
  for (const zarn::test::IndexEntry& file : files) {
    const MovieLoadResult result = LoadMovieFile((kCorpus / file.path).string());
    EXPECT_TRUE(result.movie || file.version > 4) << file.path << ": " << result.error;
    if (!result.movie) continue;
    ++loaded;
    // Small images keep the run short; the drawing is the same at any size.
    const TwipsRect& stage = result.movie->stage;
    const double largestSide = std::max(stage.xMax - stage.xMin, stage.yMax - stage.yMin) / 20;
    drawn += PlayAndDraw(result.movie, largestSide > 160 ? 160 / largestSide : 1.0, 3);
  }
  RecordProperty("movies", static_cast<int>(files.size()));
  RecordProperty("loaded", loaded);
  RecordProperty("frames_drawn", drawn);
  EXPECT_GT(loaded, 0);
}

}  // namespace
}  // namespace player::test
