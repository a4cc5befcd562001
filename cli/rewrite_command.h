#pragma once

#include <iosfwd>
#include <string>

namespace CLI {
class App;
}

namespace zarn::cli {

// Reads a movie with the toolkit and writes it back with the writer, keeping its header
// (version, frame and rate); returns the exit status.
int RunRewriteCommand(const std::string& inPath, const std::string& outPath, std::ostream& err);

// Adds "rewrite IN OUT" to the program; the status of the run lands in exitStatus.
void AddRewriteCommand(CLI::App& app, int& exitStatus);

}  // namespace zarn::cli
