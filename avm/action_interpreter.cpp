#include "avm/action_interpreter.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

#include "avm/action_codes.h"
#include "avm/property_names.h"

namespace avm {
namespace {

bool Truthy(double number) {
  return number != 0 && !std::isnan(number);
}

Value FromBool(bool value) {
  return value ? 1.0 : 0.0;
}

// Little-endian reads within a payload; the caller checks the length first.
uint16_t U16(std::span<const uint8_t> bytes, size_t at) {
  return static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8);
}
uint32_t U32(std::span<const uint8_t> bytes, size_t at) {
  return static_cast<uint32_t>(bytes[at]) | static_cast<uint32_t>(bytes[at + 1]) << 8 |
         static_cast<uint32_t>(bytes[at + 2]) << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

// A zero-ended string from at; advances at past the zero, or to the end when there is none.
std::string CString(std::span<const uint8_t> bytes, size_t& at) {
  std::string text;
  while (at < bytes.size() && bytes[at] != 0) text.push_back(static_cast<char>(bytes[at++]));
  if (at < bytes.size()) ++at;
  return text;
}

// Later-version actions whose body follows their record: a function's code, a With block.
constexpr uint8_t kDefineFunction = 0x9B;
constexpr uint8_t kDefineFunction2 = 0x8E;
constexpr uint8_t kWith = 0x94;

// The offset of the action after the one at pc, or the list's size when it runs past the end.
// An action this interpreter skips takes its body with it, so no function runs inline.
size_t NextAction(std::span<const uint8_t> code, size_t pc) {
  if (pc >= code.size()) return code.size();
  if (code[pc] < 0x80) return pc + 1;
  if (pc + 3 > code.size()) return code.size();
  const size_t length = U16(code, pc + 1);
  size_t next = pc + 3 + length;
  if (next > code.size()) return code.size();
  const uint8_t action = code[pc];
  if ((action == kDefineFunction || action == kDefineFunction2) && length >= 2) {
    next += U16(code, next - 2);
  } else if (action == kWith && length >= 2) {
    next += U16(code, pc + 3);
  }
  return std::min(code.size(), next);
}

// ECMAScript's ToInt32: what ToInteger leaves of a number.
double ToInt32(double number) {
  if (!std::isfinite(number)) return 0;
  const double wrapped = std::fmod(std::trunc(number), 4294967296.0);
  const double unsigned32 = wrapped < 0 ? wrapped + 4294967296.0 : wrapped;
  return unsigned32 >= 2147483648.0 ? unsigned32 - 4294967296.0 : unsigned32;
}

// The number a frame string holds when it is all digits; nothing for a label.
std::optional<double> FrameNumberOf(std::string_view text) {
  if (text.empty() ||
      !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return std::nullopt;
  return ParseNumber(text);
}

}  // namespace

struct CKV_ActionInterpreter::Context {
  std::span<const uint8_t> code;
  Target self;
  Target target;
  int callDepth = 0;
  bool aborted = false;
  std::vector<std::string> pool;
};

CKV_ActionInterpreter::CKV_ActionInterpreter(CKV_ActionHost& host, InterpreterLimits limits)
    : host_(host), limits_(limits) {}

void CKV_ActionInterpreter::StartFrame() {
  actionsRun_ = 0;
  stopped_ = false;
  overrunReported_ = false;
}

void CKV_ActionInterpreter::Run(std::span<const uint8_t> actions, const Target& self) {
  stack_.clear();
  Execute(actions, self, 0);
}

void CKV_ActionInterpreter::Fail(const std::string& why) {
  host_.Warn(why);
}

void CKV_ActionInterpreter::Execute(std::span<const uint8_t> actions, const Target& self,
                                    int callDepth) {
  Context context{actions, self, self, callDepth, false, {}};
  size_t pc = 0;
  while (pc < actions.size() && !stopped_ && !context.aborted) {
    if (++actionsRun_ > limits_.actionsPerFrame) {
      stopped_ = true;
      if (!overrunReported_)
        Fail("a script ran more than " + std::to_string(limits_.actionsPerFrame) +
             " actions in one frame and was stopped");
      overrunReported_ = true;
      return;
    }
    if (overflowed_) {
      // A script that piles values up without end is faulty: it stops here.
      Fail("a script's stack grew past " + std::to_string(limits_.stackSize) +
           " values and the script was stopped");
      overflowed_ = false;
      stack_.clear();
      return;
    }
    const uint8_t code = actions[pc];
    if (code == op::kEnd) return;
    const size_t next = NextAction(actions, pc);
    if (code < 0x80) {
      RunSimple(context, code);
      pc = next;
      continue;
    }
    if (pc + 3 > actions.size() || pc + 3 + U16(actions, pc + 1) > actions.size()) return;
    pc = RunWithPayload(context, code, actions.subspan(pc + 3, U16(actions, pc + 1)), next);
  }
}

void CKV_ActionInterpreter::Push(Value value) {
  if (stack_.size() >= limits_.stackSize) {
    overflowed_ = true;
    return;
  }
  stack_.push_back(std::move(value));
}

void CKV_ActionInterpreter::PushString(std::string text) {
  if (text.size() > limits_.stringLength) {
    Fail("a script made a string longer than " + std::to_string(limits_.stringLength) +
         " bytes; it was cut");
    text.resize(limits_.stringLength);
  }
  Push(std::move(text));
}

Value CKV_ActionInterpreter::Pop() {
  if (stack_.empty()) return {};
  Value value = std::move(stack_.back());
  stack_.pop_back();
  return value;
}

bool CKV_ActionInterpreter::RunSimple(Context& context, uint8_t code) {
  const Target& target = context.target;
  switch (code) {
    case op::kNextFrame:
    case op::kPrevFrame:
      if (target) {
        const uint32_t current = host_.CurrentFrame(target);
        host_.SetPlaying(target, false);
        if (code == op::kNextFrame) host_.GotoFrame(target, current + 1);
        if (code == op::kPrevFrame && current > 1) host_.GotoFrame(target, current - 1);
      }
      return true;
    case op::kPlay:
    case op::kStop:
      if (target) host_.SetPlaying(target, code == op::kPlay);
      return true;
    case op::kAdd: {
      const double a = PopNumber();
      Push(PopNumber() + a);
      return true;
    }
    case op::kSubtract: {
      const double a = PopNumber();
      Push(PopNumber() - a);
      return true;
    }
    case op::kMultiply: {
      const double a = PopNumber();
      Push(PopNumber() * a);
      return true;
    }
    case op::kDivide: {
      const double a = PopNumber();
      const double b = PopNumber();
      // Flash 4 gives a text rather than an infinity.
      Push(a == 0 ? Value("#ERROR#") : Value(b / a));
      return true;
    }
    case op::kEquals: {
      const double a = PopNumber();
      Push(FromBool(PopNumber() == a));
      return true;
    }
    case op::kLess: {
      const double a = PopNumber();
      Push(FromBool(PopNumber() < a));
      return true;
    }
    case op::kAnd: {
      const bool a = Truthy(PopNumber());
      Push(FromBool(Truthy(PopNumber()) && a));
      return true;
    }
    case op::kOr: {
      const bool a = Truthy(PopNumber());
      Push(FromBool(Truthy(PopNumber()) || a));
      return true;
    }
    case op::kNot:
      Push(FromBool(!Truthy(PopNumber())));
      return true;
    case op::kStringEquals: {
      const std::string a = PopString();
      Push(FromBool(PopString() == a));
      return true;
    }
    case op::kStringLess: {
      const std::string a = PopString();
      Push(FromBool(PopString() < a));
      return true;
    }
    case op::kStringLength:
    case op::kMBStringLength:
      Push(static_cast<double>(PopString().size()));
      return true;
    case op::kStringExtract:
    case op::kMBStringExtract:
      // Both forms act per byte: text here is Windows-1252.
      StringExtract();
      return true;
    case op::kStringAdd: {
      const std::string a = PopString();
      PushString(PopString() + a);
      return true;
    }
    case op::kPop:
      Pop();
      return true;
    case op::kToInteger:
      Push(ToInt32(PopNumber()));
      return true;
    case op::kCharToAscii:
    case op::kMBCharToAscii: {
      const std::string text = PopString();
      Push(text.empty() ? 0.0 : static_cast<double>(static_cast<uint8_t>(text[0])));
      return true;
    }
    case op::kAsciiToChar:
    case op::kMBAsciiToChar: {
      const auto code32 = static_cast<uint32_t>(static_cast<int64_t>(ToInt32(PopNumber())));
      std::string text;
      if (code == op::kMBAsciiToChar && (code32 & 0xFF00))
        text.push_back(static_cast<char>(code32 >> 8 & 0xFF));
      if (code32 & 0xFF) text.push_back(static_cast<char>(code32 & 0xFF));
      Push(std::move(text));
      return true;
    }
    case op::kGetVariable: {
      const std::string name = PopString();
      Push(GetVariable(context, name));
      return true;
    }
    case op::kSetVariable: {
      Value value = Pop();
      SetVariable(context, PopString(), std::move(value));
      return true;
    }
    case op::kSetTarget2:
      SetTarget(context, PopString());
      return true;
    case op::kGetProperty:
      PushProperty(context);
      return true;
    case op::kSetProperty: {
      const Value value = Pop();
      const int index = static_cast<int>(ToInt32(PopNumber()));
      const std::string path = PopString();
      if (const Target clip = path.empty() ? context.target : ResolveTarget(context, path))
        host_.SetProperty(clip, index, value);
      return true;
    }
    case op::kCloneSprite:
      CloneSprite(context);
      return true;
    case op::kRemoveSprite:
      if (const Target clip = ResolveTarget(context, PopString())) host_.RemoveSprite(clip);
      return true;
    case op::kTrace:
      host_.Trace(Pop().ToTraceString());
      return true;
    case op::kStartDrag:
      StartDrag(context);
      return true;
    case op::kEndDrag:
      host_.EndDrag();
      return true;
    case op::kRandomNumber: {
      const double limit = ToInt32(PopNumber());
      Push(limit <= 0 ? 0.0 : static_cast<double>(random_() % static_cast<uint32_t>(limit)));
      return true;
    }
    case op::kGetTime:
      Push(std::floor(host_.Milliseconds()));
      return true;
    default:
      // Toggle quality, stop sounds and later-version actions change nothing here.
      return false;
  }
}

size_t CKV_ActionInterpreter::RunWithPayload(Context& context, uint8_t code,
                                             std::span<const uint8_t> payload, size_t next) {
  const size_t end = context.code.size();
  const Target& target = context.target;
  switch (code) {
    case op::kGotoFrame:
      if (payload.size() >= 2 && target) {
        host_.SetPlaying(target, false);
        host_.GotoFrame(target, uint32_t{U16(payload, 0)} + 1);
      }
      return next;
    case op::kGoToLabel: {
      size_t at = 0;
      const std::string label = CString(payload, at);
      if (!target) return next;
      if (const uint32_t frame = host_.FrameOfLabel(target, label); frame != 0) {
        host_.SetPlaying(target, false);
        host_.GotoFrame(target, frame);
      }
      return next;
    }
    case op::kGetUrl: {
      size_t at = 0;
      const std::string url = CString(payload, at);
      const std::string window = CString(payload, at);
      host_.GetUrl(url, window, 0, false, false);
      return next;
    }
    case op::kGetUrl2: {
      const uint8_t flags = payload.empty() ? 0 : payload[0];
      const std::string window = PopString();
      const std::string url = PopString();
      host_.GetUrl(url, window, flags & 0x03, (flags & 0x40) != 0, (flags & 0x80) != 0);
      return next;
    }
    case op::kConstantPool: {
      context.pool.clear();
      if (payload.size() < 2) return next;
      size_t at = 2;
      for (uint16_t i = 0, count = U16(payload, 0); i < count && at < payload.size(); ++i)
        context.pool.push_back(CString(payload, at));
      return next;
    }
    case op::kWaitForFrame:
    case op::kWaitForFrame2: {
      const bool fromStack = code == op::kWaitForFrame2;
      if (payload.size() < (fromStack ? 1U : 3U)) return next;
      const FrameRef frame = fromStack ? ResolveFrame(context, Pop())
                                       : FrameRef{target, uint32_t{U16(payload, 0)} + 1};
      const uint8_t skip = payload[fromStack ? 0 : 2];
      if (frame.target && frame.frame != 0 && host_.FrameLoaded(frame.target, frame.frame))
        return next;
      size_t pc = next;
      for (int i = 0; i < skip; ++i) pc = NextAction(context.code, pc);
      return pc;
    }
    case op::kSetTarget: {
      size_t at = 0;
      SetTarget(context, CString(payload, at));
      return next;
    }
    case op::kPush:
      PushPush(payload, context.pool);
      return next;
    case op::kJump:
    case op::kIf: {
      if (payload.size() < 2) return end;
      const auto offset = static_cast<int16_t>(U16(payload, 0));
      if (code == op::kIf && !Truthy(PopNumber())) return next;
      const auto to = static_cast<int64_t>(next) + offset;
      // A branch out of the list ends it.
      return to < 0 || to > static_cast<int64_t>(end) ? end : static_cast<size_t>(to);
    }
    case op::kCall:
      Call(context);
      return next;
    case op::kGotoFrame2: {
      if (payload.empty()) return next;
      const bool play = payload[0] & 0x01;
      const uint32_t bias = (payload[0] & 0x02) && payload.size() >= 3 ? U16(payload, 1) : 0;
      FrameRef frame = ResolveFrame(context, Pop());
      if (!frame.target || frame.frame == 0) return next;
      host_.SetPlaying(frame.target, play);
      host_.GotoFrame(frame.target, frame.frame + bias);
      return next;
    }
    default:
      return next;
  }
}

void CKV_ActionInterpreter::PushPush(std::span<const uint8_t> payload,
                                     const std::vector<std::string>& pool) {
  size_t at = 0;
  while (at < payload.size()) {
    const uint8_t type = payload[at++];
    const size_t left = payload.size() - at;
    switch (type) {
      case 0:
        PushString(CString(payload, at));
        break;
      case 1: {
        if (left < 4) return;
        const uint32_t bits = U32(payload, at);
        float number;
        std::memcpy(&number, &bits, sizeof number);
        Push(static_cast<double>(number));
        at += 4;
        break;
      }
      case 2:
        Push(Value::Null());
        break;
      case 3:
        Push(Value());
        break;
      case 4:  // a register: none exist before version 5
        if (left < 1) return;
        Push(Value());
        at += 1;
        break;
      case 5:
        if (left < 1) return;
        Push(FromBool(payload[at] != 0));
        at += 1;
        break;
      case 6: {
        if (left < 8) return;
        // The high word comes first, each word little-endian.
        const uint64_t bits = uint64_t{U32(payload, at)} << 32 | U32(payload, at + 4);
        double number;
        std::memcpy(&number, &bits, sizeof number);
        Push(number);
        at += 8;
        break;
      }
      case 7:
        if (left < 4) return;
        Push(static_cast<double>(static_cast<int32_t>(U32(payload, at))));
        at += 4;
        break;
      case 8:
      case 9: {
        const size_t width = type == 8 ? 1 : 2;
        if (left < width) return;
        const size_t index = width == 1 ? payload[at] : U16(payload, at);
        at += width;
        Push(index < pool.size() ? Value(pool[index]) : Value());
        break;
      }
      default:
        // An unknown type has no known length: the rest of the record is unreadable.
        return;
    }
  }
}

Target CKV_ActionInterpreter::ResolveTarget(const Context& context, std::string_view path) {
  const Target& from = context.target ? context.target : context.self;
  return from ? host_.ResolveTarget(from, path) : nullptr;
}

void CKV_ActionInterpreter::SetTarget(Context& context, const std::string& path) {
  // Paths name timelines from the one the script belongs to; an empty one returns there.
  if (path.empty()) {
    context.target = context.self;
    return;
  }
  context.target = context.self ? host_.ResolveTarget(context.self, path) : nullptr;
  if (!context.target) host_.Warn("a script's target \"" + path + "\" was not found");
}

Target CKV_ActionInterpreter::SplitPath(const Context& context, std::string_view& name) {
  const size_t colon = name.rfind(':');
  if (colon == std::string_view::npos) return context.target;
  const std::string_view path = name.substr(0, colon);
  name = name.substr(colon + 1);
  return ResolveTarget(context, path);
}

std::optional<int> CKV_ActionInterpreter::PropertyOfVariable(std::string_view name) {
  // A bare property name reads the target's property; after a path it names a variable.
  return name.find(':') == std::string_view::npos ? PropertyOfName(name) : std::nullopt;
}

Value CKV_ActionInterpreter::GetVariable(const Context& context, std::string_view name) {
  const std::optional<int> property = PropertyOfVariable(name);
  const Target target = SplitPath(context, name);
  if (!target) return {};
  if (property) return host_.GetProperty(target, *property);
  return host_.GetVariable(target, name);
}

void CKV_ActionInterpreter::SetVariable(const Context& context, std::string_view name,
                                        Value value) {
  const std::optional<int> property = PropertyOfVariable(name);
  const Target target = SplitPath(context, name);
  if (!target) return;
  if (property) {
    host_.SetProperty(target, *property, value);
    return;
  }
  host_.SetVariable(target, name, std::move(value));
}

void CKV_ActionInterpreter::PushProperty(const Context& context) {
  const int index = static_cast<int>(ToInt32(PopNumber()));
  const std::string path = PopString();
  const Target clip = path.empty() ? context.target : ResolveTarget(context, path);
  Push(clip ? host_.GetProperty(clip, index) : Value());
}

CKV_ActionInterpreter::FrameRef CKV_ActionInterpreter::ResolveFrame(const Context& context,
                                                                    const Value& value) {
  if (!value.IsString()) {
    const double number = ToInt32(value.ToNumber());
    return {context.target, number >= 1 ? static_cast<uint32_t>(number) : 0};
  }
  std::string_view text = value.Text();
  const Target target = SplitPath(context, text);
  if (!target) return {};
  if (const std::optional<double> number = FrameNumberOf(text))
    return {target, *number >= 1 && *number < 4294967296.0 ? static_cast<uint32_t>(*number) : 0};
  return {target, host_.FrameOfLabel(target, text)};
}

void CKV_ActionInterpreter::StringExtract() {
  const double count = ToInt32(PopNumber());
  const double index = ToInt32(PopNumber());
  const std::string text = PopString();
  const size_t start = index < 1 ? 0 : static_cast<size_t>(index) - 1;
  if (start >= text.size()) {
    Push(std::string());
    return;
  }
  const size_t length = count < 0 ? std::string::npos : static_cast<size_t>(count);
  Push(text.substr(start, length));
}

void CKV_ActionInterpreter::StartDrag(const Context& context) {
  const std::string path = PopString();
  const bool lockCenter = Truthy(PopNumber());
  std::optional<DragBounds> bounds;
  if (Truthy(PopNumber())) {
    DragBounds box;
    box.bottom = PopNumber();
    box.right = PopNumber();
    box.top = PopNumber();
    box.left = PopNumber();
    bounds = box;
  }
  if (const Target clip = path.empty() ? context.target : ResolveTarget(context, path))
    host_.StartDrag(clip, lockCenter, bounds);
}

void CKV_ActionInterpreter::CloneSprite(const Context& context) {
  const double depth = ToInt32(PopNumber());
  const std::string name = PopString();
  const std::string source = PopString();
  if (const Target clip = ResolveTarget(context, source))
    host_.CloneSprite(clip, name, static_cast<int>(depth));
}

void CKV_ActionInterpreter::Call(Context& context) {
  const FrameRef frame = ResolveFrame(context, Pop());
  if (!frame.target || frame.frame == 0) return;
  if (context.callDepth + 1 > limits_.callDepth) {
    Fail("calls nested deeper than " + std::to_string(limits_.callDepth) + " were not run");
    return;
  }
  for (const std::span<const uint8_t> actions : host_.FrameActions(frame.target, frame.frame))
    Execute(actions, frame.target, context.callDepth + 1);
}

}  // namespace avm
