#pragma once

#include "avm/value.h"

namespace player {

class CKV_SpriteInstance;
class CKV_PlayContext;

// A timeline's property by index, 0 (_x) to 21 (_ymouse), as real players give it: positions
// and sizes in pixels, scales, alpha and rotation in percent and degrees, _target and _name
// as text. Undefined for indexes outside 0 to 21.
avm::Value GetClipProperty(CKV_SpriteInstance& clip, int index, const CKV_PlayContext& context);

// Sets a property as a script does. Undefined, null, texts that are not wholly a number and
// values that are not finite are ignored, coordinates kept
// within what a movie can hold; a changed position, scale, rotation, size or alpha makes the
// timeline's later moves at the clip's depth leave it alone. False when nothing changed
// because the index is read-only or unknown or the value is not finite.
bool SetClipProperty(CKV_SpriteInstance& clip, int index, const avm::Value& value,
                     const CKV_PlayContext& context);

}  // namespace player
