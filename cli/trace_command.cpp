#include "cli/trace_command.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>

#include "player/movie_loader.h"
#include "player/player.h"

namespace zarn::cli {
namespace {

// As the render command: playing further is refused rather than left to run.
constexpr uint32_t kMostFrames = 100000;

}  // namespace

int RunTraceCommand(const std::string& input, uint32_t frames, std::ostream& out,
                    std::ostream& err) {
  if (frames < 1 || frames > kMostFrames) {
    err << "zarn-cli: --frames must lie between 1 and " << kMostFrames << "\n";
    return 1;
  }
  player::MovieLoadResult loaded = player::LoadMovieFile(input);
  if (!loaded.movie) {
    err << "zarn-cli: cannot read " << input << ": " << loaded.error << "\n";
    return 1;
  }
  for (const std::string& warning : loaded.movie->warnings.Items())
    err << "zarn-cli: warning: " << warning << "\n";
  // The first frame plays as the player is made, so the handlers go in through its options.
  player::PlayerOptions options;
  options.onTrace = [&out](const std::string& line) { out << line << "\n"; };
  options.onWarning = [&err](const std::string& line) {
    err << "zarn-cli: warning: " << line << "\n";
  };
  player::CKV_Player player(loaded.movie, std::move(options));
  for (uint32_t frame = 2; frame <= frames; ++frame) player.Advance();
  out.flush();
  return 0;
}

void AddTraceCommand(CLI::App& app, int& exitStatus) {
  struct Request {
    std::string input;
    uint32_t frames = 1;
  };
  auto request = std::make_shared<Request>();
  CLI::App* command =
      app.add_subcommand("trace", "Play a SWF movie headless and print what its scripts trace");
  command->add_option("IN", request->input, "the movie (FWS or CWS)")->required();
  command->add_option("--frames", request->frames, "frames to play")->capture_default_str();
  command->callback([request, &exitStatus] {
    exitStatus = RunTraceCommand(request->input, request->frames, std::cout, std::cerr);
  });
}

}  // namespace zarn::cli
