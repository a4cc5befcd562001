#include "effectc/action_assembler.h"

#include <array>
#include <bit>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>
#include <vector>

#include "effectc/assembly_line.h"
#include "effectc/text_rules.h"
#include "swftk/stream.h"

namespace effectc {
namespace {

using swftk::CSwfActionRecord;

// An action's payload length is 16 bits; a pushed string shares it with its type byte and
// its terminator.
constexpr size_t kMaxStringBytes = UINT16_MAX - 2;

// What follows an instruction's name.
enum class Operands : uint8_t {
  kNone,
  kValues,      // push: one or more strings, numbers or property names
  kFrame,       // a frame number from 1
  kString,      // one string
  kTwoStrings,  // url and target
  kLabel,       // a label of the same script
  kByte,        // a number from 0 to 255
  kPlayOrStop,  // the word play or stop
};

struct Instruction {
  std::string_view name;
  uint8_t code;
  Operands operands;
};

constexpr std::array<Instruction, 49> kInstructions{{
    {"nextFrame", 0x04, Operands::kNone},
    {"prevFrame", 0x05, Operands::kNone},
    {"play", 0x06, Operands::kNone},
    {"stop", 0x07, Operands::kNone},
    {"toggleQuality", 0x08, Operands::kNone},
    {"stopSounds", 0x09, Operands::kNone},
    {"add", 0x0A, Operands::kNone},
    {"subtract", 0x0B, Operands::kNone},
    {"multiply", 0x0C, Operands::kNone},
    {"divide", 0x0D, Operands::kNone},
    {"equals", 0x0E, Operands::kNone},
    {"less", 0x0F, Operands::kNone},
    {"and", 0x10, Operands::kNone},
    {"or", 0x11, Operands::kNone},
    {"not", 0x12, Operands::kNone},
    {"stringEquals", 0x13, Operands::kNone},
    {"stringLength", 0x14, Operands::kNone},
    {"stringExtract", 0x15, Operands::kNone},
    {"pop", 0x17, Operands::kNone},
    {"toInteger", 0x18, Operands::kNone},
    {"getVariable", 0x1C, Operands::kNone},
    {"setVariable", 0x1D, Operands::kNone},
    {"setTarget2", 0x20, Operands::kNone},
    {"stringAdd", 0x21, Operands::kNone},
    {"getProperty", 0x22, Operands::kNone},
    {"setProperty", 0x23, Operands::kNone},
    {"cloneSprite", 0x24, Operands::kNone},
    {"removeSprite", 0x25, Operands::kNone},
    {"trace", 0x26, Operands::kNone},
    {"startDrag", 0x27, Operands::kNone},
    {"endDrag", 0x28, Operands::kNone},
    {"stringLess", 0x29, Operands::kNone},
    {"random", 0x30, Operands::kNone},
    {"mbStringLength", 0x31, Operands::kNone},
    {"charToAscii", 0x32, Operands::kNone},
    {"asciiToChar", 0x33, Operands::kNone},
    {"getTime", 0x34, Operands::kNone},
    {"mbStringExtract", 0x35, Operands::kNone},
    {"mbCharToAscii", 0x36, Operands::kNone},
    {"mbAsciiToChar", 0x37, Operands::kNone},
    {"gotoFrame", 0x81, Operands::kFrame},
    {"getURL", 0x83, Operands::kTwoStrings},
    {"setTarget", 0x8B, Operands::kString},
    {"gotoLabel", 0x8C, Operands::kString},
    {"push", 0x96, Operands::kValues},
    {"jump", 0x99, Operands::kLabel},
    {"getURL2", 0x9A, Operands::kByte},
    {"if", 0x9D, Operands::kLabel},
    {"gotoFrame2", 0x9F, Operands::kPlayOrStop},
}};

// The property numbers of getProperty and setProperty.
constexpr std::array<std::string_view, 19> kProperties{
    "_x",           "_y",           "_xscale",       "_yscale",      "_currentframe",
    "_totalframes", "_alpha",       "_visible",      "_width",       "_height",
    "_rotation",    "_target",      "_framesloaded", "_name",        "_droptarget",
    "_url",         "_highquality", "_focusrect",    "_soundbuftime"};

const Instruction* FindInstruction(std::string_view name) {
  for (const Instruction& instruction : kInstructions) {
    if (EqualsIgnoringCase(instruction.name, name)) return &instruction;
  }
  return nullptr;
}

std::optional<int> PropertyNumber(std::string_view name) {
  for (size_t i = 0; i < kProperties.size(); ++i) {
    if (EqualsIgnoringCase(kProperties[i], name)) return static_cast<int>(i);
  }
  return std::nullopt;
}

// Replaces every "${name}" by its constant.
bool Substitute(std::string& text, const ScriptConstants& constants, std::string& error) {
  std::string result;
  size_t pos = 0;
  for (size_t open = text.find("${"); open != std::string::npos; open = text.find("${", pos)) {
    const size_t close = text.find('}', open);
    if (close == std::string::npos) {
      error = "\"${\" without a closing \"}\"";
      return false;
    }
    const std::string name = text.substr(open + 2, close - open - 2);
    const auto found = constants.find(name);
    if (found == constants.end()) {
      error = "unknown constant \"${" + name + "}\"";
      return false;
    }
    result += text.substr(pos, open - pos) + found->second;
    pos = close + 1;
  }
  text = result + text.substr(pos);
  return true;
}

std::unique_ptr<swftk::CSwfActionPush> PushNumber(double value) {
  auto push = std::make_unique<swftk::CSwfActionPush>();
  push->valueType = swftk::CSwfActionPush::kNumber;
  push->number = std::bit_cast<uint32_t>(static_cast<float>(value));
  return push;
}

// An action whose payload is raw bytes.
std::unique_ptr<CSwfActionRecord> RawAction(uint8_t code, std::vector<uint8_t> payload = {}) {
  return std::make_unique<swftk::CSwfActionUnknown>(code, std::move(payload));
}

std::vector<uint8_t> LittleEndian16(int value) {
  return {static_cast<uint8_t>(value & 0xFF), static_cast<uint8_t>((value >> 8) & 0xFF)};
}

uint32_t EncodedSize(const CSwfActionRecord& action) {
  swftk::CSwfStream bytes;
  action.Write(bytes);
  return static_cast<uint32_t>(bytes.ByteCount());
}

// A jump or branch waiting for the position of its label.
struct Branch {
  size_t action = 0;
  std::string label;
  std::string where;
};

class Assembly {
 public:
  Assembly(const ScriptConstants& constants, swftk::ActionList& out)
      : constants_(constants), out_(out), first_(out.size()) {}

