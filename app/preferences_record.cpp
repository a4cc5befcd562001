#include "app/preferences_record.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "engine/input_limits.h"

namespace zarn::app {
namespace {

// Offsets of the record's fields.
namespace at {
constexpr size_t kHeader = 0;
constexpr size_t kFormat = 4;
constexpr size_t kReservedTwo = 12;
constexpr size_t kOriginY = 16;
constexpr size_t kLinkUrl = 20;
constexpr size_t kLinkTarget = 148;
constexpr size_t kLetterSpace = 340;
constexpr size_t kBackgroundColor = 344;
constexpr size_t kOriginX = 348;
constexpr size_t kLineSpace = 352;
constexpr size_t kProtect = 480;
constexpr size_t kFontSize = 484;
constexpr size_t kFrameDelay = 488;
constexpr size_t kMovieWidth = 492;
constexpr size_t kMovieHeight = 496;
constexpr size_t kFrameRate = 500;
constexpr size_t kFontFace = 504;
constexpr size_t kFontStyle = 568;
constexpr size_t kShowPluginErrors = 570;
constexpr size_t kTextColor = 632;
constexpr size_t kRememberPositions = 636;
constexpr size_t kSelectedEffect = 640;
constexpr size_t kChooserFont = 772;
constexpr size_t kExportHtml = 832;
constexpr size_t kLoopPreview = 833;
constexpr size_t kAutoPreview = 894;
constexpr size_t kLoopMovie = 895;
constexpr size_t kAllAtOnce = 896;
constexpr size_t kLinkMovie = 897;
constexpr size_t kPreviewTop = 900;
constexpr size_t kText = 904;
constexpr size_t kMainLeft = 1160;
constexpr size_t kMainTop = 1164;
constexpr size_t kPreviewLeft = 1168;
constexpr size_t kShowCross = 1232;
constexpr size_t kSaveSettingsOnExit = 1233;
constexpr size_t kConfirmExit = 1234;
constexpr size_t kHtmlColour = 1248;
constexpr size_t kHtmlResizable = 1251;
constexpr size_t kHtmlAutoPlay = 1253;
constexpr size_t kHtmlAlign = 1256;
constexpr size_t kHtmlQuality = 1260;
}  // namespace at

constexpr uint32_t kHeaderWord = 1;
constexpr uint8_t kReservedTwoValue = 2;
constexpr uint32_t kColourMask = 0x00FFFFFF;
constexpr int32_t kLastAlign = 5;
constexpr int32_t kLastQuality = 6;
constexpr uint16_t kStyleBits = kStyleBold | kStyleItalic;
constexpr int kPointsPerInch = 72;

class RecordWriter {
 public:
  explicit RecordWriter(PreferenceBytes& bytes) : bytes_(bytes) {}

  void U32(size_t offset, uint32_t value) {
    for (size_t i = 0; i < 4; ++i) bytes_[offset + i] = static_cast<uint8_t>(value >> (8 * i));
  }
  void I32(size_t offset, int32_t value) { U32(offset, static_cast<uint32_t>(value)); }
  void U16(size_t offset, uint16_t value) {
    bytes_[offset] = static_cast<uint8_t>(value);
    bytes_[offset + 1] = static_cast<uint8_t>(value >> 8);
  }
  void Flag(size_t offset, bool value) { bytes_[offset] = value ? 1 : 0; }
  void Float(size_t offset, float value) { U32(offset, std::bit_cast<uint32_t>(value)); }
  // Cut to the field with room for the terminator; the rest of the field is zero.
  void Text(size_t offset, size_t size, const std::string& text) {
    std::fill_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), size, uint8_t{0});
    std::copy_n(text.begin(), std::min(text.size(), size - 1),
                bytes_.begin() + static_cast<std::ptrdiff_t>(offset));
  }

 private:
  PreferenceBytes& bytes_;
};

class RecordReader {
 public:
  explicit RecordReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  uint32_t U32(size_t offset) const {
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i) value |= static_cast<uint32_t>(bytes_[offset + i]) << (8 * i);
    return value;
  }
  int32_t I32(size_t offset) const { return static_cast<int32_t>(U32(offset)); }
  uint16_t U16(size_t offset) const {
    return static_cast<uint16_t>(bytes_[offset] | bytes_[offset + 1] << 8);
  }
  bool Flag(size_t offset) const { return bytes_[offset] != 0; }
  float Float(size_t offset) const { return std::bit_cast<float>(U32(offset)); }
  // Up to the terminator, or the whole field but its last byte when there is none.
  std::string Text(size_t offset, size_t size) const {
    const auto field = bytes_.subspan(offset, size - 1);
    const auto end = std::find(field.begin(), field.end(), uint8_t{0});
    return std::string(field.begin(), end);
  }
  // The value when lowest <= value < limit, else the fallback.
  int32_t Ranged(size_t offset, int32_t lowest, int32_t limit, int32_t fallback) const {
    const int32_t value = I32(offset);
    return value >= lowest && value < limit ? value : fallback;
  }

 private:
  std::span<const uint8_t> bytes_;
};

}  // namespace

