#pragma once

#include <memory>
#include <string>

#include "swftk/object.h"
#include "swftk/records.h"

namespace swftk {

// PlaceObject: character, depth, matrix and an optional colour transform.
class CSwfPlaceObject : public CSwfTag {
 public:
  CSwfPlaceObject() = default;
  CSwfPlaceObject(uint16_t characterId, uint16_t depth) : characterId(characterId), depth(depth) {}

  uint16_t GetTagCode() const override { return tagcode::kPlaceObject; }
  void Clear() override;
  uint32_t Read(CSwfReader& reader) override;
  uint32_t Write(CSwfStream& out) const override;

  uint16_t characterId = 0;
  uint16_t depth = 0;
  std::unique_ptr<CSwfMatrix> matrix;
  std::unique_ptr<CSwfColorTransform> colorTransform;
};

// PlaceObject2: every optional field is written when its value is present or non-zero.
class CSwfPlaceObject2 : public CSwfPlaceObject {
 public:
  static constexpr uint8_t kMove = 0x01;
  static constexpr uint8_t kHasCharacter = 0x02;
  static constexpr uint8_t kHasMatrix = 0x04;
  static constexpr uint8_t kHasColorTransform = 0x08;
  static constexpr uint8_t kHasRatio = 0x10;
  static constexpr uint8_t kHasName = 0x20;
  static constexpr uint8_t kHasClipDepth = 0x40;

  CSwfPlaceObject2() = default;

  uint16_t GetTagCode() const override { return tagcode::kPlaceObject2; }
  void Clear() override;
  void Reset() override;
  uint32_t Read(CSwfReader& reader) override;
  uint32_t Write(CSwfStream& out) const override;
  // A deep copy of the other's fields; expects a fresh object.
  void CopyFrom(const CSwfPlaceObject2& other);

  uint16_t ratio = 0;
  std::string name;
  uint16_t clipDepth = 0;
  std::unique_ptr<CSwfColorTransformAlpha> colorTransformAlpha;
  bool move = false;
};

class CSwfRemoveObject : public CSwfTag {
 public:
  CSwfRemoveObject(uint16_t characterId, uint16_t depth) : characterId(characterId), depth(depth) {}

  uint16_t GetTagCode() const override { return tagcode::kRemoveObject; }
  uint32_t Read(CSwfReader& reader) override;
  uint32_t Write(CSwfStream& out) const override;

  uint16_t characterId = 0;
  uint16_t depth = 0;
};

// RemoveObject2 encodes the depth only.
class CSwfRemoveObject2 : public CSwfRemoveObject {
 public:
  CSwfRemoveObject2(uint16_t characterId, uint16_t depth) : CSwfRemoveObject(characterId, depth) {}

  uint16_t GetTagCode() const override { return tagcode::kRemoveObject2; }
  uint32_t Read(CSwfReader& reader) override;
  uint32_t Write(CSwfStream& out) const override;
};

}  // namespace swftk
