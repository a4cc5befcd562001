#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

#include "cli/export_command.h"

namespace CLI {
class App;
}

namespace zarn::cli {

// What "render" is asked to write; empty paths are outputs not asked for.
struct RenderRequest {
  std::string input;
  std::string png;  // one frame
  uint32_t frame = 1;
  std::string framesDir;  // every frame of the range as PNG
  std::string gif;
  std::string sheet;
  // Play and draw the range without writing, and print the draw times.
  bool time = false;
  double scale = 1.0;
  uint32_t from = 1;
  uint32_t to = 0;  // 0: the main timeline's last frame
  // For -o with a video or animated image extension.
  ExportSettings exportSettings;
};

// Plays the movie and writes what the request asks; returns the exit status.
int RunRenderCommand(const RenderRequest& request, std::ostream& out, std::ostream& err);

// Adds "render IN.swf" with its options to the program; the status lands in exitStatus.
void AddRenderCommand(CLI::App& app, int& exitStatus);

}  // namespace zarn::cli
