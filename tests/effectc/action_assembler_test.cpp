#include <gtest/gtest.h>

#include <bit>
#include <cstring>

#include "effectc/action_assembler.h"
#include "swftk/stream.h"

namespace effectc {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes AssembleBytes(std::vector<std::string> lines, const ScriptConstants& constants = {}) {
  swftk::ActionList actions;
  std::string error;
  EXPECT_TRUE(Assemble({"code", std::move(lines)}, constants, actions, error)) << error;
  swftk::CSwfStream out;
  for (const auto& action : actions) action->Write(out);
  return out.GetBytes();
}

std::string AssembleError(std::vector<std::string> lines) {
  swftk::ActionList actions;
  std::string error;
  EXPECT_FALSE(Assemble({"actions[0].code", std::move(lines)}, {}, actions, error));
  return error;
}

// The bytes of a float the way a Push stores it, little-endian.
Bytes FloatBytes(float value) {
  const auto bits = std::bit_cast<uint32_t>(value);
  return {static_cast<uint8_t>(bits), static_cast<uint8_t>(bits >> 8),
          static_cast<uint8_t>(bits >> 16), static_cast<uint8_t>(bits >> 24)};
}

Bytes PushNumber(float value) {
  Bytes bytes = {0x96, 0x05, 0x00, 0x01};
  const Bytes number = FloatBytes(value);
  bytes.insert(bytes.end(), number.begin(), number.end());
  return bytes;
}

TEST(ActionAssembler, Instructions) {
  struct Case {
    std::string line;
    Bytes bytes;
  };
  const Case cases[] = {
      {"stop", {0x07}},
      {"  Play   ; names are not case sensitive", {0x06}},
      {"getVariable", {0x1C}},
      {"setVariable", {0x1D}},
      {"random", {0x30}},
      {"stringExtract", {0x15}},
      {"startDrag", {0x27}},
      {"endDrag", {0x28}},
      {"push \"a:b\"", {0x96, 0x05, 0x00, 0x00, 'a', ':', 'b', 0x00}},
      {"push \"say \\\"hi\\\"\"",
       {0x96, 0x0A, 0x00, 0x00, 's', 'a', 'y', ' ', '"', 'h', 'i', '"', 0}},
      {"push \"\"", {0x96, 0x02, 0x00, 0x00, 0x00}},
      {"push 12.5", PushNumber(12.5F)},
      {"push _alpha", PushNumber(6)},
      {"push _name", PushNumber(13)},
      {"gotoFrame 1", {0x81, 0x02, 0x00, 0x00, 0x00}},
      {"gotoFrame 300", {0x81, 0x02, 0x00, 0x2B, 0x01}},
      {"getURL \"FSCommand:move\", \"\"",
       {0x83, 0x10, 0x00, 'F', 'S', 'C', 'o', 'm', 'm', 'a', 'n', 'd', ':', 'm', 'o', 'v', 'e', 0,
        0}},
      {"setTarget \"/a\"", {0x8B, 0x03, 0x00, '/', 'a', 0}},
      {"gotoLabel \"go\"", {0x8C, 0x03, 0x00, 'g', 'o', 0}},
      {"getURL2 2", {0x9A, 0x01, 0x00, 0x02}},
      {"gotoFrame2 play", {0x9F, 0x01, 0x00, 0x01}},
      {"gotoFrame2 stop", {0x9F, 0x01, 0x00, 0x00}},
      {"; only a comment", {}},
      {"", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(AssembleBytes({c.line}), c.bytes) << c.line;
}

TEST(ActionAssembler, OnePushPerValue) {
  Bytes expected = {0x96, 0x03, 0x00, 0x00, 'n', 0x00};
  const Bytes nine = PushNumber(9);
  expected.insert(expected.end(), nine.begin(), nine.end());
  EXPECT_EQ(AssembleBytes({"push \"n\", 9"}), expected);
}

TEST(ActionAssembler, BranchesCountBytesFromTheirOwnEnd) {
  // if skip (5 bytes) | push "x" (6 bytes) | skip: stop | jump back to the start (5 bytes)
  const Bytes bytes = AssembleBytes({"top:", "if skip", "push \"x\"", "skip:", "stop", "jump top"});
  const Bytes expected = {0x9D, 0x02, 0x00, 0x06, 0x00,        // if: +6
                          0x96, 0x03, 0x00, 0x00, 'x',  0x00,  // push "x"
                          0x07,                                // stop
                          0x99, 0x02, 0x00, 0xEF, 0xFF};       // jump: -17
  EXPECT_EQ(bytes, expected);
  // A label at the very end is the position after the last action.
  EXPECT_EQ(AssembleBytes({"jump end", "end:"}), (Bytes{0x99, 0x02, 0x00, 0x00, 0x00}));
}

TEST(ActionAssembler, ConstantsFillStrings) {
  EXPECT_EQ(AssembleBytes({"push \"[${glyphs}]\""}, {{"glyphs", "AB"}}),
            (Bytes{0x96, 0x06, 0x00, 0x00, '[', 'A', 'B', ']', 0x00}));
}

TEST(ActionAssembler, FaultsNameTheLine) {
  EXPECT_EQ(AssembleError({"stop", "pusj \"x\""}),
            "actions[0].code[1]: unknown instruction \"pusj\"");
  EXPECT_EQ(AssembleError({"jump nowhere"}),
            "actions[0].code[0]: label \"nowhere\" is not defined");
  EXPECT_EQ(AssembleError({"a:", "a:"}), "actions[0].code[1]: label \"a\" is defined twice");
  EXPECT_EQ(AssembleError({"push \"open"}), "actions[0].code[0]: a string is not closed");
  EXPECT_EQ(AssembleError({"push"}), "actions[0].code[0]: push needs at least one value");
  EXPECT_EQ(AssembleError({"push \"a\" \"b\""}),
            "actions[0].code[0]: expected a comma between operands");
  EXPECT_EQ(AssembleError({"push \"a\","}),
            "actions[0].code[0]: an operand is missing after the last comma");
  EXPECT_EQ(AssembleError({"push speed"}),
            "actions[0].code[0]: \"speed\" is neither a string, a number nor a property name");
  EXPECT_EQ(AssembleError({"stop 1"}), "actions[0].code[0]: expected no operands");
  EXPECT_EQ(AssembleError({"gotoFrame 0"}),
            "actions[0].code[0]: frames are whole numbers from 1 to 65536");
  EXPECT_EQ(AssembleError({"gotoFrame2 jump"}), "actions[0].code[0]: expected play or stop");
  EXPECT_EQ(AssembleError({"getURL \"a\""}), "actions[0].code[0]: expected a url and a target");
  EXPECT_EQ(AssembleError({"push \"caf\xC3\xA9\""}),
            "actions[0].code[0]: strings hold printable ASCII characters only");
  EXPECT_EQ(AssembleError({"push \"${nothing}\""}),
            "actions[0].code[0]: unknown constant \"${nothing}\"");
  EXPECT_EQ(AssembleError({"done: stop"}),
            "actions[0].code[0]: a label stands on a line of its own");
}

TEST(ActionAssembler, FarBranchesAreRefused) {
  // Each push of 300 characters takes 305 bytes; 110 of them pass 32767.
  std::vector<std::string> lines = {"jump end"};
  for (int i = 0; i < 110; ++i) lines.push_back("push \"" + std::string(300, 'x') + "\"");
  lines.push_back("end:");
  swftk::ActionList actions;
  std::string error;
  EXPECT_FALSE(Assemble({"code", lines}, {}, actions, error));
  EXPECT_EQ(error, "code[0]: label \"end\" is too far away");
}

}  // namespace
}  // namespace effectc