Preferences DefaultPreferences() {
  Preferences preferences;
  preferences.carried.fill(0);
  RecordWriter writer(preferences.carried);
  writer.U32(at::kHeader, kHeaderWord);
  writer.U32(at::kFormat, kPreferencesFormat);
  preferences.carried[at::kReservedTwo] = kReservedTwoValue;
  return preferences;
}

PreferenceBytes EncodePreferences(const Preferences& p) {
  PreferenceBytes bytes = p.carried;
  RecordWriter w(bytes);
  w.I32(at::kOriginY, p.originY);
  w.Text(at::kLinkUrl, kMaxLinkUrlLength + 1, p.linkUrl);
  w.Text(at::kLinkTarget, kMaxLinkTargetLength + 1, p.linkTarget);
  w.I32(at::kLetterSpace, p.letterSpace);
  w.U32(at::kBackgroundColor, p.backgroundColor & kColourMask);
  w.I32(at::kOriginX, p.originX);
  w.I32(at::kLineSpace, p.lineSpace);
  w.Flag(at::kProtect, p.flags.protect);
  w.I32(at::kFontSize, p.fontSize);
  w.I32(at::kFrameDelay, p.frameDelay);
  w.I32(at::kMovieWidth, p.movieWidth);
  w.I32(at::kMovieHeight, p.movieHeight);
  w.Float(at::kFrameRate, p.frameRate);
  w.Text(at::kFontFace, kMaxFaceLength + 1, p.fontFace);
  w.U16(at::kFontStyle, p.fontStyle);
  w.Flag(at::kShowPluginErrors, p.showPluginErrors);
  w.U32(at::kTextColor, p.textColor & kColourMask);
  w.Flag(at::kRememberPositions, p.rememberPositions);
  w.I32(at::kSelectedEffect, p.selectedEffect);
  const auto font = p.chooserFont.Serialise();
  std::copy(font.begin(), font.end(), bytes.begin() + at::kChooserFont);
  w.Flag(at::kExportHtml, p.flags.exportHtml);
  w.Flag(at::kLoopPreview, p.flags.loopPreview);
  w.Flag(at::kAutoPreview, p.flags.autoPreview);
  w.Flag(at::kLoopMovie, p.flags.loopMovie);
  w.Flag(at::kAllAtOnce, p.flags.allAtOnce);
  w.Flag(at::kLinkMovie, p.flags.linkMovie);
  w.I32(at::kPreviewTop, p.previewWindow.y);
  w.Text(at::kText, kMaxStoredTextLength + 1, p.text);
  w.I32(at::kMainLeft, p.mainWindow.x);
  w.I32(at::kMainTop, p.mainWindow.y);
  w.I32(at::kPreviewLeft, p.previewWindow.x);
  w.Flag(at::kShowCross, p.flags.showCross);
  w.Flag(at::kSaveSettingsOnExit, p.saveSettingsOnExit);
  w.Flag(at::kConfirmExit, p.confirmExit);
  bytes[at::kHtmlColour] = p.html.red;
  bytes[at::kHtmlColour + 1] = p.html.green;
  bytes[at::kHtmlColour + 2] = p.html.blue;
  w.Flag(at::kHtmlResizable, p.html.resizable);
  w.Flag(at::kHtmlAutoPlay, p.html.autoPlay);
  w.I32(at::kHtmlAlign, p.html.align);
  w.I32(at::kHtmlQuality, p.html.quality);
  return bytes;
}

