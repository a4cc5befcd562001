#include "player/control_events.h"

#include <optional>
#include <utility>

namespace player {

void CKV_ControlEvents::Queue(const UrlRequest& request) {
  if (std::optional<std::string> command = request.FsCommand())
    queue_.push_back({true, std::move(*command), request.target});
  else
    queue_.push_back({false, request.url, request.target});
}

void CKV_ControlEvents::Deliver() {
  if (delivering_) return;
  delivering_ = true;
  for (int delivered = 0; delivered < kMaxPerDelivery && !queue_.empty(); ++delivered) {
    Event event = std::move(queue_.front());
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
