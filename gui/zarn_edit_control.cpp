#include "gui/zarn_edit_control.h"

#include <QMouseEvent>

#include "gui/control_group.h"
#include "gui/cursors.h"
#include "gui/text_edit.h"

namespace gui {

CKV_ZarnEditControl::CKV_ZarnEditControl(CKV_GuiControl_TextEdit* owner, QWidget* field,
                                         QWidget* mouseArea)
    : owner_(owner), field_(field), mouseArea_(mouseArea) {
  field->installEventFilter(this);
  mouseArea->installEventFilter(this);
  mouseArea->setMouseTracking(true);
}

CKV_ZarnEditControl::~CKV_ZarnEditControl() {
  delete field_.data();
}

void CKV_ZarnEditControl::Release() {
  if (!captured_) return;
  captured_ = false;
  SetArrowCursor();
}

bool CKV_ZarnEditControl::eventFilter(QObject* watched, QEvent* event) {
  if (watched == mouseArea_) {
    switch (event->type()) {
      case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton || !owner_ || !owner_->Owner()) break;
        // The group works in the skinned window's coordinates.
        const QPoint inWindow =
            field_ && field_->parentWidget()
                ? mouseArea_->mapTo(field_->parentWidget(), mouse->position().toPoint())
                : mouse->position().toPoint();
        owner_->Owner()->Activate({inWindow.x(), inWindow.y()}, owner_);
        captured_ = true;
        break;
      }
      case QEvent::MouseMove: {
        const QPoint p = static_cast<QMouseEvent*>(event)->position().toPoint();
        const QRect area = mouseArea_->rect();
        if (0 < p.x() && p.x() < area.width() && 0 < p.y() && p.y() < area.height()) {
          captured_ = true;
        } else {
          Release();
        }
        break;
      }
      case QEvent::Leave:
        Release();
        break;
      default:
        break;
    }
  }
  if (watched == field_ && event->type() == QEvent::FocusOut) Release();
  return false;
}

}  // namespace gui
