// The root timelines of whole movies, frame by frame, in either mode.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "engine_test_support.h"
#include "swftk/place_object.h"
#include "swftk/sprite.h"

namespace engine::test {
namespace {

// The cases' labels, not their bytes, in the test log.
using engine::test::PrintTo;

using Lines = std::vector<std::string>;

// The index after the last root DefineSprite: the container, in edit-text mode, is the last
// character made before the letters.
size_t AfterLastSprite(const swftk::TagList& tags) {
  size_t after = 0;
  for (size_t i = 0; i < tags.size(); ++i) {
    if (tags[i]->GetTagCode() == tagcode::kDefineSprite) after = i + 1;
  }
  return after;
}

// Movies made from a test template with the request changed, read back; frames and actions
// hold the root timeline (in edit-text mode from the container on), placements every root
// placement.
class TimelineTest : public MovieTest {
 protected:
  // frames 0: the standard template; otherwise the minimal one of that many effect frames.
  void Make(int templateFrames, bool editText, const std::function<void(MovieRequest&)>& change) {
    MovieRequest request =
        templateFrames == 0 ? StandardRequest(editText) : MinimalRequest(templateFrames);
    change(request);
    movie = GenerateAndRead(request);
    ASSERT_NE(movie, nullptr);
    const swftk::TagList& tags = movie->GetTags();
    const size_t from = editText ? AfterLastSprite(tags) : 0;
    frames = Timeline(tags, from);
    for (size_t i = from; i < tags.size(); ++i) {
      if (tags[i]->GetTagCode() != tagcode::kDoAction) continue;
      for (const std::string& line : DescribeActions(*tags[i])) actions.push_back(line);
      actions.push_back("|");
    }
    for (const auto& tag : tags) {
      if (tag->GetTagCode() == tagcode::kPlaceObject2) placements.push_back(Describe(*tag));
    }
  }
  const swftk::TagList& Tags() const { return movie->GetTags(); }

