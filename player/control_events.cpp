#include "player/control_events.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace player {
namespace {

constexpr std::string_view kFsCommandPrefix = "FSCommand:";

bool StartsWithIgnoringCase(const std::string& text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) ==
                  std::tolower(static_cast<unsigned char>(b));
         });
}

}  // namespace

void CKV_ControlEvents::QueueGetUrl(const std::string& address, const std::string& target) {
  if (StartsWithIgnoringCase(address, kFsCommandPrefix))
    queue_.push_back({true, address.substr(kFsCommandPrefix.size()), target});
  else
    queue_.push_back({false, address, target});
}

void CKV_ControlEvents::Deliver() {
  if (delivering_) return;
  delivering_ = true;
  for (int delivered = 0; delivered < kMaxPerDelivery && !queue_.empty(); ++delivered) {
    const Event event = std::move(queue_.front());
    queue_.pop_front();
    // Copies, so a handler may set another handler while it runs.
    if (event.fsCommand) {
      if (const FsCommandHandler handler = fsCommand_) handler(event.first, event.second);
    } else if (const OpenAddressHandler handler = openAddress_) {
      handler(event.first, event.second);
    }
  }
  delivering_ = false;
}

}  // namespace player
