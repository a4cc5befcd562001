// Frames drawn against a real player's screenshots from the shared corpus: swfdec's after ten
// further frames (tolerance 3 a channel), and ruffle's and lightspark's at the frames their
// test.toml names, with its tolerances. Movies that need no action interpreter must match;
// the rest are counted.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "player/image.h"
#include "player/movie_loader.h"
#include "player/player.h"
#include "player/renderer.h"
#include "swftk/button.h"
#include "swftk/reader.h"
#include "swftk/sprite.h"
#include "test_movie.h"
#include "tests/corpus_index.h"

namespace player::test {
namespace {

namespace code = swftk::tagcode;
const std::filesystem::path kCorpus = ZARN_CORPUS_DIR;

struct Screenshot {
  std::string image;
  // The frame shown when the screenshot was taken, from 1.
  uint32_t frame = 1;
  int tolerance = 0;
  int maxOutliers = 0;
};

// The [image_comparisons.NAME] sections of a test.toml; a section without a trigger is taken
// after the test's frame count.
std::vector<Screenshot> ScreenshotsOfToml(const std::filesystem::path& folder) {
  std::ifstream toml(folder / "test.toml");
  std::vector<Screenshot> shots;
  Screenshot* section = nullptr;  // the comparison whose keys follow, if any
  uint32_t frames = 1;
  const std::string prefix = "[image_comparisons.";
  for (std::string line; std::getline(toml, line);) {
    std::istringstream words(line);
    std::string key;
    std::string equals;
    long value = 0;
    if (line.starts_with(prefix)) {
      const std::string name = line.substr(prefix.size(), line.find(']') - prefix.size());
      section = &shots.emplace_back(Screenshot{(folder / (name + ".expected.png")).string(), 0});
    } else if (line.starts_with("[")) {
      section = nullptr;
    } else if (words >> key >> equals >> value) {
      if (key == "num_frames" || key == "num_ticks") frames = static_cast<uint32_t>(value);
      if (!section) continue;
      if (key == "tolerance") section->tolerance = static_cast<int>(value);
      if (key == "max_outliers") section->maxOutliers = static_cast<int>(value);
      if (key == "trigger") section->frame = static_cast<uint32_t>(value);
    }
  }
  for (Screenshot& shot : shots)
    if (shot.frame == 0) shot.frame = frames;
  return shots;
}

std::vector<Screenshot> ScreenshotsOf(const zarn::test::IndexEntry& entry) {
  if (entry.expected.find("image") == std::string::npos) return {};
  const std::filesystem::path movie = kCorpus / entry.path;
  if (entry.path.starts_with("swfdec/")) return {{movie.string() + ".png", 11, 3, 0}};
  return ScreenshotsOfToml(movie.parent_path());
}

// Movies whose scripts change nothing drawn in the frames compared.
const std::set<std::string> kMatchingWithActions = {
    "swfdec/image/mask-clip-mask-5.swf",        "swfdec/image/mask-clip-maskee-5.swf",
    "swfdec/image/mask-affected-by-clip-5.swf", "swfdec/image/mask-terminates-clip-mask-5.swf",
    "swfdec/image/replace-shape-shape-5.swf",   "swfdec/image/replace-movie-shape-5.swf",
    "swfdec/image/replace-shape-button-5.swf",  "swfdec/image/replace-button-movie-6.swf"};

struct TagsUsed {
  bool actions = false;
  bool morphOrJpeg = false;
  bool video = false;
};

void NoteTags(const swftk::TagList& tags, TagsUsed& used) {
  for (const auto& tag : tags) {
    switch (tag->GetTagCode()) {
      case code::kDoAction:
      case code::kDefineButton:
      case code::kDefineButton2:
        used.actions = true;
        break;
      case code::kDefineMorphShape:
      case code::kDefineBits:
      case code::kDefineBitsJpeg2:
      case code::kDefineBitsJpeg3:
        used.morphOrJpeg = true;
        break;
      case code::kDefineVideoStream:
        used.video = true;
        break;
      default:
        if (const auto* sprite = dynamic_cast<const swftk::CSwfDefineSprite*>(tag.get()))
          NoteTags(sprite->tags, used);
        break;
    }
  }
}

// Pixels whose channels differ from the screenshot's by more than the tolerance.
int Outliers(const CKV_Image& ours, const CKV_Image& reference, int tolerance) {
  int outliers = 0;
  for (int y = 0; y < reference.Height(); ++y)
    for (int x = 0; x < reference.Width(); ++x)
      if (ColorDistance(PixelAt(ours, x, y), PixelAt(reference, x, y)) > tolerance) ++outliers;
  return outliers;
}

TEST(Screenshots, MoviesWithoutActionsAndEveryMorphAndJpegMovieLookAsInARealPlayer) {
  const std::vector<zarn::test::IndexEntry> entries = zarn::test::IndexedEntries(kCorpus);
  if (entries.empty()) GTEST_SKIP() << "no corpus at " << kCorpus;
  int required = 0;
  int requiredMatched = 0;
  int others = 0;
  int othersMatched = 0;
  for (const zarn::test::IndexEntry& entry : entries) {
    const std::vector<Screenshot> shots = ScreenshotsOf(entry);
    if (shots.empty()) continue;
    swftk::CSwfReader reader;
    reader.SetTagModel(swftk::TagModel::kEveryModelledTag);
    if (reader.OpenMovie((kCorpus / entry.path).string()) != swftk::OpenResult::kOk) continue;
    TagsUsed used;
    NoteTags(reader.GetTags(), used);
    const bool mustMatch = !used.video && (!used.actions || used.morphOrJpeg ||
                                           kMatchingWithActions.contains(entry.path));
    const MovieLoadResult loaded = LoadMovieFile((kCorpus / entry.path).string());
    ASSERT_TRUE(loaded.movie) << entry.path;
    for (const Screenshot& shot : shots) {
      const auto reference = CKV_Image::ReadPng(shot.image);
      if (!reference) continue;
      CKV_Player player(loaded.movie);
      for (uint32_t frame = 1; frame < shot.frame; ++frame) player.Advance();
      auto image = CKV_Image::Create(reference->Width(), reference->Height());
      RenderFrame(player, *image);
      // Edges are antialiased here and may not be in the screenshot: a few pixels in a
      // thousand may differ beyond the tolerance.
      const int allowed =
          std::max(shot.maxOutliers, reference->Width() * reference->Height() / 1000);
      const int outliers = Outliers(*image, *reference, shot.tolerance);
      const bool matched = outliers <= allowed;
      (mustMatch ? required : others) += 1;
      (mustMatch ? requiredMatched : othersMatched) += matched ? 1 : 0;
      if (mustMatch) {
        EXPECT_TRUE(matched) << entry.path << " against " << shot.image << ": " << outliers
                             << " pixels differ";
      }
    }
  }
  RecordProperty("required", required);
  RecordProperty("required_matched", requiredMatched);
  RecordProperty("others", others);
  RecordProperty("others_matched", othersMatched);
  EXPECT_GT(required, 0);
}

}  // namespace
}  // namespace player::test
