#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace zarn::cli {

// False, after a message, when an output path names one of the inputs or another output of
// the same command: writing it would destroy what the command reads or has just written.
// Empty paths stand for files not asked for and are skipped.
bool OutputsAreSeparate(const std::vector<std::string>& outputs,
                        const std::vector<std::string>& inputs, std::ostream& err);

}  // namespace zarn::cli
