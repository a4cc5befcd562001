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

  zarn::test::TempDir dir;
};

QByteArray Bytes(const Preferences& preferences) {
  const PreferenceBytes bytes = EncodePreferences(preferences);
  return {reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())};
}

TEST_F(PreferencesStore, AMissingValueOrOneOfAnotherSizeOrFormatIsReplacedByTheDefaults) {
  Preferences changed = DefaultPreferences();
  changed.text = "Changed";
  const QByteArray right = Bytes(changed);
  QByteArray formatOne = right;
  formatOne[4] = 1;
  for (const QByteArray& value :
       {QByteArray(), right.left(2035), right + QByteArray(1, '\0'), formatOne, right}) {
    QSettings settings = Settings("zarn.conf");
    settings.setValue(kPreferencesKey, value);
    Preferences p;
    p.text = "not yet loaded";
    ASSERT_TRUE(LoadPreferences(settings, p));
    const bool kept = value == right;
    EXPECT_EQ(p.text, kept ? "Changed" : "Kalvoren Zarn") << value.size();
    EXPECT_EQ(Settings("zarn.conf").value(kPreferencesKey).toByteArray(),
              kept ? right : Bytes(DefaultPreferences()));
  }
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
