#pragma once

#include <memory>
#include <vector>

#include "swftk/actions.h"
#include "swftk/object.h"
#include "swftk/records.h"

namespace swftk {

// One character a button shows in the states its flags name.
struct ButtonRecord {
  static constexpr uint8_t kHitTest = 0x08;
  static constexpr uint8_t kDown = 0x04;
  static constexpr uint8_t kOver = 0x02;
  static constexpr uint8_t kUp = 0x01;

  uint8_t states = 0;
  uint16_t characterId = 0;
  uint16_t depth = 0;
  std::unique_ptr<CSwfMatrix> matrix;
  std::unique_ptr<CSwfColorTransformAlpha> colorTransform;  // DefineButton2 only
};

// DefineButton: records, then action lists run on release.
class CSwfDefineButton : public CSwfCharacterTag {
 public:
  uint16_t GetTagCode() const override { return tagcode::kDefineButton; }
  void Clear() override;
  uint32_t Read(CSwfReader& reader) override;
  uint32_t Write(CSwfStream& out) const override;

  void AddRecord(std::unique_ptr<ButtonRecord> record) { records.push_back(std::move(record)); }
  void AddAction(std::unique_ptr<CSwfDoAction> action) { actions.push_back(std::move(action)); }

  std::vector<std::unique_ptr<ButtonRecord>> records;
  std::vector<std::unique_ptr<CSwfDoAction>> actions;

 protected:
  // Records up to their zero end byte; with colour transforms for DefineButton2.
  void ReadRecords(CSwfReader& reader, bool withColorTransform);
  void WriteRecords(CSwfStream& out, bool withColorTransform) const;
};

// DefineButton2: action lists with condition words.
class CSwfDefineButton2 : public CSwfDefineButton {
 public:
  // Released inside: the condition of the engine's link button.
  static constexpr uint16_t kOverDownToOverUp = 0x08;

  uint16_t GetTagCode() const override { return tagcode::kDefineButton2; }
  void Clear() override;
  uint32_t Read(CSwfReader& reader) override;
  uint32_t Write(CSwfStream& out) const override;

  void AddCondition(uint16_t condition) { conditions.push_back(condition); }

  uint8_t trackAsMenu = 0;
  std::vector<uint16_t> conditions;
  mutable std::vector<uint16_t> actionSizes;  // rebuilt on every write
};

}  // namespace swftk
