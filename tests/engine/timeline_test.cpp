#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "engine_test_support.h"
#include "movie_test_fixture.h"
#include "swftk/place_object.h"
#include "swftk/sprite.h"

namespace engine::test {
namespace {

namespace tagcode = swftk::tagcode;

// One tag of the timeline in a few words: "place 5@2 \"0\"", "remove 3", "text 2", "actions",
// "frame", "end"; empty for the other definitions.
std::string Describe(const swftk::CSwfTag& tag) {
  switch (tag.GetTagCode()) {
    case tagcode::kPlaceObject2: {
      const auto& place = static_cast<const swftk::CSwfPlaceObject2&>(tag);
      std::string text = "place ";
      text += std::to_string(place.characterId) + "@" + std::to_string(place.depth);
      if (!place.name.empty()) text += " \"" + place.name + "\"";
      return text;
    }
    case tagcode::kRemoveObject2:
      return "remove " + std::to_string(static_cast<const swftk::CSwfRemoveObject2&>(tag).depth);
    case tagcode::kDefineText: {
      const auto& raw = static_cast<const swftk::CSwfTagUnknown&>(tag);
      return "text " + std::to_string(raw.data[0] | raw.data[1] << 8);
    }
    case tagcode::kDoAction:
      return "actions";
    case tagcode::kShowFrame:
      return "frame";
    case tagcode::kEnd:
      return "end";
    default:
      return "";
  }
}

// A timeline from the given tag on, one string per frame, its tags joined by commas.
std::vector<std::string> Timeline(const swftk::TagList& tags, size_t from = 0) {
  std::vector<std::string> frames(1);
  for (size_t i = from; i < tags.size(); ++i) {
    const std::string described = Describe(*tags[i]);
    if (described.empty()) continue;
    std::string& frame = frames.back();
    if (!frame.empty()) frame += ", ";
    frame += described;
    if (tags[i]->GetTagCode() == tagcode::kShowFrame) frames.emplace_back();
  }
  if (frames.back().empty()) frames.pop_back();
  return frames;
}

// The index after the last root DefineSprite: the container, in edit-text mode, is the last
// character made before the letters.
size_t AfterLastSprite(const swftk::TagList& tags) {
  size_t after = 0;
  for (size_t i = 0; i < tags.size(); ++i) {
    if (tags[i]->GetTagCode() == tagcode::kDefineSprite) after = i + 1;
  }
  return after;
}

std::vector<std::string> ActionsOf(const swftk::TagList& tags, size_t from) {
  std::vector<std::string> all;
  for (size_t i = from; i < tags.size(); ++i) {
    if (tags[i]->GetTagCode() != tagcode::kDoAction) continue;
    for (const std::string& line : DescribeActions(*tags[i])) all.push_back(line);
    all.push_back("|");
  }
  return all;
}

// Movies made from a test template with the request changed, read back; frames and actions
// hold the root timeline (in edit-text mode from the container on), placements every root
// placement.
class TimelineTest : public MovieTest {
 protected:
  void Make(const TemplateBuilder& builder, const std::function<void(MovieRequest&)>& change) {
    MovieRequest request = RequestFor(builder);
    change(request);
    movie = GenerateAndRead(request);
    ASSERT_NE(movie, nullptr);
    const swftk::TagList& tags = movie->GetTags();
    const size_t from = request.editTextMode ? AfterLastSprite(tags) : 0;
    frames = Timeline(tags, from);
    actions = ActionsOf(tags, from);
    for (const auto& tag : tags) {
      if (tag->GetTagCode() == tagcode::kPlaceObject2) placements.push_back(Describe(*tag));
    }
  }
  void MakeEditText(const std::function<void(MovieRequest&)>& change) {
    TemplateBuilder builder;
    AddStandardTemplate(builder, true);
    Make(builder, [&change](MovieRequest& request) {
      request.editTextMode = true;
      change(request);
    });
  }
  const swftk::TagList& Tags() const { return movie->GetTags(); }

