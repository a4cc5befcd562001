// Poses as placement matrices and colour transforms, figures as shapes: checked as a reader
// gets them back from the bytes.
#include <gtest/gtest.h>

#include "effectc/keyframe_track.h"
#include "effectc/pose_encoding.h"
#include "effectc/shape_builder.h"
#include "effectc/shape_geometry.h"
#include "swftk/place_object.h"
#include "swftk/reader.h"
#include "swftk/shape_records.h"
#include "swftk/stream.h"

namespace effectc {
namespace {

using swftk::CSwfShapeRecord;
using swftk::CSwfStyleChangeShapeRecord;

Pose PoseWith(std::initializer_list<std::pair<Property, double>> values) {
  Pose pose = RestPose();
  for (const auto& [property, value] : values) pose[static_cast<size_t>(property)] = value;
  return pose;
}

// A tag as a reader gets it back after writing.
template <typename Tag, typename... Args>
std::unique_ptr<Tag> Reread(const Tag& tag, Args... args) {
  swftk::CSwfStream bytes;
  tag.Write(bytes);
  swftk::CSwfReader reader;
  reader.OpenFromStream(bytes);
  auto read = std::make_unique<Tag>(args...);
  EXPECT_EQ(reader.ReadTagInto(*read), tag.GetTagCode());
  return read;
}

// The engine reads the template and writes copies of its placements: twice through bytes.
std::unique_ptr<swftk::CSwfPlaceObject2> Copied(const EncodedPose& encoded) {
  swftk::CSwfPlaceObject2 placement;
  placement.depth = 1;
  placement.matrix = MakeMatrix(encoded);
  placement.colorTransformAlpha = MakeColorTransform(encoded);
  return Reread(*Reread(placement));
}

TEST(PoseEncoding, MatrixTermsSurviveBeingCopied) {
  // scaleX, scaleY, rotateSkew0, rotateSkew1, translateX, translateY
  using Terms = std::array<int32_t, 6>;
  const std::pair<Pose, Terms> cases[] = {
      {RestPose(), {65536, 65536, 0, 0, 0, 0}},
      {PoseWith({{Property::kX, -7.5}, {Property::kY, 3}}), {65536, 65536, 0, 0, -150, 60}},
      {PoseWith({{Property::kScaleX, 50}, {Property::kScaleY, 200}}), {32768, 131072, 0, 0, 0, 0}},
      // Clockwise on screen: the x axis turns towards +y.
      {PoseWith({{Property::kRotation, 90}}), {1, 1, 65536, -65536, 0, 0}},
      {PoseWith({{Property::kRotation, 180}, {Property::kScaleX, 50}}),
       {-32768, -65536, 0, 0, 0, 0}},
      {PoseWith({{Property::kSkewX, 45}}), {65536, 46341, 0, -46341, 0, 0}},
      {PoseWith({{Property::kSkewY, 30}}), {56756, 65536, 32768, 0, 0, 0}},
      // A scale of nothing keeps the smallest scale a reader still sees.
      {PoseWith({{Property::kScaleX, 0}, {Property::kScaleY, 0}}), {1, 1, 0, 0, 0, 0}},
      {PoseWith({{Property::kScaleX, 0}}), {0, 65536, 0, 0, 0, 0}},
  };
  for (const auto& [pose, terms] : cases) {
    const EncodedPose e = EncodePose(pose);
    EXPECT_EQ((Terms{e.terms.scaleX, e.terms.scaleY, e.terms.rotateSkew0, e.terms.rotateSkew1,
                     e.translateX, e.translateY}),
              terms);
    const auto copy = Copied(e);
    ASSERT_TRUE(copy->matrix);
    const swftk::CSwfMatrix& m = *copy->matrix;
    EXPECT_EQ((Terms{m.scaleX, m.scaleY, m.rotateSkew0, m.rotateSkew1, m.translateX, m.translateY}),
              terms);
  }
}

TEST(PoseEncoding, ColourTermsSurviveBeingCopied) {
  // red, green, blue, alpha multipliers; additions
  const std::pair<Pose, std::array<int32_t, 7>> cases[] = {
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
  for (const auto& [pose, color] : cases) {
    EXPECT_EQ(EncodePose(pose).color, color);
    const auto copy = Copied(EncodePose(pose));
    ASSERT_TRUE(copy->colorTransformAlpha);
    const swftk::CSwfColorTransformAlpha& c = *copy->colorTransformAlpha;
    EXPECT_EQ((std::array{c.redMult, c.greenMult, c.blueMult, c.alphaMult, c.redAdd, c.greenAdd,
                          c.blueAdd}),
              color);
  }
  EXPECT_TRUE(EncodePose(RestPose()).HasIdentityColor());
  EXPECT_FALSE(EncodePose(PoseWith({{Property::kAlpha, 99}})).HasIdentityColor());
}

TEST(PoseEncoding, PixelsToTwips) {
  EXPECT_EQ(ToTwips(1), 20);
  EXPECT_EQ(ToTwips(-0.5), -10);
  EXPECT_EQ(ToTwips(0.04), 1);
  EXPECT_EQ(ToTwips(1e12), 1 << 28);
}

Figure Filled(Contour contour, Rgba color) {
  Figure figure;
  figure.contours.push_back(std::move(contour));
  figure.fill.kind = Paint::Kind::kSolid;
  figure.fill.color = color;
  return figure;
}

std::unique_ptr<swftk::CSwfDefineShape> ReadBack(const swftk::CSwfDefineShape& shape) {
  return Reread(shape, swftk::tagcode::kDefineShape3);
}

TEST(ShapeBuilder, ARectangleInTwips) {
  const auto shape =
      ReadBack(*BuildShape({Filled(RectangleContour(-1, 2, 3, 4, 0), {10, 20, 30, 40})}, 7));
  EXPECT_EQ(shape->characterId, 7);
  const swftk::CSwfRect& box = *shape->bounds;
  EXPECT_EQ((std::array{box.xMin, box.xMax, box.yMin, box.yMax}), (std::array{-20, 40, 40, 120}));
  ASSERT_EQ(shape->shape->fillStyles->styles.size(), 1U);
  EXPECT_EQ(
      static_cast<const swftk::CSwfColorAlpha&>(*shape->shape->fillStyles->styles[0]->color).alpha,
      40);
  const auto& records = shape->shape->records;
  ASSERT_EQ(records.size(), 6U);
  const auto& move = static_cast<const CSwfStyleChangeShapeRecord&>(*records[0]);
  EXPECT_EQ(move.moveDeltaX, -20);
  EXPECT_EQ(move.moveDeltaY, 40);
  // Clockwise on screen: the fill lies on the right of the edges.
  EXPECT_EQ(move.fillStyle1, 1);
  EXPECT_EQ(move.fillStyle0, 0);
  const int32_t edges[][2] = {{60, 0}, {0, 80}, {-60, 0}, {0, -80}};
  for (size_t i = 0; i < 4; ++i) {
    ASSERT_EQ(records[i + 1]->GetRecordType(), CSwfShapeRecord::kStraightEdge);
    const auto& edge = static_cast<const swftk::CSwfStraightEdgeShapeRecord&>(*records[i + 1]);
    EXPECT_EQ(edge.deltaX, edges[i][0]) << i;
    EXPECT_EQ(edge.deltaY, edges[i][1]) << i;
  }
  EXPECT_EQ(records[5]->GetRecordType(), CSwfShapeRecord::kEndOfShape);

  // Anticlockwise, the fill lies on the left.
  const auto triangle =
      BuildShape({Filled(PolygonContour({{0, 0}, {0, 10}, {10, 10}}), {0, 0, 0, 255})}, 1);
  const auto& start = static_cast<const CSwfStyleChangeShapeRecord&>(*triangle->shape->records[0]);
  EXPECT_EQ(start.fillStyle0, 1);
  EXPECT_EQ(start.fillStyle1, 0);
}

TEST(ShapeBuilder, CurvesCloseExactlyAndStrokesWidenTheBounds) {
  Figure ring = Filled(EllipseContour(0.33, 0.77, 10.01, 5.49), {0, 0, 0, 255});
  ring.stroke = Stroke{2, {255, 0, 0, 255}};
  const auto shape = ReadBack(*BuildShape({ring}, 1));
  int32_t x = 0;
  int32_t y = 0;
  int curves = 0;
  for (const auto& record : shape->shape->records) {
    if (record->GetRecordType() == CSwfShapeRecord::kStyleChange) {
      const auto& move = static_cast<const CSwfStyleChangeShapeRecord&>(*record);
      x = move.moveDeltaX;
      y = move.moveDeltaY;
      EXPECT_EQ(move.lineStyle, 1);
    } else if (record->GetRecordType() == CSwfShapeRecord::kCurvedEdge) {
      const auto& curve = static_cast<const swftk::CSwfCurvedEdgeShapeRecord&>(*record);
      x += curve.controlDeltaX + curve.anchorDeltaX;
      y += curve.controlDeltaY + curve.anchorDeltaY;
      ++curves;
    }
  }
  EXPECT_EQ(curves, 8);
  EXPECT_EQ(x, ToTwips(0.33 + 10.01));
  EXPECT_EQ(y, ToTwips(0.77));
  // The stroke's half width, 20 twips, lies outside the outline's own box.
  EXPECT_EQ(shape->bounds->xMax, ToTwips(0.33 + 10.01) + 20);
  EXPECT_EQ(shape->bounds->yMin, ToTwips(0.77 - 5.49) - 20);
}

TEST(ShapeBuilder, GradientsSpanTheFigure) {
  Figure bar = Filled(RectangleContour(0, 0, 100, 50, 0), {});
  bar.fill.kind = Paint::Kind::kLinear;
  bar.fill.stops = {{0, {255, 0, 0, 255}}, {255, {0, 0, 255, 0}}};
  Figure disc = Filled(EllipseContour(10, 10, 20, 10), {});
  disc.fill = bar.fill;
  disc.fill.kind = Paint::Kind::kRadial;
  const auto shape = ReadBack(*BuildShape({bar, disc}, 1));
  ASSERT_EQ(shape->shape->fillStyles->styles.size(), 2U);
  const swftk::CSwfFillStyle& linear = *shape->shape->fillStyles->styles[0];
  EXPECT_EQ(linear.fillType, swftk::CSwfFillStyle::kLinearGradient);
  // 2000 twips across the 32768 of the gradient square: 4000 in 16.16.
  EXPECT_EQ(linear.matrix->scaleX, 4000);
  EXPECT_EQ(linear.matrix->scaleY, 4000);
  EXPECT_EQ(linear.matrix->translateX, 1000);
  EXPECT_EQ(linear.matrix->translateY, 500);
  ASSERT_EQ(linear.gradient->records.size(), 2U);
  EXPECT_EQ(linear.gradient->records[1]->ratio, 255);
  EXPECT_EQ(static_cast<const swftk::CSwfColorAlpha&>(*linear.gradient->records[1]->color).alpha,
            0);
  const swftk::CSwfFillStyle& radial = *shape->shape->fillStyles->styles[1];
  EXPECT_EQ(radial.fillType, swftk::CSwfFillStyle::kRadialGradient);
  // The ellipse's box is 800 by 400 twips around (200, 200).
  EXPECT_EQ(radial.matrix->scaleX, 1600);
  EXPECT_EQ(radial.matrix->scaleY, 800);
  EXPECT_EQ(radial.matrix->translateX, 200);
}

}  // namespace
}  // namespace effectc
