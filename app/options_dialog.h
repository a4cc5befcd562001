#pragma once

#include <QDialog>

class QCheckBox;

namespace zarn::app {

struct Preferences;

// "Kalvoren Zarn Options": the four program options of the preferences record, laid out as
// the dialog's 177 x 98 dialog units. OK takes the boxes into the record; Cancel changes
// nothing.
class CKV_ZarnOptionsDialog : public QDialog {
 public:
  CKV_ZarnOptionsDialog(Preferences& preferences, QWidget* owner);

  QCheckBox* SaveSettingsBox() const { return saveSettings_; }
  QCheckBox* RememberPositionsBox() const { return rememberPositions_; }
  QCheckBox* ConfirmExitBox() const { return confirmExit_; }
  QCheckBox* PluginErrorsBox() const { return pluginErrors_; }

  void accept() override;

 private:
  Preferences& preferences_;
  QCheckBox* saveSettings_ = nullptr;
  QCheckBox* rememberPositions_ = nullptr;
  QCheckBox* confirmExit_ = nullptr;
  QCheckBox* pluginErrors_ = nullptr;
};

// A rectangle in dialog units as pixels, for the dialog font's 6 x 13 pixel base units.
QRect DialogUnitsToPixels(int x, int y, int width, int height);

}  // namespace zarn::app
