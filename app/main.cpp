// zarn: the desktop program.
#include <QApplication>
#include <QSettings>
#include <clocale>

#include "app/app_folders.h"
#include "app/preferences_store.h"
#include "app/zarn_app.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  // Qt sets the user's locale; numbers in files and fields are read the C way ("12.5").
  std::setlocale(LC_NUMERIC, "C");
  QCoreApplication::setOrganizationName(zarn::app::kOrganisationName);
  QCoreApplication::setApplicationName(zarn::app::kApplicationName);
  QSettings store(zarn::app::kOrganisationName, zarn::app::kApplicationName);
  zarn::app::CZarn_winApp zarn(store, zarn::app::FindAppFolders());
  if (!zarn.InitInstance()) return 1;
  return QApplication::exec();
}
