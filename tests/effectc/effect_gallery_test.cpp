#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "effectc/keyframe_track.h"
#include "engine/zarn_helper.h"
#include "library_fixture.h"
#include "player/frame_sequence.h"
#include "player/movie_loader.h"

namespace effectc::test {
namespace {

// Where the letter's ink lies in a frame, in pixels; empty when nothing is drawn.
struct InkBox {
  int left = 0;
  int top = 0;
  int right = -1;
  int bottom = -1;

  bool Empty() const { return right < left; }
};

void PrintTo(const InkBox& box, std::ostream* out) {
  if (box.Empty()) {
    *out << "no ink";
  } else {
    *out << "(" << box.left << ", " << box.top << ")-(" << box.right << ", " << box.bottom << ")";
  }
}

// Black letters on white: any pixel clearly darker than white is ink.
InkBox FindInk(const player::CKV_Image& image) {
  InkBox box{image.Width(), image.Height(), -1, -1};
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) {
      const uint32_t pixel = image.Pixel(x, y);
      const int darkest = std::min({(pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF});
      if (darkest > 235) continue;
      box.left = std::min(box.left, x);
      box.top = std::min(box.top, y);
      box.right = std::max(box.right, x);
      box.bottom = std::max(box.bottom, y);
    }
  }
  return box;
}

bool NearlyShifted(const InkBox& box, const InkBox& reference, double dx, double dy) {
  constexpr double kTolerance = 2;
  return std::abs(box.left - (reference.left + dx)) <= kTolerance &&
         std::abs(box.right - (reference.right + dx)) <= kTolerance &&
         std::abs(box.top - (reference.top + dy)) <= kTolerance &&
         std::abs(box.bottom - (reference.bottom + dy)) <= kTolerance;
}

double Get(const Pose& pose, Property property) {
  return pose[static_cast<size_t>(property)];
}

// A layer draws something in a frame once it is placed, unless it is transparent or flat.
bool Shows(const Layer& layer, int frame) {
  if (frame < FirstFrame(layer)) return false;
  const Pose pose = PoseAt(layer.keys, frame);
  return Get(pose, Property::kAlpha) > 0 && Get(pose, Property::kScaleX) != 0 &&
         Get(pose, Property::kScaleY) != 0;
}

// The letter alone, moved and faded but neither turned, sized nor tinted away from black.
bool OnlyTheLetterMoves(const ClipSource& clip, const Layer& letter, int frame) {
  for (const Layer& layer : clip.layers) {
    if (&layer != &letter && Shows(layer, frame)) return false;
  }
  const Pose pose = PoseAt(letter.keys, frame);
  Pose moved = RestPose();
  moved[static_cast<size_t>(Property::kX)] = Get(pose, Property::kX);
  moved[static_cast<size_t>(Property::kY)] = Get(pose, Property::kY);
  moved[static_cast<size_t>(Property::kAlpha)] = Get(pose, Property::kAlpha);
  return pose == moved;
}

class EffectGallery : public ::testing::TestWithParam<std::filesystem::path> {
 protected:
  // The ink of the letter W in every frame of a movie made from the template source, all
  // letters at once, from frame 1 to last.
  std::vector<InkBox> Play(const std::string& source, const std::string& name, int last) {
    const std::string templatePath = folder_.File(name);
    std::string error;
    EXPECT_TRUE(CompileInto(source, templatePath, error)) << error;
    engine::MovieRequest request =
        RequestFor(templatePath, folder_.File(name + ".swf"), fonts_, "W", true);
    request.loop = false;
    engine::CZarnHelper helper(
        [](std::string_view, std::string_view text, std::string_view) { ADD_FAILURE() << text; });
    EXPECT_TRUE(helper.GenerateMovie(request));
    const player::MovieLoadResult loaded = player::LoadMovieFile(request.outputPath);
    EXPECT_TRUE(loaded.movie) << loaded.error;
    std::vector<InkBox> frames;
    if (!loaded.movie) return frames;
    auto sequence =
        player::CKV_FrameSequence::Create(loaded.movie, 1.0, 1, static_cast<uint32_t>(last), error);
    EXPECT_TRUE(sequence) << error;
    while (const player::CKV_Image* image = sequence->Next()) frames.push_back(FindInk(*image));
    return frames;
  }

