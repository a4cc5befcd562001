#include <gtest/gtest.h>

#include "effectc/pose_encoding.h"
#include "effectc/shape_builder.h"
#include "effectc/shape_geometry.h"
#include "swftk/reader.h"
#include "swftk/shape_records.h"
#include "swftk/stream.h"

namespace effectc {
namespace {

using swftk::CSwfShapeRecord;
using swftk::CSwfStyleChangeShapeRecord;

Figure Filled(Contour contour, Rgba color) {
  Figure figure;
  figure.contours.push_back(std::move(contour));
  figure.fill.kind = Paint::Kind::kSolid;
  figure.fill.color = color;
  return figure;
}

// The shape as a reader sees it after writing.
std::unique_ptr<swftk::CSwfDefineShape> ReadBack(const swftk::CSwfDefineShape& shape) {
  swftk::CSwfStream bytes;
  shape.Write(bytes);
  swftk::CSwfReader reader;
  reader.OpenFromStream(bytes);
  auto read = std::make_unique<swftk::CSwfDefineShape>(swftk::tagcode::kDefineShape3);
  EXPECT_EQ(reader.ReadTagInto(*read), swftk::tagcode::kDefineShape3);
  return read;
}

TEST(ShapeBuilder, ARectangleInTwips) {
  const auto shape =
      ReadBack(*BuildShape({Filled(RectangleContour(-1, 2, 3, 4, 0), {10, 20, 30, 40})}, 7));
  EXPECT_EQ(shape->characterId, 7);
  EXPECT_EQ(shape->bounds->xMin, -20);
  EXPECT_EQ(shape->bounds->xMax, 40);
  EXPECT_EQ(shape->bounds->yMin, 40);
  EXPECT_EQ(shape->bounds->yMax, 120);
  ASSERT_EQ(shape->shape->fillStyles->styles.size(), 1U);
  const auto& color =
      static_cast<const swftk::CSwfColorAlpha&>(*shape->shape->fillStyles->styles[0]->color);
  EXPECT_EQ(color.alpha, 40);
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
}

TEST(ShapeBuilder, AnticlockwiseOutlinesFillOnTheLeft) {
  const auto shape =
      BuildShape({Filled(PolygonContour({{0, 0}, {0, 10}, {10, 10}}), {0, 0, 0, 255})}, 1);
  const auto& move = static_cast<const CSwfStyleChangeShapeRecord&>(*shape->shape->records[0]);
  EXPECT_EQ(move.fillStyle0, 1);
  EXPECT_EQ(move.fillStyle1, 0);
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
