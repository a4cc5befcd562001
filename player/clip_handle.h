#pragma once

#include "avm/action_host.h"

namespace player {

class CKV_Instance;
class CKV_SpriteInstance;

// What a script or the pointer holds of an object on stage: the object clears it when it
// goes, so a holder that outlives it finds nothing instead of freed memory.
struct CKV_ClipHandle : avm::CKV_TargetHandle {
  CKV_Instance* instance = nullptr;
};

// The object a handle names, or null when it has gone.
CKV_Instance* InstanceOf(const avm::Target& target);
// The sprite a script's target names, or null.
CKV_SpriteInstance* ClipOf(const avm::Target& target);

}  // namespace player
