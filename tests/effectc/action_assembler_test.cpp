#include <gtest/gtest.h>

#include <bit>

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

Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// A push of one number: a float, little-endian.
Bytes PushNumber(float value) {
  const auto bits = std::bit_cast<uint32_t>(value);
  return {0x96,
          0x05,
          0x00,
          0x01,
          static_cast<uint8_t>(bits),
          static_cast<uint8_t>(bits >> 8),
          static_cast<uint8_t>(bits >> 16),
          static_cast<uint8_t>(bits >> 24)};
}

TEST(ActionAssembler, Instructions) {
  const std::pair<std::string, Bytes> cases[] = {
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
      {"push \"[${glyphs}]\"", {0x96, 0x06, 0x00, 0x00, '[', 'A', 'B', ']', 0x00}},
      {"push 12.5", PushNumber(12.5F)},
      {"push _alpha", PushNumber(6)},
      {"push _name", PushNumber(13)},
      // One push per value.
      {"push \"n\", 9", Bytes{0x96, 0x03, 0x00, 0x00, 'n', 0x00} + PushNumber(9)},
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
  for (const auto& [line, bytes] : cases) {
    EXPECT_EQ(AssembleBytes({line}, {{"glyphs", "AB"}}), bytes) << line;
  }
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

TEST(ActionAssembler, FaultsNameTheLine) {
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"stop", "pusj \"x\""}, "[1]: unknown instruction \"pusj\""},
      {{"jump nowhere"}, "[0]: label \"nowhere\" is not defined"},
      {{"a:", "a:"}, "[1]: label \"a\" is defined twice"},
      {{"push \"open"}, "[0]: a string is not closed"},
      {{"push"}, "[0]: push needs at least one value"},
      {{"push \"a\" \"b\""}, "[0]: expected a comma between operands"},
      {{"push \"a\","}, "[0]: an operand is missing after the last comma"},
      {{"push speed"}, "[0]: \"speed\" is neither a string, a number nor a property name"},
      {{"stop 1"}, "[0]: expected no operands"},
      {{"gotoFrame 0"}, "[0]: frames are whole numbers from 1 to 65536"},
      {{"gotoFrame2 jump"}, "[0]: expected play or stop"},
      {{"getURL \"a\""}, "[0]: expected a url and a target"},
      {{"push \"caf\xC3\xA9\""}, "[0]: strings hold printable ASCII characters only"},
      {{"push \"${nothing}\""}, "[0]: unknown constant \"${nothing}\""},
      {{"done: stop"}, "[0]: a label stands on a line of its own"},
  };
  for (const auto& [lines, error] : cases) {
    EXPECT_EQ(AssembleError(lines), "actions[0].code" + error) << lines.back();
  }
  // Each push of 300 characters takes 305 bytes; 110 of them pass 32767.
  std::vector<std::string> far = {"jump end"};
  far.insert(far.end(), 110, "push \"" + std::string(300, 'x') + "\"");
  far.push_back("end:");
  EXPECT_EQ(AssembleError(far), "actions[0].code[0]: label \"end\" is too far away");
}

}  // namespace
}  // namespace effectc