  std::unique_ptr<swftk::CSwfReader> movie;
  Lines frames, actions, placements;
};

// Lines joined by " | ", for tables that read like the timelines they describe.
Lines Split(const std::string& joined) {
  Lines lines(1);
  for (size_t i = 0; i < joined.size(); ++i) {
    if (joined.compare(i, 3, " | ") == 0) {
      lines.emplace_back();
      i += 2;
    } else {
      lines.back() += joined[i];
    }
  }
  return joined.empty() ? Lines{} : lines;
}

struct TimelineCase {
  const char* label;
  int templateFrames;  // 0: the standard template
  bool editText;
  std::function<void(MovieRequest&)> change;
  std::string frames;        // the whole timeline, or its end when tail is set
  std::string actions = {};  // unchecked when empty
  bool tail = false;
};

class Timelines : public TimelineTest, public ::testing::WithParamInterface<TimelineCase> {};

TEST_P(Timelines, HoldEveryFrameInOrder) {
  const TimelineCase& c = GetParam();
  Make(c.templateFrames, c.editText, c.change);
  const auto Check = [&c](const Lines& all, const Lines& expected) {
    const size_t n = expected.size();
    EXPECT_EQ(c.tail && all.size() >= n
                  ? Lines(all.end() - static_cast<std::ptrdiff_t>(n), all.end())
                  : all,
              expected);
  };
  Check(frames, Split(c.frames));
  if (!c.actions.empty()) {
    Check(actions, Split(c.actions));
  }
}

const char* const kSetABC =
    "push \"/0/letter:text\" | push \"a\" | set | | | push \"/1/letter:text\" | push \"b\" | set "
    "| | | push \"/2/letter:text\" | push \"c\" | set | | | stop | |";

INSTANTIATE_TEST_SUITE_P(
    Table, Timelines,
    ::testing::Values(
        // Container sprite 5; instance i at depth i + 1 named i.
        TimelineCase{
            "edit text staggered", 0, true, [](MovieRequest& r) { r.frameDelay = 2; },
            "place 5@1 \"0\", actions, frame | frame | place 5@2 \"1\", actions, frame | "
            "frame | place 5@3 \"2\", actions, frame | frame | frame | actions, frame | end",
            kSetABC},
        // Line breaks spend no frames and set the line.
        TimelineCase{"edit text line break", 0, true, [](MovieRequest& r) { r.text = "a\nb"; },
                     "place 5@1 \"0\", actions, frame | place 5@3 \"2\", actions, frame | frame | "
                     "actions, frame | end",
                     "push \"/0/letter:text\" | push \"a\" | set | | | push \"/2/letter:text\" | "
                     "push \"b\" | set | push \"/2:line\" | push \"1\" | set | | | stop | |"},
        TimelineCase{"edit text all at once", 0, true,
                     [](MovieRequest& r) {
                       r.allAtOnce = true;
                       r.text = "ab";
                     },
                     "place 5@1 \"0\", place 5@2 \"1\", actions, frame | actions, frame | end",
                     "push \"/0/letter:text\" | push \"a\" | set | push \"/1/letter:text\" | "
                     "push \"b\" | set | | | stop | |"},
        // The ending's frame, the container's four, then the removals and the jump back.
        TimelineCase{"edit text looping", 0, true,
                     [](MovieRequest& r) {
                       r.loop = true;
                       r.text = "ab";
                     },
                     "frame | frame | frame | frame | frame | remove 1, remove 2, actions, frame | "
                     "end",
                     "goto 0 | play | |", true},
        // Font 1, texts 2 to 4 held back, the shape copied as 5: letters from depth 5 - 3 = 2.
        TimelineCase{"plain staggered", 0, false, [](MovieRequest&) {},
                     "text 2, place 2@2, frame | place 2@2, text 3, place 3@3, frame | place 2@2, "
                     "place 3@3, text 4, place 4@4, frame | remove 2, place 3@3, place 4@4, frame "
                     "| remove 3, place 4@4, frame | remove 4, frame | frame | frame | actions, "
                     "frame | end",
                     "stop | |"},
        // A repeated character is defined once, when it first starts; no copies: depths from
        // 3 - 2 = 1.
        TimelineCase{"plain repeated character", 2, false, [](MovieRequest& r) { r.text = "aba"; },
                     "text 2, place 2@1, frame | text 3, place 3@2, frame | place 2@3, frame | "
                     "frame | frame | frame | actions, frame | end"},
        // Glyphs LF 2, CR 3, a 4, b 5; depths from 5 - 4 = 1. The b starts three frames after
        // the a.
        TimelineCase{"plain line breaks", 1, false, [](MovieRequest& r) { r.text = "a\r\nb"; },
                     "text 4, place 4@1, frame | text 3, frame | text 2, frame | text 5, place "
                     "5@4, frame | frame | frame | actions, frame | end"},
        // Font 1, texts 2 to 4 (LF, a, b), the shape copied as 5; letters at 5 - 3 + i - 1.
        TimelineCase{"plain all at once", 0, false,
                     [](MovieRequest& r) {
                       r.allAtOnce = true;
                       r.text = "a\nb";
                     },
                     "text 2, text 3, text 4, place 3@1, place 4@3, frame | place 3@1, place 4@3, "
                     "frame | place 3@1, place 4@3, frame | remove 1, remove 3, frame | frame | "
                     "actions, frame | end"},
        // Without copies or a link the first letter stands at depth 0.
        TimelineCase{"plain all at once at depth zero", 1, false,
                     [](MovieRequest& r) {
                       r.allAtOnce = true;
                       r.text = "ab";
                     },
                     "text 2, text 3, place 2@0, place 3@1, frame | frame | actions, frame | end"},
        // Font 1, rectangle 2, button 3 at depth 1, texts 4 and 5: letters from 5 - 2 = 3.
        TimelineCase{"plain looping with a link", 1, false,
                     [](MovieRequest& r) {
                       r.loop = true;
                       r.text = "ab";
                       r.linkUrl = "http://example.org/";
                     },
                     "frame | remove 3, remove 4, actions, frame | end", "goto 0 | play | |",
                     true}),
    CaseName<TimelineCase>);

TEST_F(TimelineTest, EditTextDelaysAbove255AreCarriedWhole) {
  Make(0, true, [](MovieRequest& r) {
    r.text = "ab";
    r.frameDelay = 256;
  });
  ASSERT_GT(frames.size(), 257U);
  EXPECT_EQ(frames[256], "place 5@2 \"1\", actions, frame");
  EXPECT_EQ(movie->GetHeader().frameCount, 2 * 256 + 2);
}

TEST_F(TimelineTest, TheContainerReplaysTheEffectWithTheNewLetterSprite) {
  Make(0, true, [](MovieRequest&) {});
  const auto& container =
      static_cast<const swftk::CSwfDefineSprite&>(*Tags()[AfterLastSprite(Tags()) - 1]);
  EXPECT_EQ(container.GetCharacterId(), 5);
  EXPECT_EQ(container.frameCount, 4);
  // The template's letter (2) becomes the new letter sprite (3).
  EXPECT_EQ(Timeline(container.tags), (Lines{"place 3@1 \"letter\", frame", "place 0@1, frame",
                                             "place 0@1, frame", "remove 1, frame", "end"}));
  const auto& first = static_cast<const swftk::CSwfPlaceObject2&>(*container.tags[0]);
  EXPECT_EQ(first.matrix->scaleX, 32768);
  EXPECT_EQ(first.matrix->translateX, 100);
  EXPECT_EQ(first.matrix->translateY, 200);
}

TEST_F(TimelineTest, EditTextLettersAreScaledToTheDesignHeightAndPlacedByTheirCentre) {
  Make(0, true, [](MovieRequest& r) { r.text = "ab"; });
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

TEST_F(TimelineTest, EditTextLinkButtonLiesAboveEveryLetter) {
  Make(0, true, [](MovieRequest& r) {
    r.allAtOnce = true;
    // After the template copy the id counter is 4, which letter 3 would reach as its depth.
    r.text = "abcdef";
    r.linkUrl = "http://example.org/";
  });
  EXPECT_EQ(DefinedCharacters(Tags()), (std::vector<Defined>{{tagcode::kDefineFont2, 1},
                                                             {tagcode::kDefineEditText, 2},
                                                             {tagcode::kDefineSprite, 3},
                                                             {tagcode::kDefineShape, 4},
                                                             {tagcode::kDefineShape, 5},
                                                             {tagcode::kDefineButton2, 6},
                                                             {tagcode::kDefineSprite, 7}}));
  EXPECT_EQ(placements, (Lines{"place 6@7", "place 7@1 \"0\"", "place 7@2 \"1\"", "place 7@3 \"2\"",
                               "place 7@4 \"3\"", "place 7@5 \"4\"", "place 7@6 \"5\""}));
}

TEST_F(TimelineTest, PlainPlacementsAreMovedToTheLetterAboutItsPivot) {
  Make(0, false, [](MovieRequest& r) { r.text = "a"; });
  EXPECT_EQ(movie->GetHeader().frameCount, 6);
  const auto* first = First<swftk::CSwfPlaceObject2>(Tags(), tagcode::kPlaceObject2);
  ASSERT_NE(first, nullptr);
  // The effect's letter placement: half size at (100, 200); the letter a is 225 twips wide at
  // (1000, 1000); the size is the font size in tenths, 360.
  EXPECT_EQ(first->name, "");
  EXPECT_EQ(first->matrix->scaleX, 32768);
  EXPECT_EQ(first->matrix->translateX, static_cast<int32_t>(100 + 1000 + 0.5 * 225 / 3));
  EXPECT_EQ(first->matrix->translateY, 200 + 1000 + 180);
}

TEST_F(TimelineTest, AMovieOfMoreFramesThanTheHeaderCountsIsRefused) {
  MovieRequest request = StandardRequest(true);
  request.text = std::string(30, 'x');
  request.frameDelay = 2999;
  EXPECT_FALSE(Generate(request));
  EXPECT_EQ(log.messages, (std::vector<Message>{{"Invalid Entry", "Please re-enter the frame delay",
                                                 "The movie would have more than 65535 frames."}}));
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"effect.swf"});
}

}  // namespace
}  // namespace engine::test
