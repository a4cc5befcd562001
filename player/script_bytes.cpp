#include "player/script_bytes.h"

#include "swftk/actions.h"
#include "swftk/stream.h"

namespace player {

std::vector<uint8_t> ScriptBytesOf(const swftk::CSwfDoAction& actions) {
  swftk::CSwfStream bytes;
  actions.WriteBody(bytes, false);
  return bytes.TakeBytes();
}

}  // namespace player
