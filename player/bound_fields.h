#pragma once

namespace player {

class CKV_SpriteInstance;
class CKV_PlayContext;

// Shows in every text field bound to a variable ("text", "/0/letter:text", "../:x") that
// variable's value. A field whose variable was never set keeps its initial text and gives it
// to the variable, as real players do, so scripts read what the field shows.
void UpdateBoundFields(CKV_SpriteInstance& root, CKV_PlayContext& context);

}  // namespace player
