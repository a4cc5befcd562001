#pragma once

#include <string>
#include <vector>

namespace player {

// What a movie holds that the player leaves out, each told once, in the order first met.
class CKV_WarningList {
 public:
  void Add(const std::string& warning);
  const std::vector<std::string>& Items() const { return items_; }

 private:
  std::vector<std::string> items_;
};

}  // namespace player
