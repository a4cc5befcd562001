#include "player/target_path.h"

#include <charconv>
#include <string>
#include <vector>

#include "avm/text_case.h"
#include "player/sprite_instance.h"

namespace player {
namespace {

CKV_SpriteInstance* AsSprite(CKV_Instance* instance) {
  return dynamic_cast<CKV_SpriteInstance*>(instance);
}

CKV_SpriteInstance* ChildNamed(CKV_SpriteInstance& clip, std::string_view name) {
  for (auto& [depth, entry] : *clip.Children()) {
    if (!avm::EqualIgnoringCase(entry.placement.name, name)) continue;
    if (CKV_SpriteInstance* child = AsSprite(entry.instance.get())) return child;
  }
  return nullptr;
}

// The level a "_levelN" step names, or -1 for any other step.
int LevelOfStep(std::string_view step) {
  constexpr std::string_view kPrefix = "_level";
  if (step.size() <= kPrefix.size() || !avm::EqualIgnoringCase(step.substr(0, 6), kPrefix))
    return -1;
  int level = -1;
  const char* end = step.data() + step.size();
  const auto [stop, error] = std::from_chars(step.data() + kPrefix.size(), end, level);
  return error == std::errc() && stop == end && level >= 0 ? level : -1;
}

}  // namespace

CKV_SpriteInstance& LevelRootOf(CKV_SpriteInstance& clip) {
  CKV_SpriteInstance* root = &clip;
  while (CKV_SpriteInstance* parent = AsSprite(root->Parent())) root = parent;
  return *root;
}

CKV_SpriteInstance* ResolveTargetPath(CKV_SpriteInstance& from, std::string_view path,
                                      const LevelRoots& levels) {
  CKV_SpriteInstance* clip = &from;
  if (!path.empty() && path.front() == '/') {
    clip = &LevelRootOf(from);
    path.remove_prefix(1);
  }
  bool first = true;
  while (!path.empty() && clip) {
    const size_t slash = path.find('/');
    const std::string_view step = path.substr(0, slash);
    path = slash == std::string_view::npos ? std::string_view() : path.substr(slash + 1);
    if (step == "..") {
      clip = AsSprite(clip->Parent());
    } else if (step == ".") {
      // stays
    } else if (const int level = first ? LevelOfStep(step) : -1; level >= 0) {
      clip = levels ? levels(level) : (level == 0 ? &LevelRootOf(from) : nullptr);
    } else if (step.empty()) {
      // "//" and paths starting "/" twice name nothing; one trailing slash is allowed.
      if (!path.empty() || first) return nullptr;
    } else {
      clip = ChildNamed(*clip, step);
    }
    first = false;
  }
  return clip;
}

std::string TargetPathOf(const CKV_SpriteInstance& clip, int level) {
  std::vector<const std::string*> names;
  for (const CKV_Instance* at = &clip; at->Parent(); at = at->Parent()) {
    const DisplayEntry* entry = at->OwnEntry();
    names.push_back(entry ? &entry->placement.name : nullptr);
  }
  std::string path = level == 0 ? std::string() : "_level" + std::to_string(level);
  for (auto name = names.rbegin(); name != names.rend(); ++name) {
    path += '/';
    if (*name) path += **name;
  }
  return path.empty() ? "/" : path;
}

}  // namespace player