  bool AddLine(const Line& line, std::string& error) {
    if (!line.label.empty()) {
      if (!labels_.emplace(line.label, out_.size()).second) {
        error = "label \"" + line.label + "\" is defined twice";
        return false;
      }
      return true;
    }
    if (line.mnemonic.empty()) return true;
    const Instruction* instruction = FindInstruction(line.mnemonic);
    if (instruction == nullptr) {
      error = "unknown instruction \"" + line.mnemonic + "\"";
      return false;
    }
    return AddInstruction(*instruction, line.operands, error);
  }

  // Fills in the branch offsets, which count bytes from the end of the branch. Branches stay
  // within their script, so only its own actions are measured: scripts that share a list are
  // each measured once.
  bool ResolveBranches(std::string& error) {
    // start[k]: where the script's action k begins, from the script's start.
    std::vector<int64_t> start(out_.size() - first_ + 1, 0);
    for (size_t k = 0; k + first_ < out_.size(); ++k)
      start[k + 1] = start[k] + EncodedSize(*out_[k + first_]);
    for (const Branch& branch : branches_) {
      const auto target = labels_.find(branch.label);
      if (target == labels_.end()) {
        error = branch.where + "label \"" + branch.label + "\" is not defined";
        return false;
      }
      const int64_t offset = start[target->second - first_] - start[branch.action + 1 - first_];
      if (offset < std::numeric_limits<int16_t>::min() ||
          offset > std::numeric_limits<int16_t>::max()) {
        error = branch.where + "label \"" + branch.label + "\" is too far away";
        return false;
      }
      static_cast<swftk::CSwfActionUnknown&>(*out_[branch.action]).data =
          LittleEndian16(static_cast<int>(offset));
    }
    return true;
  }

  std::string where;

 private:
  bool Expect(const std::vector<Token>& operands, size_t count, std::string_view what,
              std::string& error) const {
    if (operands.size() == count) return true;
    error = "expected " + std::string(what);
    return false;
  }

  bool StringOperand(Token token, std::string& text, std::string& error) const {
    if (token.kind != Token::Kind::kString) {
      error = "expected a string in double quotes, found " + token.text;
      return false;
    }
    if (!Substitute(token.text, constants_, error)) return false;
    if (!IsPlainText(token.text)) {
      error = "strings hold printable ASCII characters only";
      return false;
    }
    if (token.text.size() > kMaxStringBytes) {
      error = "a string holds at most " + std::to_string(kMaxStringBytes) + " bytes, not " +
              std::to_string(token.text.size());
      return false;
    }
    text = std::move(token.text);
    return true;
  }

