#pragma once

// Texts between the program's edit fields (UTF-8, LF line breaks), the engine (UTF-8 with the
// CR LF breaks the original edit control gave) and the preferences record (Windows-1252).

#include <string>
#include <string_view>

namespace zarn::app {

// Every line break as CR LF.
std::string EditTextToMovieText(std::string_view text);
// Every CR LF, and every lone CR, as LF.
std::string MovieTextToEditText(std::string_view text);

// UTF-8 as the record's Windows-1252 codes; a character the code page cannot hold becomes a
// question mark (the engine refuses such a text before any movie is made).
std::string ToRecordText(std::string_view utf8);

}  // namespace zarn::app
