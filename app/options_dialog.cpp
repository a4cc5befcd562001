#include "app/options_dialog.h"

#include <QCheckBox>
#include <QPushButton>

#include "app/preferences_record.h"

namespace zarn::app {
namespace {

QCheckBox* AddBox(QWidget* parent, const char* text, bool checked, QRect units) {
  auto* box = new QCheckBox(QString::fromLatin1(text), parent);
  box->setGeometry(units);
  box->setChecked(checked);
  return box;
}

}  // namespace

QRect DialogUnitsToPixels(int x, int y, int width, int height) {
  // A dialog unit is a quarter of the base width and an eighth of the base height.
  const auto across = [](int units) { return units * 6 / 4; };
  const auto down = [](int units) { return units * 13 / 8; };
  return {across(x), down(y), across(width), down(height)};
}

CKV_ZarnOptionsDialog::CKV_ZarnOptionsDialog(Preferences& preferences, QWidget* owner)
    : QDialog(owner), preferences_(preferences) {
  setWindowTitle("Kalvoren Zarn Options");
  setModal(true);
  setFixedSize(DialogUnitsToPixels(0, 0, 177, 98).size());
  saveSettings_ = AddBox(this, "Save effect settings on exit", preferences.saveSettingsOnExit,
                         DialogUnitsToPixels(12, 12, 101, 10));
  rememberPositions_ = AddBox(this, "Remember window positions", preferences.rememberPositions,
                              DialogUnitsToPixels(12, 27, 105, 10));
  confirmExit_ =
      AddBox(this, "Confirm Exit", preferences.confirmExit, DialogUnitsToPixels(12, 42, 53, 10));
  pluginErrors_ = AddBox(this, "Show plugin errors", preferences.showPluginErrors,
                         DialogUnitsToPixels(12, 57, 74, 10));
  // The check boxes' texts need more room than the units give in today's fonts.
  for (QCheckBox* box : {saveSettings_, rememberPositions_, confirmExit_, pluginErrors_}) {
    box->resize(width() - box->x() - 8, box->sizeHint().height());
  }
  auto* ok = new QPushButton("OK", this);
  ok->setGeometry(DialogUnitsToPixels(25, 77, 50, 14));
  ok->setDefault(true);
  auto* cancel = new QPushButton("Cancel", this);
  cancel->setGeometry(DialogUnitsToPixels(99, 77, 50, 14));
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CKV_ZarnOptionsDialog::accept() {
  preferences_.saveSettingsOnExit = saveSettings_->isChecked();
  preferences_.rememberPositions = rememberPositions_->isChecked();
  preferences_.confirmExit = confirmExit_->isChecked();
  preferences_.showPluginErrors = pluginErrors_->isChecked();
  QDialog::accept();
}

}  // namespace zarn::app
