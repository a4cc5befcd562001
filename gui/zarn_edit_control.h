#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace gui {

class CKV_GuiControl_TextEdit;

// The native field of a text edit, watched so that a click into it arms its control in the
// group, and the pointer leaving it (or the field losing focus) restores the arrow cursor.
class CKV_ZarnEditControl : public QObject {
 public:
  // The field belongs to its Qt parent; it is deleted with this watcher if still there.
  CKV_ZarnEditControl(CKV_GuiControl_TextEdit* owner, QWidget* field, QWidget* mouseArea);
  ~CKV_ZarnEditControl() override;

  QWidget* Field() const { return field_; }
  bool IsCaptured() const { return captured_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Release();

  CKV_GuiControl_TextEdit* owner_ = nullptr;
  QPointer<QWidget> field_;
  QPointer<QWidget> mouseArea_;
  bool captured_ = false;
};

}  // namespace gui
