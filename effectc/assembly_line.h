#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace effectc {

// One operand of an assembly line.
struct Token {
  enum class Kind : uint8_t { kString, kNumber, kWord };

  Kind kind = Kind::kWord;
  std::string text;
  double number = 0;
};

// A line of assembly: a label, or an instruction with its operands, or nothing.
struct Line {
  std::string label;
  std::string mnemonic;
  std::vector<Token> operands;
};

// Splits a line into its label or its instruction and operands; ';' outside a string starts a
// comment. False with the fault in error.
bool ScanLine(std::string_view text, Line& line, std::string& error);

}  // namespace effectc
