#include <gtest/gtest.h>

#include <functional>

#include "framed_bytes.h"
#include "swftk/edit_text.h"

namespace swftk {
namespace {

using test::Bytes;
using test::Concat;
using test::DamagedBodies;
using test::Decode;
using test::Encode;
using test::Hex;

// DefineEditText (37) framed.
Bytes Framed(const Bytes& body) {
  return test::Framed(tagcode::kDefineEditText, body);
}

const Bytes kEmptyRect = {0b00101'000, 0x00, 0x00, 0x00};
// (0, 20, 0, 20): n = 6.
const Bytes kSmallRect = {0b00110'000, 0b000'01010, 0b0'000000'0, 0b10100'000};

struct EditTextCase {
  const char* name;
  std::function<void(CSwfDefineEditText&)> build;
  Bytes body;
};

const std::vector<EditTextCase>& Cases() {
  static const std::vector<EditTextCase> cases = {
      {"colour and variable, no initial text",
       [](CSwfDefineEditText& e) {
         e.Init(2, std::make_unique<CSwfColorAlpha>(255, 0, 0, 255), "letter");
       },
       Concat({{0x02, 0x00},
               kEmptyRect,
               {0b0000'0100, 0b0000'0000},  // HasTextColor
               {0xFF, 0x00, 0x00, 0xFF},
               {'l', 'e', 't', 't', 'e', 'r', 0}})},
      {"font without layout values brings a zero layout block",
       [](CSwfDefineEditText& e) {
         e.SetFont(1, 240);
         e.variableName = std::string("t");
       },
       Concat({{0x01, 0x00},
               kEmptyRect,
               {0b0000'0001, 0b00'1'0'0'00'0},  // HasFont; HasLayout
               {0x01, 0x00, 0xF0, 0x00},
               {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00},
               {'t', 0}})},
      {"every field",
       [](CSwfDefineEditText& e) {
         e.Init(3, std::make_unique<CSwfColorAlpha>(1, 2, 3, 4), "v");
         e.bounds = std::make_unique<CSwfRect>(0, 20, 0, 20);
         e.SetFont(1, 600);
         e.SetMaxLength(8);
         e.SetLayout(2, 40, 41, 5, 20);
         e.SetInitialText("Hi");
         e.flags |= CSwfDefineEditText::kWordWrap | CSwfDefineEditText::kMultiline |
                    CSwfDefineEditText::kReadOnly | CSwfDefineEditText::kNoSelect |
                    CSwfDefineEditText::kBorder | CSwfDefineEditText::kUseOutlines;
       },
       Concat({{0x03, 0x00},
               kSmallRect,
               // HasText WordWrap Multiline -Password ReadOnly HasTextColor HasMaxLength
               // HasFont; 0 0 HasLayout NoSelect Border 0 0 UseOutlines
               {0b1'1'1'0'1'1'1'1, 0b0'0'1'1'1'0'0'1},
               {0x01, 0x00, 0x58, 0x02},
               {0x01, 0x02, 0x03, 0x04},
               {0x08, 0x00},
               {0x02, 0x28, 0x00, 0x29, 0x00, 0x05, 0x00, 0x14, 0x00},
               {'v', 0},
               {'H', 'i', 0}})},
      {"HTML, auto-size and later bits are not written",
       [](CSwfDefineEditText& e) {
         e.flags = 0x00C6 | CSwfDefineEditText::kBorder;
         e.variableName = std::string("x");
       },
       Concat({{0x01, 0x00}, kEmptyRect, {0x00, 0b0000'1'000}, {'x', 0}})},
      {"colour flag without a colour is not written",
       [](CSwfDefineEditText& e) {
         e.flags = CSwfDefineEditText::kHasTextColor;
         e.variableName = std::string("c");
       },
       Concat({{0x01, 0x00}, kEmptyRect, {0x00, 0x00}, {'c', 0}})},
  };
  return cases;
}

TEST(DefineEditText, EncodesEachCaseAndReadsItBack) {
  for (const EditTextCase& c : Cases()) {
    SCOPED_TRACE(c.name);
    CSwfDefineEditText edit;
    c.build(edit);
    const Bytes bytes = Encode(edit);
    EXPECT_EQ(Hex(bytes), Hex(Framed(c.body)));

    CSwfDefineEditText back;
    EXPECT_EQ(Decode(back, bytes), tagcode::kDefineEditText);
    EXPECT_EQ(Hex(Encode(back)), Hex(bytes));
    EXPECT_EQ(back.characterId, edit.characterId);
    EXPECT_EQ(back.variableName, edit.variableName);
    EXPECT_EQ(back.initialText, edit.initialText);
  }
}

TEST(DefineEditText, ResetGivesTheDefaults) {
  CSwfDefineEditText edit;
  edit.Init(9, std::make_unique<CSwfColorAlpha>(), "v");
  edit.SetFont(4, 300);
  edit.SetMaxLength(20);
  edit.SetInitialText("x");
  edit.bounds = std::make_unique<CSwfRect>(1, 2, 3, 4);
  edit.Reset();
  EXPECT_EQ(edit.characterId, 1);
  EXPECT_EQ(edit.flags, 0);
  EXPECT_EQ(edit.fontId, 0);
  EXPECT_EQ(edit.fontHeight, 100);
  EXPECT_EQ(edit.maxLength, 1);
  EXPECT_EQ(edit.bounds, nullptr);
  EXPECT_EQ(edit.textColor, nullptr);
  EXPECT_TRUE(edit.variableName.empty());
  EXPECT_TRUE(edit.initialText.empty());
}

TEST(DefineEditText, FontWithoutLayoutFromAnotherProducerKeepsTheVariableName) {
  const Bytes body = Concat({{0x05, 0x00},
                             kEmptyRect,
                             {0b0000'0001, 0x00},  // HasFont only
                             {0x02, 0x00, 0xF0, 0x00},
                             {'n', 'a', 'm', 'e', 0}});
  CSwfDefineEditText edit;
  Decode(edit, Framed(body));
  EXPECT_EQ(edit.fontId, 2);
  EXPECT_EQ(edit.fontHeight, 240);
  EXPECT_EQ(edit.variableName, "name");
  // Written back, the font brings its layout block.
  const Bytes expected = Concat({{0x05, 0x00},
                                 kEmptyRect,
                                 {0b0000'0001, 0b0010'0000},
                                 {0x02, 0x00, 0xF0, 0x00},
                                 Bytes(9, 0x00),
                                 {'n', 'a', 'm', 'e', 0}});
  EXPECT_EQ(Hex(Encode(edit)), Hex(Framed(expected)));
}

TEST(DefineEditText, TruncatedAndGarbageBodiesReadAndWriteStably) {
  CSwfDefineEditText full;
  Cases()[2].build(full);
  const std::vector<Bytes> bodies = DamagedBodies({test::Body(Encode(full))}, 37, 500, 62);
  for (const Bytes& body : bodies) {
    SCOPED_TRACE(Hex(body));
    CSwfDefineEditText edit;
    Decode(edit, Framed(body));
    const Bytes once = Encode(edit);
    CSwfDefineEditText again;
    Decode(again, once);
    EXPECT_EQ(Hex(Encode(again)), Hex(once));
  }
}

}  // namespace
}  // namespace swftk
