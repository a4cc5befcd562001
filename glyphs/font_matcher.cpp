#include "glyphs/font_matcher.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <memory>

namespace glyphs {

namespace {

struct ConfigDeleter {
  void operator()(FcConfig* config) const { FcConfigDestroy(config); }
};
struct PatternDeleter {
  void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
struct FontSetDeleter {
  void operator()(FcFontSet* set) const { FcFontSetDestroy(set); }
};

// Loaded once: reading the configuration and scanning the font folders is slow.
FcConfig* Config() {
  static const std::unique_ptr<FcConfig, ConfigDeleter> config(FcInitLoadConfigAndFonts());
  return config.get();
}

std::string GetFile(const FcPattern* font) {
  FcChar8* value = nullptr;
  if (FcPatternGetString(font, FC_FILE, 0, &value) != FcResultMatch) return {};
  return reinterpret_cast<const char*>(value);
}

// LOGFONT weights run 1 to 1000 on the OpenType scale; 0 means "don't care", a normal face.
int FontconfigWeight(int32_t weight) {
  if (weight <= 0) weight = kWeightNormal;
  return FcWeightFromOpenType(std::min<int32_t>(weight, 1000));
}

}  // namespace

std::optional<MatchedFace> MatchFace(const FontRequest& request) {
  FcConfig* config = Config();
  if (config == nullptr) return std::nullopt;
  const std::unique_ptr<FcPattern, PatternDeleter> pattern(FcPatternCreate());
  if (!pattern) return std::nullopt;
  const std::string face = request.GetFaceName();
  if (!face.empty()) {
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(face.c_str()));
  }
  FcPatternAddInteger(pattern.get(), FC_WEIGHT, FontconfigWeight(request.lfWeight));
  FcPatternAddInteger(pattern.get(), FC_SLANT,
                      request.lfItalic != 0 ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
  // The configuration adds the metric aliases and the default families after the named one.
  FcConfigSubstitute(config, pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());

  FcResult result = FcResultNoMatch;
  const std::unique_ptr<FcFontSet, FontSetDeleter> fonts(
      FcFontSort(config, pattern.get(), FcFalse, nullptr, &result));
  if (!fonts) return std::nullopt;
  for (int i = 0; i < fonts->nfont; ++i) {
    const FcPattern* font = fonts->fonts[i];
    FcBool scalable = FcFalse;
    if (FcPatternGetBool(font, FC_SCALABLE, 0, &scalable) != FcResultMatch || !scalable) continue;
    MatchedFace matched;
    matched.file = GetFile(font);
    if (matched.file.empty()) continue;
    FcPatternGetInteger(font, FC_INDEX, 0, &matched.index);
    return matched;
  }
  return std::nullopt;
}

}  // namespace glyphs
