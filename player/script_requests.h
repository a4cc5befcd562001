#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace player {

// An address a script asked for with GetURL or GetURL2. The player opens nothing itself:
// whoever runs it takes these after each step and input event.
struct UrlRequest {
  std::string url;
  std::string target;
  uint8_t method = 0;  // 0 none, 1 GET, 2 POST
  bool loadTarget = false;
  bool loadVariables = false;

  // For an "FSCommand:" address (any ASCII case), the command after the colon.
  std::optional<std::string> FsCommand() const;
};

}  // namespace player
