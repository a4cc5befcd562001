// The effects library: which files it lists, in which order, and what each entry shows.
#include "engine/effects_library.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/engine/template_fixture.h"
#include "tests/support/temp_dir.h"

namespace engine::test {
namespace {

class EffectsLibrary : public ::testing::Test {
 protected:
  EffectsLibrary() { std::filesystem::create_directory(dir.Path() / "effects"); }

  void Add(const std::string& file, const std::vector<std::pair<std::string, std::string>>& vars) {
    TemplateBuilder builder;
    for (const auto& [key, value] : vars) builder.Variable(key, value);
    builder.Save(dir.File("effects/" + file));
  }
  std::vector<EffectEntry> Scan() {
    return ScanEffectsLibrary(dir.Path(),
                              [this](std::string_view, std::string_view text, std::string_view) {
                                messages.emplace_back(text);
                              },
                              {[this](std::string_view s) { status.emplace_back(s); },
                               [this](std::string_view s) { status.emplace_back(s); }});
  }
  std::vector<std::string> FileNames(const std::vector<EffectEntry>& entries) {
    std::vector<std::string> names;
    for (const EffectEntry& e : entries) {
      names.push_back(std::filesystem::path(e.path).filename().string());
    }
    return names;
  }

  zarn::test::TempDir dir;
  std::vector<std::string> messages;
  std::vector<std::string> status;
};

TEST_F(EffectsLibrary, ListsBothKindsInByteOrderWithTheirNamesAndKinds) {
  Add("b.kvx", {{"name", "Bee"}, {"version", "4"}});
  Add("A.swf", {{"name", "Ay"}, {"version", "3"}});
  Add("a.kvx", {{"name", "Small a"}, {"version", "5"}});
  Add("Zoom.swf", {{"version", "3"}});  // no name: shows its file name
  Add("c.kvx", {{"name", "Sees"}});     // no version: a Flash 4 kind
  Add("ignored.KVX", {{"name", "Wrong case"}});
  const std::vector<EffectEntry> entries = Scan();
  EXPECT_EQ(FileNames(entries),
            (std::vector<std::string>{"A.swf", "Zoom.swf", "a.kvx", "b.kvx", "c.kvx"}));
  std::vector<std::string> shown;
  std::vector<int> kinds;
  for (const EffectEntry& e : entries) {
    shown.push_back(e.DisplayText());
    kinds.push_back(e.Kind());
  }
  EXPECT_EQ(shown,
            (std::vector<std::string>{"F3-Ay", "F3-Zoom.swf", "F4-Small a", "F4-Bee", "F4-Sees"}));
  EXPECT_EQ(kinds, (std::vector<int>{0, 0, 1, 1, 1}));
  EXPECT_EQ(status, (std::vector<std::string>{"Loading Effects...", "Ay", "Zoom.swf", "Small a",
                                              "Bee", "Sees"}));
  EXPECT_TRUE(messages.empty());
}

TEST_F(EffectsLibrary, WithoutAKvxTemplateReportsNoEffects) {
  Add("only.swf", {{"name", "Only"}, {"version", "3"}});
  EXPECT_TRUE(Scan().empty());
  EXPECT_EQ(messages, std::vector<std::string>{kNoEffectsMessage});
  std::filesystem::remove_all(dir.Path() / "effects");
  EXPECT_TRUE(Scan().empty());
  EXPECT_EQ(messages.size(), 2U);
}

TEST_F(EffectsLibrary, LongNamesAndVersionsAreCutToTheListsBuffers) {
  Add("long.kvx", {{"name", std::string(80, 'n')}, {"version", "34"}});
  const std::vector<EffectEntry> entries = Scan();
  ASSERT_EQ(entries.size(), 1U);
  EXPECT_EQ(entries[0].name.size(), 63U);
  EXPECT_EQ(entries[0].version, "3");
  EXPECT_EQ(entries[0].DisplayText(), "F3-" + std::string(60, 'n'));
}

TEST_F(EffectsLibrary, FindsAnEffectByPathNameOrShownName) {
  Add("fade.kvx", {{"name", "Fade"}, {"version", "3"}});
  Add("grow.kvx", {{"name", "Grow"}, {"version", "4"}});
  const std::vector<EffectEntry> entries = Scan();
  EXPECT_EQ(FindEffect(entries, "Grow"), &entries[1]);
  EXPECT_EQ(FindEffect(entries, "F3-Fade"), &entries[0]);
  EXPECT_EQ(FindEffect(entries, entries[1].path), &entries[1]);
  EXPECT_EQ(FindEffect(entries, "F4-Fade"), nullptr);
}

}  // namespace
}  // namespace engine::test
