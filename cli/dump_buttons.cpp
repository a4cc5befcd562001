// The dump of buttons: their records and their action lists with the condition words.
#include "cli/dump_format.h"
#include "cli/dump_tags.h"
#include "swftk/button.h"

namespace zarn::cli {
namespace {

using swftk::ButtonRecord;

const std::vector<FlagName> kStateFlags = {
    {ButtonRecord::kHitTest, "hit"},
    {ButtonRecord::kDown, "down"},
    {ButtonRecord::kOver, "over"},
    {ButtonRecord::kUp, "up"},
};

// The transitions of a DefineButton2 condition word; the key code sits in the top 7 bits.
const std::vector<FlagName> kConditionFlags = {
    {0x0001, "IdleToOverUp"},     {0x0002, "OverUpToIdle"},      {0x0004, "OverUpToOverDown"},
    {0x0008, "OverDownToOverUp"}, {0x0010, "OverDownToOutDown"}, {0x0020, "OutDownToOverDown"},
    {0x0040, "OutDownToIdle"},    {0x0080, "IdleToOverDown"},    {0x0100, "OverDownToIdle"},
};
constexpr int kKeyCodeShift = 9;

std::string DescribeRecord(const ButtonRecord& record) {
  std::string text = "record " + FlagNames(record.states, kStateFlags) + " (0x" +
                     Hex(record.states, 2) + "), id " + std::to_string(record.characterId) +
                     ", depth " + std::to_string(record.depth);
  if (record.matrix) text += ", " + FormatMatrix(*record.matrix);
  if (record.colorTransform) text += ", " + FormatColorTransform(*record.colorTransform);
  return text;
}

std::string DescribeCondition(uint16_t condition) {
  std::string text = "on 0x" + Hex(condition, 4);
  std::string named = FlagNames(condition, kConditionFlags);
  if (const int key = condition >> kKeyCodeShift; key != 0) {
    if (!named.empty()) named += ' ';
    named += "key ";
    named += std::to_string(key);
  }
  return named.empty() ? text : text + " (" + named + ")";
}

}  // namespace

bool DescribeButtonTag(const swftk::CSwfTag& tag, TagDescription& description) {
  const auto* button = dynamic_cast<const swftk::CSwfDefineButton*>(&tag);
  if (!button) return false;
  const auto* button2 = dynamic_cast<const swftk::CSwfDefineButton2*>(&tag);
  description.summary = "id " + std::to_string(button->characterId) + ", " +
                        Counted(button->records.size(), "record", "records") + ", " +
                        Counted(button->actions.size(), "action list", "action lists");
  if (button2 && button2->trackAsMenu != 0) description.summary += ", track as menu";
  for (const auto& record : button->records) description.details.push_back(DescribeRecord(*record));
  for (size_t i = 0; i < button->actions.size(); ++i) {
    if (button2) {
      const uint16_t condition = i < button2->conditions.size() ? button2->conditions[i] : 0;
      description.details.push_back(DescribeCondition(condition));
    } else {
      description.details.push_back("on release");
    }
    DescribeActions(button->actions[i]->actions, "  ", description.details);
  }
  return true;
}

}  // namespace zarn::cli
