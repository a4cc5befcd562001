#include "gui/text_edit.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <type_traits>

#include "gui/drawing_context.h"
#include "gui/surface.h"
#include "gui/zarn_edit_control.h"

namespace gui {

namespace {

// Numbers read the same whatever the user's locale.
locale_t ClassicNumbers() {
  static const locale_t locale = newlocale(LC_NUMERIC_MASK, "C", locale_t{});
  return locale;
}

int32_t ClampToInt32(double value) {
  if (std::isnan(value)) return 0;
  const double clamped = std::clamp<double>(value, std::numeric_limits<int32_t>::min(),
                                            std::numeric_limits<int32_t>::max());
  return static_cast<int32_t>(clamped);
}

// The field's colours: light text on the skin's dark input wells.
void StyleField(QWidget& field) {
  QPalette palette = field.palette();
  palette.setColor(QPalette::Base, QColor(0x14, 0x18, 0x22));
  palette.setColor(QPalette::Text, QColor(0xEE, 0xF1, 0xF7));
  palette.setColor(QPalette::Highlight, QColor(0x2E, 0xC4, 0xB6));
  palette.setColor(QPalette::HighlightedText, QColor(0x0C, 0x10, 0x18));
  palette.setColor(QPalette::Disabled, QPalette::Base, QColor(0x14, 0x18, 0x22));
  field.setPalette(palette);
  field.setAutoFillBackground(true);
  field.setFont(SkinFont(QStringLiteral("Arial"), 9, 700));
}

}  // namespace

CKV_GuiControl_TextEdit::CKV_GuiControl_TextEdit() = default;

CKV_GuiControl_TextEdit::~CKV_GuiControl_TextEdit() = default;

bool CKV_GuiControl_TextEdit::Setup(const KV_Rect& rect, int32_t id, bool shown, bool singleLine,
                                    std::optional<KV_Cover> cover) {
  if (!Init(rect, id)) return false;
  singleLine_ = singleLine;
  cover_ = cover;
  QWidget* window = DrawingContext().window;
  if (!window) return false;
  QWidget* field = nullptr;
  QWidget* mouseArea = nullptr;
  if (singleLine) {
    auto* line = new QLineEdit(window);
    line->setFrame(false);
    line->setTextMargins(2, 0, 2, 0);
    field = mouseArea = line;
  } else {
    auto* text = new QPlainTextEdit(window);
    text->setFrameShape(QFrame::NoFrame);
    text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text->setTabChangesFocus(true);
    field = text;
    mouseArea = text->viewport();
  }
  field->setGeometry(x_, y_, width_, height_);
  StyleField(*field);
  edit_ = std::make_unique<CKV_ZarnEditControl>(this, field, mouseArea);
  SetShown(shown);
  return true;
}

QWidget* CKV_GuiControl_TextEdit::EditWidget() const {
  return edit_ ? edit_->Field() : nullptr;
}

std::string CKV_GuiControl_TextEdit::GetText() const {
  QWidget* field = EditWidget();
  if (!field) return {};
  QString text = singleLine_ ? static_cast<QLineEdit*>(field)->text()
                             : static_cast<QPlainTextEdit*>(field)->toPlainText();
  if (text.size() > kMaxText) {
    // Never split a character made of two UTF-16 units.
    text.truncate(text.at(kMaxText - 1).isHighSurrogate() ? kMaxText - 1 : kMaxText);
  }
  return text.toStdString();
}

int32_t CKV_GuiControl_TextEdit::GetInt() const {
  const std::string text = GetText();
  return ClampToInt32(static_cast<double>(std::strtoll(text.c_str(), nullptr, 10)));
}

double CKV_GuiControl_TextEdit::GetFloat() const {
  const std::string text = GetText();
  return strtod_l(text.c_str(), nullptr, ClassicNumbers());
}

void CKV_GuiControl_TextEdit::SetText(std::string_view text, bool updateNow) {
  QWidget* field = EditWidget();
  if (!field) return;
  const QString value = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  if (singleLine_) {
    static_cast<QLineEdit*>(field)->setText(value);
  } else {
    static_cast<QPlainTextEdit*>(field)->setPlainText(value);
  }
  if (updateNow) field->repaint();
}

void CKV_GuiControl_TextEdit::SetInt(int32_t value, bool updateNow) {
  SetText(std::to_string(value), updateNow);
}

void CKV_GuiControl_TextEdit::SetFloatAsInt(double value, bool updateNow) {
  SetInt(ClampToInt32(std::trunc(value)), updateNow);
}

void CKV_GuiControl_TextEdit::Undo() {
  ApplyToField([](auto& field) { field.undo(); });
}

void CKV_GuiControl_TextEdit::Cut() {
  ApplyToField([](auto& field) { field.cut(); });
}

void CKV_GuiControl_TextEdit::Copy() {
  ApplyToField([](auto& field) { field.copy(); });
}

void CKV_GuiControl_TextEdit::Paste() {
  ApplyToField([](auto& field) { field.paste(); });
}

void CKV_GuiControl_TextEdit::ClearSelection() {
  ApplyToField([](auto& field) {
    if constexpr (std::is_same_v<std::decay_t<decltype(field)>, QLineEdit>) {
      if (field.hasSelectedText()) field.del();
    } else {
      QTextCursor cursor = field.textCursor();
      cursor.removeSelectedText();
      field.setTextCursor(cursor);
    }
  });
}

void CKV_GuiControl_TextEdit::SelectAll() {
  ApplyToField([](auto& field) {
    field.selectAll();
    if constexpr (std::is_same_v<std::decay_t<decltype(field)>, QPlainTextEdit>) {
      field.ensureCursorVisible();
    }
  });
}

void CKV_GuiControl_TextEdit::Repaint() {
  if (QWidget* field = EditWidget()) field->repaint();
}

template <typename Action>
void CKV_GuiControl_TextEdit::ApplyToField(Action action) {
  QWidget* field = EditWidget();
  // A hidden field takes no edit command.
  if (!field || !shown_) return;
  if (singleLine_) {
    action(*static_cast<QLineEdit*>(field));
  } else {
    action(*static_cast<QPlainTextEdit*>(field));
  }
}

void CKV_GuiControl_TextEdit::SetShown(bool shown) {
  shown_ = shown;
  QWidget* field = EditWidget();
  if (field) {
    field->setEnabled(shown);
    field->setVisible(shown);
  }
  if (!cover_) return;
  const KV_Rect area{cover_->x, cover_->y, cover_->x + cover_->width, cover_->y + cover_->height};
  if (shown) {
    CopySkinTo(area, cover_->x, cover_->y);
    if (field) field->repaint();
  } else {
    CopySkinTo(area, cover_->skinX, cover_->skinY);
  }
}

bool CKV_GuiControl_TextEdit::HitTestPress(KV_Point p) {
  return shown_ && Contains(p);
}

bool CKV_GuiControl_TextEdit::SetHover(bool hover) {
  if (shown_) hover_ = hover;
  return true;
}

void CKV_GuiControl_TextEdit::SetArmed(bool armed) {
  // Only a shown field can be armed; disarming always holds.
  if (shown_ || !armed) armed_ = armed;
}

}  // namespace gui
