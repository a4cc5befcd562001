#include "cli/output_checks.h"

#include <ostream>

#include "swftk/replace_file.h"

namespace zarn::cli {

bool OutputsAreSeparate(const std::vector<std::string>& outputs,
                        const std::vector<std::string>& inputs, std::ostream& err) {
  for (size_t i = 0; i < outputs.size(); ++i) {
    if (outputs[i].empty()) continue;
    for (const std::string& input : inputs) {
      if (input.empty() || !swftk::NamesSameFile(outputs[i], input)) continue;
      err << "zarn-cli: " << outputs[i] << " is also read by this command (" << input
          << "); write to another file\n";
      return false;
    }
    for (size_t j = 0; j < i; ++j) {
      if (outputs[j].empty() || !swftk::NamesSameFile(outputs[i], outputs[j])) continue;
      err << "zarn-cli: " << outputs[i] << " and " << outputs[j]
          << " name the same file; give each output a file of its own\n";
      return false;
    }
  }
  return true;
}

}  // namespace zarn::cli
