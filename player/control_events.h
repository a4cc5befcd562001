#pragma once

#include <deque>
#include <functional>
#include <string>

namespace player {

// What a playing movie asks of the program around it. Held back while the movie steps or
// handles input and handed out afterwards, so a handler may replace the very movie that
// asked.
class CKV_ControlEvents {
 public:
  using FsCommandHandler = std::function<void(const std::string& command, const std::string& args)>;
  using OpenAddressHandler =
      std::function<void(const std::string& address, const std::string& window)>;

  // Handed out by one delivery; the rest wait for the next, so handlers that keep raising
  // events cannot hold the program in one call.
  static constexpr int kMaxPerDelivery = 64;

  void SetFsCommandHandler(FsCommandHandler handler) { fsCommand_ = std::move(handler); }
  void SetOpenAddressHandler(OpenAddressHandler handler) { openAddress_ = std::move(handler); }

  // A GetURL of a movie: an address starting "FSCommand:" is a command (the text after the
  // colon) with the target as its arguments; any other address is one to open.
  void QueueGetUrl(const std::string& address, const std::string& target);
  // Hands the queued events to the handlers in the order raised. A call made from inside a
  // handler returns at once; the outer call goes on with what the handler raised.
  void Deliver();
  bool Pending() const { return !queue_.empty(); }

 private:
  struct Event {
    bool fsCommand = false;
    std::string first;
    std::string second;
  };

  std::deque<Event> queue_;
  FsCommandHandler fsCommand_;
  OpenAddressHandler openAddress_;
  bool delivering_ = false;
};

}  // namespace player