  bool AddPush(const std::vector<Token>& operands, std::string& error) {
    if (operands.empty()) {
      error = "push needs at least one value";
      return false;
    }
    for (const Token& token : operands) {
      if (token.kind == Token::Kind::kNumber) {
        out_.push_back(PushNumber(token.number));
      } else if (token.kind == Token::Kind::kWord) {
        const std::optional<int> property = PropertyNumber(token.text);
        if (!property) {
          error = "\"" + token.text + "\" is neither a string, a number nor a property name";
          return false;
        }
        out_.push_back(PushNumber(*property));
      } else {
        std::string text;
        if (!StringOperand(token, text, error)) return false;
        out_.push_back(std::make_unique<swftk::CSwfActionPush>(std::move(text)));
      }
    }
    return true;
  }

  bool AddInstruction(const Instruction& instruction, const std::vector<Token>& operands,
                      std::string& error) {
    const uint8_t code = instruction.code;
    switch (instruction.operands) {
      case Operands::kNone:
        if (!Expect(operands, 0, "no operands", error)) return false;
        out_.push_back(RawAction(code, {}));
        return true;
      case Operands::kValues:
        return AddPush(operands, error);
      case Operands::kFrame: {
        if (!Expect(operands, 1, "a frame number", error)) return false;
        const double frame = operands[0].number;
        if (operands[0].kind != Token::Kind::kNumber || frame < 1 || frame > 65536 ||
            frame != static_cast<int>(frame)) {
          error = "frames are whole numbers from 1 to 65536";
          return false;
        }
        out_.push_back(
            std::make_unique<swftk::CSwfActionGotoFrame>(static_cast<uint16_t>(frame - 1)));
        return true;
      }
      case Operands::kString: {
        std::string text;
        if (!Expect(operands, 1, "one string", error) || !StringOperand(operands[0], text, error))
          return false;
        std::vector<uint8_t> payload(text.begin(), text.end());
        payload.push_back(0);
        out_.push_back(RawAction(code, std::move(payload)));
        return true;
      }
      case Operands::kTwoStrings: {
        std::string url;
        std::string target;
        if (!Expect(operands, 2, "a url and a target", error) ||
            !StringOperand(operands[0], url, error) || !StringOperand(operands[1], target, error))
          return false;
        out_.push_back(std::make_unique<swftk::CSwfActionGetUrl>(url, target));
        return true;
      }
      case Operands::kLabel:
        if (!Expect(operands, 1, "a label", error)) return false;
        if (operands[0].kind != Token::Kind::kWord) {
          error = "expected a label name";
          return false;
        }
        branches_.push_back({out_.size(), operands[0].text, where});
        out_.push_back(RawAction(code, LittleEndian16(0)));
        return true;
      case Operands::kByte: {
        if (!Expect(operands, 1, "a number from 0 to 255", error)) return false;
        const double value = operands[0].number;
        if (operands[0].kind != Token::Kind::kNumber || value < 0 || value > 255 ||
            value != static_cast<int>(value)) {
          error = "expected a number from 0 to 255";
          return false;
        }
        out_.push_back(RawAction(code, {static_cast<uint8_t>(value)}));
        return true;
      }
      case Operands::kPlayOrStop: {
        if (!Expect(operands, 1, "play or stop", error)) return false;
        const bool play = EqualsIgnoringCase(operands[0].text, "play");
        if (!play && !EqualsIgnoringCase(operands[0].text, "stop")) {
          error = "expected play or stop";
          return false;
        }
        out_.push_back(RawAction(code, {static_cast<uint8_t>(play ? 1 : 0)}));
        return true;
      }
    }
    return false;
  }

  const ScriptConstants& constants_;
  swftk::ActionList& out_;
  // The script's first action in out_; those before it belong to other scripts.
  size_t first_ = 0;
  std::map<std::string, size_t> labels_;
  std::vector<Branch> branches_;
};

}  // namespace

bool Assemble(const Script& script, const ScriptConstants& constants, swftk::ActionList& out,
              std::string& error) {
  Assembly assembly(constants, out);
  for (size_t i = 0; i < script.lines.size(); ++i) {
    assembly.where = script.origin + "[" + std::to_string(i) + "]: ";
    Line line;
    std::string fault;
    if (!ScanLine(script.lines[i], line, fault) || !assembly.AddLine(line, fault)) {
      error = assembly.where + fault;
      return false;
    }
  }
  return assembly.ResolveBranches(error);
}

}  // namespace effectc
