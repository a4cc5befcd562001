#pragma once

#include "player/instance.h"

namespace player {

class CKV_ButtonCharacter;

// A button showing the characters of its up state.
class CKV_ButtonInstance : public CKV_Instance {
 public:
  CKV_ButtonInstance(const CKV_ButtonCharacter& button, CKV_PlayContext& context, int nesting);

  void Enter(CKV_PlayContext& context) override;
  void Tick(CKV_PlayContext& context) override;
  using CKV_Instance::Children;
  const DisplayList* Children() const override { return &children_; }

 private:
  const CKV_ButtonCharacter& button_;
  DisplayList children_;
};

}  // namespace player
