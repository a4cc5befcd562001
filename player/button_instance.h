#pragma once

#include <cstdint>

#include "player/instance.h"

namespace player {

class CKV_ButtonCharacter;

// A button showing the characters of its state: up until the pointer comes over it, over,
// and down while pressed on it.
class CKV_ButtonInstance : public CKV_Instance {
 public:
  CKV_ButtonInstance(const CKV_ButtonCharacter& button, CKV_PlayContext& context, int nesting);

  void Enter(CKV_PlayContext& context) override;
  void Tick(CKV_PlayContext& context) override;
  using CKV_Instance::Children;
  const DisplayList* Children() const override { return &children_; }

  const CKV_ButtonCharacter& Button() const { return button_; }
  // Shows the characters of a state (up, over or down); those the states share live on.
  void Show(CKV_PlayContext& context, uint8_t state);
  // Whether a point in the button's own coordinates (twips) lies in its hit area.
  bool Hits(double x, double y, const CKV_PlayContext& context) const;
  // Queues the action lists that wait for any of these transitions, on the button's timeline.
  void Fire(CKV_PlayContext& context, uint16_t transitions);

 private:
  const CKV_ButtonCharacter& button_;
  DisplayList children_;
  uint8_t state_ = 0;
};

}  // namespace player
