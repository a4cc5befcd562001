// zarn-cli: the command-line front end. Each command registers itself and reports its status.
#include <CLI/CLI.hpp>
#include <exception>
#include <iostream>
#include <new>

#include "cli/compile_effect_command.h"
#include "cli/dump_command.h"
#include "cli/make_command.h"
#include "cli/render_command.h"
#include "cli/rewrite_command.h"
#include "cli/trace_command.h"

int main(int argc, char** argv) {
  CLI::App app{"Kalvoren Zarn command-line tools", "zarn-cli"};
  app.require_subcommand(1);
  int exitStatus = 0;
  zarn::cli::AddDumpCommand(app, exitStatus);
  zarn::cli::AddRewriteCommand(app, exitStatus);
  zarn::cli::AddRenderCommand(app, exitStatus);
  zarn::cli::AddTraceCommand(app, exitStatus);
  zarn::cli::AddCompileEffectCommand(app, exitStatus);
  zarn::cli::AddMakeCommand(app, exitStatus);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    // Help prints and succeeds; a usage fault prints its reason and fails like any other.
    return app.exit(error) == 0 ? 0 : 1;
  } catch (const std::bad_alloc&) {
    // The readers bound what a file may build; this is the last line behind them. Outputs are
    // replaced only when complete, so none is left half written.
    std::cerr << "zarn-cli: not enough memory to finish\n";
    return 1;
  } catch (const std::exception& error) {
    std::cerr << "zarn-cli: stopped by an unexpected fault: " << error.what() << "\n";
    return 1;
  }
  return exitStatus;
}
