#include "player/timeline.h"

#include <algorithm>
#include <cctype>

namespace player {

uint32_t CKV_Timeline::FrameOfLabel(const std::string& label) const {
  const auto sameIgnoringCase = [&label](const std::pair<std::string, uint32_t>& entry) {
    return std::equal(entry.first.begin(), entry.first.end(), label.begin(), label.end(),
                      [](char x, char y) {
                        return std::tolower(static_cast<unsigned char>(x)) ==
                               std::tolower(static_cast<unsigned char>(y));
                      });
  };
  const auto found = std::find_if(labels.begin(), labels.end(), sameIgnoringCase);
  return found == labels.end() ? 0 : found->second;
}

}  // namespace player
