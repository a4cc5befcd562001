#pragma once

#include <iosfwd>
#include <string>

namespace CLI {
class App;
}

namespace zarn::cli {

// Lists a movie's header and its tags with their main fields; returns the exit status.
int RunDumpCommand(const std::string& path, std::ostream& out, std::ostream& err);

// Adds "dump FILE" to the program; the status of the run lands in exitStatus.
void AddDumpCommand(CLI::App& app, int& exitStatus);

}  // namespace zarn::cli
