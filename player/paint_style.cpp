#include "player/paint_style.h"

#include "swftk/styles.h"

namespace player {
Rgba ColorFromSwf(const swftk::CSwfColor* color) {
  if (!color) return {0, 0, 0, 255};
  const uint8_t alpha =
      color->HasAlpha() ? static_cast<const swftk::CSwfColorAlpha*>(color)->alpha : uint8_t{255};
  return {color->red, color->green, color->blue, alpha};
}

FillStyle FillStyle::OfType(uint8_t fillType) {
  FillStyle fill;
  switch (fillType) {
    case swftk::CSwfFillStyle::kSolid:
      break;
    case swftk::CSwfFillStyle::kLinearGradient:
      fill.kind = Kind::kLinearGradient;
      break;
    case swftk::CSwfFillStyle::kRadialGradient:
      fill.kind = Kind::kRadialGradient;
      break;
    case swftk::CSwfFillStyle::kRepeatingBitmap:
    case swftk::CSwfFillStyle::kClippedBitmap:
      fill.kind = Kind::kBitmap;
      fill.repeat = fillType == swftk::CSwfFillStyle::kRepeatingBitmap;
      break;
    default:
      // A fill type this format version does not know paints nothing.
      fill.color = {0, 0, 0, 0};
      break;
  }
  return fill;
}

FillStyle FillStyle::FromSwf(const swftk::CSwfFillStyle& style) {
  FillStyle fill = OfType(style.fillType);
  if (style.matrix) fill.matrix = Transform2D::FromSwf(*style.matrix);
  if (style.fillType == swftk::CSwfFillStyle::kSolid) fill.color = ColorFromSwf(style.color.get());
  if (style.gradient && fill.kind != Kind::kSolid && fill.kind != Kind::kBitmap) {
    for (const auto& record : style.gradient->records)
      fill.stops.push_back({record->ratio / 255.0, ColorFromSwf(record->color.get())});
  }
  if (fill.kind == Kind::kBitmap) fill.bitmapId = style.bitmapId;
  return fill;
}

LineStyle LineStyle::FromSwf(const swftk::CSwfLineStyle& style) {
  return {style.width, ColorFromSwf(style.color.get())};
}

}  // namespace player
