// The library of effects and the position cross, compiled from their sources and made into
// movies the way the main window makes them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>

#include "effectc/effect_compiler.h"
#include "effectc/keyframe_track.h"
#include "effectc/source_parser.h"
#include "engine/effect_variable.h"
#include "engine/movie_request.h"
#include "engine/movie_settings.h"
#include "engine/template_analysis.h"
#include "engine/zarn_helper.h"
#include "glyphs/system_font_service.h"
#include "player/frame_sequence.h"
#include "player/movie_loader.h"
#include "swftk/actions.h"
#include "swftk/button.h"
#include "swftk/place_object.h"
#include "swftk/processor.h"
#include "swftk/reader.h"
#include "swftk/sprite.h"
#include "tests/engine/template_fixture.h"
#include "tests/support/temp_dir.h"

namespace effectc {
namespace {

using zarn::test::TempDir;

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Compiles a source text into a file named as the kind it should be.
void CompileInto(const std::string& source, const std::string& path) {
  std::vector<uint8_t> bytes;
  std::string error;
  ASSERT_TRUE(CompileSource(source, OutputKindFor(path), bytes, error)) << error;
  zarn::test::WriteFileBytes(path, bytes);
}

EffectSource ParsedEffect(const std::filesystem::path& source) {
  SourceDocument document;
  std::string error;
  EXPECT_TRUE(ParseSource(ReadText(source), document, error)) << error;
  return std::get<EffectSource>(document);
}

// The sources of the library, sorted by file name.
std::vector<std::filesystem::path> LibrarySources() {
  std::vector<std::filesystem::path> sources;
  for (const auto& entry : std::filesystem::directory_iterator(
           std::filesystem::path(ZARN_SOURCE_DIR) / "effects/src")) {
    if (entry.path().extension() == ".json") sources.push_back(entry.path());
  }
  std::sort(sources.begin(), sources.end());
  return sources;
}

constexpr int kFrameDelay = 2;

// A request as the main window makes one for the template: its version picks the mode, its
// extension the signature check, its embedGlyphs come along. Black 36-point Arial on white.
engine::MovieRequest RequestFor(const std::string& templatePath, const std::string& outputPath,
                                glyphs::CKV_FontService& fonts, const std::string& text,
                                bool allAtOnce) {
  engine::MovieRequest request =
      engine::test::ValidRequest(templatePath, outputPath, fonts, "Arial");
  request.movieWidth = 400;
  request.movieHeight = 200;
  request.textColor = 0x00000000;
  request.backgroundColor = 0x00FFFFFF;
  request.text = text;
  request.originX = 150;
  request.originY = 70;
  request.allAtOnce = allAtOnce;
  request.frameDelay = kFrameDelay;
  request.templateBytes = zarn::test::ReadFileBytes(templatePath);
  request.editTextMode = engine::FindEffectVersion(request.templateBytes) == 4;
  request.lenientSignature = swftk::IsKvxPath(templatePath);
  request.embedGlyphs =
      engine::FindEffectVariable(request.templateBytes, "embedGlyphs").value_or("");
  return request;
}

engine::CZarnHelper QuietHelper() {
  return engine::CZarnHelper(
      [](std::string_view, std::string_view text, std::string_view) { ADD_FAILURE() << text; });
}

TEST(EffectLibrary, CoversBothVersionsWithClearNames) {
  std::map<int, int> versions;
  std::map<OutputKind, int> kinds;
  std::set<std::string> names;
  for (const auto& source : LibrarySources()) {
    const EffectSource effect = ParsedEffect(source);
    ++versions[effect.version];
    ++kinds[OutputKindFor(source.stem().string())];
    EXPECT_TRUE(names.insert(effect.name).second) << effect.name << " twice";
    // The library shows "F3-" or "F4-" and the name in 63 characters.
    EXPECT_LE(effect.name.size(), 60U);
  }
  EXPECT_GE(names.size(), 24U);
  EXPECT_GE(versions[3], 14);
  EXPECT_GE(versions[4], 8);
  EXPECT_GE(kinds[OutputKind::kSwf], 1);
  EXPECT_GT(kinds[OutputKind::kKvx], kinds[OutputKind::kSwf]);
}

// Where the letter's ink lies in a frame, in pixels; empty when nothing is drawn.
struct InkBox {
  int left = 0, top = 0, right = -1, bottom = -1;
  bool Empty() const { return right < left; }
  friend std::ostream& operator<<(std::ostream& out, const InkBox& box) {
    if (box.Empty()) return out << "no ink";
    return out << "(" << box.left << ", " << box.top << ")-(" << box.right << ", " << box.bottom
               << ")";
  }
};

// Black letters on white: any pixel clearly darker than white is ink.
InkBox FindInk(const player::CKV_Image& image) {
  InkBox box{image.Width(), image.Height(), -1, -1};
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) {
      const uint32_t pixel = image.Pixel(x, y);
      if (std::min({(pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF}) > 235) continue;
      box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x),
             std::max(box.bottom, y)};
    }
  }
  return box;
}

