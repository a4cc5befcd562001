#include "gui/cursors.h"

#include <QCursor>
#include <QPixmap>
#include <QWidget>
#include <optional>

#include "gui/drawing_context.h"
#include "res/skins/hand_cursor.xpm"

namespace gui {

namespace {

std::optional<QCursor>& HandCursor() {
  static std::optional<QCursor> cursor;
  return cursor;
}

void Show(const QCursor& cursor) {
  if (QWidget* window = DrawingContext().window) window->setCursor(cursor);
}

}  // namespace

void LoadToolkitCursors() {
  if (!HandCursor()) HandCursor() = QCursor(QPixmap(kHandCursor), 8, 0);
}

void SetHandCursor() {
  LoadToolkitCursors();
  Show(*HandCursor());
}

void SetArrowCursor() {
  Show(Qt::ArrowCursor);
}

void SetWaitCursor() {
  Show(Qt::WaitCursor);
}

}  // namespace gui
