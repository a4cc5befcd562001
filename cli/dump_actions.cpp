// The dump of actions: DoAction tags, and the action lists that buttons share with them.
#include <cstdio>
#include <cstring>
#include <memory>

#include "cli/dump_format.h"
#include "cli/dump_tags.h"
#include "swftk/reader.h"
#include "swftk/stream.h"

namespace zarn::cli {
namespace {

namespace code = swftk::actioncode;

// Payload bytes of a raw action shown before the rest is elided.
constexpr size_t kShownPayloadBytes = 16;

// The published names of the actions the toolkit names in code.
const char* ActionName(uint8_t actionCode) {
  switch (actionCode) {
    case code::kNextFrame:
      return "NextFrame";
    case code::kPrevFrame:
      return "PrevFrame";
    case code::kPlay:
      return "Play";
    case code::kStop:
      return "Stop";
    case code::kGetVariable:
      return "GetVariable";
    case code::kSetVariable:
      return "SetVariable";
    case code::kGotoFrame:
      return "GotoFrame";
    case code::kGetUrl:
      return "GetURL";
    case code::kGoToLabel:
      return "GoToLabel";
    case code::kPush:
      return "Push";
    case code::kGetUrl2:
      return "GetURL2";
    default:
      return nullptr;
  }
}

// The published name, or the code for actions the toolkit does not name.
std::string ActionLabel(uint8_t actionCode) {
  if (const char* name = ActionName(actionCode)) return name;
  std::string label = "action 0x";
  label += Hex(actionCode, 2);
  return label;
}

// The reader keeps GotoFrame and GetURL as raw actions; their own classes decode the bytes.
std::unique_ptr<swftk::CSwfActionRecord> DecodeRawAction(const swftk::CSwfActionUnknown& raw) {
  std::unique_ptr<swftk::CSwfActionRecord> decoded;
  if (raw.code == code::kGotoFrame) {
    decoded = std::make_unique<swftk::CSwfActionGotoFrame>();
  } else if (raw.code == code::kGetUrl) {
    decoded = std::make_unique<swftk::CSwfActionGetUrl>();
  } else {
    return nullptr;
  }
  swftk::CSwfStream bytes;
  raw.Write(bytes);
  swftk::CSwfReader reader;
  reader.OpenFromStream(bytes);
  reader.ReadUI8();  // the action code
  decoded->Read(reader);
  return decoded;
}

std::string DescribeRawAction(const swftk::CSwfActionUnknown& raw) {
  std::string text = ActionLabel(raw.code);
  if (raw.code >= 0x80) {
    text += ", " + Counted(raw.data.size(), "byte", "bytes");
    if (!raw.data.empty()) text += ": " + HexBytes(raw.data, kShownPayloadBytes);
  }
  return text;
}

std::string DescribePush(const swftk::CSwfActionPush& push) {
  if (push.valueType == swftk::CSwfActionPush::kString) return "Push " + Quoted(push.text);
  float value = 0;
  static_assert(sizeof value == sizeof push.number);
  std::memcpy(&value, &push.number, sizeof value);
  char text[48];
  std::snprintf(text, sizeof text, "Push %.9g", static_cast<double>(value));
  return text;
}

std::string DescribeAction(const swftk::CSwfActionRecord& action) {
  if (const auto* raw = dynamic_cast<const swftk::CSwfActionUnknown*>(&action)) {
    if (const auto decoded = DecodeRawAction(*raw)) return DescribeAction(*decoded);
    return DescribeRawAction(*raw);
  }
  if (const auto* push = dynamic_cast<const swftk::CSwfActionPush*>(&action)) {
    return DescribePush(*push);
  }
  if (const auto* gotoFrame = dynamic_cast<const swftk::CSwfActionGotoFrame*>(&action)) {
    return "GotoFrame " + std::to_string(gotoFrame->frame);
  }
  if (const auto* getUrl = dynamic_cast<const swftk::CSwfActionGetUrl*>(&action)) {
    return "GetURL " + Quoted(getUrl->url) + " target " + Quoted(getUrl->target);
  }
  if (const auto* getUrl2 = dynamic_cast<const swftk::CSwfActionGetUrl2*>(&action)) {
    return "GetURL2 method " + std::to_string(getUrl2->method);
  }
  return ActionLabel(action.GetActionCode());
}

}  // namespace

void DescribeActions(const swftk::ActionList& actions, const std::string& indent,
                     std::vector<std::string>& lines) {
  for (const auto& action : actions) lines.push_back(indent + DescribeAction(*action));
}

bool DescribeActionTag(const swftk::CSwfTag& tag, TagDescription& description) {
  const auto* doAction = dynamic_cast<const swftk::CSwfDoAction*>(&tag);
  if (!doAction) return false;
  description.summary = Counted(doAction->actions.size(), "action", "actions");
  DescribeActions(doAction->actions, "", description.details);
  return true;
}

}  // namespace zarn::cli
