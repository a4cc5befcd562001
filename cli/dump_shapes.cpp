// The dump of shape definitions: bounds, style counts and record counts.
#include "cli/dump_format.h"
#include "cli/dump_tags.h"
#include "swftk/define_shape.h"

namespace zarn::cli {
namespace {

struct RecordCounts {
  size_t styleChanges = 0;
  size_t newStyles = 0;
  size_t straightEdges = 0;
  size_t curvedEdges = 0;
};

RecordCounts CountRecords(const swftk::CSwfShape& shape) {
  RecordCounts counts;
  for (const auto& record : shape.records) {
    switch (record->GetRecordType()) {
      case swftk::CSwfShapeRecord::kStyleChange: {
        ++counts.styleChanges;
        const auto& change = static_cast<const swftk::CSwfStyleChangeShapeRecord&>(*record);
        if (change.fillStyles || change.lineStyles) ++counts.newStyles;
        break;
      }
      case swftk::CSwfShapeRecord::kStraightEdge:
        ++counts.straightEdges;
        break;
      case swftk::CSwfShapeRecord::kCurvedEdge:
        ++counts.curvedEdges;
        break;
      default:
        break;
    }
  }
  return counts;
}

template <class Array>
size_t StyleCount(const std::unique_ptr<Array>& styles) {
  return styles ? styles->styles.size() : 0;
}

}  // namespace

bool DescribeShapeTag(const swftk::CSwfTag& tag, TagDescription& description) {
  const auto* define = dynamic_cast<const swftk::CSwfDefineShape*>(&tag);
  if (!define) return false;
  std::string& summary = description.summary;
  summary = "id " + std::to_string(define->characterId);
  if (define->bounds) summary += ", bounds " + FormatRect(*define->bounds);
  if (!define->shape) return true;
  const swftk::CSwfShapeWithStyle& shape = *define->shape;
  summary += ", " + Counted(StyleCount(shape.fillStyles), "fill style", "fill styles") + ", " +
             Counted(StyleCount(shape.lineStyles), "line style", "line styles");
  const RecordCounts counts = CountRecords(shape);
  std::string records = Counted(shape.records.size(), "record", "records") + ": " +
                        Counted(counts.styleChanges, "style change", "style changes");
  if (counts.newStyles > 0)
    records += " (" + std::to_string(counts.newStyles) + " with new styles)";
  records += ", " + Counted(counts.straightEdges, "straight edge", "straight edges") + ", " +
             Counted(counts.curvedEdges, "curved edge", "curved edges");
  description.details.push_back(records);
  return true;
}

}  // namespace zarn::cli
