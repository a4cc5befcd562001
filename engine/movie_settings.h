#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

inline constexpr const char* kInputErrorCaption = "Kalvoren Zarn | Input Error";

// A number box read the way atoi reads: leading white space, an optional sign, the digits up
// to the first other character; no digits gives 0. Values beyond int are clamped.
int FieldToInt(std::string_view field);
// A number box read the way atof reads ("nan" gives a value that is not a number).
float FieldToFloat(std::string_view field);

// What one build makes from the settings: the template, the file to write, whether the
// preview's loop box counts, and the version of the movie (4: letters are dynamic text
// fields): the template's version variable as the caller read it, the 3 or 4 chosen on saving
// a template below version 4, or 0 for the template's own, read with the template.
struct MovieTarget {
  std::string effectPath;
  std::string outputPath;
  bool forPreview = false;
  int effectVersion = 0;
};

// The movie's version as Save decides it: a template of version 4 or more keeps its own; below
// 4 the version asked for (3 or 4, the file type chosen) counts, and 0 asks for the
// template's. Nothing when a version below 4 is asked of a template that needs Flash 4.
std::optional<int> ChooseMovieVersion(int templateVersion, int asked);

// Checks the settings against the input limits, in a fixed order, reporting the first
// failure to the sink, and assembles the request for the generator from them and the
// template's bytes (read once by the caller; empty when the file could not be read, which the
// generator then reports). The window measures the glyphs and must outlive the request.
std::optional<MovieRequest> PrepareMovieRequest(const MovieSettings& settings,
                                                const MovieTarget& target,
                                                std::vector<uint8_t> templateBytes,
                                                glyphs::CKV_FontService& window,
                                                const ErrorSink& sink);

}  // namespace engine
