#include <gtest/gtest.h>

#include "swftk/actions.h"
#include "swftk/reader.h"
#include "swftk/sprite.h"
#include "test_bytes.h"

namespace swftk {
namespace {

using test::Bytes;
using test::Decode;
using test::Encode;

TEST(Actions, Encodings) {
  struct Case {
    const CSwfActionRecord& action;
    Bytes bytes;
  };
  const CSwfActionGetUrl url("a.htm", "_blank");
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
  };
  for (const Case& c : cases) EXPECT_EQ(Encode(c.action), c.bytes);
}

TEST(DoAction, SetsAVariableWithTwoPushes) {
  CSwfDoAction doAction;
  doAction.AddAction(std::make_unique<CSwfActionPush>("textlen"));
  doAction.AddAction(std::make_unique<CSwfActionPush>("12"));
  doAction.AddAction(std::make_unique<CSwfActionSetVariable>());
  const Bytes expected = {0x15, 0x03, 0x96, 0x09, 0x00, 0x00, 't', 'e', 'x',  't',  'l', 'e',
                          'n',  0x00, 0x96, 0x04, 0x00, 0x00, '1', '2', 0x00, 0x1D, 0x00};
  EXPECT_EQ(Encode(doAction), expected);
  EXPECT_EQ(Encode(CSwfDoAction()), (Bytes{0x01, 0x03, 0x00}));
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
  Bytes framed = {0x3F, 0x03, static_cast<uint8_t>(body.size()), 0, 0, 0};
  framed.insert(framed.end(), body.begin(), body.end());
  CSwfDoAction doAction;
  Decode(doAction, framed);
  ASSERT_EQ(doAction.actions.size(), 10U);
  const auto& a = doAction.actions;
  EXPECT_NE(dynamic_cast<CSwfActionUnknown*>(a[0].get()), nullptr);
  EXPECT_NE(dynamic_cast<CSwfActionUnknown*>(a[1].get()), nullptr);
  EXPECT_NE(dynamic_cast<CSwfActionUnknown*>(a[2].get()), nullptr);
  const auto* number = dynamic_cast<CSwfActionPush*>(a[3].get());
  ASSERT_NE(number, nullptr);
  EXPECT_EQ(number->number, 0x3F800000U);
  EXPECT_NE(dynamic_cast<CSwfActionUnknown*>(a[4].get()), nullptr) << "two values";
  EXPECT_NE(dynamic_cast<CSwfActionUnknown*>(a[5].get()), nullptr) << "other types";
  const auto* empty = dynamic_cast<CSwfActionPush*>(a[6].get());
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(empty->text, "");
  EXPECT_EQ(dynamic_cast<CSwfActionGetUrl2*>(a[7].get())->GetMethod(), 2);
  EXPECT_NE(dynamic_cast<CSwfActionEval*>(a[8].get()), nullptr);
  Bytes again = Encode(doAction);
  EXPECT_EQ(Bytes(again.begin() + 2, again.end()), body) << test::Hex(again);
}

TEST(DoAction, AnActionLengthPastTheTagEndsTheList) {
  const Bytes framed = {0x05, 0x03, 0x07, 0x96, 0x40, 0x00, 0x00};
  CSwfDoAction doAction;
  Decode(doAction, framed);
  ASSERT_EQ(doAction.actions.size(), 2U);
  EXPECT_EQ(doAction.actions[1]->GetActionCode(), 0x96);
}

TEST(DoAction, GetUrlReadsBackAndTheNextActionFollows) {
  CSwfDoAction doAction;
  doAction.AddAction(std::make_unique<CSwfActionGetUrl>("a.htm", "_blank"));
  doAction.AddAction(std::make_unique<CSwfActionStop>());
  CSwfDoAction back;
  back.CopyFrom(doAction);
  ASSERT_EQ(back.actions.size(), 2U);
  CSwfActionGetUrl url;
  CSwfReader reader;
  reader.OpenFromBytes(Encode(*doAction.actions[0]));
  reader.ReadUI8();
  url.Read(reader);
  EXPECT_EQ(url.url, "a.htm");
  EXPECT_EQ(url.target, "_blank");
  EXPECT_EQ(back.actions[1]->GetActionCode(), actioncode::kStop);
  EXPECT_EQ(Encode(back), Encode(doAction));
}

}  // namespace
}  // namespace swftk
