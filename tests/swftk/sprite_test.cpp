#include <gtest/gtest.h>

#include "swftk/control_tags.h"
#include "swftk/define_shape.h"
#include "swftk/place_object.h"
#include "swftk/processor.h"
#include "swftk/reader.h"
#include "swftk/sprite.h"
#include "test_bytes.h"

namespace swftk {
namespace {

using test::Bytes;
using test::Encode;

std::unique_ptr<CSwfPlaceObject2> Place(uint16_t id, uint16_t depth, std::string name = "") {
  auto place = std::make_unique<CSwfPlaceObject2>();
  place->characterId = id;
  place->depth = depth;
  place->name = std::move(name);
  return place;
}

TEST(Sprite, WriteSkipsForeignTagsAndAddsTheEnd) {
  CSwfDefineSprite sprite(5, 2);
  sprite.tags.push_back(Place(1, 1));
  sprite.tags.push_back(std::make_unique<CSwfShowFrame>());
  sprite.tags.push_back(std::make_unique<CSwfDefineShape>(2));
  sprite.tags.push_back(std::make_unique<CSwfShowFrame>());
  const Bytes expected = {0xD1, 0x09, 0x05, 0x00, 0x02, 0x00, 0x85, 0x06, 0x02, 0x01,
                          0x00, 0x01, 0x00, 0x40, 0x00, 0x40, 0x00, 0x00, 0x00};
  EXPECT_EQ(Encode(sprite), expected) << test::Hex(Encode(sprite));
}

TEST(Sprite, AddTagTakesOnlySpriteTags) {
  CSwfDefineSprite sprite(1, 0);
  std::unique_ptr<CSwfTag> shape = std::make_unique<CSwfDefineShape>(2);
  EXPECT_FALSE(sprite.AddTag(shape));
  EXPECT_NE(shape, nullptr);
  EXPECT_TRUE(sprite.tags.empty());
  std::unique_ptr<CSwfTag> frame = std::make_unique<CSwfShowFrame>();
  EXPECT_TRUE(sprite.AddTag(frame));
  EXPECT_EQ(sprite.frameCount, 1);
}

TEST(Sprite, CloneIsDeepAndKeepsTheFrameCount) {
  CSwfDefineSprite source(3, 7);
  auto place = Place(1, 1, "letter");
  place->matrix = std::make_unique<CSwfMatrix>();
  source.tags.push_back(std::move(place));
  source.tags.push_back(std::make_unique<CSwfShowFrame>());
  CSwfDefineSprite clone;
  clone.CopyFrom(source);
  EXPECT_EQ(clone.frameCount, 7);
  EXPECT_EQ(clone.characterId, 3);
  ASSERT_EQ(clone.tags.size(), 3U) << "the clone ends with an End tag";
  auto& clonedPlace = static_cast<CSwfPlaceObject2&>(*clone.tags[0]);
  clonedPlace.matrix->SetTranslate(100, 100);
  EXPECT_EQ(static_cast<CSwfPlaceObject2&>(*source.tags[0]).matrix->translateX, 0);
  EXPECT_EQ(clonedPlace.name, "letter");
}

TEST(Sprite, NestedShowFramesDoNotCountForTheEnclosingReader) {
  CSwfDefineSprite sprite(1, 2);
  sprite.tags.push_back(std::make_unique<CSwfShowFrame>());
  sprite.tags.push_back(std::make_unique<CSwfShowFrame>());
  CSwfStream out;
  sprite.Write(out);
  CSwfShowFrame().Write(out);
  CSwfEnd().Write(out);
  CSwfReader reader;
  reader.OpenFromStream(out);
  reader.ReadTags();
  EXPECT_EQ(reader.GetFrameCount(), 1);
  ASSERT_EQ(reader.GetTags().size(), 3U);
  EXPECT_EQ(static_cast<CSwfDefineSprite&>(*reader.GetTags()[0]).tags.size(), 3U);
}

// Tags of a movie: a shape, a sprite placing the shape, an unknown tag, a placement of the sprite.
TagList TemplateTags() {
  TagList tags;
  tags.push_back(std::make_unique<CSwfDefineShape>(2));
  static_cast<CSwfDefineShape&>(*tags.back()).SetCharacterId(1);
  auto sprite = std::make_unique<CSwfDefineSprite>(2, 1);
  sprite->tags.push_back(Place(1, 1, "letter"));
  sprite->tags.push_back(std::make_unique<CSwfShowFrame>());
  sprite->tags.push_back(std::make_unique<CSwfEnd>());
  tags.push_back(std::move(sprite));
  tags.push_back(std::make_unique<CSwfTagUnknown>(10, 0));
  tags.push_back(Place(2, 1, "effect"));
  tags.push_back(std::make_unique<CSwfShowFrame>());
  tags.push_back(std::make_unique<CSwfEnd>());
  return tags;
}

TEST(Processor, SplitsControlTagsFromTheDictionary) {
  const TagList tags = TemplateTags();
  CSwfProcessor processor;
  EXPECT_EQ(processor.Split(tags), 6U);
  ASSERT_EQ(processor.GetCharacters().size(), 3U);
  EXPECT_EQ(processor.GetCharacters()[2], nullptr) << "unknown tags take an empty slot";
  EXPECT_EQ(processor.GetControlTags().size(), 3U);
  EXPECT_EQ(processor.GetFrameCount(), 1);
  EXPECT_EQ(processor.GetCharacter(1), tags[0].get());
  EXPECT_EQ(processor.GetCharacter(0), nullptr);
  EXPECT_EQ(processor.GetCharacter(3), nullptr);
  EXPECT_EQ(processor.GetCharacter(4), nullptr);
}

TEST(Processor, FindsANamedPlacementInsideAPlacedSprite) {
  const TagList tags = TemplateTags();
  CSwfProcessor processor;
  processor.Split(tags);
  CSwfPlaceObject2* letter = processor.FindPlaceObject2("letter");
  ASSERT_NE(letter, nullptr);
  EXPECT_EQ(letter->characterId, 1);
  EXPECT_EQ(processor.FindPlaceObject2("effect")->characterId, 2);
  EXPECT_EQ(processor.FindPlaceObject2("missing"), nullptr);
  std::vector<CSwfTag*> found;
  EXPECT_EQ(processor.CollectTags(tagcode::kPlaceObject2, found, true), 1U);
  EXPECT_EQ(processor.CollectTags(tagcode::kPlaceObject2, found, false,
                                  static_cast<CSwfDefineSprite*>(tags[1].get())),
            2U);
  EXPECT_EQ(processor.CollectTags(tagcode::kDefineSprite, found, true), 1U);
}

TEST(Processor, SpritesThatPlaceThemselvesEndTheSearch) {
  TagList tags;
  auto a = std::make_unique<CSwfDefineSprite>(1, 1);
  a->tags.push_back(Place(2, 1));
  a->tags.push_back(Place(1, 2));
  auto b = std::make_unique<CSwfDefineSprite>(2, 1);
  b->tags.push_back(Place(1, 1));
  tags.push_back(std::move(a));
  tags.push_back(std::move(b));
  tags.push_back(Place(1, 1));
  CSwfProcessor processor;
  processor.Split(tags);
  EXPECT_EQ(processor.FindPlaceObject2("nowhere"), nullptr);
}

TEST(Processor, WriteOrderedPutsCharactersBeforeTheirFirstUse) {
  const TagList tags = TemplateTags();
  CSwfProcessor processor;
  processor.Split(tags);
  CSwfStream ordered;
  processor.WriteOrdered(ordered);
  CSwfStream expected;
  tags[0]->Write(expected);
  tags[1]->Write(expected);
  tags[3]->Write(expected);
  tags[4]->Write(expected);
  tags[5]->Write(expected);
  EXPECT_EQ(ordered.GetBytes(), expected.GetBytes());
}

}  // namespace
}  // namespace swftk