  std::unique_ptr<swftk::CSwfReader> movie;
  std::vector<std::string> frames;
  std::vector<std::string> actions;
  std::vector<std::string> placements;
};

using EditTextTimeline = TimelineTest;

TEST_F(EditTextTimeline, LettersStartFrameDelayFramesApart) {
  MakeEditText([](MovieRequest& request) { request.frameDelay = 2; });
  // Container sprite 5; instance i at depth i + 1 named i.
  EXPECT_EQ(frames, (std::vector<std::string>{"place 5@1 \"0\", actions, frame", "frame",
                                              "place 5@2 \"1\", actions, frame", "frame",
                                              "place 5@3 \"2\", actions, frame", "frame", "frame",
                                              "actions, frame", "end"}));
  EXPECT_EQ(actions, (std::vector<std::string>{"push \"/0/letter:text\"", "push \"a\"", "set", "|",
                                               "push \"/1/letter:text\"", "push \"b\"", "set", "|",
                                               "push \"/2/letter:text\"", "push \"c\"", "set", "|",
                                               "stop", "|"}));
  EXPECT_EQ(movie->GetHeader().frameCount, 8);
}

TEST_F(EditTextTimeline, TheContainerReplaysTheEffectWithTheNewLetterSprite) {
  MakeEditText([](MovieRequest&) {});
  const auto& container =
      static_cast<const swftk::CSwfDefineSprite&>(*Tags()[AfterLastSprite(Tags()) - 1]);
  EXPECT_EQ(container.GetCharacterId(), 5);
  EXPECT_EQ(container.frameCount, 4);
  // The template's letter (2) becomes the new letter sprite (3).
  EXPECT_EQ(Timeline(container.tags),
            (std::vector<std::string>{"place 3@1 \"letter\", frame", "place 0@1, frame",
                                      "place 0@1, frame", "remove 1, frame", "end"}));
  const auto& first = static_cast<const swftk::CSwfPlaceObject2&>(*container.tags[0]);
  EXPECT_EQ(first.matrix->scaleX, 32768);
  EXPECT_EQ(first.matrix->translateX, 100);
  EXPECT_EQ(first.matrix->translateY, 200);
}

TEST_F(EditTextTimeline, LettersAreScaledToTheTemplatesDesignHeightAndPlacedByTheirCentre) {
  MakeEditText([](MovieRequest& request) { request.text = "ab"; });
  std::vector<const swftk::CSwfPlaceObject2*> letters;
  for (size_t i = AfterLastSprite(Tags()); i < Tags().size(); ++i) {
    if (Tags()[i]->GetTagCode() == tagcode::kPlaceObject2)
      letters.push_back(static_cast<const swftk::CSwfPlaceObject2*>(Tags()[i].get()));
  }
  ASSERT_EQ(letters.size(), 2U);
  // K = 1080 / 400; the field is 600 twips high; a is 225 twips wide, b 227.
  const double k = 1080.0 / 400.0;
  for (const auto* letter : letters) {
    EXPECT_EQ(letter->matrix->scaleX, static_cast<int32_t>(65536 * k));
    EXPECT_EQ(letter->matrix->scaleY, static_cast<int32_t>(65536 * k));
    EXPECT_EQ(letter->matrix->translateY, static_cast<int32_t>(1000 + k * 300));
  }
  EXPECT_EQ(letters[0]->matrix->translateX, 1000 + 225 / 2);
  EXPECT_EQ(letters[1]->matrix->translateX, 1000 + 225 + 227 / 2);
}

TEST_F(EditTextTimeline, LineBreaksSpendNoFramesAndSetTheLine) {
  MakeEditText([](MovieRequest& request) { request.text = "a\nb"; });
  EXPECT_EQ(frames, (std::vector<std::string>{"place 5@1 \"0\", actions, frame",
                                              "place 5@3 \"2\", actions, frame", "frame",
                                              "actions, frame", "end"}));
  EXPECT_EQ(actions,
            (std::vector<std::string>{"push \"/0/letter:text\"", "push \"a\"", "set", "|",
                                      "push \"/2/letter:text\"", "push \"b\"", "set",
                                      "push \"/2:line\"", "push \"1\"", "set", "|", "stop", "|"}));
}

TEST_F(EditTextTimeline, AllAtOnceSetsEveryLetterInTheFirstFrame) {
  MakeEditText([](MovieRequest& request) {
    request.allAtOnce = true;
    request.text = "ab";
  });
  EXPECT_EQ(frames, (std::vector<std::string>{"place 5@1 \"0\", place 5@2 \"1\", actions, frame",
                                              "actions, frame", "end"}));
  EXPECT_EQ(actions, (std::vector<std::string>{"push \"/0/letter:text\"", "push \"a\"", "set",
                                               "push \"/1/letter:text\"", "push \"b\"", "set", "|",
                                               "stop", "|"}));
}

TEST_F(EditTextTimeline, LoopingReplaysTheContainerClearsTheLettersAndStartsAgain) {
  MakeEditText([](MovieRequest& request) {
    request.loop = true;
    request.text = "ab";
  });
  // The ending's frame, the container's four, then the removals and the jump back.
  EXPECT_EQ(std::vector<std::string>(frames.end() - 7, frames.end()),
            (std::vector<std::string>{"frame", "frame", "frame", "frame", "frame",
                                      "remove 1, remove 2, actions, frame", "end"}));
  EXPECT_EQ(std::vector<std::string>(actions.end() - 3, actions.end()),
            (std::vector<std::string>{"goto 0", "play", "|"}));
}

TEST_F(EditTextTimeline, TheLinkButtonLiesAboveEveryLetter) {
  MakeEditText([](MovieRequest& request) {
    request.allAtOnce = true;
    // After the template copy the id counter is 4, which letter 3 would reach as its depth.
    request.text = "abcdef";
    request.linkUrl = "http://example.org/";
  });
  EXPECT_EQ(DefinedCharacters(Tags()), (std::vector<Defined>{{tagcode::kDefineFont2, 1},
                                                             {tagcode::kDefineEditText, 2},
                                                             {tagcode::kDefineSprite, 3},
                                                             {tagcode::kDefineShape, 4},
                                                             {tagcode::kDefineShape, 5},
                                                             {tagcode::kDefineButton2, 6},
                                                             {tagcode::kDefineSprite, 7}}));
  EXPECT_EQ(placements, (std::vector<std::string>{"place 6@7", "place 7@1 \"0\"", "place 7@2 \"1\"",
                                                  "place 7@3 \"2\"", "place 7@4 \"3\"",
                                                  "place 7@5 \"4\"", "place 7@6 \"5\""}));
}

TEST_F(EditTextTimeline, ADelayAbove255IsCarriedWhole) {
  MakeEditText([](MovieRequest& request) {
    request.text = "ab";
    request.frameDelay = 256;
  });
  ASSERT_GT(frames.size(), 257U);
  EXPECT_EQ(frames[256], "place 5@2 \"1\", actions, frame");
  EXPECT_EQ(movie->GetHeader().frameCount, 2 * 256 + 2);
}

TEST_F(EditTextTimeline, AMovieOfMoreFramesThanTheHeaderCountsIsRefused) {
  TemplateBuilder builder;
  AddStandardTemplate(builder, true);
  MovieRequest request = RequestFor(builder);
  request.editTextMode = true;
  request.text = std::string(30, 'x');
  request.frameDelay = 2999;
  EXPECT_FALSE(Generate(request));
  EXPECT_EQ(log.messages, (std::vector<Message>{{"Invalid Entry", "Please re-enter the frame delay",
                                                 "The movie would have more than 65535 frames."}}));
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"effect.swf"});
}

