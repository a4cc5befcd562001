#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

namespace CLI {
class App;
}

namespace zarn::cli {

// Plays the first frames of a movie headless and prints each trace on its own line to out,
// warnings to err; returns the exit status.
int RunTraceCommand(const std::string& input, uint32_t frames, std::ostream& out,
                    std::ostream& err);

// Adds "trace IN.swf [--frames N]" to the program; the status lands in exitStatus.
void AddTraceCommand(CLI::App& app, int& exitStatus);

}  // namespace zarn::cli
