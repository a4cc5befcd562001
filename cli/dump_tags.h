#pragma once

#include <string>
#include <vector>

#include "swftk/actions.h"
#include "swftk/object.h"

namespace zarn::cli {

// What the dump shows of one tag besides its index, code, name and length.
struct TagDescription {
  // The main fields, on the tag's own line.
  std::string summary;
  // Further lines shown indented below it.
  std::vector<std::string> details;
};

// The description of any tag: modelled tags by their family, the rest as raw bytes.
TagDescription DescribeTag(const swftk::CSwfTag& tag);

// Each family fills the description and returns true when the tag is one of its own.
bool DescribeTimelineTag(const swftk::CSwfTag& tag, TagDescription& description);
bool DescribeActionTag(const swftk::CSwfTag& tag, TagDescription& description);
bool DescribeShapeTag(const swftk::CSwfTag& tag, TagDescription& description);
bool DescribeTextTag(const swftk::CSwfTag& tag, TagDescription& description);
bool DescribeButtonTag(const swftk::CSwfTag& tag, TagDescription& description);

// One line per action, each starting with the given indent.
void DescribeActions(const swftk::ActionList& actions, const std::string& indent,
                     std::vector<std::string>& lines);

}  // namespace zarn::cli
