#include "engine/movie_settings.h"

#include <cfloat>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "engine/effect_variable.h"
#include "engine/input_limits.h"
#include "engine/windows1252_text.h"
#include "swftk/reader.h"

namespace engine {
namespace {

// Flash 4 templates make letters dynamic text fields.
constexpr int kFlashFour = 4;

void ShowInputError(const ErrorSink& sink, const std::string& field, const std::string& detail) {
  ShowCaptionedError(sink, kInputErrorCaption, "Please re-enter the " + field + ".", detail);
}

bool CheckRange(const ErrorSink& sink, const char* field, int value, int lowest, int limit) {
  if (value >= lowest && value < limit) return true;
  char detail[96];
  std::snprintf(detail, sizeof detail, "It must be at least %d and less than %d.", lowest, limit);
  ShowInputError(sink, field, detail);
  return false;
}

bool CheckFrameRate(const ErrorSink& sink, float rate) {
  // Written so that a rate that is not a number fails too.
  if (rate >= kMinFrameRate && rate < kMaxFrameRate) return true;
  char detail[96];
  std::snprintf(detail, sizeof detail, "It must be at least %.0f and less than %.0f.",
                static_cast<double>(kMinFrameRate), static_cast<double>(kMaxFrameRate));
  ShowInputError(sink, "Frame Rate", detail);
  return false;
}

bool CheckNotEmpty(const ErrorSink& sink, std::string_view value, const char* text) {
  if (!value.empty()) return true;
  ShowCaptionedError(sink, kInputErrorCaption, text, {});
  return false;
}

// A text box's UTF-8 turned into the codes the movie stores; at most kMaxTextLength of them.
bool ConvertTextField(const ErrorSink& sink, const char* field, std::string_view utf8,
                      std::string& codes) {
  Windows1252Text converted = ConvertToWindows1252(utf8);
  if (converted.fault != Windows1252Text::Fault::kNone) {
    ShowInputError(sink, field, DescribeConversionFault(converted));
    return false;
  }
  if (converted.codes.size() > kMaxTextLength) {
    ShowInputError(sink, field,
                   "It must be at most " + std::to_string(kMaxTextLength) + " characters long.");
    return false;
  }
  codes = std::move(converted.codes);
  return true;
}

}  // namespace

int FieldToInt(std::string_view field) {
  const std::string text(field);
  const long value = std::strtol(text.c_str(), nullptr, 10);
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

float FieldToFloat(std::string_view field) {
  const std::string text(field);
  const double value = std::strtod(text.c_str(), nullptr);
  if (value > FLT_MAX) return std::numeric_limits<float>::infinity();
  if (value < -FLT_MAX) return -std::numeric_limits<float>::infinity();
  return static_cast<float>(value);
}

std::optional<int> ChooseMovieVersion(int templateVersion, int asked) {
  if (asked == 0) return templateVersion;
  if (templateVersion < kFlashFour) return asked;
  if (asked < kFlashFour) return std::nullopt;
  return templateVersion;
}

std::optional<MovieRequest> PrepareMovieRequest(const MovieSettings& settings,
                                                const MovieTarget& target,
                                                std::vector<uint8_t> templateBytes,
                                                glyphs::CKV_FontService& window,
                                                const ErrorSink& sink) {
  const MovieSettingsFlags& flags = settings.flags;
  MovieRequest request;
  request.loop = target.forPreview ? flags.loopPreview : flags.loopMovie;
  // The template's own extra characters; absent, the buffer stays empty.
  request.embedGlyphs = FindEffectVariable(templateBytes, "embedGlyphs").value_or("");
  request.lenientSignature = swftk::IsKvxPath(target.effectPath);

  request.frameDelay = 1;
  if (!flags.allAtOnce) {
    if (!CheckRange(sink, "Frame Delay", settings.frameDelay, kMinFrameDelay, kMaxFrameDelay))
      return std::nullopt;
    request.frameDelay = settings.frameDelay;
  }
  if (!CheckRange(sink, "Movie Width", settings.movieWidth, kMinMovieSize, kMaxMovieSize) ||
      !CheckRange(sink, "Movie Height", settings.movieHeight, kMinMovieSize, kMaxMovieSize) ||
      !CheckFrameRate(sink, settings.frameRate) ||
      !CheckRange(sink, "Line Space", settings.lineSpace, kMinSpace, kMaxSpace) ||
      !CheckRange(sink, "Letter Space", settings.letterSpace, kMinSpace, kMaxSpace) ||
      !CheckRange(sink, "X Position", settings.originX, kMinPosition, kMaxPosition) ||
      !CheckRange(sink, "Y Position", settings.originY, kMinPosition, kMaxPosition) ||
      !CheckNotEmpty(sink, target.effectPath, "Please select an effect.") ||
      !CheckNotEmpty(sink, settings.text, "Please enter some text.") ||
      !ConvertTextField(sink, "Text", settings.text, request.text) ||
      !CheckRange(sink, "Font Size", settings.fontSize, kMinFontSize, kMaxFontSize)) {
    return std::nullopt;
  }
  if (flags.linkMovie &&
      (!ConvertTextField(sink, "Link URL", settings.linkUrl, request.linkUrl) ||
       !ConvertTextField(sink, "Link Target", settings.linkTarget, request.linkTarget))) {
    return std::nullopt;
  }
  const std::optional<int> version =
      ChooseMovieVersion(FindEffectVersion(templateBytes), target.effectVersion);
  if (!version) {
    ShowCaptionedError(sink, kInputErrorCaption, "Please save the movie as Flash 4.",
                       "The effect " + target.effectPath + " is a Flash 4 effect.");
    return std::nullopt;
  }

  request.effectPath = target.effectPath;
  request.templateBytes = std::move(templateBytes);
  request.outputPath = target.outputPath;
  request.movieWidth = settings.movieWidth;
  request.movieHeight = settings.movieHeight;
  request.frameRate = settings.frameRate;
  request.textColor = settings.textColor;
  request.backgroundColor = settings.backgroundColor;
  request.fontSizeTenths = settings.fontSize * 10;
  request.window = &window;
  request.logFont = settings.font;
  request.originX = settings.originX;
  request.originY = settings.originY;
  request.letterSpace = settings.letterSpace;
  request.lineSpace = settings.lineSpace;
  request.allAtOnce = flags.allAtOnce;
  request.protect = flags.protect;
  request.editTextMode = *version == kFlashFour;
  return request;
}

}  // namespace engine
