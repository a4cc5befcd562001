#include "glyphs/freetype_face.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>

#include "glyphs/font_request.h"
#include "glyphs/glyph_metrics.h"
#include "glyphs/outline_builder.h"
#include "glyphs/overlap_removal.h"
#include "glyphs/windows1252.h"
#include "swftk/units.h"

namespace glyphs {

namespace {

struct LibraryDeleter {
  void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
struct FaceDeleter {
  void operator()(FT_Face face) const { FT_Done_Face(face); }
};

// Cubic outlines become quadratic splines this close to the original, in device units.
constexpr double kCubicTolerance = 0.5;
// A request without a height measures on the 1024-unit design grid; larger heights than this
// would leave the range of 16.16 fixed point.
constexpr int32_t kDefaultHeight = swftk::kGlyphCellUnits;
constexpr int32_t kMaxHeight = 16384;
// Symbol fonts map their codes into the private-use area, as Windows reads them.
constexpr char32_t kSymbolBase = 0xF000;

int32_t Round(double value) {
  return static_cast<int32_t>(std::lround(value));
}

// The vertical measures, in font units, that Windows builds a TrueType font's cell from.
struct VerticalMetrics {
  double ascent = 0;
  double descent = 0;
  double lineGap = 0;  // beyond the cell, as external leading
};

VerticalMetrics ReadVerticalMetrics(FT_Face face) {
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
  const double hheaAscent = hhea ? hhea->Ascender : face->ascender;
  const double hheaDescent = hhea ? -hhea->Descender : -face->descender;
  const double hheaGap = hhea ? hhea->Line_Gap : face->height - (face->ascender - face->descender);

  VerticalMetrics metrics{hheaAscent, hheaDescent, 0};
  if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
    metrics.ascent = os2->usWinAscent;
    metrics.descent = os2->usWinDescent;
  }
  if (metrics.ascent + metrics.descent <= 0) {
    metrics.ascent = face->bbox.yMax;
    metrics.descent = -face->bbox.yMin;
  }
  // The part of the typographic line gap that the Windows cell does not already hold.
  metrics.lineGap =
      std::max(0.0, hheaGap - ((metrics.ascent + metrics.descent) - (hheaAscent + hheaDescent)));
  return metrics;
}

int32_t WeightOf(FT_Face face) {
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  if (os2 && os2->version != 0xFFFF && os2->usWeightClass > 0) return os2->usWeightClass;
  return (face->style_flags & FT_STYLE_FLAG_BOLD) != 0 ? kWeightBold : kWeightNormal;
}

PointKind KindOf(char tag) {
  switch (FT_CURVE_TAG(tag)) {
    case FT_CURVE_TAG_ON:
      return PointKind::kOn;
    case FT_CURVE_TAG_CUBIC:
      return PointKind::kCubic;
    default:
      return PointKind::kConic;
  }
}

std::vector<SourceContour> ScaledContours(const FT_Outline& outline, double scale) {
  std::vector<SourceContour> contours;
  int first = 0;
  for (int c = 0; c < outline.n_contours; ++c) {
    const int last = outline.contours[c];
    if (last < first || last >= outline.n_points) break;
    SourceContour contour;
    for (int i = first; i <= last; ++i) {
      contour.push_back(
          {outline.points[i].x * scale, outline.points[i].y * scale, KindOf(outline.tags[i])});
    }
    contours.push_back(std::move(contour));
    first = last + 1;
  }
  return contours;
}

}  // namespace

struct CKV_FreeTypeFace::Handles {
  // The face goes before its library.
  std::unique_ptr<FT_LibraryRec_, LibraryDeleter> library;
  std::unique_ptr<FT_FaceRec_, FaceDeleter> face;
};

std::unique_ptr<CKV_FreeTypeFace> CKV_FreeTypeFace::Open(const std::string& file, int index,
                                                         int32_t height) {
  auto handles = std::make_unique<Handles>();
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) return nullptr;
  handles->library.reset(library);
  FT_Face face = nullptr;
  if (FT_New_Face(library, file.c_str(), index, &face) != 0) return nullptr;
  handles->face.reset(face);
  if (!FT_IS_SCALABLE(face) || face->units_per_EM == 0) return nullptr;
  const bool symbol = FT_Select_Charmap(face, FT_ENCODING_UNICODE) != 0 &&
                      FT_Select_Charmap(face, FT_ENCODING_MS_SYMBOL) == 0;

