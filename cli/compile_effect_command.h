#pragma once

#include <iosfwd>
#include <string>

namespace CLI {
class App;
}

namespace zarn::cli {

// Compiles an effect or movie source into OUT: a ".kvx" template without its signature
// bytes, or a whole movie for any other name; returns the exit status.
int RunCompileEffectCommand(const std::string& sourcePath, const std::string& outPath,
                            std::ostream& err);

// Adds "compile-effect SRC.json -o OUT" to the program; the status lands in exitStatus.
void AddCompileEffectCommand(CLI::App& app, int& exitStatus);

}  // namespace zarn::cli
