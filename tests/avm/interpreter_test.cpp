// The interpreter against what Flash 4 players give, family by family: each script traces
// its results and the lines are compared.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "avm/action_interpreter.h"
#include "fake_host.h"
#include "script_builder.h"

namespace avm::test {
namespace {

using Build = std::function<void(ScriptBuilder&)>;

struct TraceCase {
  const char* name;
  Build script;
  std::vector<std::string> traces;
};

std::vector<std::string> TracesOf(const Build& build) {
  FakeHost host;
  CKV_ActionInterpreter interpreter(host);
  ScriptBuilder script;
  build(script);
  const std::vector<uint8_t> bytes = script.Build();
  interpreter.Run(bytes, host.root);
  return host.traces;
}

void ExpectTraces(const std::vector<TraceCase>& cases) {
  for (const TraceCase& c : cases) EXPECT_EQ(TracesOf(c.script), c.traces) << c.name;
}

// OP a, traced; b OP a, traced; a traced; one script after another.
Build Unary(Build a, uint8_t code) {
  return [=](ScriptBuilder& s) {
    a(s);
    s.Op(code).Trace();
  };
}
Build Binary(Build b, Build a, uint8_t code) {
  return [=](ScriptBuilder& s) {
    b(s);
    Unary(a, code)(s);
  };
}
Build Traced(Build a) {
  return [=](ScriptBuilder& s) {
    a(s);
    s.Trace();
  };
}
Build Both(Build first, Build second) {
  return [=](ScriptBuilder& s) {
    first(s);
    second(s);
  };
}
Build S(const std::string& text) {
  return [=](ScriptBuilder& s) { s.Str(text); };
}
Build N(double number) {
  return [=](ScriptBuilder& s) { s.Num(number); };
}
const Build kNothing = [](ScriptBuilder&) {};
const Build kUndefined = [](ScriptBuilder& s) { s.Undefined(); };

TEST(Interpreter, ArithmeticAndConversions) {
  ExpectTraces({
      {"strings without digits read as 0", Binary(S("ab"), S("cd"), op::kAdd), {"0"}},
      {"a leading number is read", Binary(S("300"), S("150a"), op::kAdd), {"450"}},
      {"no hex and no octal",
       [](ScriptBuilder& s) {
         s.Str("300").Str("0x96").Op(op::kAdd).Str("010").Op(op::kAdd).Trace();
       },
       {"310"}},
      {"booleans are 1 and 0",
       [](ScriptBuilder& s) { s.Num(300).Str("150").Op(op::kAdd).Bool(true).Op(op::kAdd).Trace(); },
       {"451"}},
      {"undefined adds as 0", Binary(S("300"), kUndefined, op::kAdd), {"300"}},
      {"subtract", Binary(N(2), N(5), op::kSubtract), {"-3"}},
      {"multiply", Binary(S(" 1.5e1"), N(2), op::kMultiply), {"30"}},
      {"division by zero", Binary(N(3), N(0), op::kDivide), {"#ERROR#"}},
      {"zero by zero", Binary(N(0), N(0), op::kDivide), {"#ERROR#"}},
      {"zero divided", Binary(N(0), N(3), op::kDivide), {"0"}},
      {"fifteen digits", Binary(N(1), N(3), op::kDivide), {"0.333333333333333"}},
      {"sums round to fifteen digits", Binary(N(0.1), N(0.2), op::kAdd), {"0.3"}},
      {"int push; whole floats without point",
       [](ScriptBuilder& s) { s.Int(-42).Trace().Float(5.0F).Trace(); },
       {"-42", "5"}},
      {"large numbers",
       Both(Traced(N(1e21)), Traced(N(123456789012345.0))),
       {"1e+21", "123456789012345"}},
      {"small numbers", Both(Traced(N(1e-7)), Traced(N(0.0001))), {"1e-7", "0.0001"}},
      {"infinities",
       Both(Binary(N(1e308), N(10), op::kMultiply), Binary(N(-1e308), N(10), op::kMultiply)),
       {"Infinity", "-Infinity"}},
      {"to integer truncates",
       Both(Unary(N(7.9), op::kToInteger), Unary(N(-7.9), op::kToInteger)),
       {"7", "-7"}},
      {"equals compares numbers", Binary(S("5"), S("5.0"), op::kEquals), {"1"}},
      {"unequal", Binary(N(5), N(6), op::kEquals), {"0"}},
      {"less", Binary(N(2), N(3), op::kLess), {"1"}},
      {"not less", Binary(N(3), N(2), op::kLess), {"0"}},
      {"and", Binary(N(1), S("x"), op::kAnd), {"0"}},
      {"or", Binary(N(0), N(-123), op::kOr), {"1"}},
      {"not of text", Both(Unary(S("blah"), op::kNot), Unary(S("123"), op::kNot)), {"1", "0"}},
      {"undefined traces by name", Traced(kUndefined), {"undefined"}},
      {"empty stack pops undefined", Traced(kNothing), {"undefined"}},
      {"unset variables are undefined", Unary(S("nothing"), op::kGetVariable), {"undefined"}},
      {"an empty script traces nothing", kNothing, {}},
  });
}

TEST(Interpreter, Strings) {
  ExpectTraces({
      {"concatenation", Binary(S("ab"), N(5), op::kStringAdd), {"ab5"}},
      {"length", Unary(S("hello"), op::kStringLength), {"5"}},
      {"multibyte length counts bytes", Unary(S("\xE9t\xE9"), op::kMBStringLength), {"3"}},
      {"extract from 1", Binary(Both(S("hello"), N(2)), N(3), op::kStringExtract), {"ell"}},
      {"extract before the start",
       Binary(Both(S("hello"), N(0)), N(2), op::kStringExtract),
       {"he"}},
      {"negative count runs to the end",
       Binary(Both(S("hello"), N(4)), N(-1), op::kMBStringExtract),
       {"lo"}},
      {"extract past the end", Binary(Both(S("hello"), N(9)), N(2), op::kStringExtract), {""}},
      {"equality is exact", Binary(S("a"), S("A"), op::kStringEquals), {"0"}},
      {"less by bytes", Binary(S("B"), S("a"), op::kStringLess), {"1"}},
      {"char to code",
       Both(Unary(S("A"), op::kCharToAscii), Unary(S("\xE9"), op::kMBCharToAscii)),
       {"65", "233"}},
      {"code to char",
       Both(Unary(N(65), op::kAsciiToChar), Unary(N(233), op::kMBAsciiToChar)),
       {"A", "\xE9"}},
      {"numbers as text", Binary(N(0.5), S(""), op::kStringAdd), {"0.5"}},
  });
}

TEST(Interpreter, VariablesAndTargets) {
  FakeHost host;
  auto child = host.AddChild("a");
  child->variables["x"] = "in a";
  host.root->properties[0] = 12.0;
  CKV_ActionInterpreter interpreter(host);
  ScriptBuilder s;
  s.Set("Count", 3).Get("count").Trace();           // names ignore case
  s.Get("a:x").Trace().Get("/a:x").Trace();         // paths with a colon
  s.Str("/a:y").Str("set").Op(op::kSetVariable);    // set through a path
  s.Get("_X").Trace();                              // property names read properties
  s.Text(op::kSetTarget, "a").Get("x").Trace();     // tell target
  s.Text(op::kSetTarget, "").Get("count").Trace();  // and back
  s.Str("").Str(" 0").Op(op::kGetProperty).Trace();
  s.Str("nowhere").Op(op::kSetTarget2).Get("x").Trace();
  s.Str("a").Num(1).Str("7").Op(op::kSetProperty);
  const std::vector<uint8_t> bytes = s.Build();
  interpreter.Run(bytes, host.root);
  EXPECT_EQ(host.traces,
            (std::vector<std::string>{"3", "in a", "in a", "12", "in a", "3", "12", "undefined"}));
  EXPECT_EQ(child->variables["y"], Value("set"));
  EXPECT_EQ(child->properties[1], Value("7"));
  EXPECT_EQ(host.warnings, std::vector<std::string>{"a script's target \"nowhere\" was not found"});
}

TEST(Interpreter, ControlFlow) {
  FakeHost host;
  host.root->labels["end"] = 3;
  CKV_ActionInterpreter interpreter(host);
  ScriptBuilder s;
  // i = 0; do { trace(i); i = i + 1 } while (i < 3)
  s.Set("i", 0);
  const size_t loop = s.Size();
  s.Get("i").Trace().Str("i").Get("i").Num(1).Op(op::kAdd).Op(op::kSetVariable);
  s.Get("i").Num(3).Op(op::kLess);
  s.Branch(op::kIf, static_cast<int16_t>(loop - (s.Size() + 5)));
  // If false falls through; a jump skips the trace after it.
  s.Num(0).Branch(op::kIf, 100).Branch(op::kJump, 13).Str("skipped").Trace();
  // WaitForFrame runs on when the frame is loaded and skips actions when it is not.
  s.With(op::kWaitForFrame, {1, 0, 1}).Str("loaded").Trace();
  s.With(op::kWaitForFrame, {9, 0, 2}).Str("not loaded").Trace().Str("after").Trace();
  s.With(0xA5, {1, 2, 3}).Op(0x3C);  // later-version actions are skipped by their length
  s.Str("end").With(op::kGotoFrame2, {0}).With(op::kGotoFrame, {0, 0}).Op(op::kPlay);
  s.Str("2").With(op::kGotoFrame2, {3, 1, 0});  // a scene bias
  const std::vector<uint8_t> bytes = s.Build();
  interpreter.Run(bytes, host.root);
  EXPECT_EQ(host.traces, (std::vector<std::string>{"0", "1", "2", "loaded", "after"}));
  EXPECT_EQ(host.log, (std::vector<std::string>{"root goto 3", "root goto 1", "root goto 3"}));
  EXPECT_TRUE(host.root->playing);
}

TEST(Interpreter, WorldOutside) {
  FakeHost host;
  host.AddChild("a");
  CKV_ActionInterpreter interpreter(host);
  interpreter.SeedRandom(7);
  ScriptBuilder s;
  s.With(op::kGetUrl, {'u', 0, '_', 'b', 0});
  s.Str("FSCommand:quit").Str("x").With(op::kGetUrl2, {0xC2});
  s.Str("a").Str("b").Num(3).Op(op::kCloneSprite).Str("a").Op(op::kRemoveSprite);
  s.Num(1).Num(2).Num(30).Num(40).Num(1).Num(1).Str("a").Op(op::kStartDrag).Op(op::kEndDrag);
  s.Op(op::kGetTime).Trace().Num(10).Op(op::kRandomNumber).Op(op::kRandomNumber).Trace();
  const std::vector<uint8_t> bytes = s.Build();
  interpreter.Run(bytes, host.root);
  EXPECT_EQ(host.log, (std::vector<std::string>{"url u _b 0", "url FSCommand:quit x 2 target vars",
                                                "clone a as b at 3", "remove a",
                                                "drag a locked 1,2,30,40", "end drag"}));
  ASSERT_EQ(host.traces.size(), 2U);
  EXPECT_EQ(host.traces[0], "1234");
  // RandomNumber(RandomNumber(10)) lies below 10, and a seed repeats it.
  EXPECT_LT(std::stod(host.traces[1]), 10);
}

TEST(Interpreter, GuardRails) {
  FakeHost host;
  InterpreterLimits limits;
  limits.actionsPerFrame = 1000;
  limits.stackSize = 50;
  limits.callDepth = 4;
  limits.stringLength = 64;
  CKV_ActionInterpreter interpreter(host, limits);
  // A script that loops for ever is stopped; the frame's later scripts wait for the next.
  const std::vector<uint8_t> forever = ScriptBuilder().Branch(op::kJump, -5).Build();
  const std::vector<uint8_t> hello = ScriptBuilder().Str("hello").Trace().Build();
  interpreter.Run(forever, host.root);
  interpreter.Run(hello, host.root);
  EXPECT_TRUE(host.traces.empty());
  interpreter.StartFrame();
  interpreter.Run(hello, host.root);
  EXPECT_EQ(host.traces, std::vector<std::string>{"hello"});
  // A frame that calls itself stops at the call depth; strings stop at their bound.
  host.root->scripts[1] = ScriptBuilder().Str("1").With(op::kCall, {}).Build();
  interpreter.Run(host.root->scripts[1], host.root);
  ScriptBuilder doubling;
  doubling.Str("x").Str("0123456789").Op(op::kSetVariable);
  const size_t top = doubling.Size();
  doubling.Str("x").Get("x").Get("x").Op(op::kStringAdd).Op(op::kSetVariable);
  doubling.Branch(op::kJump, static_cast<int16_t>(top - (doubling.Size() + 5)));
  interpreter.StartFrame();
  interpreter.Run(doubling.Build(), host.root);
  EXPECT_LE(host.root->variables["x"].ToString().size(), 64U);
  // A script that fills the stack stops.
  ScriptBuilder piling;
  piling.Num(1).Branch(op::kJump, -17);
  interpreter.StartFrame();
  interpreter.Run(piling.Build(), host.root);
  // Truncated payloads and branches out of the list end the script without reading past it.
  for (const std::vector<uint8_t>& bad :
       {std::vector<uint8_t>{op::kPush, 9, 0, 0, 'a'}, std::vector<uint8_t>{op::kPush, 2, 0, 6, 1},
        std::vector<uint8_t>{op::kJump, 0x00, 0x80, 0}, std::vector<uint8_t>{op::kIf, 1}})
    interpreter.Run(bad, host.root);
  for (const char* warning : {"a script ran more than 1000 actions in one frame and was stopped",
                              "calls nested deeper than 4 were not run",
                              "a script made a string longer than 64 bytes; it was cut",
                              "a script's stack grew past 50 values and the script was stopped"})
    EXPECT_NE(std::find(host.warnings.begin(), host.warnings.end(), warning), host.warnings.end())
        << warning;
}

}  // namespace
}  // namespace avm::test