using PlainTimeline = TimelineTest;

TEST_F(PlainTimeline, StaggeredLettersRunOneDelayBehindEachOther) {
  TemplateBuilder builder;
  AddStandardTemplate(builder);
  Make(builder, [](MovieRequest&) {});
  // Font 1, texts 2 to 4 held back, the shape copied as 5: letters from depth 5 - 3 = 2.
  EXPECT_EQ(frames, (std::vector<std::string>{
                        "text 2, place 2@2, frame", "place 2@2, text 3, place 3@3, frame",
                        "place 2@2, place 3@3, text 4, place 4@4, frame",
                        "remove 2, place 3@3, place 4@4, frame", "remove 3, place 4@4, frame",
                        "remove 4, frame", "frame", "frame", "actions, frame", "end"}));
  EXPECT_EQ(movie->GetHeader().frameCount, 9);
}

TEST_F(PlainTimeline, ARepeatedCharacterIsDefinedOnceWhenItFirstStarts) {
  TemplateBuilder builder;
  AddMinimalTemplate(builder, 2);
  Make(builder, [](MovieRequest& request) { request.text = "aba"; });
  // Font 1, texts 2 (a) and 3 (b); no copies: depths from 3 - 2 = 1.
  EXPECT_EQ(frames, (std::vector<std::string>{"text 2, place 2@1, frame",
                                              "text 3, place 3@2, frame", "place 2@3, frame",
                                              "frame", "frame", "frame", "actions, frame", "end"}));
}

