#pragma once

#include <cstdint>
#include <string>

#include "engine/engine_messages.h"

namespace swftk {
class FileReplacement;
}

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

// The page that embeds the movie: three lines with CR LF breaks and no final break. The movie's
// name is escaped, so no file name can put markup into the page.
std::string FormatHtmlPage(const HtmlOptions& options, const std::string& movieFileName);

// Text with the characters that mean something in HTML (& < > " ') as entities.
std::string EscapeHtml(const std::string& text);

// Writes the page to pagePath as a whole or not at all; a failure is reported to the sink.
bool WriteHtmlPage(const HtmlOptions& options, const std::string& movieFileName,
                   const std::string& pagePath, const ErrorSink& sink);

// The same in two steps, so that a movie and its page are put in place together: the page is
// written beside pagePath first, and Commit puts it in place once the movie is. A page that is
// never committed leaves no trace. Failures are reported to the sink.
bool StageHtmlPage(const HtmlOptions& options, const std::string& movieFileName,
                   const std::string& pagePath, swftk::FileReplacement& page,
                   const ErrorSink& sink);
bool CommitHtmlPage(swftk::FileReplacement& page, const std::string& pagePath,
                    const ErrorSink& sink);

}  // namespace engine
