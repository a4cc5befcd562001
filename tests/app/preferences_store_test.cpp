// The record in the per-user store: first start, replaced values and a store that refuses.
#include "app/preferences_store.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QSettings>
#include <QString>

#include "tests/support/temp_dir.h"

namespace zarn::app::test {
namespace {

class PreferencesStore : public ::testing::Test {
 protected:
  QSettings Settings(const std::string& file) {
    return QSettings(QString::fromStdString(dir.File(file)), QSettings::IniFormat);
  }
  QByteArray Stored(const std::string& file) {
    return Settings(file).value(kPreferencesKey).toByteArray();
  }

  zarn::test::TempDir dir;
};

TEST_F(PreferencesStore, FirstStartStoresTheDefaults) {
  QSettings settings = Settings("zarn.conf");
  Preferences p;
  p.text = "not yet loaded";
  ASSERT_TRUE(LoadPreferences(settings, p));
  EXPECT_EQ(p.text, "Kalvoren Zarn");
  const QByteArray stored = Stored("zarn.conf");
  ASSERT_EQ(stored.size(), 2036);
  EXPECT_EQ(stored[4], 2);
  EXPECT_EQ(stored.mid(904, 14), QByteArray("Kalvoren Zarn\0", 14));
}

TEST_F(PreferencesStore, ValuesOfAnotherSizeOrFormatAreReplacedByTheDefaults) {
  Preferences changed = DefaultPreferences();
  changed.text = "Changed";
  const PreferenceBytes bytes = EncodePreferences(changed);
  QByteArray right(reinterpret_cast<const char*>(bytes.data()), 2036);
  QByteArray formatOne = right;
  formatOne[4] = 1;
  for (const QByteArray& value : {right.left(2035), right + QByteArray(1, '\0'), formatOne}) {
    QSettings settings = Settings("zarn.conf");
    settings.setValue(kPreferencesKey, value);
    Preferences p;
    ASSERT_TRUE(LoadPreferences(settings, p));
    EXPECT_EQ(p.text, "Kalvoren Zarn");
    EXPECT_EQ(Stored("zarn.conf").size(), 2036);
  }
  QSettings settings = Settings("zarn.conf");
  settings.setValue(kPreferencesKey, right);
  Preferences p;
  ASSERT_TRUE(LoadPreferences(settings, p));
  EXPECT_EQ(p.text, "Changed");
}

TEST_F(PreferencesStore, AStoreThatCannotBeWrittenFailsTheLoad) {
  // A folder cannot be made below a plain file, whoever runs the test.
  zarn::test::WriteFileBytes(dir.File("plain"), {1});
  QSettings settings = Settings("plain/zarn.conf");
  Preferences p;
  EXPECT_FALSE(LoadPreferences(settings, p));
  EXPECT_FALSE(StorePreferences(settings, p));
}

}  // namespace
}  // namespace zarn::app::test
