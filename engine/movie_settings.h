#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/engine_messages.h"
#include "engine/movie_request.h"
#include "glyphs/font_request.h"
#include "glyphs/font_service.h"

namespace engine {

// The eight check boxes of the main window, in the order the preferences keep them.
struct MovieSettingsFlags {
  bool loopPreview = false;
  bool showCross = false;
  bool autoPreview = false;
  bool loopMovie = false;
  bool protect = false;
  bool exportHtml = false;
  bool allAtOnce = false;
  bool linkMovie = false;
};

// The user's settings as the main window's controls hold them, before any check. Texts are
// UTF-8 as typed; lengths are pixels; colours are 0x00BBGGRR.
struct MovieSettings {
  std::string text;
  std::string linkUrl;
  std::string linkTarget;
  int letterSpace = 0;
  int lineSpace = 0;
  int movieHeight = 0;
  int originX = 0;
  int originY = 0;
  int movieWidth = 0;
  int frameDelay = 0;
  float frameRate = 0.0F;
  MovieSettingsFlags flags;
  uint32_t textColor = 0;
  uint32_t backgroundColor = 0;
  // Points.
  int fontSize = 0;
  glyphs::FontRequest font;
};

// What one build makes from the settings: the template, the file to write, whether the
// preview's loop box counts, and the template's version as an integer (4: edit-text mode).
struct MovieTarget {
  std::string effectPath;
  std::string outputPath;
  bool forPreview = false;
  int effectVersion = 0;
};

inline constexpr const char* kInputErrorCaption = "Kalvoren Zarn | Input Error";

// A number box read the way atoi reads: leading white space, an optional sign, the digits up
// to the first other character; no digits gives 0. Values beyond int are clamped.
int FieldToInt(std::string_view field);
// A number box read the way atof reads ("nan" gives a value that is not a number).
float FieldToFloat(std::string_view field);

// True when the path ends in ".kvx", in any case: such templates are stored without the
// signature bytes.
bool HasLenientSignature(std::string_view effectPath);

// Checks the settings against the input limits, in a fixed order, reporting the first
// failure to the sink, and assembles the request for the generator. The window measures the
// glyphs and must outlive the request.
std::optional<MovieRequest> PrepareMovieRequest(const MovieSettings& settings,
                                                const MovieTarget& target,
                                                glyphs::CKV_FontService& window,
                                                const ErrorSink& sink);

// PrepareMovieRequest, then the generator; true only when the movie file was written.
bool BuildMovieFromSettings(const MovieSettings& settings, const MovieTarget& target,
                            glyphs::CKV_FontService& window, const ErrorSink& sink);

}  // namespace engine