bool NearlyShifted(const InkBox& box, const InkBox& reference, double dx, double dy) {
  return std::abs(box.left - (reference.left + dx)) <= 2 &&
         std::abs(box.right - (reference.right + dx)) <= 2 &&
         std::abs(box.top - (reference.top + dy)) <= 2 &&
         std::abs(box.bottom - (reference.bottom + dy)) <= 2;
}

double Get(const Pose& pose, Property property) {
  return pose[static_cast<size_t>(property)];
}

// The letter alone shows, moved and faded but neither turned, sized nor tinted away from black.
bool OnlyTheLetterMoves(const ClipSource& clip, const Layer& letter, int frame) {
  for (const Layer& layer : clip.layers) {
    if (&layer == &letter || frame < FirstFrame(layer)) continue;
    const Pose pose = PoseAt(layer.keys, frame);
    if (Get(pose, Property::kAlpha) > 0 && Get(pose, Property::kScaleX) != 0 &&
        Get(pose, Property::kScaleY) != 0)
      return false;
  }
  const Pose pose = PoseAt(letter.keys, frame);
  Pose moved = RestPose();
  for (const Property property : {Property::kX, Property::kY, Property::kAlpha})
    moved[static_cast<size_t>(property)] = Get(pose, property);
  return pose == moved;
}

// One test per effect of the library, named after its file: "spin_swf".
class LibraryEffect : public ::testing::TestWithParam<std::filesystem::path> {
 protected:
  void SetUp() override {
    effect_ = ParsedEffect(GetParam());
    path_ = folder_.File(GetParam().stem().string());
    CompileInto(ReadText(GetParam()), path_);
  }

  // The ink of the letter W in every frame of a movie made from a template, all letters at
  // once, from frame 1 to last.
  std::vector<InkBox> Play(const std::string& templatePath, int last) {
    engine::MovieRequest request =
        RequestFor(templatePath, templatePath + ".swf", fonts_, "W", true);
    request.loop = false;
    EXPECT_TRUE(QuietHelper().GenerateMovie(request));
    const player::MovieLoadResult loaded = player::LoadMovieFile(request.outputPath);
    EXPECT_TRUE(loaded.movie) << loaded.error;
    std::vector<InkBox> frames;
    if (!loaded.movie) return frames;
    std::string error;
    auto sequence =
        player::CKV_FrameSequence::Create(loaded.movie, 1.0, 1, static_cast<uint32_t>(last), error);
    EXPECT_TRUE(sequence) << error;
    while (const player::CKV_Image* image = sequence->Next()) frames.push_back(FindInk(*image));
    return frames;
  }

  static constexpr const char* kText = "Zarn\rFx";
  static constexpr int kCharacters = 7;
  static constexpr int kLetters = 6;

  TempDir folder_;
  glyphs::CKV_SystemFontService fonts_;
  EffectSource effect_;
  std::string path_;
};

