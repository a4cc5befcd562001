#include "gui/font_selection.h"

#include <QFontDatabase>
#include <QFontDialog>

#include "gui/drawing_context.h"

namespace gui {

namespace {

constexpr int32_t kScreenDpi = 96;

// A negative cell height of the given tenths of a point at the screen's resolution, rounded as
// the platform's multiply-divide rounds.
int32_t HeightForTenths(int32_t tenths) {
  const int64_t scaled = int64_t{tenths} * kScreenDpi;
  return -static_cast<int32_t>((scaled + 360) / 720);
}

}  // namespace

void CKV_FontSelection::SetFaceName(std::string_view face) {
  faceName = std::string(face.substr(0, kMaxName));
}

void CKV_FontSelection::SetStyleName(std::string_view style) {
  styleName = std::string(style.substr(0, kMaxName));
}

KV_FontChoice CKV_FontSelection::Initial() const {
  KV_FontChoice choice;
  choice.face = faceName;
  choice.pointTenths = size * 10;
  choice.weight = (styleFlags & kStyleBold) ? glyphs::kWeightBold : glyphs::kWeightNormal;
  choice.italic = (styleFlags & kStyleItalic) != 0;
  choice.styleName = styleName;
  return choice;
}

void CKV_FontSelection::Take(const KV_FontChoice& choice) {
  font = glyphs::FontRequest{};
  font.lfHeight = HeightForTenths(choice.pointTenths);
  font.lfWeight = choice.weight;
  font.lfItalic = choice.italic ? 1 : 0;
  font.SetFaceName(choice.face);
  SetFaceName(choice.face);
  size = choice.pointTenths / 10;
  styleFlags = 0;
  if (choice.weight == glyphs::kWeightBold) styleFlags |= kStyleBold;
  if (choice.italic) styleFlags |= kStyleItalic;
  SetStyleName(choice.styleName);
}

bool CKV_FontSelection::Choose(const KV_FontPicker& picker) {
  if (!picker) return false;
  const std::optional<KV_FontChoice> choice = picker(Initial());
  if (!choice) return false;
  Take(*choice);
  return true;
}

std::optional<KV_FontChoice> PickFontWithDialog(const KV_FontChoice& initial) {
  QFont start(QString::fromStdString(initial.face));
  start.setPointSizeF(initial.pointTenths / 10.0);
  start.setWeight(static_cast<QFont::Weight>(initial.weight));
  start.setItalic(initial.italic);
  bool accepted = false;
  const QFont chosen =
      QFontDialog::getFont(&accepted, start, DrawingContext().window, QString(),
                           QFontDialog::ScalableFonts | QFontDialog::DontUseNativeDialog);
  if (!accepted) return std::nullopt;
  KV_FontChoice choice;
  choice.face = chosen.family().toStdString();
  choice.pointTenths = static_cast<int32_t>(chosen.pointSizeF() * 10 + 0.5);
  choice.weight = chosen.weight();
  choice.italic = chosen.italic();
  const QString style =
      chosen.styleName().isEmpty() ? QFontDatabase::styleString(chosen) : chosen.styleName();
  choice.styleName = style.toStdString();
  return choice;
}

std::string FontSummary(const CKV_FontSelection& selection) {
  const bool bold = selection.styleFlags & kStyleBold;
  const bool italic = selection.styleFlags & kStyleItalic;
  const char* style = bold && italic ? "Bold and Italic"
                      : bold         ? "Bold"
                      : italic       ? "Italic"
                                     : "Regular";
  return selection.faceName + ", " + style + ", " + std::to_string(selection.size) + " pt";
}

}  // namespace gui
