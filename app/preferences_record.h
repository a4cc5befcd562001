#pragma once

// The preferences record: every setting that survives a restart, as one 2036-byte value.
// Qt-free, so that its layout and its defensive reading are tested on their own.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "engine/movie_settings.h"
#include "glyphs/font_request.h"

namespace zarn::app {

inline constexpr size_t kPreferencesSize = 2036;
inline constexpr uint32_t kPreferencesFormat = 2;
using PreferenceBytes = std::array<uint8_t, kPreferencesSize>;

// Our home page, the link a fresh record offers.
inline constexpr const char* kDefaultLinkAddress = "https://kalvoren.example/";

// The text fields' capacities without their terminators.
inline constexpr size_t kMaxLinkUrlLength = 127;
inline constexpr size_t kMaxLinkTargetLength = 63;
inline constexpr size_t kMaxFaceLength = 63;
inline constexpr size_t kMaxStoredTextLength = 255;

// Bits of the font style code.
inline constexpr uint16_t kStyleBold = 0x01;
inline constexpr uint16_t kStyleItalic = 0x02;

// The Save As dialog's page options as stored: its starting values at every save.
struct StoredHtmlOptions {
  uint8_t red = 255;
  uint8_t green = 255;
  uint8_t blue = 255;
  bool resizable = true;
  bool autoPlay = true;
  int32_t align = 2;
  int32_t quality = 2;

  bool operator==(const StoredHtmlOptions&) const = default;
};

struct ScreenPoint {
  int32_t x = 0;
  int32_t y = 0;

  bool operator==(const ScreenPoint&) const = default;
};

// The record's fields. Texts are Windows-1252 codes, colours 0x00BBGGRR.
struct Preferences {
  std::string text = "Kalvoren Zarn";
  std::string linkUrl = kDefaultLinkAddress;
  std::string linkTarget = "_parent";
  int32_t letterSpace = 0;
  int32_t lineSpace = 0;
  int32_t originX = 50;
  int32_t originY = 50;
  uint32_t backgroundColor = 0x000000;
  uint32_t textColor = 0xFFFFFF;
  int32_t fontSize = 36;
  int32_t frameDelay = 1;
  int32_t movieWidth = 500;
  int32_t movieHeight = 150;
  float frameRate = 12.0F;
  std::string fontFace = "Arial";
  uint16_t fontStyle = 0;
  // The font chooser's description; all zero in a fresh record.
  glyphs::FontRequest chooserFont;
  engine::MovieSettingsFlags flags{.loopPreview = true, .showCross = true, .autoPreview = true};
  int32_t selectedEffect = 0;
  StoredHtmlOptions html;

  bool saveSettingsOnExit = true;
  bool rememberPositions = true;
  bool confirmExit = true;
  bool showPluginErrors = false;
  ScreenPoint mainWindow{50, 50};
  ScreenPoint previewWindow{80, 80};

  // The bytes no field covers, carried along unchanged from the record read.
  PreferenceBytes carried{};
};

// A fresh record: the defaults, the header word 1, format 2 and the reserved byte 2.
Preferences DefaultPreferences();

PreferenceBytes EncodePreferences(const Preferences& preferences);

// The fields of a stored value; none when it is not exactly 2036 bytes or its format number
// is not 2. Nothing in the value is trusted: texts without a terminator are cut, numbers the
// program cannot use (sizes out of range, a frame rate that is not a finite number in range,
// a negative effect index, unknown align and quality codes) take their defaults, colours lose
// their high byte and flags read as set or clear.
std::optional<Preferences> DecodePreferences(std::span<const uint8_t> value);

// The font builds use: the chooser's description, or, while that is still all zero, one made
// from the stored face, size and style at the given screen resolution.
glyphs::FontRequest EffectiveFont(const Preferences& preferences, int pixelsPerInch);

}  // namespace zarn::app
