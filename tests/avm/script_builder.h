#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "avm/action_codes.h"

namespace avm::test {

// Writes action bytes by hand: pushes of every value type, plain actions and actions with
// payloads.
class ScriptBuilder {
 public:
  ScriptBuilder& Str(const std::string& text) { return Push(0, Terminated(text)); }
  ScriptBuilder& Num(double number) {
    uint64_t bits;
    std::memcpy(&bits, &number, sizeof bits);
    // High word first, each word little-endian.
    return Push(6, Le(bits >> 32 | bits << 32, 8));
  }
  ScriptBuilder& Float(float number) {
    uint32_t bits;
    std::memcpy(&bits, &number, sizeof bits);
    return Push(1, Le(bits, 4));
  }
  ScriptBuilder& Int(int32_t number) { return Push(7, Le(static_cast<uint32_t>(number), 4)); }
  ScriptBuilder& Bool(bool value) { return Push(5, {static_cast<uint8_t>(value)}); }
  ScriptBuilder& Undefined() { return Push(3, {}); }
  ScriptBuilder& Op(uint8_t code) {
    bytes_.push_back(code);
    return *this;
  }
  ScriptBuilder& Trace() { return Op(op::kTrace); }
  // Push name, push value, SetVariable.
  ScriptBuilder& Set(const std::string& name, double value) {
    return Str(name).Num(value).Op(op::kSetVariable);
  }
  ScriptBuilder& Get(const std::string& name) { return Str(name).Op(op::kGetVariable); }
  // An action with a payload given as raw bytes.
  ScriptBuilder& With(uint8_t code, const std::vector<uint8_t>& payload) {
    Op(code);
    bytes_.push_back(static_cast<uint8_t>(payload.size() & 0xFF));
    bytes_.push_back(static_cast<uint8_t>(payload.size() >> 8));
    bytes_.insert(bytes_.end(), payload.begin(), payload.end());
    return *this;
  }
  ScriptBuilder& Text(uint8_t code, const std::string& text) {
    return With(code, Terminated(text));
  }
  // Jump or If by a byte offset from the end of the branch.
  ScriptBuilder& Branch(uint8_t code, int16_t offset) {
    return With(code, Le(static_cast<uint16_t>(offset), 2));
  }
  size_t Size() const { return bytes_.size(); }
  std::vector<uint8_t> Build() const {
    std::vector<uint8_t> bytes = bytes_;
    bytes.push_back(0);
    return bytes;
  }

 private:
  ScriptBuilder& Push(uint8_t type, std::vector<uint8_t> value) {
    value.insert(value.begin(), type);
    return With(op::kPush, value);
  }
  static std::vector<uint8_t> Terminated(const std::string& text) {
    std::vector<uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
  }
  static std::vector<uint8_t> Le(uint64_t value, int count) {
    std::vector<uint8_t> bytes;
    for (int i = 0; i < count; ++i) bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
    return bytes;
  }

  std::vector<uint8_t> bytes_;
};

}  // namespace avm::test
