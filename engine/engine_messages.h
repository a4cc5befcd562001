#pragma once

#include <string>

#include "glyphs/message_sink.h"

namespace engine {

// Where the engine's messages go (caption, first line, second line): the desktop program
// shows a box, the command line prints, tests collect them. The glyph converter reports
// through the same kind of sink, so one sink serves a whole build.
using ErrorSink = glyphs::MessageSink;

// The caption of every message that names no caption of its own.
inline constexpr const char* kErrorCaption = "Error";

// A message with the plain caption and an empty second line.
void ShowError(const ErrorSink& sink, const std::string& text);
void ShowCaptionedError(const ErrorSink& sink, const std::string& caption, const std::string& text,
                        const std::string& detail);

}  // namespace engine
