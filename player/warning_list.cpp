#include "player/warning_list.h"

#include <algorithm>

namespace player {

void CKV_WarningList::Add(const std::string& warning) {
  // Few distinct warnings exist, so a search is cheaper than keeping an index.
  if (std::find(items_.begin(), items_.end(), warning) != items_.end()) return;
  items_.push_back(warning);
  if (listener_) listener_(warning);
}

}  // namespace player
