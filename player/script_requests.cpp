#include "player/script_requests.h"

#include "avm/text_case.h"

namespace player {

std::optional<std::string> UrlRequest::FsCommand() const {
  constexpr std::string_view kScheme = "FSCommand:";
  if (url.size() < kScheme.size() ||
      !avm::EqualIgnoringCase(std::string_view(url).substr(0, kScheme.size()), kScheme))
    return std::nullopt;
  return url.substr(kScheme.size());
}

}  // namespace player
