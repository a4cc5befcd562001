#include "app/preferences_store.h"

#include <QByteArray>
#include <QSettings>
#include <span>

namespace zarn::app {

bool LoadPreferences(QSettings& settings, Preferences& preferences) {
  const QByteArray value = settings.value(kPreferencesKey).toByteArray();
  const std::optional<Preferences> stored = DecodePreferences(
      std::span(reinterpret_cast<const uint8_t*>(value.constData()), value.size()));
  if (stored) {
    preferences = *stored;
    return true;
  }
  preferences = DefaultPreferences();
  return StorePreferences(settings, preferences);
}

bool StorePreferences(QSettings& settings, const Preferences& preferences) {
  // QSettings accepts every write and only tells at sync whether the value reached the disk.
  if (!settings.isWritable()) return false;
  const PreferenceBytes bytes = EncodePreferences(preferences);
  settings.setValue(kPreferencesKey, QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<qsizetype>(bytes.size())));
  settings.sync();
  return settings.status() == QSettings::NoError && settings.isWritable();
}

}  // namespace zarn::app
