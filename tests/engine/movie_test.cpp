// Whole movies built by the engine from test templates, read back with the toolkit.

#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include "engine_test_support.h"
#include "swftk/button.h"
#include "swftk/define_shape.h"
#include "swftk/edit_text.h"
#include "swftk/font.h"
#include "swftk/sprite.h"
#include "swftk/text.h"

namespace engine::test {
namespace {

TEST(GenerateChecks, RefuseBeforeTouchingAnyFile) {
  const char* const kInvalid = "Invalid Entry";
  const char* const kAboveZero = "It must be greater than zero.";
  const Message kBadWidth{kInvalid, "Please re-enter the movie width.", kAboveZero};
  const Message kBadRate{kInvalid, "Please re-enter the frame rate",
                         "It must be greater than zero"};
  const Message kBadDelay{kInvalid, "Please re-enter the frame delay",
                          "It must be greater than or equal to one."};
  const struct {
    const char* label;
    std::function<void(MovieRequest&)> change;
    Message message;
  } cases[] = {
      {"width", [](MovieRequest& r) { r.movieWidth = 0; }, kBadWidth},
      {"height",
       [](MovieRequest& r) { r.movieHeight = -1; },
       {kInvalid, "Please re-enter the movie height", kAboveZero}},
      {"rate", [](MovieRequest& r) { r.frameRate = 0.0F; }, kBadRate},
      {"rate not a number",
       [](MovieRequest& r) { r.frameRate = std::numeric_limits<float>::quiet_NaN(); }, kBadRate},
      {"text", [](MovieRequest& r) { r.text.clear(); }, {kInvalid, "Please enter some text.", ""}},
      {"delay", [](MovieRequest& r) { r.frameDelay = 0; }, kBadDelay},
      {"effect",
       [](MovieRequest& r) { r.effectPath.clear(); },
       {"No effect selected", "Please select an effect", ""}},
      {"long text",
       [](MovieRequest& r) { r.text.assign(255, 'a'); },
       {kInvalid, "Please re-enter the text", "It must be at most 254 characters long."}},
      {"font size",
       [](MovieRequest& r) { r.fontSizeTenths = 0; },
       {kInvalid, "Please re-enter the font size", kAboveZero}},
      // The checks run in order: only the first failure is reported.
      {"width before text and effect",
       [](MovieRequest& r) {
         r.movieWidth = 0;
         r.text.clear();
         r.effectPath.clear();
       },
       kBadWidth},
      {"delay before effect",
       [](MovieRequest& r) {
         r.frameDelay = 0;
         r.effectPath.clear();
       },
       kBadDelay}};
  for (const auto& c : cases) {
    TempDir dir;
    FakeFontService fonts;
    MessageLog log;
    MovieRequest request = ValidRequest(dir.File("missing.swf"), dir.File("out.swf"), fonts);
    c.change(request);
    EXPECT_FALSE(CZarnHelper(log.Sink()).GenerateMovie(request)) << c.label;
    EXPECT_EQ(log.messages, std::vector<Message>{c.message}) << c.label;
    EXPECT_TRUE(dir.Entries().empty()) << c.label;
    EXPECT_TRUE(fonts.log.created.empty()) << c.label;
  }
}

using GenerateMovie = MovieTest;

TEST_F(GenerateMovie, WritesTheHeaderThenProtectThenTheBackground) {
  MovieRequest request = StandardRequest(true);
  request.backgroundColor = 0x00332211;
  for (const bool editText : {false, true}) {
    request.editTextMode = editText;
    request.protect = editText;
    const auto movie = GenerateAndRead(request);
    ASSERT_NE(movie, nullptr);
    const swftk::CSwfHeader& header = movie->GetHeader();
    EXPECT_EQ(header.version, editText ? 4 : 3);
    EXPECT_EQ(header.frameRect.xMax, 10000);
    EXPECT_EQ(header.frameRect.yMax, 3000);
    EXPECT_EQ(header.frameRate, 12.0F);
    EXPECT_EQ(header.fileLength, ReadFileBytes(request.outputPath).size());
    const swftk::TagList& tags = movie->GetTags();
    EXPECT_EQ(First(tags, tagcode::kProtect) == tags[0].get(), request.protect);
    const auto* background =
        dynamic_cast<const swftk::CSwfSetBackgroundColor*>(tags[request.protect ? 1 : 0].get());
    ASSERT_NE(background, nullptr);
    EXPECT_EQ(
        std::vector<int>({background->color.red, background->color.green, background->color.blue}),
        std::vector<int>({0x11, 0x22, 0x33}));
  }
  // The engine takes a rate that the settings would refuse.
  request.frameRate = 0.5F;
  const auto slow = GenerateAndRead(request);
  ASSERT_NE(slow, nullptr);
  EXPECT_EQ(slow->GetHeader().frameRate, 0.5F);
}

TEST_F(GenerateMovie, PlainCharactersAreTheFontTheLinkThenOneTextPerGlyph) {
  MovieRequest request = MinimalRequest();
  request.allAtOnce = true;
  using D = std::vector<Defined>;
  const D texts = {{tagcode::kDefineText, 2}, {tagcode::kDefineText, 3}, {tagcode::kDefineText, 4}};
  // A link of one character makes no button; a real one takes ids 2 and 3 and depth 1.
  const struct {
    const char* url;
    D defined;
  } cases[] = {
      {"", D{{tagcode::kDefineFont, 1}, texts[0], texts[1], texts[2]}},
      {"x", D{{tagcode::kDefineFont, 1}, texts[0], texts[1], texts[2]}},
      {"http://example.org/", D{{tagcode::kDefineFont, 1},
                                {tagcode::kDefineShape, 2},
                                {tagcode::kDefineButton2, 3},
                                {tagcode::kDefineText, 4},
                                {tagcode::kDefineText, 5},
                                {tagcode::kDefineText, 6}}},
  };
  for (const auto& c : cases) {
    request.linkUrl = c.url;
    const auto movie = GenerateAndRead(request);
    ASSERT_NE(movie, nullptr);
    EXPECT_EQ(DefinedCharacters(movie->GetTags()), c.defined) << c.url;
    if (c.defined.size() == 6) {
      EXPECT_EQ(Describe(*First(movie->GetTags(), tagcode::kPlaceObject2)), "place 3@1");
    }
  }
}

TEST_F(GenerateMovie, TheLinkButtonCoversTheMovieAndOpensTheUrl) {
  MovieRequest request = MinimalRequest();
  request.linkUrl = "http://example.org/";
  request.linkTarget = "_blank";
  const auto movie = GenerateAndRead(request);
  ASSERT_NE(movie, nullptr);
  // A white rectangle over the whole frame, drawn from its far corner.
  const auto* rectangle = First<swftk::CSwfDefineShape>(movie->GetTags(), tagcode::kDefineShape);
  ASSERT_NE(rectangle, nullptr);
  EXPECT_EQ(std::vector<int>({rectangle->bounds->xMax, rectangle->bounds->yMax}),
            std::vector<int>({10000, 3000}));
  const swftk::CSwfShapeWithStyle& shape = *rectangle->shape;
  ASSERT_EQ(shape.fillStyles->styles.size(), 1U);
  EXPECT_EQ(shape.fillStyles->styles[0]->color->blue, 255);
  ASSERT_EQ(shape.records.size(), 6U);
  const auto& start = static_cast<const swftk::CSwfStyleChangeShapeRecord&>(*shape.records[0]);
  std::vector<int32_t> path = {start.moveDeltaX, start.moveDeltaY, start.fillStyle1};
  for (size_t i = 1; i < 5; ++i) {
    const auto& edge = static_cast<const swftk::CSwfStraightEdgeShapeRecord&>(*shape.records[i]);
    path.insert(path.end(), {edge.deltaX, edge.deltaY});
  }
  EXPECT_EQ(path, (std::vector<int32_t>{10000, 3000, 1, -10000, 0, 0, -3000, 10000, 0, 0, 3000}));

  const auto* button = First<swftk::CSwfDefineButton2>(movie->GetTags(), tagcode::kDefineButton2);
  ASSERT_NE(button, nullptr);
  ASSERT_EQ(button->records.size(), 1U);
  EXPECT_EQ(button->records[0]->states, swftk::ButtonRecord::kHitTest);
  EXPECT_EQ(button->records[0]->characterId, 2);
  EXPECT_EQ(button->records[0]->depth, 2);
  EXPECT_EQ(button->conditions, std::vector<uint16_t>{8});
  ASSERT_EQ(button->actions.size(), 1U);
  ASSERT_EQ(button->actions[0]->actions.size(), 1U);
  const auto* getUrl =
      dynamic_cast<const swftk::CSwfActionUnknown*>(button->actions[0]->actions[0].get());
  ASSERT_NE(getUrl, nullptr);
  EXPECT_EQ(getUrl->code, swftk::actioncode::kGetUrl);
  EXPECT_EQ(std::string(getUrl->data.begin(), getUrl->data.end()),
            std::string("http://example.org/\0_blank\0", 27));
}

TEST_F(GenerateMovie, EachGlyphTextDrawsItsGlyphAtTheLetterHeight) {
  MovieRequest request = MinimalRequest();
  request.allAtOnce = true;
  request.text = "ba";
  request.textColor = 0x00563412;
  const auto movie = GenerateAndRead(request);
  ASSERT_NE(movie, nullptr);
  std::vector<std::unique_ptr<swftk::CSwfDefineText>> texts;
  for (const auto& tag : movie->GetTags()) {
    if (tag->GetTagCode() == tagcode::kDefineText)
      texts.push_back(DecodeAs<swftk::CSwfDefineText>(*tag));
  }
  ASSERT_EQ(texts.size(), 2U);
  // 36 points: 1080 twips high, 1024 / 1080 design units per twip; 'b' is 20 + 196 units.
  const std::vector<int> advances = {(20 + 194) * 1080 / 1024, (20 + 196) * 1080 / 1024};
  for (size_t g = 0; g < texts.size(); ++g) {
    const swftk::CSwfDefineText& text = *texts[g];
    EXPECT_EQ(text.GetCharacterId(), 2 + g);
    EXPECT_EQ(std::vector<int>(
                  {text.bounds->xMin, text.bounds->xMax, text.bounds->yMin, text.bounds->yMax}),
              std::vector<int>({-2, 3 * advances[g], -2, 1080}));
    EXPECT_EQ(text.matrix->scaleX, 65536);
    EXPECT_EQ(text.matrix->translateX, 0);
    // Two letters need 5 bits with the sign; the glyph indices 0 and 1 need fewer.
    EXPECT_EQ(text.glyphBits, 5);
    EXPECT_EQ(text.advanceBits, swftk::BitsNeeded(advances[g], true));
    ASSERT_EQ(text.records.size(), 2U);
    const auto& style = dynamic_cast<const swftk::CSwfTextStyleChangeRecord&>(*text.records[0]);
    EXPECT_EQ(style.fontId, 1);
    EXPECT_EQ(std::vector<int>({style.color->red, style.color->green, style.color->blue}),
              std::vector<int>({0x12, 0x34, 0x56}));
    EXPECT_EQ(style.xOffset, 0);
    EXPECT_EQ(style.yOffset, 843);  // 360 × 800 × 3 / 1024 = 843.75
    EXPECT_EQ(style.textHeight, 1080);
    const auto& glyphs = dynamic_cast<const swftk::CSwfTextGlyphRecord&>(*text.records[1]);
    ASSERT_EQ(glyphs.entries.size(), 1U);
    EXPECT_EQ(glyphs.entries[0].glyphIndex, static_cast<int32_t>(g));
    EXPECT_EQ(glyphs.entries[0].advance, advances[g]);
  }
}

TEST_F(GenerateMovie, TheFontHoldsTheGlyphSetAndItsInfoNamesTheFaceCodesAndStyle) {
  TemplateBuilder builder;
  builder.Variable("embedGlyphs", "01");
  AddMinimalTemplate(builder);
  MovieRequest request = RequestFor(builder);
  request.embedGlyphs = "01";
  request.text = "caab";
  struct Style {
    int32_t weight;
    uint8_t italic, flags;
  };
  for (const Style style : {Style{400, 0, 0x08}, Style{600, 0, 0x08}, Style{700, 0, 0x0A},
                            Style{400, 1, 0x0C}, Style{900, 1, 0x0E}}) {
    request.logFont.lfWeight = style.weight;
    request.logFont.lfItalic = style.italic;
    const auto movie = GenerateAndRead(request);
    ASSERT_NE(movie, nullptr);
    const swftk::CSwfTag* raw = First(movie->GetTags(), tagcode::kDefineFontInfo);
    ASSERT_NE(raw, nullptr);
    const auto info = DecodeAs<swftk::CSwfDefineFontInfo>(*raw);
    EXPECT_EQ(info->fontId, 1);
    EXPECT_EQ(info->name, "Fake Sans");
    EXPECT_EQ(info->flags, style.flags) << style.weight << " " << int{style.italic};
    EXPECT_EQ(info->codes, (std::vector<uint16_t>{'0', '1', 'a', 'b', 'c'}));
  }
  const auto font = DecodeAs<swftk::CSwfDefineFont>(
      *First(GenerateAndRead(request)->GetTags(), tagcode::kDefineFont));
  EXPECT_EQ(font->glyphs.size(), 5U);
  EXPECT_EQ(font->offsets.front(), 10);
  // The font is made at the design cell height, whatever the request said.
  ASSERT_FALSE(fonts.log.created.empty());
  for (const glyphs::FontRequest& made : fonts.log.created) EXPECT_EQ(made.lfHeight, 1024);
}

TEST_F(GenerateMovie, EditTextCharactersComeInTheirOrder) {
  const auto movie = GenerateAndRead(StandardRequest(true));
  ASSERT_NE(movie, nullptr);
  const swftk::TagList& tags = movie->GetTags();
  ASSERT_GE(tags.size(), 5U);
  EXPECT_EQ(DescribeActions(*tags[1]),
            (std::vector<std::string>{"push \"textlen\"", "push \"3\"", "set"}));
  // Font, field, letter sprite, the copied shape, then the container sprite.
  EXPECT_EQ(DefinedCharacters(tags), (std::vector<Defined>{{tagcode::kDefineFont2, 1},
                                                           {tagcode::kDefineEditText, 2},
                                                           {tagcode::kDefineSprite, 3},
                                                           {tagcode::kDefineShape, 4},
                                                           {tagcode::kDefineSprite, 5}}));
  const auto* font = dynamic_cast<const swftk::CSwfDefineFont2*>(tags[2].get());
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(font->codes, (std::vector<uint16_t>{'a', 'b', 'c'}));

  const auto* field = dynamic_cast<const swftk::CSwfDefineEditText*>(tags[3].get());
  ASSERT_NE(field, nullptr);
  // The template's field is -40..440 by -20..580; q = 1024 / 720 = 1, so the field is twice
  // the widest advance wide.
  const int widest = (20 + 2 * 'c') * 1080 / 1024;
  EXPECT_EQ(std::vector<int>({field->bounds->xMin, field->bounds->xMax, field->bounds->yMin,
                              field->bounds->yMax}),
            std::vector<int>({-40, 2 * widest, -20, 580}));
  using E = swftk::CSwfDefineEditText;
  EXPECT_EQ(field->flags, E::kHasText | E::kReadOnly | E::kHasTextColor | E::kHasFont |
                              E::kHasLayout | E::kNoSelect | E::kUseOutlines);
  EXPECT_EQ(
      std::vector<int>({field->fontId, field->fontHeight, field->textColor->red,
                        field->textColor->alpha, field->align, field->leftMargin, field->leading}),
      std::vector<int>({1, 400, 255, 255, 2, 0, 360}));
  EXPECT_EQ(field->variableName + "=" + field->initialText, "text=W");

  const auto* letter = dynamic_cast<const swftk::CSwfDefineSprite*>(tags[4].get());
  ASSERT_NE(letter, nullptr);
  EXPECT_EQ(letter->frameCount, 1);
  EXPECT_EQ(Timeline(letter->tags), (std::vector<std::string>{"place 2@1, frame", "end"}));
  const auto& centred = static_cast<const swftk::CSwfPlaceObject2&>(*letter->tags[0]);
  EXPECT_EQ(centred.matrix->translateX, -((-40 + 2 * widest) / 2));
  EXPECT_EQ(centred.matrix->translateY, -280);
}

TEST_F(GenerateMovie, TheFieldWidthFollowsTheSize) {
  MovieRequest request = StandardRequest(true);
  request.text = "a";
  // q = 1024 / (2 × size in tenths): 0 at 60 points, 5 at 10 points, 3 at 17 points.
  for (const auto& [tenths, factor] : {std::pair{600, 2}, std::pair{100, 5}, std::pair{170, 3}}) {
    request.fontSizeTenths = tenths;
    const auto movie = GenerateAndRead(request);
    ASSERT_NE(movie, nullptr);
    const auto* field =
        First<swftk::CSwfDefineEditText>(movie->GetTags(), tagcode::kDefineEditText);
    ASSERT_NE(field, nullptr);
    const auto scale = static_cast<float>(1024.0 / (tenths * 3.0));
    const int advance =
        static_cast<int>(static_cast<double>(20 + 2 * 'a') / static_cast<double>(scale));
    EXPECT_EQ(field->bounds->xMax, factor * advance) << tenths;
  }
}

TEST_F(GenerateMovie, OnlyShapesAndSpritesOfTheTemplateAreCopied) {
  TemplateBuilder builder;
  const StandardIds ids = AddStandardTemplate(builder);                 // 1, 2, 3
  const uint16_t alpha = builder.AddShape(tagcode::kDefineShape3, 10);  // 4
  builder.AddEditText(100, swftk::CSwfRect(0, 10, 0, 10));              // 5
  builder.AddSprite(Tags(Place(ids.shape, 1), Place(alpha, 2), Place(5, 3), Place(8, 4), Frame()));
  builder.AddShape(tagcode::kDefineShape2, 20);  // 7
  MovieRequest request = RequestFor(builder);
  request.text = "ab";
  request.allAtOnce = true;
  const auto movie = GenerateAndRead(request);
  ASSERT_NE(movie, nullptr);
  const swftk::TagList& tags = movie->GetTags();
  // Font 1, texts 2 and 3; then the copies in template order; the letter and effect sprites
  // and the text field stay behind.
  EXPECT_EQ(DefinedCharacters(tags), (std::vector<Defined>{{tagcode::kDefineFont, 1},
                                                           {tagcode::kDefineText, 2},
                                                           {tagcode::kDefineText, 3},
                                                           {tagcode::kDefineShape, 4},
                                                           {tagcode::kDefineShape3, 5},
                                                           {tagcode::kDefineSprite, 6},
                                                           {tagcode::kDefineShape2, 7}}));
  const auto* copy = First<swftk::CSwfDefineSprite>(tags, tagcode::kDefineSprite);
  ASSERT_NE(copy, nullptr);
  // Copied characters take their new ids; the field (not copied) and a later id keep theirs.
  EXPECT_EQ(Timeline(copy->tags),
            (std::vector<std::string>{"place 4@1, place 5@2, place 5@3, place 8@4, frame", "end"}));
  const auto* shape3 = dynamic_cast<const swftk::CSwfDefineShape*>(tags[6].get());
  ASSERT_NE(shape3, nullptr);
  EXPECT_EQ(shape3->shape->fillStyles->styles[0]->color->red, 10);
}

// The movie is written whole or not at all: a failed build leaves the folder as it was, with
// no temporary file, and a successful one replaces the old movie.
TEST_F(GenerateMovie, WritesTheMovieWholeOrNotAtAll) {
  const Bytes old = {'o', 'l', 'd'};
  MovieRequest request = MinimalRequest();
  WriteFileBytes(request.outputPath, old);
  fonts.refuse = true;
  EXPECT_FALSE(Generate(request));
  fonts.refuse = false;
  MovieRequest unwritable = request;
  unwritable.outputPath = dir.File("no such folder/out.swf");
  EXPECT_FALSE(Generate(unwritable));
  TemplateBuilder broken;
  broken.AddShape();
  broken.Save(dir.File("broken.swf"));
  MovieRequest brokenRequest = request;
  brokenRequest.effectPath = dir.File("broken.swf");
  EXPECT_FALSE(Generate(brokenRequest));
  ASSERT_GE(log.messages.size(), 2U);
  EXPECT_EQ(std::vector<Message>(log.messages.begin(), log.messages.begin() + 2),
            (std::vector<Message>{
                {"Error", "Encountered a problem creating the font: Fake Sans", ""},
                {"Error", "Encountered an error while writing to file: " + unwritable.outputPath,
                 "No such file or directory"}}));
  EXPECT_EQ(ReadFileBytes(request.outputPath), old);
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"broken.swf", "effect.swf", "out.swf"}));

  log.messages.clear();
  EXPECT_NE(GenerateAndRead(request), nullptr);
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"broken.swf", "effect.swf", "out.swf"}));
}

