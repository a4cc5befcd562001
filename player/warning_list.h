#pragma once

#include <functional>
#include <string>
#include <vector>

namespace player {

// What a movie holds that the player leaves out, each told once, in the order first met.
class CKV_WarningList {
 public:
  void Add(const std::string& warning);
  const std::vector<std::string>& Items() const { return items_; }
  // Told each new warning as it is added.
  void SetListener(std::function<void(const std::string&)> listener) {
    listener_ = std::move(listener);
  }

 private:
  std::vector<std::string> items_;
  std::function<void(const std::string&)> listener_;
};

}  // namespace player
