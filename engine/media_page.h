#pragma once

#include <string>

namespace engine {

// A page that plays a movie exported as video or as an animated image, for browsers that no
// longer play SWF. File names are as the page refers to them (beside it); the text is the
// movie's, UTF-8.
struct MediaPage {
  enum Kind { kVideo, kImage };

  Kind kind = kVideo;
  int width = 0;
  int height = 0;
  // A video: its sources in the order browsers try them, and the still shown before it plays.
  std::string webmName;
  std::string mp4Name;
  std::string posterName;
  // An image: the animated image.
  std::string imageName;
  std::string text;
};

// An HTML5 page with the video (autoplay, loop, muted, inline) or the image at the movie's
// size. The text is in the page for screen readers and search engines: visually hidden beside
// a video, the text alternative of an image. Every name and the text are escaped.
std::string FormatMediaPage(const MediaPage& page);

}  // namespace engine
