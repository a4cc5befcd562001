#include <gtest/gtest.h>

#include "engine/zarn_helper.h"
#include "swftk/place_object.h"
#include "template_fixture.h"

namespace engine::test {
namespace {

struct PlacementCase {
  const char* label;
  int32_t scaleX, scaleY, rotate0, rotate1, tx, ty;
  int advance, size;
  double x, y;
  bool compensate;
  int32_t expectedX, expectedY;
};

class LetterPlacements : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(LetterPlacements, MoveTheEffectsPlacementToTheLetter) {
  const PlacementCase& c = GetParam();
  const auto placement =
      Place(9, 4, "letter", Matrix(c.scaleX, c.scaleY, c.tx, c.ty, c.rotate0, c.rotate1), true);
  placement->ratio = 7;
  const auto letter = CZarnHelper::MakeLetterPlacement(*placement, 12, 30, c.advance, c.size, c.x,
                                                       c.y, c.compensate);
  EXPECT_EQ(letter->characterId, 12);
  EXPECT_EQ(letter->depth, 30);
  EXPECT_EQ(letter->name, "letter");
  EXPECT_EQ(letter->ratio, 7);
  EXPECT_TRUE(letter->move);
  ASSERT_TRUE(letter->matrix);
  EXPECT_EQ(letter->matrix->scaleX, c.scaleX);
  EXPECT_EQ(letter->matrix->rotateSkew1, c.rotate1);
  EXPECT_EQ(letter->matrix->translateX, c.expectedX);
  EXPECT_EQ(letter->matrix->translateY, c.expectedY);
  // The template's placement is untouched.
  EXPECT_EQ(placement->matrix->translateX, c.tx);
  EXPECT_EQ(placement->characterId, 9);
}

INSTANTIATE_TEST_SUITE_P(
    Table, LetterPlacements,
    ::testing::Values(
        PlacementCase{"identity", 65536, 65536, 0, 0, 10, 20, 300, 360, 1000, 2000, true, 1010,
                      2020},
        // Half size: (1 - 0.5) × 300 / 3 = 50 across and (1 - 0.5) × 360 = 180 down.
        PlacementCase{"half", 32768, 32768, 0, 0, 0, 0, 300, 360, 1000, 2000, true, 1050, 2180},
        // Rotation terms r0 = 0.5 and r1 = -0.25: x gains 0.25 × 360, y loses 0.5 × 300 / 3.
        PlacementCase{"rotated", 65536, 65536, 32768, -16384, 0, 0, 300, 360, 0, 0, true, 90, -50},
        // Each sum is truncated toward zero.
        PlacementCase{"truncated", 65536, 65536, 0, 0, 0, 0, 301, 360, -10.75, 3.9, true, -10, 3},
        PlacementCase{"double size", 131072, 131072, 0, 0, 0, 0, 300, 360, 0, 0, true, -100, -360},
        PlacementCase{"no compensation", 32768, 32768, 32768, 0, 5, 6, 300, 360, 100.9, 200.2,
                      false, 105, 206}),
    [](const ::testing::TestParamInfo<PlacementCase>& info) {
      std::string name;
      for (const char c : std::string(info.param.label)) name += std::isalnum(c) ? c : '_';
      return name;
    });

TEST(LetterPlacement, APlacementWithoutMatrixIsCopiedAsItIs) {
  const auto placement = Place(0, 2, "spark");
  const auto letter =
      CZarnHelper::MakeLetterPlacement(*placement, 5, 8, 300, 360, 1000, 1000, true);
  EXPECT_EQ(letter->characterId, 5);
  EXPECT_EQ(letter->depth, 8);
  EXPECT_EQ(letter->name, "spark");
  EXPECT_FALSE(letter->matrix);
}

}  // namespace
}  // namespace engine::test
