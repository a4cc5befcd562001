#pragma once

#include "app/preferences_record.h"

class QSettings;

namespace zarn::app {

// The organisation and application names the per-user store files the record under, and the
// record's key.
inline constexpr const char* kOrganisationName = "Kalvoren";
inline constexpr const char* kApplicationName = "Zarn";
inline constexpr const char* kPreferencesKey = "ZarnPrefs";

// Reads the record; a missing value, one of another size or another format number is replaced
// by the defaults, which are stored at once. False only when that store fails.
bool LoadPreferences(QSettings& settings, Preferences& preferences);

// Writes the whole record and makes sure it reached the store: false when the store is not
// writable or reports an error.
bool StorePreferences(QSettings& settings, const Preferences& preferences);

}  // namespace zarn::app
