#include "app/panel_layout.h"

#include <QLabel>
#include <algorithm>

namespace zarn::app {

QLabel* PlaceLabelBefore(QLabel* label, int left, int top, int right, int bottom) {
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return Place(label, std::min(left, right - label->sizeHint().width()), top, right, bottom);
}

}  // namespace zarn::app
