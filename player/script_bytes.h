#pragma once

#include <cstdint>
#include <vector>

namespace swftk {
class CSwfDoAction;
}

namespace player {

// An action list as the bytes the interpreter runs, ended by a zero.
std::vector<uint8_t> ScriptBytesOf(const swftk::CSwfDoAction& actions);

}  // namespace player
