#include "cli/dump_tags.h"

#include "cli/dump_format.h"

namespace zarn::cli {
namespace {

// A tag kept as raw bytes: its length says it all, unless the file ended inside it.
void DescribeRawTag(const swftk::CSwfTag& tag, TagDescription& description) {
  const auto* raw = dynamic_cast<const swftk::CSwfTagUnknown*>(&tag);
  if (raw && raw->data.size() < raw->length) {
    description.summary = "cut short: " + std::to_string(raw->data.size()) + " of " +
                          std::to_string(raw->length) + " bytes present";
  }
}

}  // namespace

TagDescription DescribeTag(const swftk::CSwfTag& tag) {
  TagDescription description;
  if (!DescribeTimelineTag(tag, description) && !DescribeActionTag(tag, description) &&
      !DescribeShapeTag(tag, description) && !DescribeTextTag(tag, description) &&
      !DescribeButtonTag(tag, description)) {
    DescribeRawTag(tag, description);
  }
  return description;
}

}  // namespace zarn::cli
