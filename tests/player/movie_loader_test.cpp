// Loading: compressed movies, the tags the toolkit keeps as raw bytes, buttons, and what is
// left out.
#include <gtest/gtest.h>
#include <zlib.h>

#include <random>

#include "player/button_character.h"
#include "player/movie_loader.h"
#include "player/renderer.h"
#include "swftk/button.h"
#include "swftk/place_object.h"
#include "swftk/stream.h"
#include "test_movie.h"

namespace player::test {
namespace {

constexpr Rgba kWhite{255, 255, 255, 255};
constexpr Rgba kRed{255, 0, 0, 255};
constexpr Rgba kBlue{0, 0, 255, 255};

std::unique_ptr<swftk::CSwfTag> Square(uint16_t id, Rgba color, int32_t size = 200) {
  return ShapeBuilder(id)
      .SolidFill(color)
      .Select(std::nullopt, 1)
      .Rectangle(0, 0, size, size)
      .Build();
}

// The same movie as "CWS": the bytes after the eight-byte header deflated.
Bytes Compressed(const Bytes& movie) {
  Bytes out(movie.begin(), movie.begin() + 8);
  out[0] = 'C';
  uLongf size = compressBound(static_cast<uLong>(movie.size()));
  Bytes packed(size);
  EXPECT_EQ(compress(packed.data(), &size, movie.data() + 8, static_cast<uLong>(movie.size() - 8)),
            Z_OK);
  out.insert(out.end(), packed.begin(), packed.begin() + static_cast<ptrdiff_t>(size));
  return out;
}

TEST(MovieLoader, ReadsTheHeaderOfUncompressedAndCompressedMovies) {
  TestMovie movie(30, 20, {1, 2, 3, 255});
  movie.Add(Square(1, kRed)).Add(Place(1, 1)).Frame().Frame();
  for (const bool compressed : {false, true}) {
    const Bytes bytes = compressed ? Compressed(movie.Build(3)) : movie.Build(3);
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
  struct Case {
    Bytes bytes;
    const char* error;
  };
  const Case cases[] = {
      {{}, "the file is not a SWF movie"},
      {{'G', 'I', 'F', '8', '9', 'a', 0, 0}, "the file is not a SWF movie"},
      {{'C', 'W', 'S', 4, 100, 0, 0, 0, 1, 2, 3}, "the compressed movie data is damaged"},
  };
  for (const Case& c : cases) {
    const MovieLoadResult loaded = LoadMovieBytes(c.bytes);
    EXPECT_FALSE(loaded.movie);
    EXPECT_EQ(loaded.error, c.error);
  }
  EXPECT_EQ(LoadMovieFile("/nonexistent/movie.swf").error, "the file cannot be opened");
}

// PlaceObject's body: character, depth, then the matrix and the colour transform, each
// starting on a byte boundary.
Bytes PlaceObjectBody(uint16_t id, uint16_t depth, const Transform2D& matrix,
                      const swftk::CSwfColorTransform& colorTransform) {
  swftk::CSwfStream body;
  body.WriteUI16(id);
  body.WriteUI16(depth);
  SwfMatrix(matrix)->Write(body);
  body.FlushBits();
  colorTransform.Write(body);
  body.FlushBits();
  return body.GetBytes();
}

TEST(MovieLoader, PlaceObjectAndRemoveObjectOfTheFirstVersionsWork) {
  // Character 1 at depth 3, moved to (200, 0), keeping only blue and adding red.
  swftk::CSwfColorTransform colorTransform;
  colorTransform.redMult = 0;
  colorTransform.greenMult = 0;
  colorTransform.blueMult = 256;
  colorTransform.redAdd = 255;
  TestMovie movie(40, 20);
  movie.Add(Square(1, {0, 255, 255, 255}));
  movie.Add(std::make_unique<swftk::CSwfPlaceObject>(1, 1)).Frame();
  movie.Add(RawTag(swftk::tagcode::kPlaceObject,
                   PlaceObjectBody(1, 3, Transform2D::Translation(200, 0), colorTransform)));
  // A full tint: multiplier terms present and all zero, so only the added green shows.
  swftk::CSwfColorTransform fullTint;
  fullTint.hasMultTerms = true;
  fullTint.greenAdd = 255;
  movie.Add(RawTag(swftk::tagcode::kPlaceObject,
                   PlaceObjectBody(1, 4, Transform2D::Translation(400, 0), fullTint)));
  movie.Add(std::make_unique<swftk::CSwfRemoveObject>(1, 1)).Frame();
  CKV_Player player(movie.Load(1));
  ASSERT_EQ(player.Root().Children()->size(), 1U);
  player.Advance();
  const DisplayList& list = *player.Root().Children();
  ASSERT_EQ(list.size(), 2U);
  EXPECT_EQ(list.begin()->first, 3);
  auto image = Render(player);
  EXPECT_EQ(PixelAt(*image, 15, 5), (Rgba{255, 0, 255, 255}));
  EXPECT_EQ(PixelAt(*image, 25, 5), (Rgba{0, 255, 0, 255}));
  EXPECT_EQ(PixelAt(*image, 5, 5), kWhite);
}

TEST(MovieLoader, ButtonsShowTheirUpStateOfBothVersions) {
  for (const uint16_t code : {swftk::tagcode::kDefineButton, swftk::tagcode::kDefineButton2}) {
    std::unique_ptr<swftk::CSwfDefineButton> button;
    if (code == swftk::tagcode::kDefineButton) {
      button = std::make_unique<swftk::CSwfDefineButton>();
    } else {
      button = std::make_unique<swftk::CSwfDefineButton2>();
    }
    button->characterId = 5;
    const std::pair<uint8_t, uint16_t> records[] = {
        {swftk::ButtonRecord::kUp | swftk::ButtonRecord::kHitTest, 1},
        {swftk::ButtonRecord::kOver | swftk::ButtonRecord::kDown, 2}};
    for (const auto& [states, id] : records) {
      auto record = std::make_unique<swftk::ButtonRecord>();
      record->states = states;
      record->characterId = id;
      record->depth = id;
      record->matrix = SwfMatrix(Transform2D::Translation(id == 1 ? 0 : 200, 0));
      if (code == swftk::tagcode::kDefineButton2)
        record->colorTransform = std::make_unique<swftk::CSwfColorTransformAlpha>();
      button->AddRecord(std::move(record));
    }
    TestMovie movie(40, 20);
    movie.Add(Square(1, kRed))
        .Add(Square(2, kBlue))
        .Add(std::move(button))
        .Add(Place(5, 1))
        .Frame();
    auto image = RenderFrameOf(movie.Load(), 1);
    EXPECT_EQ(PixelAt(*image, 5, 5), kRed) << "up state, code " << code;
    EXPECT_EQ(PixelAt(*image, 15, 5), kWhite) << "over and down states are not shown";
  }
}

TEST(MovieLoader, NamesWhatItLeavesOutOnce) {
  TestMovie movie(20, 20);
  movie.Add(RawTag(21, {1, 0, 0xFF, 0xD8})).Add(RawTag(21, {2, 0}));
  movie.Add(RawTag(14, {3, 0})).Add(RawTag(46, {4, 0})).Add(RawTag(24, {}));
  movie.Add(Square(6, kRed)).Add(Square(6, kBlue)).Frame();
  const auto loaded = movie.Load();
  EXPECT_EQ(loaded->warnings.Items(),
            (std::vector<std::string>{
                "DefineBitsJPEG2 (tag 21) skipped: JPEG bitmaps are not drawn",
                "DefineSound (tag 14) skipped: sound is not played",
                "DefineMorphShape (tag 46) skipped: morph shapes are not drawn",
                "character 6 is defined more than once; the first definition stands"}));
}

TEST(MovieLoader, DamagedMoviesLoadAndPlayWithoutFault) {
  // Every prefix of a movie, and the movie with bytes flipped at random, loads or is refused
  // cleanly and plays a few frames.
  TestMovie movie(20, 20);
  movie.Add(Square(1, kRed)).Add(Place(1, 1, Options().ClipTo(4))).Add(Place(1, 2)).Frame();
  movie.Add(DoActionBytes(ActionGotoFrame(0))).Frame();
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
    if (!loaded.movie) continue;
    CKV_Player player(loaded.movie);
    int width = 0;
    int height = 0;
    std::string error;
    const bool drawable = StageImageSize(*loaded.movie, 0.5, width, height, error);
    for (int frame = 0; frame < 3; ++frame) {
      if (drawable) {
        auto image = CKV_Image::Create(width, height);
        RenderFrame(player, *image);
      }
      player.Advance();
    }
  }
}

TEST(MovieLoader, StagesBeyondTheLargestImageAreRefused) {
  TestMovie movie(4000, 100);
  const auto loaded = movie.Load();
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

}  // namespace
}  // namespace player::test
