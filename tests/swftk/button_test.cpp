#include <gtest/gtest.h>

#include "swftk/button.h"
#include "test_bytes.h"

namespace swftk {
namespace {

using test::Bytes;
using test::Decode;
using test::Encode;

std::unique_ptr<ButtonRecord> HitRecord(uint16_t id) {
  auto record = std::make_unique<ButtonRecord>();
  record->states = ButtonRecord::kHitTest;
  record->characterId = id;
  record->depth = id;
  record->matrix = std::make_unique<CSwfMatrix>();
  record->colorTransform = std::make_unique<CSwfColorTransformAlpha>();
  return record;
}

std::unique_ptr<CSwfDoAction> Actions(std::initializer_list<uint8_t> simpleCodes) {
  auto list = std::make_unique<CSwfDoAction>();
  for (const uint8_t code : simpleCodes) list->AddAction(std::make_unique<CSwfActionUnknown>(code));
  return list;
}

TEST(Button2, TheLinkButtonLayout) {
  CSwfDefineButton2 button;
  button.SetCharacterId(9);
  button.AddRecord(HitRecord(9));
  auto list = std::make_unique<CSwfDoAction>();
  list->AddAction(std::make_unique<CSwfActionGetUrl>("u", "t"));
  button.AddAction(std::move(list));
  button.AddCondition(CSwfDefineButton2::kOverDownToOverUp);
  const Bytes body = {9,
                      0,
                      0,
                      15,
                      0,  // id, menu, offset
                      0x08,
                      9,
                      0,
                      9,
                      0,  // state, id, depth
                      0b1'10010'01,
                      0,
                      0,
                      0b01000000,
                      0,
                      0,              // identity
                      0b0'0'0101'00,  // zero transform
                      0,              // end of records
                      0,
                      0,
                      0x08,
                      0,  // last list, condition
                      0x83,
                      4,
                      0,
                      'u',
                      0,
                      't',
                      0,
                      0,  // GetURL, ActionEnd
                      0,
                      0};  // closing word
  Bytes expected = {static_cast<uint8_t>(34 << 6 | body.size()), 0x08};
  expected.insert(expected.end(), body.begin(), body.end());
  EXPECT_EQ(Encode(button), expected) << test::Hex(Encode(button));
  EXPECT_EQ(button.actionSizes, (std::vector<uint16_t>{0}));
}

TEST(Button2, SizesOfSeveralListsAndReadBack) {
  CSwfDefineButton2 button;
  button.AddRecord(HitRecord(1));
  button.AddAction(Actions({0x06}));
  button.AddCondition(1);
  button.AddAction(Actions({0x07, 0x06}));
  button.AddCondition(2);
  const Bytes bytes = Encode(button);
  EXPECT_EQ(button.actionSizes, (std::vector<uint16_t>{6, 0}));
  CSwfDefineButton2 back;
  Decode(back, bytes);
  ASSERT_EQ(back.actions.size(), 2U);
  EXPECT_EQ(back.conditions, (std::vector<uint16_t>{1, 2}));
  EXPECT_EQ(back.actions[1]->actions.size(), 2U);
  EXPECT_EQ(Encode(back), bytes);
}

TEST(Button2, NoActionListsLeavesRecordsOffsetAndClosingWord) {
  CSwfDefineButton2 button;
  button.AddRecord(HitRecord(1));
  const Bytes bytes = Encode(button);
  EXPECT_EQ(Bytes(bytes.end() - 3, bytes.end()), (Bytes{0, 0, 0}));
  CSwfDefineButton2 back;
  Decode(back, bytes);
  EXPECT_TRUE(back.actions.empty());
  EXPECT_EQ(back.records.size(), 1U);
}

TEST(Button2, AListOf256BytesIsReadWhole) {
  CSwfDefineButton2 button;
  button.AddRecord(HitRecord(1));
  auto big = std::make_unique<CSwfDoAction>();
  big->AddAction(std::make_unique<CSwfActionUnknown>(0x8C, std::vector<uint8_t>(248, 'x')));
  button.AddAction(std::move(big));  // 3 + 248 + 1 = 252 bytes, size field 256
  button.AddCondition(8);
  button.AddAction(Actions({0x07}));
  button.AddCondition(8);
  const Bytes bytes = Encode(button);
  EXPECT_EQ(button.actionSizes[0], 256);
  CSwfDefineButton2 back;
  Decode(back, bytes);
  ASSERT_EQ(back.actions.size(), 2U);
  EXPECT_EQ(Encode(back), bytes);
}

TEST(Button2, ListsFromOtherProducersEndWithTheTag) {
  // Without the closing zero word, followed by a ShowFrame that must stay its own tag.
  CSwfDefineButton2 button;
  button.AddRecord(HitRecord(1));
  button.AddAction(Actions({0x06}));
  button.AddCondition(8);
  Bytes bytes = Encode(button);
  bytes.resize(bytes.size() - 2);
  bytes[0] = static_cast<uint8_t>(bytes[0] - 2);
  bytes.insert(bytes.end(), {0x40, 0x00});
  CSwfReader reader;
  reader.OpenFromBytes(bytes);
  reader.ReadTags();
  ASSERT_EQ(reader.GetTags().size(), 3U);
  EXPECT_EQ(reader.GetTags()[1]->GetTagCode(), tagcode::kShowFrame);
  EXPECT_EQ(static_cast<CSwfDefineButton2&>(*reader.GetTags()[0]).actions.size(), 1U);
}

TEST(Button2, ARecordsMatrixIsFollowedByItsTransformOnTheNextByte) {
  CSwfDefineButton2 button;
  auto record = HitRecord(1);
  record->matrix->SetTranslate(3, 3);  // ends mid-byte
  record->colorTransform->redAdd = 5;
  button.AddRecord(std::move(record));
  CSwfDefineButton2 back;
  Decode(back, Encode(button));
  ASSERT_EQ(back.records.size(), 1U);
  EXPECT_EQ(back.records[0]->matrix->translateX, 3);
  EXPECT_EQ(back.records[0]->colorTransform->redAdd, 5);
}

TEST(Button, RecordsThenActionLists) {
  CSwfDefineButton button;
  button.SetCharacterId(4);
  auto record = HitRecord(2);
  record->colorTransform.reset();
  button.AddRecord(std::move(record));
  button.AddAction(Actions({0x06, 0x07}));
  const Bytes bytes = Encode(button);
  CSwfDefineButton back;
  Decode(back, bytes);
  EXPECT_EQ(back.characterId, 4);
  ASSERT_EQ(back.actions.size(), 1U);
  EXPECT_EQ(back.actions[0]->actions.size(), 2U);
  EXPECT_EQ(Encode(back), bytes);
}

}  // namespace
}  // namespace swftk
