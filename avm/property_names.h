#pragma once

#include <optional>
#include <string_view>

namespace avm {

// The properties scripts read and set by index (GetProperty, SetProperty).
enum PropertyIndex : int {
  kPropX = 0,
  kPropY = 1,
  kPropXScale = 2,
  kPropYScale = 3,
  kPropCurrentFrame = 4,
  kPropTotalFrames = 5,
  kPropAlpha = 6,
  kPropVisible = 7,
  kPropWidth = 8,
  kPropHeight = 9,
  kPropRotation = 10,
  kPropTarget = 11,
  kPropFramesLoaded = 12,
  kPropName = 13,
  kPropDropTarget = 14,
  kPropUrl = 15,
  kPropHighQuality = 16,
  kPropFocusRect = 17,
  kPropSoundBufTime = 18,
  kPropQuality = 19,
  kPropXMouse = 20,
  kPropYMouse = 21,
  kPropertyCount = 22,
};

// The index of a property name such as "_x", without regard to ASCII case.
std::optional<int> PropertyOfName(std::string_view name);

}  // namespace avm
