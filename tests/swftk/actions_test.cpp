#include <gtest/gtest.h>

#include "swftk/actions.h"
#include "swftk/button.h"
#include "swftk/reader.h"
#include "test_bytes.h"

namespace swftk {
namespace {

using test::Bytes;
using test::Concat;
using test::Decode;
using test::Encode;
using test::Hex;

TEST(Actions, Encodings) {
  struct Case {
    const CSwfObj& action;
    Bytes bytes;
  };
  const CSwfActionGetUrl url("a.htm", "_blank");
  CSwfDoAction setVariable;
  setVariable.AddAction(std::make_unique<CSwfActionPush>("textlen"));
  setVariable.AddAction(std::make_unique<CSwfActionPush>("12"));
  setVariable.AddAction(std::make_unique<CSwfActionSetVariable>());
  const Case cases[] = {
      {CSwfActionGotoFrame(0), {0x81, 0x02, 0x00, 0x00, 0x00}},
      {CSwfActionPlay(), {0x06}},
      {CSwfActionStop(), {0x07}},
      {CSwfActionEval(), {0x1C}},
      {CSwfActionSetVariable(), {0x1D}},
      {CSwfActionGetUrl2(1), {0x9A, 0x01, 0x00, 0x01}},
      {url, {0x83, 0x0D, 0x00, 'a', '.', 'h', 't', 'm', 0, '_', 'b', 'l', 'a', 'n', 'k', 0}},
      {CSwfActionPush("12"), {0x96, 0x04, 0x00, 0x00, '1', '2', 0x00}},
      {CSwfActionUnknown(0x8C, {'g', 'o', 0}), {0x8C, 0x03, 0x00, 'g', 'o', 0}},
      {CSwfActionUnknown(0x0A), {0x0A}},
      {CSwfDoAction(), {0x01, 0x03, 0x00}},
      {setVariable, {0x15, 0x03, 0x96, 0x09, 0x00, 0x00, 't', 'e', 'x',  't',  'l', 'e',
                     'n',  0x00, 0x96, 0x04, 0x00, 0x00, '1', '2', 0x00, 0x1D, 0x00}},
  };
  for (const Case& c : cases) EXPECT_EQ(Hex(Encode(c.action)), Hex(c.bytes));
}

// What a list was read into, one letter an action: Push, Url2, Eval, SetVariable, ? for kept
// as unknown.
std::string Kinds(const CSwfDoAction& list) {
  std::string kinds;
  for (const auto& action : list.actions) {
    const CSwfActionRecord* a = action.get();
    kinds += dynamic_cast<const CSwfActionPush*>(a)          ? 'P'
             : dynamic_cast<const CSwfActionGetUrl2*>(a)     ? 'U'
             : dynamic_cast<const CSwfActionEval*>(a)        ? 'E'
             : dynamic_cast<const CSwfActionSetVariable*>(a) ? 'S'
             : dynamic_cast<const CSwfActionUnknown*>(a)     ? '?'
                                                             : '-';
  }
  return kinds;
}

TEST(DoAction, ReadsTheModelledKindsAndKeepsTheRestVerbatim) {
  const Bytes body = {0x06,                                               // Play
                      0x81, 0x02, 0x00, 0x05, 0x00,                       // GotoFrame 5
                      0x83, 0x05, 0x00, 'u',  0,    't',  'g',  0,        // GetURL
                      0x96, 0x05, 0x00, 0x01, 0x00, 0x00, 0x80, 0x3F,     // Push 1.0
                      0x96, 0x06, 0x00, 0x00, 'a',  0,    0x00, 'b',  0,  // Push "a", "b"
                      0x96, 0x03, 0x00, 0x05, 0x01, 0x07,                 // Push bool, int
                      0x96, 0x02, 0x00, 0x00, 0x00,                       // Push ""
                      0x9A, 0x01, 0x00, 0x02,                             // GetURL2
                      0x1C, 0x1D, 0x00};
  CSwfDoAction doAction;
  Decode(doAction, test::Framed(tagcode::kDoAction, body));
  // Pushes of two values or of other types stay unknown.
  EXPECT_EQ(Kinds(doAction), "???P??PUES");
  EXPECT_EQ(static_cast<const CSwfActionPush&>(*doAction.actions[3]).number, 0x3F800000U);
  EXPECT_EQ(static_cast<const CSwfActionPush&>(*doAction.actions[6]).text, "");
  EXPECT_EQ(static_cast<const CSwfActionGetUrl2&>(*doAction.actions[7]).GetMethod(), 2);
  EXPECT_EQ(Hex(test::Body(Encode(doAction))), Hex(body));
  CSwfDoAction copy;
  copy.CopyFrom(doAction);
  EXPECT_EQ(Hex(Encode(copy)), Hex(Encode(doAction)));
}

TEST(DoAction, AnActionLengthPastTheTagEndsTheList) {
  CSwfDoAction doAction;
  Decode(doAction, {0x05, 0x03, 0x07, 0x96, 0x40, 0x00, 0x00});
  ASSERT_EQ(doAction.actions.size(), 2U);
  EXPECT_EQ(doAction.actions[1]->GetActionCode(), 0x96);
}

TEST(Actions, GetUrlReadsBack) {
  CSwfReader reader;
  reader.OpenFromBytes(Encode(CSwfActionGetUrl("a.htm", "_blank")));
  reader.ReadUI8();
  CSwfActionGetUrl url;
  url.Read(reader);
  EXPECT_EQ(url.url, "a.htm");
  EXPECT_EQ(url.target, "_blank");
}

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
  const Bytes body = Concat({{9, 0, 0, 15, 0},    // id, menu, offset to the actions
                             {0x08, 9, 0, 9, 0},  // states, id, depth
                             test::kIdentityMatrix,
                             {0b0'0'0101'00},                  // no colour transform
                             {0},                              // end of records
                             {0, 0, 0x08, 0},                  // the last list, its condition
                             {0x83, 4, 0, 'u', 0, 't', 0, 0},  // GetURL, ActionEnd
                             {0, 0}});                         // closing word
  EXPECT_EQ(Hex(Encode(button)), Hex(test::Framed(tagcode::kDefineButton2, body)));
}

// Each list's size field counts to the next list, the last one's is zero.
TEST(Button2, ActionListSizesAndReadBack) {
  auto big = std::make_unique<CSwfDoAction>();  // 3 + 248 + 1 = 252 bytes, size field 256
  big->AddAction(std::make_unique<CSwfActionUnknown>(0x8C, std::vector<uint8_t>(248, 'x')));
  std::vector<std::unique_ptr<CSwfDoAction>> lists[3];
  lists[1].push_back(Actions({0x06}));
  lists[1].push_back(Actions({0x07, 0x06}));
  lists[2].push_back(std::move(big));
  lists[2].push_back(Actions({0x07}));
  const std::vector<uint16_t> sizes[] = {{}, {6, 0}, {256, 0}};
  for (int i = 0; i < 3; ++i) {
    CSwfDefineButton2 button;
    auto record = HitRecord(1);
    record->matrix->SetTranslate(3, 3);  // ends mid-byte, before the transform
    record->colorTransform->redAdd = 5;
    button.AddRecord(std::move(record));
    for (auto& list : lists[i]) {
      button.AddAction(std::move(list));
      button.AddCondition(8);
    }
    const Bytes bytes = Encode(button);
    EXPECT_EQ(button.actionSizes, sizes[i]);
    if (i == 0) {  // no lists: the records, a zero offset and the closing word
      EXPECT_EQ(Bytes(bytes.end() - 3, bytes.end()), (Bytes{0, 0, 0}));
    }
    CSwfDefineButton2 back;
    Decode(back, bytes);
    EXPECT_EQ(back.actions.size(), sizes[i].size());
    EXPECT_EQ(Hex(Encode(back)), Hex(bytes));
  }
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
  ASSERT_EQ(back.actions.size(), 1U);
  EXPECT_EQ(Hex(Encode(back)), Hex(bytes));
}

}  // namespace
}  // namespace swftk