// A plain movie (version 3) replays the effect's frames on the main timeline, every letter
// placed as its own text character; an edit-text movie (version 4) places one container copied
// from the effect per letter and tells each its letter.
TEST_P(LibraryEffect, BuildsAMovieInEveryModeItSupports) {
  engine::EffectTemplate analysed;
  ASSERT_TRUE(engine::AnalyseTemplate(
      RequestFor(path_, folder_.File("unused.swf"), fonts_, kText, true), analysed,
      [](std::string_view, std::string_view text, std::string_view) { ADD_FAILURE() << text; }));
  ASSERT_EQ(analysed.effectSprites.size(), static_cast<size_t>(effect_.instances));
  EXPECT_EQ(analysed.effectSprites[0]->frameCount, effect_.clip.frames);
  ASSERT_NE(analysed.letterSprite, nullptr);
  ASSERT_NE(analysed.templateEditText, nullptr);
  EXPECT_EQ(analysed.templateTextHeight, 1080);

  const int frames = effect_.clip.frames;
  for (const bool allAtOnce : {true, false}) {
    SCOPED_TRACE(allAtOnce ? "all at once" : "staggered");
    const engine::MovieRequest request =
        RequestFor(path_, folder_.File("movie.swf"), fonts_, kText, allAtOnce);
    ASSERT_TRUE(QuietHelper().GenerateMovie(request));
    swftk::CSwfReader movie;
    ASSERT_EQ(movie.OpenMovie(request.outputPath), swftk::OpenResult::kOk);
    EXPECT_EQ(movie.GetHeader().version, effect_.version);
    std::set<uint16_t> depths;
    std::set<std::string> instances;
    int unplaced = 0;
    const swftk::CSwfDefineSprite* container = nullptr;
    for (const auto& tag : movie.GetTags()) {
      if (const auto* sprite = dynamic_cast<const swftk::CSwfDefineSprite*>(tag.get());
          sprite != nullptr && sprite->frameCount == frames)
        container = sprite;
      const auto* placement = dynamic_cast<const swftk::CSwfPlaceObject2*>(tag.get());
      if (placement == nullptr) continue;
      depths.insert(placement->depth);
      instances.insert(placement->name);
      unplaced += placement->matrix == nullptr;
    }
    if (effect_.version == 3) {
      // The letters' frames, then the ending's two. Staggered, the line break takes its place
      // in the queue, and the frame after the last letter's last is empty. Every letter
      // appears, named no more, and carries the effect's matrix.
      const int letterFrames = allAtOnce ? frames : (kCharacters - 1) * kFrameDelay + frames + 1;
      EXPECT_EQ(movie.GetFrameCount(), letterFrames + 2);
      EXPECT_EQ(depths.size(), static_cast<size_t>(kLetters));
      EXPECT_EQ(instances, std::set<std::string>{""});
      EXPECT_EQ(unplaced, 0);
      continue;
    }
    // Staggered, every letter but the line break takes its delay; then the ending's two.
    EXPECT_EQ(movie.GetFrameCount(), (allAtOnce ? 0 : kLetters * kFrameDelay) + 2);
    // Named by their place in the text; the line break has none.
    EXPECT_EQ(instances, (std::set<std::string>{"0", "1", "2", "3", "5", "6"}));
    ASSERT_NE(container, nullptr);
    // Inside, the letter layer still goes by "letter", so that "/0/letter:text" finds it.
    EXPECT_EQ(std::count_if(container->tags.begin(), container->tags.end(),
                            [](const auto& tag) {
                              const auto* placement =
                                  dynamic_cast<const swftk::CSwfPlaceObject2*>(tag.get());
                              return placement != nullptr && placement->name == "letter";
                            }),
              1);
  }
}

