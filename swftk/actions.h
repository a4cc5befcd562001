#pragma once

#include <memory>
#include <span>
#include <string>
#include <vector>

#include "swftk/object.h"
#include "swftk/record_pool.h"

namespace swftk {

// Action codes the toolkit names in code.
namespace actioncode {
inline constexpr uint8_t kEnd = 0x00;
inline constexpr uint8_t kNextFrame = 0x04;
inline constexpr uint8_t kPrevFrame = 0x05;
inline constexpr uint8_t kPlay = 0x06;
inline constexpr uint8_t kStop = 0x07;
inline constexpr uint8_t kGetVariable = 0x1C;
inline constexpr uint8_t kSetVariable = 0x1D;
inline constexpr uint8_t kGotoFrame = 0x81;
inline constexpr uint8_t kGetUrl = 0x83;
inline constexpr uint8_t kGoToLabel = 0x8C;
inline constexpr uint8_t kPush = 0x96;
inline constexpr uint8_t kGetUrl2 = 0x9A;
}  // namespace actioncode

// Base of action records: a code byte, and for codes from 0x80 on a length and payload.
class CSwfActionRecord : public CSwfObj {
 public:
  virtual uint8_t GetActionCode() const = 0;

  // Scripts hold actions by the thousand, most a few dozen bytes.
  static void* operator new(std::size_t size) { return AllocateRecord(size); }
  static void operator delete(void* record, std::size_t size) noexcept { FreeRecord(record, size); }

 protected:
  // Appends code, length and payload.
  uint32_t WriteFramedAction(CSwfStream& out, CSwfStream& payload) const;
};

// An action without payload: Play, Stop, GetVariable, SetVariable.
template <uint8_t Code>
class CSwfSimpleAction : public CSwfActionRecord {
 public:
  uint8_t GetActionCode() const override { return Code; }
  virtual void CopyFrom(const CSwfSimpleAction&) {}
  uint32_t Read(CSwfReader&) override { return 0; }
  uint32_t Write(CSwfStream& out) const override;
};

using CSwfActionPlay = CSwfSimpleAction<actioncode::kPlay>;
using CSwfActionStop = CSwfSimpleAction<actioncode::kStop>;
using CSwfActionEval = CSwfSimpleAction<actioncode::kGetVariable>;
using CSwfActionSetVariable = CSwfSimpleAction<actioncode::kSetVariable>;

class CSwfActionGotoFrame : public CSwfActionRecord {
 public:
  explicit CSwfActionGotoFrame(uint16_t frame = 0) : frame(frame) {}
  uint8_t GetActionCode() const override { return actioncode::kGotoFrame; }
  virtual void CopyFrom(const CSwfActionGotoFrame& other) { frame = other.frame; }
  uint32_t Read(CSwfReader& reader) override;
  uint32_t Write(CSwfStream& out) const override;

  uint16_t frame = 0;
};

class CSwfActionGetUrl : public CSwfActionRecord {
 public:
  CSwfActionGetUrl() = default;
  CSwfActionGetUrl(std::string url, std::string target)
      : url(std::move(url)), target(std::move(target)) {}
  uint8_t GetActionCode() const override { return actioncode::kGetUrl; }
  virtual void CopyFrom(const CSwfActionGetUrl& other);
  uint32_t Read(CSwfReader& reader) override;
  uint32_t Write(CSwfStream& out) const override;

  std::string url;
  std::string target;
};

// A Push of exactly one string or one number; other pushes stay unknown actions.
class CSwfActionPush : public CSwfActionRecord {
 public:
  static constexpr uint8_t kString = 0;
  static constexpr uint8_t kNumber = 1;

  CSwfActionPush() = default;
  explicit CSwfActionPush(std::string text) : text(std::move(text)) {}
  uint8_t GetActionCode() const override { return actioncode::kPush; }
  virtual void CopyFrom(const CSwfActionPush& other);
  uint32_t Read(CSwfReader& reader) override;
  uint32_t Write(CSwfStream& out) const override;
  // True when the payload holds exactly one string or one number.
  static bool IsSingleValue(const std::vector<uint8_t>& payload);
  static bool IsSingleValue(std::span<const uint8_t> payload);

  uint8_t valueType = kString;
  uint32_t number = 0;  // IEEE single-precision bits, kept exactly
  std::string text;
};

class CSwfActionGetUrl2 : public CSwfActionRecord {
 public:
  explicit CSwfActionGetUrl2(uint8_t method = 0) : method(method) {}
  uint8_t GetActionCode() const override { return actioncode::kGetUrl2; }
  virtual uint8_t GetMethod() const { return method; }
  virtual void CopyFrom(const CSwfActionGetUrl2& other) { method = other.method; }
  uint32_t Read(CSwfReader& reader) override;
  uint32_t Write(CSwfStream& out) const override;

  uint8_t method = 0;
};

// Any other action, kept byte for byte.
class CSwfActionUnknown : public CSwfActionRecord {
 public:
  explicit CSwfActionUnknown(uint8_t code = 0) : code(code) {}
  CSwfActionUnknown(uint8_t code, std::vector<uint8_t> data) : code(code), data(std::move(data)) {}
  uint8_t GetActionCode() const override { return code; }
  virtual std::vector<uint8_t> GetData() const { return data; }
  virtual void CopyFrom(const CSwfActionUnknown& other);
  uint32_t Read(CSwfReader& reader) override;
  uint32_t Write(CSwfStream& out) const override;

  uint8_t code = 0;
  std::vector<uint8_t> data;
};

using ActionList = std::vector<std::unique_ptr<CSwfActionRecord>>;

// DoAction: a list of actions ended by a zero byte.
class CSwfDoAction : public CSwfTag {
 public:
  CSwfDoAction() = default;
  CSwfDoAction(const CSwfDoAction& other) : CSwfTag() { CopyFrom(other); }

  uint16_t GetTagCode() const override { return tagcode::kDoAction; }
  void Clear() override { actions.clear(); }
  // Appends the actions read to those already held.
  uint32_t Read(CSwfReader& reader) override;
  uint32_t Write(CSwfStream& out) const override { return WriteBody(out, true); }
  virtual uint32_t WriteBody(CSwfStream& out, bool withHeader) const;
  // Clones by writing the source and reading the bytes back; meant for a new DoAction.
  virtual void CopyFrom(const CSwfDoAction& source);
  void AddAction(std::unique_ptr<CSwfActionRecord> action) { actions.push_back(std::move(action)); }

  ActionList actions;
};

}  // namespace swftk
