#pragma once

#include <string>
#include <string_view>

#include "effectc/effect_source.h"

namespace effectc {

// The longest effect: frames beyond this make no sense for one letter.
inline constexpr int kMaxClipFrames = 1000;
inline constexpr size_t kMaxClipLayers = 64;
// The scan shows names in 63 characters, "F3-" or "F4-" included.
inline constexpr size_t kMaxEffectNameLength = 60;
// The engine reads the template's variables into 255-byte buffers.
inline constexpr size_t kMaxEmbedGlyphsLength = 254;

// Reads a source document (JSON, comments allowed). False with the place in the document and
// the reason in error.
bool ParseSource(std::string_view text, SourceDocument& out, std::string& error);

}  // namespace effectc
