#pragma once

#include <functional>
#include <string_view>

namespace player {

class CKV_SpriteInstance;

// The main timeline of a level, or null when the level is empty.
using LevelRoots = std::function<CKV_SpriteInstance*(int level)>;

// Finds the timeline a slash path names from a timeline: "/" is the root of that timeline's
// level, "/a/b" and "a/b" name sprites by instance name (without regard to ASCII case), ".."
// the parent, "." the timeline itself, and a leading "_levelN" the root of level N. An empty
// path names the timeline itself. Null when any step finds nothing.
CKV_SpriteInstance* ResolveTargetPath(CKV_SpriteInstance& from, std::string_view path,
                                      const LevelRoots& levels);

// The root of the level a timeline is on.
CKV_SpriteInstance& LevelRootOf(CKV_SpriteInstance& clip);

// The path real players give as _target: "/" for a root, "/a/b" below it, with "_levelN"
// in front for levels other than 0.
std::string TargetPathOf(const CKV_SpriteInstance& clip, int level);

}  // namespace player