std::optional<Preferences> DecodePreferences(std::span<const uint8_t> value) {
  if (value.size() != kPreferencesSize) return std::nullopt;
  const RecordReader r(value);
  if (r.U32(at::kFormat) != kPreferencesFormat) return std::nullopt;

  using namespace engine;
  const Preferences d;
  Preferences p;
  std::copy(value.begin(), value.end(), p.carried.begin());
  p.text = r.Text(at::kText, kMaxStoredTextLength + 1);
  p.linkUrl = r.Text(at::kLinkUrl, kMaxLinkUrlLength + 1);
  p.linkTarget = r.Text(at::kLinkTarget, kMaxLinkTargetLength + 1);
  p.letterSpace = r.Ranged(at::kLetterSpace, kMinSpace, kMaxSpace, d.letterSpace);
  p.lineSpace = r.Ranged(at::kLineSpace, kMinSpace, kMaxSpace, d.lineSpace);
  p.originX = r.Ranged(at::kOriginX, kMinPosition, kMaxPosition, d.originX);
  p.originY = r.Ranged(at::kOriginY, kMinPosition, kMaxPosition, d.originY);
  p.backgroundColor = r.U32(at::kBackgroundColor) & kColourMask;
  p.textColor = r.U32(at::kTextColor) & kColourMask;
  p.fontSize = r.Ranged(at::kFontSize, kMinFontSize, kMaxFontSize, d.fontSize);
  p.frameDelay = r.Ranged(at::kFrameDelay, kMinFrameDelay, kMaxFrameDelay, d.frameDelay);
  p.movieWidth = r.Ranged(at::kMovieWidth, kMinMovieSize, kMaxMovieSize, d.movieWidth);
  p.movieHeight = r.Ranged(at::kMovieHeight, kMinMovieSize, kMaxMovieSize, d.movieHeight);
  const float rate = r.Float(at::kFrameRate);
  // Written so that a value that is not a number fails too.
  p.frameRate = rate >= kMinFrameRate && rate < kMaxFrameRate ? rate : d.frameRate;
  p.fontFace = r.Text(at::kFontFace, kMaxFaceLength + 1);
  if (p.fontFace.empty()) p.fontFace = d.fontFace;
  p.fontStyle = r.U16(at::kFontStyle) & kStyleBits;
  p.chooserFont =
      glyphs::FontRequest::Parse(value.subspan<at::kChooserFont, glyphs::kFontRequestSize>());
  p.flags.protect = r.Flag(at::kProtect);
  p.flags.exportHtml = r.Flag(at::kExportHtml);
  p.flags.loopPreview = r.Flag(at::kLoopPreview);
  p.flags.autoPreview = r.Flag(at::kAutoPreview);
  p.flags.loopMovie = r.Flag(at::kLoopMovie);
  p.flags.allAtOnce = r.Flag(at::kAllAtOnce);
  p.flags.linkMovie = r.Flag(at::kLinkMovie);
  p.flags.showCross = r.Flag(at::kShowCross);
  p.selectedEffect = std::max(0, r.I32(at::kSelectedEffect));
  p.html.red = value[at::kHtmlColour];
  p.html.green = value[at::kHtmlColour + 1];
  p.html.blue = value[at::kHtmlColour + 2];
  p.html.resizable = r.Flag(at::kHtmlResizable);
  p.html.autoPlay = r.Flag(at::kHtmlAutoPlay);
  p.html.align = r.Ranged(at::kHtmlAlign, 1, kLastAlign + 1, d.html.align);
  p.html.quality = r.Ranged(at::kHtmlQuality, 1, kLastQuality + 1, d.html.quality);
  p.showPluginErrors = r.Flag(at::kShowPluginErrors);
  p.rememberPositions = r.Flag(at::kRememberPositions);
  p.saveSettingsOnExit = r.Flag(at::kSaveSettingsOnExit);
  p.confirmExit = r.Flag(at::kConfirmExit);
  p.mainWindow = {r.I32(at::kMainLeft), r.I32(at::kMainTop)};
  p.previewWindow = {r.I32(at::kPreviewLeft), r.I32(at::kPreviewTop)};
  return p;
}

glyphs::FontRequest EffectiveFont(const Preferences& preferences, int pixelsPerInch) {
  if (preferences.chooserFont != glyphs::FontRequest{}) return preferences.chooserFont;
  glyphs::FontRequest font;
  font.SetFaceName(preferences.fontFace);
  font.lfHeight = -static_cast<int32_t>(
      std::lround(static_cast<double>(preferences.fontSize) * pixelsPerInch / kPointsPerInch));
  font.lfWeight =
      (preferences.fontStyle & kStyleBold) != 0 ? glyphs::kWeightBold : glyphs::kWeightNormal;
  font.lfItalic = (preferences.fontStyle & kStyleItalic) != 0 ? 1 : 0;
  return font;
}

}  // namespace zarn::app