  const VerticalMetrics vertical = ReadVerticalMetrics(face);
  if (vertical.ascent + vertical.descent <= 0) return nullptr;
  if (height == 0) height = kDefaultHeight;
  height = std::clamp(height, -kMaxHeight, kMaxHeight);

  auto result = std::make_unique<CKV_FreeTypeFace>(std::move(handles));
  result->scale_ = height > 0 ? height / (vertical.ascent + vertical.descent)
                              : -height / static_cast<double>(face->units_per_EM);
  const double scale = result->scale_;
  TextMetrics& metrics = result->metrics_;
  metrics.ascent = Round(vertical.ascent * scale);
  metrics.descent = Round(vertical.descent * scale);
  metrics.height = metrics.ascent + metrics.descent;
  metrics.internalLeading = metrics.height - Round(face->units_per_EM * scale);
  metrics.externalLeading = Round(vertical.lineGap * scale);
  metrics.weight = WeightOf(face);
  metrics.italic = (face->style_flags & FT_STYLE_FLAG_ITALIC) != 0 ? 1 : 0;
  result->faceName_ = face->family_name ? face->family_name : "";
  for (int code = 0; code < 256; ++code) {
    const char32_t character =
        symbol ? kSymbolBase + code : Windows1252ToUnicode(static_cast<uint8_t>(code));
    result->glyphIndex_[code] = FT_Get_Char_Index(face, character);
  }
  return result;
}

CKV_FreeTypeFace::CKV_FreeTypeFace(std::unique_ptr<Handles> handles)
    : handles_(std::move(handles)) {}

CKV_FreeTypeFace::~CKV_FreeTypeFace() = default;

std::string CKV_FreeTypeFace::GetFaceName() const {
  return faceName_;
}

TextMetrics CKV_FreeTypeFace::GetTextMetrics() const {
  return metrics_;
}

AbcWidths CKV_FreeTypeFace::GetAbcWidths(uint8_t code) const {
  const std::lock_guard lock(mutex_);
  return GlyphOf(code).widths;
}

bool CKV_FreeTypeFace::GetGlyphOutline(uint8_t code, GlyphOutline& out) const {
  const std::lock_guard lock(mutex_);
  const Glyph& glyph = GlyphOf(code);
  if (!glyph.loaded) return false;
  out = glyph.outline;
  return true;
}

const CKV_FreeTypeFace::Glyph& CKV_FreeTypeFace::GlyphOf(uint8_t code) const {
  std::unique_ptr<Glyph>& slot = glyphs_[code];
  if (slot) return *slot;
  slot = std::make_unique<Glyph>();
  FT_Face face = handles_->face.get();
  // Unscaled and unhinted: the scaling is ours, in double precision.
  const FT_Int32 flags = FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP;
  if (FT_Load_Glyph(face, glyphIndex_[code], flags) != 0 ||
      face->glyph->format != FT_GLYPH_FORMAT_OUTLINE) {
    return *slot;
  }
  const std::vector<SourceContour> contours = ScaledContours(face->glyph->outline, scale_);
  const int32_t advance = Round(face->glyph->metrics.horiAdvance * scale_);
  slot->outline.polygons = BuildNativeOutline(contours, kCubicTolerance);
  RemoveOverlaps(slot->outline.polygons);
  slot->outline.metrics = MeasureOutline(slot->outline.polygons, advance);
  slot->widths = AbcFromMetrics(slot->outline.metrics, advance);
  slot->loaded = true;
  return *slot;
}

std::vector<KerningAdjustment> CKV_FreeTypeFace::GetKerningPairs() const {
  const std::lock_guard lock(mutex_);
  if (kerning_) return *kerning_;
  kerning_.emplace();
  FT_Face face = handles_->face.get();
  if (!FT_HAS_KERNING(face)) return *kerning_;
  std::vector<uint8_t> codes;
  for (int code = 0; code < 256; ++code) {
    if (IsPrintableWindows1252(static_cast<uint8_t>(code)) && glyphIndex_[code] != 0) {
      codes.push_back(static_cast<uint8_t>(code));
    }
  }
  for (const uint8_t first : codes) {
    for (const uint8_t second : codes) {
      FT_Vector delta{};
      if (FT_Get_Kerning(face, glyphIndex_[first], glyphIndex_[second], FT_KERNING_UNSCALED,
                         &delta) != 0) {
        continue;
      }
      const int32_t amount = Round(delta.x * scale_);
      if (amount != 0) kerning_->push_back({first, second, amount});
    }
  }
  return *kerning_;
}

}  // namespace glyphs
