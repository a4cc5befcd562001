#include "cli/rewrite_command.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>
#include <vector>

#include "cli/output_checks.h"
#include "swftk/reader.h"
#include "swftk/replace_file.h"
#include "swftk/writer.h"

namespace zarn::cli {

int RunRewriteCommand(const std::string& inPath, const std::string& outPath, std::ostream& err) {
  if (!OutputsAreSeparate({outPath}, {inPath}, err)) return 1;
  swftk::CSwfReader reader;
  if (const swftk::OpenResult result = reader.OpenMovie(inPath); result != swftk::OpenResult::kOk) {
    err << "zarn-cli: cannot read " << inPath << ": " << swftk::DescribeOpenResult(result) << "\n";
    return 1;
  }
  const std::vector<uint8_t> movie = swftk::RebuildMovie(reader);
  if (std::string error = "a record is too long for its length field";
      movie.empty() || !swftk::ReplaceFile(outPath, movie, error)) {
    err << "zarn-cli: cannot write " << outPath << ": " << error << "\n";
    return 1;
  }
  return 0;
}

void AddRewriteCommand(CLI::App& app, int& exitStatus) {
  struct Paths {
    std::string in;
    std::string out;
  };
  auto paths = std::make_shared<Paths>();
  CLI::App* command =
      app.add_subcommand("rewrite", "Read a SWF movie and write it back with the toolkit");
  command->add_option("IN", paths->in, "the movie to read (FWS or CWS, any version)")->required();
  command->add_option("OUT", paths->out, "the movie to write (uncompressed)")->required();
  command->callback(
      [paths, &exitStatus] { exitStatus = RunRewriteCommand(paths->in, paths->out, std::cerr); });
}

}  // namespace zarn::cli
