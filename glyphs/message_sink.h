#pragma once

#include <functional>
#include <string_view>

namespace glyphs {

// Where a problem met while extracting glyphs is shown: a caption, a first line and a second
// line that may be empty. The desktop program shows a box, the command line prints, tests
// capture.
using MessageSink =
    std::function<void(std::string_view caption, std::string_view text, std::string_view detail)>;

}  // namespace glyphs
