#pragma once

#include <map>
#include <string>

#include "effectc/effect_source.h"
#include "swftk/actions.h"

namespace effectc {

// Names that "${name}" stands for inside the strings a script pushes.
using ScriptConstants = std::map<std::string, std::string>;

// Turns assembly lines into SWF 4 actions, one instruction per line:
//   push "text", 12.5, _alpha   one Push per value; _alpha and the other property names push
//                               their property numbers
//   gotoFrame 3                 frames count from 1
//   jump done / if done         to a label defined on a line of its own as "done:"
//   getURL "url", "target"; setTarget "path"; gotoLabel "label"; gotoFrame2 play|stop;
//   getURL2 method; and the stack instructions (getVariable, setVariable, add, random ...).
// A ';' outside a string starts a comment. On failure, error names the line and the fault.
bool Assemble(const Script& script, const ScriptConstants& constants, swftk::ActionList& out,
              std::string& error);

}  // namespace effectc
