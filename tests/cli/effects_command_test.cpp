// effects: the library as the effect list shows it, and names that make --effect accepts.
#include "cli/effects_command.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "tests/engine/template_fixture.h"
#include "tests/support/temp_dir.h"

namespace zarn::cli::test {
namespace {

class EffectsCommand : public ::testing::Test {
 protected:
  EffectsCommand() {
    std::filesystem::create_directory(dir.Path() / "effects");
    for (const auto& [file, name, version] :
         {std::tuple{"grow.kvx", "Grow \xE9t\xE9", "4"}, std::tuple{"fade.swf", "Fade", "3"}}) {
      engine::test::TemplateBuilder builder;
      builder.Variable("name", name).Variable("version", version);
      builder.Save(dir.File(std::string("effects/") + file));
    }
  }

  zarn::test::TempDir dir;
  std::ostringstream out;
  std::ostringstream err;
};

TEST_F(EffectsCommand, ListsNumberNameVersionAndFileAndMakeTakesAListedNameOrAPath) {
  EXPECT_EQ(RunEffectsCommand(dir.Path(), out, err), 0);
  const std::string fade = dir.File("effects/fade.swf");
  const std::string grow = dir.File("effects/grow.kvx");
  EXPECT_EQ(out.str(), "  1  F3-Fade" + std::string(21, ' ') + "  3  " + fade + "\n" +
                           "  2  F4-Grow \xC3\xA9t\xC3\xA9" + std::string(17, ' ') + "  4  " +
                           grow + "\n");
  EXPECT_EQ(err.str(), "");
  EXPECT_EQ(ResolveEffectPath("Fade", dir.Path()), fade);
  EXPECT_EQ(ResolveEffectPath("F3-Fade", dir.Path()), fade);
  EXPECT_EQ(ResolveEffectPath("Grow \xC3\xA9t\xC3\xA9", dir.Path()), grow);
  EXPECT_EQ(ResolveEffectPath(fade, dir.Path()), fade);
  EXPECT_EQ(ResolveEffectPath("Missing", dir.Path()), "Missing");
}

TEST_F(EffectsCommand, ALibraryWithoutAKvxFileFails) {
  std::filesystem::remove(dir.File("effects/grow.kvx"));
  EXPECT_EQ(RunEffectsCommand(dir.Path(), out, err), 1);
  EXPECT_EQ(err.str(), "zarn-cli: No effects were found\n");
}

}  // namespace
}  // namespace zarn::cli::test
