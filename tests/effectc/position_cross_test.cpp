#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "engine/zarn_helper.h"
#include "library_fixture.h"
#include "swftk/actions.h"
#include "swftk/button.h"
#include "swftk/place_object.h"
#include "swftk/processor.h"
#include "swftk/reader.h"
#include "swftk/sprite.h"

namespace effectc::test {
namespace {

// The action codes of one of the button's handlers.
std::vector<uint8_t> Codes(const swftk::CSwfDoAction& actions) {
  std::vector<uint8_t> codes;
  for (const auto& action : actions.actions) codes.push_back(action->GetActionCode());
  return codes;
}

class PositionCross : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = folder_.File("kalvprep.wui");
    std::string error;
    ASSERT_TRUE(
        CompileInto(ReadText(std::filesystem::path(ZARN_SOURCE_DIR) / "res/src/kalvprep.wui.json"),
                    path_, error))
        << error;
  }

  TempDir folder_;
  std::string path_;
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

  // Inside it, a button: press starts dragging the clip, release ends the drag and raises an
  // FSCommand, inside the button or outside it.
  const swftk::CSwfDefineButton2* button = nullptr;
  for (const auto& tag : clip->tags) {
    const auto* placement = dynamic_cast<const swftk::CSwfPlaceObject2*>(tag.get());
    if (placement == nullptr) continue;
    button = dynamic_cast<const swftk::CSwfDefineButton2*>(
        processor.GetCharacter(placement->characterId));
  }
  ASSERT_NE(button, nullptr);
  ASSERT_EQ(button->conditions.size(), button->actions.size());
  std::map<uint16_t, std::vector<uint8_t>> handlers;
  std::map<uint16_t, std::string> commands;
  for (size_t i = 0; i < button->actions.size(); ++i) {
    handlers[button->conditions[i]] = Codes(*button->actions[i]);
    // The reader keeps GetURL as raw bytes: the url, a zero, the target, a zero.
    for (const auto& action : button->actions[i]->actions) {
      if (const auto* raw = dynamic_cast<const swftk::CSwfActionUnknown*>(action.get());
          raw != nullptr && raw->code == swftk::actioncode::kGetUrl) {
        commands[button->conditions[i]] =
            std::string(raw->data.begin(), std::find(raw->data.begin(), raw->data.end(), 0));
      }
    }
  }
  constexpr uint8_t kPush = 0x96;
  constexpr uint8_t kStartDrag = 0x27;
  constexpr uint8_t kEndDrag = 0x28;
  constexpr uint8_t kGetUrl = 0x83;
  constexpr uint16_t kPress = 0x04;
  constexpr uint16_t kRelease = 0x08;
  constexpr uint16_t kReleaseOutside = 0x40;
  EXPECT_EQ(handlers[kPress], (std::vector<uint8_t>{kPush, kPush, kPush, kStartDrag}));
  EXPECT_EQ(handlers[kRelease], (std::vector<uint8_t>{kEndDrag, kGetUrl}));
  EXPECT_EQ(handlers[kReleaseOutside], (std::vector<uint8_t>{kEndDrag, kGetUrl}));
  EXPECT_TRUE(commands[kRelease].starts_with("FSCommand:"));
  EXPECT_TRUE(commands[kReleaseOutside].starts_with("FSCommand:"));
  // The drag's target, pushed last, is the clip itself.
  const auto& target = dynamic_cast<const swftk::CSwfActionPush&>(*button->actions[0]->actions[2]);
  EXPECT_EQ(target.text, "/cross");
}

TEST_F(PositionCross, TakesTheSizeAndRateOfThePreview) {
  engine::CZarnHelper helper(
      [](std::string_view, std::string_view text, std::string_view) { ADD_FAILURE() << text; });
  const std::string resized = folder_.File("~klv0003.tmp");
  ASSERT_TRUE(helper.ResizeMovieFile(path_, resized, 320, 240, 25.0F));
  swftk::CSwfReader reader;
  ASSERT_EQ(reader.Open(resized, true, true), 0);
  EXPECT_EQ(reader.GetHeader().frameRect.xMax, 6400);
  EXPECT_EQ(reader.GetHeader().frameRect.yMax, 4800);
  EXPECT_EQ(reader.GetHeader().frameRate, 25.0F);
  swftk::CSwfProcessor processor;
  processor.Split(reader.GetTags());
  EXPECT_NE(processor.FindPlaceObject2("cross"), nullptr);
}

}  // namespace
}  // namespace effectc::test