TEST_P(LibraryEffect, TheLetterShowsAndMovesAsTheSourceSays) {
  const ClipSource& clip = effect_.clip;
  const auto letter = std::find_if(clip.layers.begin(), clip.layers.end(),
                                   [](const Layer& layer) { return layer.name == "letter"; });
  ASSERT_NE(letter, clip.layers.end());
  // The letter standing still where the layout puts it, in a template of the same version.
  const std::string stillPath = folder_.File("still.kvx");
  CompileInto(R"({"name": "Still", "version": )" + std::to_string(effect_.version) +
                  R"(, "frames": 1, "layers": [{"type": "letter"}]})",
              stillPath);
  const InkBox still = Play(stillPath, 3).back();
  ASSERT_FALSE(still.Empty());
  // Scripted effects may hold their frames a while; give them time to finish.
  const bool scripted = !clip.scripts.empty();
  const int last = clip.frames + (scripted ? 40 : 2);
  const std::vector<InkBox> frames = Play(path_, last);
  ASSERT_EQ(frames.size(), static_cast<size_t>(last));

  // Frame by frame while the letter only moves and fades, as long as the timeline runs
  // straight through.
  for (int frame = 1; frame <= clip.frames && !scripted; ++frame) {
    if (!OnlyTheLetterMoves(clip, *letter, frame)) continue;
    const Pose pose = PoseAt(letter->keys, frame);
    const InkBox& box = frames[static_cast<size_t>(frame - 1)];
    const double alpha = Get(pose, Property::kAlpha);
    if (alpha == 0) {
      EXPECT_TRUE(box.Empty()) << "frame " << frame << ": " << box;
    } else if (alpha >= 60) {
      EXPECT_TRUE(NearlyShifted(box, still, Get(pose, Property::kX), Get(pose, Property::kY)))
          << "frame " << frame << ": " << box << " for a move by (" << Get(pose, Property::kX)
          << ", " << Get(pose, Property::kY) << ") from " << still;
    }
  }

  // At the end the letter rests where the text puts it; a looping effect is looked at on its
  // last frame, where it comes round to rest.
  const InkBox& final = frames[static_cast<size_t>((clip.loop ? clip.frames : last) - 1)];
  ASSERT_EQ(PoseAt(letter->keys, clip.frames), RestPose());
  if (OnlyTheLetterMoves(clip, *letter, clip.frames)) {
    EXPECT_TRUE(NearlyShifted(final, still, 0, 0)) << final << " instead of " << still;
  } else {
    // What else stays, an underline or a shadow, draws around the letter.
    EXPECT_LE(final.left, still.left + 1);
    EXPECT_LE(final.top, still.top + 1);
    EXPECT_GE(final.right, still.right - 1);
    EXPECT_GE(final.bottom, still.bottom - 1);
  }
}

INSTANTIATE_TEST_SUITE_P(Library, LibraryEffect, ::testing::ValuesIn(LibrarySources()),
                         [](const auto& info) {
                           std::string name = info.param.stem().string();
                           std::replace(name.begin(), name.end(), '.', '_');
                           return name;
                         });

// The engine finds the variables by a byte search whose misses swallow as many bytes as the
// name is long: names and values full of the letters the names start with must still be
// found whole.
TEST(EffectVariables, AreFoundWhateverTheyHold) {
  const std::pair<std::string, std::string> cases[] = {
      {"Fade", ""},
      {"Dive", "eeeeeeeeeee"},
      {"name", "vvvvvvvv"},
      {"nnnn nname", "embedGlyphs"},
      {"version", "version"},
      {"embedGlyphs e", "nnnn"},
      {"v", "n"},
      {std::string(60, 'e'), std::string(254, 'v')},
  };
  TempDir folder;
  for (const auto& [name, embedGlyphs] : cases) {
    for (const char* file : {"effect.kvx", "effect.swf"}) {
      const std::string path = folder.File(file);
      CompileInto(R"({"name": ")" + name + R"(", "version": 4, "frames": 1, "embedGlyphs": ")" +
                      embedGlyphs + R"(", "layers": [{"type": "letter"}]})",
                  path);
      std::map<std::string, std::string> read;
      for (const char* variable : {"name", "version", "embedGlyphs"}) {
        read[variable] = "unset";
        engine::ReadEffectVariable(variable, read[variable], path);
      }
      EXPECT_EQ(read["name"], name) << file;
      EXPECT_EQ(read["version"], "4") << file;
      EXPECT_EQ(read["embedGlyphs"], embedGlyphs.empty() ? "unset" : embedGlyphs) << file;
    }
  }
}

