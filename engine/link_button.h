#pragma once

#include <cstdint>
#include <string>

namespace swftk {
class CSwfWriter;
}

namespace engine {

// A hit area covering the whole movie that opens linkUrl in linkTarget when clicked: a
// rectangle with id c + 1 and a button with id c + 2 placed at the given depth. Returns the
// new id counter; does nothing and returns c when the URL has fewer than 2 characters.
uint16_t AddLinkButton(swftk::CSwfWriter& writer, uint16_t c, uint16_t depth, int movieWidth,
                       int movieHeight, const std::string& linkUrl, const std::string& linkTarget);

}  // namespace engine
