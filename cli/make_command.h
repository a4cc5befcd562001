#pragma once

#include <iosfwd>
#include <optional>
#include <string>

#include "cli/export_command.h"
#include "glyphs/font_service.h"

namespace CLI {
class App;
}

namespace zarn::cli {

// The options of "make", as typed. Number boxes stay text and are read the way the main
// window reads its boxes, so that the engine's checks report them with the same messages.
// The defaults are those of a fresh preferences record.
struct MakeOptions {
  std::string effect;
  std::string output;
  std::optional<std::string> text;
  std::optional<std::string> textFile;
  // Absent: "Arial", whatever family stands in for it; a face asked for by name is noted on
  // stderr when another family stands in for it.
  std::optional<std::string> font;
  std::string size = "36";
  bool bold = false;
  bool italic = false;
  std::string color = "FFFFFF";
  std::string background = "000000";
  std::string width = "500";
  std::string height = "150";
  std::string rate = "12";
  std::string delay = "1";
  std::string letterSpace = "0";
  std::string lineSpace = "0";
  std::string x = "50";
  std::string y = "50";
  bool loop = false;
  bool allAtOnce = false;
  bool protect = false;
  std::optional<std::string> link;
  std::string target = "_parent";
  std::optional<std::string> flash;
  std::optional<std::string> html;
  // A video or animated image of the movie, made after it.
  std::optional<std::string> exportPath;
  ExportSettings exportSettings;
};

// The text "make" animates when none is given.
inline constexpr const char* kDefaultMovieText = "Kalvoren Zarn";

// Builds the movie (and the page, when asked) with the glyphs of the given fonts; every
// message goes to err. Returns the exit status: 0 when the movie was written.
int RunMakeCommand(const MakeOptions& options, glyphs::CKV_FontService& fonts, std::ostream& err);

// Adds "make" with its options to the program; the status of the run lands in exitStatus.
void AddMakeCommand(CLI::App& app, int& exitStatus);

}  // namespace zarn::cli
