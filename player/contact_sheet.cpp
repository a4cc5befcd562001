#include "player/contact_sheet.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "player/cairo_handles.h"
#include "player/character_table.h"
#include "player/device_font.h"
#include "player/font_character.h"
#include "player/frame_sequence.h"
#include "player/image.h"
#include "player/outline_painter.h"

namespace player {
namespace {

constexpr int kGap = 4;
constexpr int kLabelHeight = 16;
constexpr double kLabelSize = 11.0;
constexpr double kLabelBaseline = 12.0;
constexpr double kSheetGrey = 0.25;

// A frame number in white, centred under its cell, in the system's sans-serif font.
void DrawLabel(cairo_t* cr, CKV_DeviceFonts& fonts, const CKV_CharacterTable& noBitmaps,
               const std::string& label, double centreX, double baseline) {
  const std::shared_ptr<const CKV_FontCharacter> font = fonts.Find("_sans", false, false);
  if (!font) return;
  const double scale = kLabelSize / CKV_FontCharacter::kEmSquare;
  double width = 0;
  for (const char c : label) width += font->Advance(font->GlyphForCode(static_cast<uint8_t>(c)));
  double x = centreX - width * scale / 2;
  CKV_OutlinePainter painter(cr, noBitmaps, false);
  for (const char c : label) {
    const int glyph = font->GlyphForCode(static_cast<uint8_t>(c));
    if (glyph < 0) continue;
    painter.PaintGlyph(font->glyphs[glyph], Transform2D{scale, 0, 0, scale, x, baseline},
                       {255, 255, 255, 255});
    x += font->Advance(glyph) * scale;
  }
}

}  // namespace

int ContactSheetColumns(uint32_t count, int cellWidth, int cellHeight) {
  if (count == 0 || cellWidth <= 0 || cellHeight <= 0) return 1;
  const double columns = std::ceil(std::sqrt(static_cast<double>(count) * cellHeight / cellWidth));
  return static_cast<int>(std::clamp<double>(columns, 1, count));
}

std::unique_ptr<CKV_Image> MakeContactSheet(CKV_FrameSequence& frames, std::string& error) {
  const int cellWidth = frames.Width();
  const int cellHeight = frames.Height() + kLabelHeight;
  const int columns = ContactSheetColumns(frames.Count(), cellWidth, cellHeight);
  const int64_t rows = (int64_t{frames.Count()} + columns - 1) / columns;
  const int64_t sheetWidth = int64_t{columns} * (cellWidth + kGap) + kGap;
  const int64_t sheetHeight = rows * (cellHeight + kGap) + kGap;
  if (sheetWidth > CKV_Image::kMaxSide || sheetHeight > CKV_Image::kMaxSide) {
    error = "a sheet of " + std::to_string(frames.Count()) + " frames would be " +
            std::to_string(sheetWidth) + " x " + std::to_string(sheetHeight) +
            " pixels, above 8192 x 8192; choose fewer frames or a smaller scale";
    return nullptr;
  }
  std::unique_ptr<CKV_Image> sheet =
      CKV_Image::Create(static_cast<int>(sheetWidth), static_cast<int>(sheetHeight));
  if (!sheet) {
    error = "no memory for the sheet";
    return nullptr;
  }
  const ContextPtr cr(cairo_create(sheet->Surface()));
  cairo_set_source_rgb(cr.get(), kSheetGrey, kSheetGrey, kSheetGrey);
  cairo_paint(cr.get());
  const CKV_CharacterTable noBitmaps;

  frames.Restart();
  for (int cell = 0; const CKV_Image* frame = frames.Next(); ++cell) {
    const double x = kGap + (cell % columns) * (cellWidth + kGap);
    const double y = kGap + (cell / columns) * (cellHeight + kGap);
    // Labels leave their own matrix behind.
    cairo_identity_matrix(cr.get());
    cairo_set_source_surface(cr.get(), frame->Surface(), x, y);
    cairo_paint(cr.get());
    DrawLabel(cr.get(), frames.Player().DeviceFonts(), noBitmaps, std::to_string(frames.Current()),
              x + cellWidth / 2.0, y + frames.Height() + kLabelBaseline);
  }
  return sheet;
}

}  // namespace player