TEST_F(PlainTimeline, LineBreaksTakeTheirPlaceInTheStagger) {
  TemplateBuilder builder;
  AddMinimalTemplate(builder, 1);
  Make(builder, [](MovieRequest& request) { request.text = "a\r\nb"; });
  // Glyphs LF 2, CR 3, a 4, b 5; depths from 5 - 4 = 1. The b starts three frames after the a.
  EXPECT_EQ(frames, (std::vector<std::string>{"text 4, place 4@1, frame", "text 3, frame",
                                              "text 2, frame", "text 5, place 5@4, frame", "frame",
                                              "frame", "actions, frame", "end"}));
}

TEST_F(PlainTimeline, StaggeredPlacementsAreMovedToTheLetterAboutItsPivot) {
  TemplateBuilder builder;
  AddStandardTemplate(builder);
  Make(builder, [](MovieRequest& request) { request.text = "a"; });
  const auto* first =
      dynamic_cast<const swftk::CSwfPlaceObject2*>(FindFirst(Tags(), tagcode::kPlaceObject2));
  ASSERT_NE(first, nullptr);
  // The effect's letter placement: half size at (100, 200); the letter a is 225 twips wide at
  // (1000, 1000); the size is the font size in tenths, 360.
  EXPECT_EQ(first->name, "");
  EXPECT_EQ(first->matrix->scaleX, 32768);
  EXPECT_EQ(first->matrix->translateX, static_cast<int32_t>(100 + 1000 + 0.5 * 225 / 3));
  EXPECT_EQ(first->matrix->translateY, 200 + 1000 + 180);
}

TEST_F(PlainTimeline, AllAtOnceReplaysEachFrameForEveryLetter) {
  TemplateBuilder builder;
  AddStandardTemplate(builder);
  Make(builder, [](MovieRequest& request) {
    request.allAtOnce = true;
    request.text = "a\nb";
  });
  // Font 1, texts 2 to 4 (LF, a, b), the shape copied as 5; letters at 5 - 3 + i - 1.
  EXPECT_EQ(frames, (std::vector<std::string>{
                        "text 2, text 3, text 4, place 3@1, place 4@3, frame",
                        "place 3@1, place 4@3, frame", "place 3@1, place 4@3, frame",
                        "remove 1, remove 3, frame", "frame", "actions, frame", "end"}));
}

TEST_F(PlainTimeline, AllAtOnceWithoutCopiesOrLinkPutsTheFirstLetterAtDepthZero) {
  TemplateBuilder builder;
  AddMinimalTemplate(builder, 1);
  Make(builder, [](MovieRequest& request) {
    request.allAtOnce = true;
    request.text = "ab";
  });
  EXPECT_EQ(placements, (std::vector<std::string>{"place 2@0", "place 3@1"}));
}

TEST_F(PlainTimeline, LoopingClearsTheLettersAndStartsAgain) {
  TemplateBuilder builder;
  AddMinimalTemplate(builder, 1);
  Make(builder, [](MovieRequest& request) {
    request.loop = true;
    request.text = "ab";
    request.linkUrl = "http://example.org/";
  });
  // Font 1, rectangle 2, button 3 at depth 1, texts 4 and 5: letters from 5 - 2 = 3.
  EXPECT_EQ(std::vector<std::string>(frames.end() - 3, frames.end()),
            (std::vector<std::string>{"frame", "remove 3, remove 4, actions, frame", "end"}));
  EXPECT_EQ(actions, (std::vector<std::string>{"goto 0", "play", "|"}));
}

}  // namespace
}  // namespace engine::test
