#include <gtest/gtest.h>

#include <map>
#include <set>

#include "engine/template_analysis.h"
#include "engine/zarn_helper.h"
#include "library_fixture.h"
#include "swftk/edit_text.h"
#include "swftk/place_object.h"
#include "swftk/reader.h"
#include "swftk/sprite.h"

namespace effectc::test {
namespace {

// What the effect's source says, read with the compiler's own parser.
EffectSource ParsedEffect(const std::filesystem::path& source) {
  SourceDocument document;
  std::string error;
  EXPECT_TRUE(ParseSource(ReadText(source), document, error)) << error;
  return std::get<EffectSource>(document);
}

TEST(EffectLibrary, CoversBothVersionsWithClearNames) {
  const auto sources = LibrarySources();
  int version3 = 0;
  int version4 = 0;
  int kvx = 0;
  int swf = 0;
  std::set<std::string> names;
  for (const auto& source : sources) {
    const EffectSource effect = ParsedEffect(source);
    (effect.version == 3 ? version3 : version4) += 1;
    (OutputKindFor(CompiledName(source)) == OutputKind::kKvx ? kvx : swf) += 1;
    EXPECT_TRUE(names.insert(effect.name).second) << effect.name << " twice";
  }
  EXPECT_GE(sources.size(), 24U);
  EXPECT_GE(version3, 14);
  EXPECT_GE(version4, 8);
  EXPECT_GT(kvx, swf);
  EXPECT_GE(swf, 1);
}

// One test per effect of the library.
class LibraryEffect : public ::testing::TestWithParam<std::filesystem::path> {
 protected:
  void SetUp() override {
    effect_ = ParsedEffect(GetParam());
    path_ = folder_.File(CompiledName(GetParam()));
    std::string error;
    ASSERT_TRUE(CompileInto(ReadText(GetParam()), path_, error)) << error;
  }

  engine::MovieRequest Request(const std::string& output, bool allAtOnce) {
    return RequestFor(path_, folder_.File(output), fonts_, kText, allAtOnce);
  }

  // Builds the movie and reads it back with the toolkit.
  std::unique_ptr<swftk::CSwfReader> Build(const engine::MovieRequest& request) {
    std::vector<std::string> messages;
    engine::CZarnHelper helper(
        [&messages](std::string_view caption, std::string_view text, std::string_view) {
          messages.push_back(std::string(caption) + ": " + std::string(text));
        });
    EXPECT_TRUE(helper.GenerateMovie(request));
    EXPECT_EQ(messages, std::vector<std::string>{});
    auto movie = std::make_unique<swftk::CSwfReader>();
    EXPECT_EQ(movie->OpenMovie(request.outputPath), swftk::OpenResult::kOk);
    return movie;
  }

  void CheckPlainMovie(const swftk::CSwfReader& movie, bool allAtOnce) const {
    // The letters' frames, then the ending's two. Staggered, the line break takes its place in
    // the queue, and the frame after the last letter's last is empty.
    const int frames = effect_.clip.frames;
    const int letterFrames = allAtOnce ? frames : (kCharacters - 1) * kFrameDelay + frames + 1;
    EXPECT_EQ(movie.GetFrameCount(), letterFrames + 2);
    // Every letter appears, named no more, and carries the effect's matrix.
    std::set<uint16_t> depths;
    for (const auto& tag : movie.GetTags()) {
      const auto* placement = dynamic_cast<const swftk::CSwfPlaceObject2*>(tag.get());
      if (placement == nullptr) continue;
      EXPECT_TRUE(placement->name.empty());
      EXPECT_NE(placement->matrix, nullptr);
      depths.insert(placement->depth);
    }
    EXPECT_EQ(depths.size(), static_cast<size_t>(kLetters));
  }