  // The letter standing still where the layout puts it, in a template of the same version.
  InkBox StillLetter(int version) {
    const std::string source = R"({"name": "Still", "version": )" + std::to_string(version) +
                               R"(, "frames": 1, "layers": [{"type": "letter"}]})";
    return Play(source, "still.kvx", 3).back();
  }

  TempDir folder_;
  glyphs::CKV_SystemFontService fonts_;
};

TEST_P(EffectGallery, TheLetterShowsAndMovesAsTheSourceSays) {
  const std::string source = ReadText(GetParam());
  SourceDocument document;
  std::string error;
  ASSERT_TRUE(ParseSource(source, document, error)) << error;
  const EffectSource& effect = std::get<EffectSource>(document);
  const ClipSource& clip = effect.clip;
  const auto letter = std::find_if(clip.layers.begin(), clip.layers.end(),
                                   [](const Layer& layer) { return layer.name == "letter"; });
  ASSERT_NE(letter, clip.layers.end());

  const InkBox still = StillLetter(effect.version);
  ASSERT_FALSE(still.Empty());
  // Scripted effects may hold their frames a while; give them time to finish.
  const bool scripted = !clip.scripts.empty();
  const int last = clip.frames + (scripted ? 40 : 2);
  const std::vector<InkBox> frames = Play(source, CompiledName(GetParam()), last);
  ASSERT_EQ(frames.size(), static_cast<size_t>(last));

  // Frame by frame while the letter only moves and fades, as long as the timeline runs
  // straight through.
  for (int frame = 1; frame <= clip.frames && !scripted; ++frame) {
    if (!OnlyTheLetterMoves(clip, *letter, frame)) continue;
    const Pose pose = PoseAt(letter->keys, frame);
    const InkBox& box = frames[static_cast<size_t>(frame - 1)];
    if (Get(pose, Property::kAlpha) == 0) {
      EXPECT_TRUE(box.Empty()) << "frame " << frame << ": " << ::testing::PrintToString(box);
    } else if (Get(pose, Property::kAlpha) >= 60) {
      EXPECT_TRUE(NearlyShifted(box, still, Get(pose, Property::kX), Get(pose, Property::kY)))
          << "frame " << frame << ": " << ::testing::PrintToString(box) << " for a move by ("
          << Get(pose, Property::kX) << ", " << Get(pose, Property::kY) << ") from "
          << ::testing::PrintToString(still);
    }
  }

  // At the end the letter rests where the text puts it; a looping effect is looked at on its
  // last frame, where it comes round to rest.
  const int end = clip.loop ? clip.frames : last;
  const InkBox& final = frames[static_cast<size_t>(end - 1)];
  ASSERT_EQ(PoseAt(letter->keys, clip.frames), RestPose());
  if (OnlyTheLetterMoves(clip, *letter, clip.frames)) {
    EXPECT_TRUE(NearlyShifted(final, still, 0, 0))
        << ::testing::PrintToString(final) << " instead of " << ::testing::PrintToString(still);
  } else {
    // What else stays, an underline or a shadow, draws around the letter.
    EXPECT_LE(final.left, still.left + 1);
    EXPECT_LE(final.top, still.top + 1);
    EXPECT_GE(final.right, still.right - 1);
    EXPECT_GE(final.bottom, still.bottom - 1);
  }
}

INSTANTIATE_TEST_SUITE_P(Library, EffectGallery, ::testing::ValuesIn(LibrarySources()),
                         LibraryTestName);

}  // namespace
}  // namespace effectc::test
