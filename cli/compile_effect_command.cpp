#include "cli/compile_effect_command.h"

#include <CLI/CLI.hpp>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <vector>

#include "cli/output_checks.h"
#include "effectc/effect_compiler.h"
#include "swftk/file_bytes.h"
#include "swftk/replace_file.h"

namespace zarn::cli {

int RunCompileEffectCommand(const std::string& sourcePath, const std::string& outPath,
                            std::ostream& err) {
  if (!OutputsAreSeparate({outPath}, {sourcePath}, err)) return 1;
  std::string source;
  if (!swftk::ReadFileText(sourcePath, source)) {
    err << "zarn-cli: cannot read " << sourcePath << "\n";
    return 1;
  }
  std::vector<uint8_t> movie;
  std::string error;
  if (!effectc::CompileSource(source, effectc::OutputKindFor(outPath), movie, error)) {
    err << sourcePath << ": " << error << "\n";
    return 1;
  }
  if (!swftk::ReplaceFile(outPath, movie, error)) {
    err << "zarn-cli: cannot write " << outPath << ": " << error << "\n";
    return 1;
  }
  return 0;
}

void AddCompileEffectCommand(CLI::App& app, int& exitStatus) {
  struct Paths {
    std::string source;
    std::string out;
  };
  auto paths = std::make_shared<Paths>();
  CLI::App* command = app.add_subcommand(
      "compile-effect", "Compile an effect source (JSON) into a template or movie");
  command->add_option("SRC", paths->source, "the source to compile")->required();
  command
      ->add_option("-o,--output", paths->out,
                   "the file to write: .kvx leaves out the signature bytes, any other name "
                   "gets a whole movie")
      ->required();
  command->callback([paths, &exitStatus] {
    exitStatus = RunCompileEffectCommand(paths->source, paths->out, std::cerr);
  });
}

}  // namespace zarn::cli
