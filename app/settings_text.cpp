#include "app/settings_text.h"

#include "engine/windows1252_text.h"

namespace zarn::app {

std::string EditTextToMovieText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
    out += text[i];
  }
  return out;
}

std::string MovieTextToEditText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r') {
      out += text[i];
    } else if (i + 1 >= text.size() || text[i + 1] != '\n') {
      out += '\n';
    }
  }
  return out;
}

std::string ToRecordText(std::string_view utf8) {
  std::string codes;
  for (size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<uint8_t>(utf8[i]);
    size_t length = 1;
    if ((lead & 0xE0) == 0xC0) {
      length = 2;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4;
    }
    const engine::Windows1252Text one = engine::ConvertToWindows1252(utf8.substr(i, length));
    codes += one.fault == engine::Windows1252Text::Fault::kNone ? one.codes : "?";
    i += length;
  }
  return codes;
}

}  // namespace zarn::app