// The preview's position cross: a clip at "/cross" that its button drags.
class PositionCross : public ::testing::Test {
 protected:
  void SetUp() override {
    CompileInto(ReadText(std::filesystem::path(ZARN_SOURCE_DIR) / "res/src/kalvprep.wui.json"),
                path_);
  }
  TempDir folder_;
  std::string path_ = folder_.File("kalvprep.wui");
};

TEST_F(PositionCross, IsAClipAtSlashCrossDraggedByItsButton) {
  swftk::CSwfReader reader;
  // A whole version-4 movie: the preview reads it with the signature checked.
  ASSERT_EQ(reader.Open(path_, true, true), 0);
  swftk::CSwfProcessor processor;
  processor.Split(reader.GetTags());
  // "/cross" is a clip placed on the main timeline itself.
  const swftk::CSwfPlaceObject2* cross = nullptr;
  for (const swftk::CSwfTag* tag : processor.GetControlTags()) {
    const auto* placement = dynamic_cast<const swftk::CSwfPlaceObject2*>(tag);
    if (placement != nullptr && placement->name == "cross") cross = placement;
  }
  ASSERT_NE(cross, nullptr);
  const auto* clip =
      dynamic_cast<const swftk::CSwfDefineSprite*>(processor.GetCharacter(cross->characterId));
  ASSERT_NE(clip, nullptr);
  const swftk::CSwfDefineButton2* button = nullptr;
  for (const auto& tag : clip->tags) {
    if (const auto* placement = dynamic_cast<const swftk::CSwfPlaceObject2*>(tag.get()))
      button = dynamic_cast<const swftk::CSwfDefineButton2*>(
          processor.GetCharacter(placement->characterId));
  }
  ASSERT_NE(button, nullptr);
  ASSERT_EQ(button->conditions.size(), button->actions.size());

  // Press starts dragging the clip; release ends the drag and raises an FSCommand, inside the
  // button or outside it. Each handler as its action codes and the url of its GetURL.
  std::map<uint16_t, std::pair<std::vector<uint8_t>, std::string>> handlers;
  for (size_t i = 0; i < button->actions.size(); ++i) {
    auto& [codes, url] = handlers[button->conditions[i]];
    for (const auto& action : button->actions[i]->actions) {
      codes.push_back(action->GetActionCode());
      // The reader keeps GetURL as raw bytes: the url, a zero, the target, a zero.
      if (const auto* raw = dynamic_cast<const swftk::CSwfActionUnknown*>(action.get());
          raw != nullptr && raw->code == swftk::actioncode::kGetUrl)
        url = std::string(raw->data.begin(), std::find(raw->data.begin(), raw->data.end(), 0));
    }
  }
  constexpr uint8_t kPush = 0x96, kStartDrag = 0x27, kEndDrag = 0x28, kGetUrl = 0x83;
  const std::vector<uint8_t> release = {kEndDrag, kGetUrl};
  EXPECT_EQ(handlers[0x04].first, (std::vector<uint8_t>{kPush, kPush, kPush, kStartDrag}));
  for (const uint16_t condition : {0x08, 0x40}) {  // release, release outside
    EXPECT_EQ(handlers[condition].first, release) << condition;
    EXPECT_TRUE(handlers[condition].second.starts_with("FSCommand:")) << condition;
  }
  // The drag's target, pushed last, is the clip itself.
  EXPECT_EQ(dynamic_cast<const swftk::CSwfActionPush&>(*button->actions[0]->actions[2]).text,
            "/cross");
}

}  // namespace
}  // namespace effectc
