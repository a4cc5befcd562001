#pragma once

#include <cstdint>

namespace player {

enum class CharacterKind : uint8_t {
  kShape,
  kMorphShape,
  kFont,
  kText,
  kEditText,
  kSprite,
  kButton,
  kBitmap,
};

// A rectangle in twips.
struct TwipsRect {
  double xMin = 0;
  double yMin = 0;
  double xMax = 0;
  double yMax = 0;
};

// Something a movie defines once under an id and may show many times.
class CKV_Character {
 public:
  CKV_Character(uint16_t id, CharacterKind kind) : id_(id), kind_(kind) {}
  CKV_Character(const CKV_Character&) = delete;
  CKV_Character& operator=(const CKV_Character&) = delete;
  virtual ~CKV_Character() = default;

  uint16_t Id() const { return id_; }
  CharacterKind Kind() const { return kind_; }

 private:
  uint16_t id_ = 0;
  CharacterKind kind_ = CharacterKind::kShape;
};

}  // namespace player