TEST_F(GenerateMovie, ResizingGivesANewFrameAndRateAndKeepsTheTags) {
  TemplateBuilder builder;
  AddStandardTemplate(builder);
  builder.AddRootTag(Frame());
  builder.Save(dir.File("cross.swf"));
  CZarnHelper helper(log.Sink());
  ASSERT_TRUE(
      helper.ResizeMovieFile(dir.File("cross.swf"), dir.File("sized.swf"), 320, 240, 24.5F));
  EXPECT_TRUE(log.messages.empty());
  const auto sized = ReadMovie(dir.File("sized.swf"));
  ASSERT_NE(sized, nullptr);
  const swftk::CSwfHeader& header = sized->GetHeader();
  EXPECT_EQ(header.version, 4);
  EXPECT_EQ(header.frameRect.xMax, 6400);
  EXPECT_EQ(header.frameRect.yMax, 4800);
  EXPECT_EQ(header.frameRate, 24.5F);
  EXPECT_EQ(header.frameCount, 2);
  // Past the header, the bytes are the source's.
  const Bytes before = ReadFileBytes(dir.File("cross.swf"));
  const Bytes after = ReadFileBytes(dir.File("sized.swf"));
  EXPECT_EQ(header.fileLength, after.size());
  const auto tail = static_cast<std::ptrdiff_t>(before.size() - 21);
  EXPECT_TRUE(std::equal(before.end() - tail, before.end(), after.end() - tail));

  // A destination that cannot be written, and a source that is missing or no version-4 movie:
  // each fails with its reason and writes nothing.
  WriteFileBytes(dir.File("flash5.swf"), {'F', 'W', 'S', 5, 21, 0, 0, 0});
  const struct {
    std::string source, destination, reason;
  } failures[] = {
      {"cross.swf", "gone/sized.swf", "gone/sized.swf: No such file or directory"},
      {"missing.swf", "made.swf", "missing.swf: the file cannot be opened"},
      {"flash5.swf", "made.swf", "flash5.swf: the file is not a SWF movie"},
  };
  for (const auto& failure : failures) {
    log.messages.clear();
    EXPECT_FALSE(helper.ResizeMovieFile(dir.File(failure.source), dir.File(failure.destination),
                                        320, 240, 12.0F));
    EXPECT_EQ(log.messages,
              (std::vector<Message>{{"Error", "File Error", dir.File(failure.reason)}}));
  }
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"cross.swf", "flash5.swf", "sized.swf"}));
}

}  // namespace
}  // namespace engine::test
