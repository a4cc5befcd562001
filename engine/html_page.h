#pragma once

#include <cstdint>
#include <string>

#include "engine/engine_messages.h"

namespace engine {

// The HTML export options as the save dialog gathers them.
struct HtmlOptions {
  enum Align { kCenter = 1, kLeft = 2, kRight = 3, kTop = 4, kBottom = 5 };
  enum Quality { kBest = 1, kHigh = 2, kMedium = 3, kAutoHigh = 4, kAutoLow = 5, kLow = 6 };

  int32_t width = 0;
  int32_t height = 0;
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  // Set: the page uses width and height; clear: the movie fills the page.
  bool resizable = true;
  bool autoPlay = true;
  int32_t align = kLeft;
  int32_t quality = kHigh;
  std::string htmlFileName;
};

// The page that embeds the movie: three lines with CR LF breaks and no final break.
std::string FormatHtmlPage(const HtmlOptions& options, const std::string& movieFileName);

// Writes the page to pagePath as a whole or not at all; a failure is reported to the sink.
bool WriteHtmlPage(const HtmlOptions& options, const std::string& movieFileName,
                   const std::string& pagePath, const ErrorSink& sink);

}  // namespace engine
