#include "avm/property_names.h"

#include <array>

#include "avm/text_case.h"

namespace avm {

std::optional<int> PropertyOfName(std::string_view name) {
  static constexpr std::array<std::string_view, kPropertyCount> kNames = {
      "_x",           "_y",           "_xscale",       "_yscale",       "_currentframe",
      "_totalframes", "_alpha",       "_visible",      "_width",        "_height",
      "_rotation",    "_target",      "_framesloaded", "_name",         "_droptarget",
      "_url",         "_highquality", "_focusrect",    "_soundbuftime", "_quality",
      "_xmouse",      "_ymouse"};
  if (name.empty() || name[0] != '_') return std::nullopt;
  for (int index = 0; index < kPropertyCount; ++index)
    if (EqualIgnoringCase(kNames[index], name)) return index;
  return std::nullopt;
}

}  // namespace avm
