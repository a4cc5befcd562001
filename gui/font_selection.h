#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "glyphs/font_request.h"

namespace gui {

inline constexpr uint16_t kStyleBold = 0x01;
inline constexpr uint16_t kStyleItalic = 0x02;

// What the font dialog hands back.
struct KV_FontChoice {
  std::string face;
  int32_t pointTenths = 0;
  int32_t weight = glyphs::kWeightNormal;
  bool italic = false;
  std::string styleName;
};

// Asks the user for a font, starting at the given one; none when cancelled.
using KV_FontPicker = std::function<std::optional<KV_FontChoice>(const KV_FontChoice& initial)>;

// The font chooser's record: the font request last chosen (or stored with the preferences),
// and the face, size and style it shows.
struct CKV_FontSelection {
  // Names longer than this are cut.
  static constexpr size_t kMaxName = 254;

  glyphs::FontRequest font;
  std::string styleName;
  std::string faceName = "Arial";
  int32_t size = 12;
  uint16_t styleFlags = 0;

  void SetFaceName(std::string_view face);
  void SetStyleName(std::string_view style);
  // The dialog's starting point: face, size and style as a 96-dpi font request.
  KV_FontChoice Initial() const;
  // Takes a dialog result: its font request, face, whole points, bold only at weight 700.
  void Take(const KV_FontChoice& choice);
  // Runs the picker; false (and nothing changed) when cancelled.
  bool Choose(const KV_FontPicker& picker);
};

// The font dialog: a non-native QFontDialog offering scalable fonts.
std::optional<KV_FontChoice> PickFontWithDialog(const KV_FontChoice& initial);

// Face "Arial", style "Bold and Italic", size "12" read "Arial, Bold and Italic, 12 pt".
std::string FontSummary(const CKV_FontSelection& selection);

}  // namespace gui
