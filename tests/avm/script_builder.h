#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "avm/action_codes.h"

namespace avm::test {

// Writes action bytes by hand: pushes of every value type, plain actions and actions with
// payloads, and branches to labels placed later.
class ScriptBuilder {
 public:
  ScriptBuilder& Str(const std::string& text) {
    Begin(op::kPush);
    bytes_.push_back(0);
    bytes_.insert(bytes_.end(), text.begin(), text.end());
    bytes_.push_back(0);
    return End();
  }
  ScriptBuilder& Num(double number) {
    Begin(op::kPush);
    bytes_.push_back(6);
    uint64_t bits;
    std::memcpy(&bits, &number, sizeof bits);
    Word(static_cast<uint32_t>(bits >> 32));
    Word(static_cast<uint32_t>(bits));
    return End();
  }
  ScriptBuilder& Float(float number) {
    Begin(op::kPush);
    bytes_.push_back(1);
    uint32_t bits;
    std::memcpy(&bits, &number, sizeof bits);
    Word(bits);
    return End();
  }
  ScriptBuilder& Int(int32_t number) {
    Begin(op::kPush);
    bytes_.push_back(7);
    Word(static_cast<uint32_t>(number));
    return End();
  }
  ScriptBuilder& Bool(bool value) {
    Begin(op::kPush);
    bytes_.push_back(5);
    bytes_.push_back(value ? 1 : 0);
    return End();
  }
  ScriptBuilder& Undefined() {
    Begin(op::kPush);
    bytes_.push_back(3);
    return End();
  }
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
    Begin(code);
    bytes_.insert(bytes_.end(), payload.begin(), payload.end());
    return End();
  }
  ScriptBuilder& Text(uint8_t code, const std::string& text) {
    std::vector<uint8_t> payload(text.begin(), text.end());
    payload.push_back(0);
    return With(code, payload);
  }
  // Jump or If by a byte offset from the end of the branch.
  ScriptBuilder& Branch(uint8_t code, int16_t offset) {
    return With(code,
                {static_cast<uint8_t>(offset & 0xFF), static_cast<uint8_t>(offset >> 8 & 0xFF)});
  }
  size_t Size() const { return bytes_.size(); }
  std::vector<uint8_t> Build() const {
    std::vector<uint8_t> bytes = bytes_;
    bytes.push_back(0);
    return bytes;
  }

 private:
  void Begin(uint8_t code) {
    bytes_.push_back(code);
    lengthAt_ = bytes_.size();
    bytes_.push_back(0);
    bytes_.push_back(0);
  }
  ScriptBuilder& End() {
    const size_t length = bytes_.size() - lengthAt_ - 2;
    bytes_[lengthAt_] = static_cast<uint8_t>(length & 0xFF);
    bytes_[lengthAt_ + 1] = static_cast<uint8_t>(length >> 8);
    return *this;
  }
  void Word(uint32_t word) {
    for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<uint8_t>(word >> (8 * i)));
  }

  std::vector<uint8_t> bytes_;
  size_t lengthAt_ = 0;
};

}  // namespace avm::test
