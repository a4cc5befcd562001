#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace glyphs {

// The Unicode character of a Windows-1252 code. The five codes the code page leaves
// undefined map to the C1 control of the same value, as Windows converts them.
char32_t Windows1252ToUnicode(uint8_t code);

// True for a code that names a visible character or a space: not a control, not one of the
// five undefined codes.
bool IsPrintableWindows1252(uint8_t code);

// Windows-1252 text as UTF-8.
std::string Windows1252ToUtf8(std::string_view text);

}  // namespace glyphs