  void CheckEditTextMovie(const swftk::CSwfReader& movie, bool allAtOnce) const {
    // Staggered, every letter but the line break takes its delay; then the ending's two.
    EXPECT_EQ(movie.GetFrameCount(), (allAtOnce ? 0 : kLetters * kFrameDelay) + 2);
    const swftk::CSwfDefineSprite* container = nullptr;
    std::set<std::string> instances;
    for (const auto& tag : movie.GetTags()) {
      if (const auto* sprite = dynamic_cast<const swftk::CSwfDefineSprite*>(tag.get());
          sprite != nullptr && sprite->frameCount == effect_.clip.frames) {
        container = sprite;
      }
      if (const auto* placement = dynamic_cast<const swftk::CSwfPlaceObject2*>(tag.get()))
        instances.insert(placement->name);
    }
    // Named by their place in the text; the line break has none.
    EXPECT_EQ(instances, (std::set<std::string>{"0", "1", "2", "3", "5", "6"}));
    ASSERT_NE(container, nullptr);
    // Inside, the letter layer still goes by "letter", so that "/0/letter:text" finds it.
    int letters = 0;
    for (const auto& tag : container->tags) {
      const auto* placement = dynamic_cast<const swftk::CSwfPlaceObject2*>(tag.get());
      if (placement != nullptr && placement->name == "letter") ++letters;
    }
    EXPECT_EQ(letters, 1);
  }

  static constexpr const char* kText = "Zarn\rFx";
  static constexpr int kCharacters = 7;
  static constexpr int kLetters = 6;

  TempDir folder_;
  glyphs::CKV_SystemFontService fonts_;
  EffectSource effect_;
  std::string path_;
};

TEST_P(LibraryEffect, CarriesItsVariablesInTheSearchableForm) {
  std::string name = "unset";
  std::string version = "unset";
  std::string embedGlyphs = "unset";
  ASSERT_TRUE(engine::ReadEffectVariable("name", name, path_));
  ASSERT_TRUE(engine::ReadEffectVariable("version", version, path_));
  ASSERT_TRUE(engine::ReadEffectVariable("embedGlyphs", embedGlyphs, path_));
  EXPECT_EQ(name, effect_.name);
  EXPECT_EQ(version, std::to_string(effect_.version));
  EXPECT_EQ(embedGlyphs, effect_.embedGlyphs.empty() ? "unset" : effect_.embedGlyphs);
  // The library shows "F3-" or "F4-" and the name in 63 characters.
  EXPECT_LE(name.size(), 60U);
}

TEST_P(LibraryEffect, PassesTheTemplateAnalysis) {
  const engine::MovieRequest request = Request("unused.swf", true);
  engine::EffectTemplate analysed;
  std::vector<std::string> messages;
  ASSERT_TRUE(
      engine::AnalyseTemplate(request, analysed,
                              [&messages](std::string_view, std::string_view text,
                                          std::string_view) { messages.emplace_back(text); }))
      << (messages.empty() ? "" : messages[0]);
  ASSERT_EQ(analysed.effectSprites.size(), static_cast<size_t>(effect_.instances));
  EXPECT_EQ(analysed.effectSprites[0]->frameCount, effect_.clip.frames);
  ASSERT_NE(analysed.letterSprite, nullptr);
  ASSERT_NE(analysed.templateEditText, nullptr);
  EXPECT_EQ(analysed.templateTextHeight, 1080);
}

// A plain movie (version 3) replays the effect's frames on the main timeline, every letter
// placed as its own text character; an edit-text movie (version 4) places one container copied
// from the effect per letter and tells each its letter.
TEST_P(LibraryEffect, BuildsAMovieInEveryModeItSupports) {
  const bool editText = effect_.version == 4;
  for (const bool allAtOnce : {true, false}) {
    SCOPED_TRACE(allAtOnce ? "all at once" : "staggered");
    const auto movie = Build(Request(allAtOnce ? "together.swf" : "staggered.swf", allAtOnce));
    EXPECT_EQ(movie->GetHeader().version, effect_.version);
    if (editText) {
      CheckEditTextMovie(*movie, allAtOnce);
    } else {
      CheckPlainMovie(*movie, allAtOnce);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Library, LibraryEffect, ::testing::ValuesIn(LibrarySources()),
                         LibraryTestName);

}  // namespace
}  // namespace effectc::test
