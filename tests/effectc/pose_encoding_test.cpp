#include <gtest/gtest.h>

#include "effectc/keyframe_track.h"
#include "effectc/pose_encoding.h"
#include "swftk/place_object.h"
#include "swftk/reader.h"
#include "swftk/stream.h"

namespace effectc {
namespace {

Pose PoseWith(std::initializer_list<std::pair<Property, double>> values) {
  Pose pose = RestPose();
  for (const auto& [property, value] : values) pose[static_cast<size_t>(property)] = value;
  return pose;
}

TEST(PoseEncoding, MatrixTerms) {
  struct Case {
    Pose pose;
    MatrixTerms terms;  // scaleX, scaleY, rotateSkew0, rotateSkew1
    int32_t x;
    int32_t y;
  };
  const Case cases[] = {
      {RestPose(), {65536, 65536, 0, 0}, 0, 0},
      {PoseWith({{Property::kX, -7.5}, {Property::kY, 3}}), {65536, 65536, 0, 0}, -150, 60},
      {PoseWith({{Property::kScaleX, 50}, {Property::kScaleY, 200}}), {32768, 131072, 0, 0}, 0, 0},
      // Clockwise on screen: the x axis turns towards +y.
      {PoseWith({{Property::kRotation, 90}}), {1, 1, 65536, -65536}, 0, 0},
      {PoseWith({{Property::kRotation, 180}, {Property::kScaleX, 50}}),
       {-32768, -65536, 0, 0},
       0,
       0},
      {PoseWith({{Property::kSkewX, 45}}), {65536, 46341, 0, -46341}, 0, 0},
      {PoseWith({{Property::kSkewY, 30}}), {56756, 65536, 32768, 0}, 0, 0},
      // A scale of nothing keeps the smallest scale a reader still sees.
      {PoseWith({{Property::kScaleX, 0}, {Property::kScaleY, 0}}), {1, 1, 0, 0}, 0, 0},
      {PoseWith({{Property::kScaleX, 0}}), {0, 65536, 0, 0}, 0, 0},
  };
  for (const Case& c : cases) {
    const EncodedPose encoded = EncodePose(c.pose);
    EXPECT_EQ(encoded.terms.scaleX, c.terms.scaleX);
    EXPECT_EQ(encoded.terms.scaleY, c.terms.scaleY);
    EXPECT_EQ(encoded.terms.rotateSkew0, c.terms.rotateSkew0);
    EXPECT_EQ(encoded.terms.rotateSkew1, c.terms.rotateSkew1);
    EXPECT_EQ(encoded.translateX, c.x);
    EXPECT_EQ(encoded.translateY, c.y);
  }
}

TEST(PoseEncoding, ColourTerms) {
  struct Case {
    Pose pose;
    std::array<int32_t, 7> color;  // red, green, blue, alpha multipliers; additions
  };
  const Case cases[] = {
      {RestPose(), {256, 256, 256, 256, 0, 0, 0}},
      {PoseWith({{Property::kAlpha, 50}}), {256, 256, 256, 128, 0, 0, 0}},
      {PoseWith({{Property::kMultiplyRed, 0},
                 {Property::kMultiplyGreen, 25},
                 {Property::kMultiplyBlue, 150},
                 {Property::kAddRed, 255},
                 {Property::kAddGreen, -40}}),
       {0, 64, 384, 256, 255, -40, 0}},
      // Alpha beyond its range, as back and elastic curves carry it, is held to it.
      {PoseWith({{Property::kAlpha, 112}}), {256, 256, 256, 256, 0, 0, 0}},
      {PoseWith({{Property::kAlpha, -8}, {Property::kMultiplyRed, 100}}),
       {256, 256, 256, 0, 0, 0, 0}},
      // Four zero multipliers would read as none at all.
      {PoseWith({{Property::kAlpha, 0},
                 {Property::kMultiplyRed, 0},
                 {Property::kMultiplyGreen, 0},
                 {Property::kMultiplyBlue, 0},
                 {Property::kAddBlue, 9}}),
       {1, 0, 0, 0, 0, 0, 9}},
  };
  for (const Case& c : cases) EXPECT_EQ(EncodePose(c.pose).color, c.color);
  EXPECT_TRUE(EncodePose(RestPose()).HasIdentityColor());
  EXPECT_FALSE(EncodePose(PoseWith({{Property::kAlpha, 99}})).HasIdentityColor());
}

// A placement as a reader gets it back from its bytes.
std::unique_ptr<swftk::CSwfPlaceObject2> Reread(const swftk::CSwfPlaceObject2& placement) {
  swftk::CSwfStream bytes;
  placement.Write(bytes);
  swftk::CSwfReader reader;
  reader.OpenFromStream(bytes);
  auto read = std::make_unique<swftk::CSwfPlaceObject2>();
  reader.ReadTagInto(*read);
  return read;
}

TEST(PoseEncoding, EdgeCasesSurviveBeingCopied) {
  const Pose poses[] = {
      PoseWith({{Property::kRotation, 90}}),
      PoseWith({{Property::kScaleX, 0}, {Property::kScaleY, 0}}),
      PoseWith({{Property::kAlpha, 0},
                {Property::kMultiplyRed, 0},
                {Property::kMultiplyGreen, 0},
                {Property::kMultiplyBlue, 0}}),
  };
  for (const Pose& pose : poses) {
    const EncodedPose encoded = EncodePose(pose);
    swftk::CSwfPlaceObject2 placement;
    placement.depth = 1;
    placement.matrix = MakeMatrix(encoded);
    placement.colorTransformAlpha = MakeColorTransform(encoded);
    // The engine reads the template and writes copies of its placements: twice through bytes.
    const auto copy = Reread(*Reread(placement));
    ASSERT_TRUE(copy->matrix && copy->colorTransformAlpha);
    EXPECT_EQ(copy->matrix->scaleX, encoded.terms.scaleX);
    EXPECT_EQ(copy->matrix->scaleY, encoded.terms.scaleY);
    EXPECT_EQ(copy->matrix->rotateSkew0, encoded.terms.rotateSkew0);
    EXPECT_EQ(copy->colorTransformAlpha->redMult, encoded.color[0]);
    EXPECT_EQ(copy->colorTransformAlpha->alphaMult, encoded.color[3]);
  }
}

TEST(PoseEncoding, PixelsToTwips) {
  EXPECT_EQ(ToTwips(1), 20);
  EXPECT_EQ(ToTwips(-0.5), -10);
  EXPECT_EQ(ToTwips(0.04), 1);
  EXPECT_EQ(ToTwips(1e12), 1 << 28);
}

}  // namespace
}  // namespace effectc
