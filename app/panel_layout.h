#pragma once

class QLabel;
class QWidget;

namespace zarn::app {

// The option panels below the Save As dialog's own controls place each control at a fixed
// rectangle, as the Windows dialog they copy did.
template <class Widget>
Widget* Place(Widget* widget, int left, int top, int right, int bottom) {
  widget->setGeometry(left, top, right - left, bottom - top);
  return widget;
}

// A label for the control on its right: its text ends at the right edge, and a text wider than
// the place grows to the left.
QLabel* PlaceLabelBefore(QLabel* label, int left, int top, int right, int bottom);

}  // namespace zarn::app
