#include "glyphs/glyph_metrics.h"

#include <gtest/gtest.h>

#include "glyphs/outline_builder.h"

namespace glyphs {
namespace {

OutlinePoint P(double x, double y) {
  return {ToFixed16(x), ToFixed16(y)};
}

TEST(MeasureOutline, CurveExtremaCountButControlsDoNot) {
  // Peaks at y = 5 halfway; the control stands at y = 10.
  const OutlinePolygon bump{kPolygonType, P(0, 0), {{kCurveQSpline, {P(5, 10), P(10, 0)}}}};
  const GlyphMetrics metrics = MeasureOutline({&bump, 1}, 12);
  EXPECT_EQ(metrics.originX, 0);
  EXPECT_EQ(metrics.originY, 5);
  EXPECT_EQ(metrics.blackBoxX, 10u);
  EXPECT_EQ(metrics.blackBoxY, 5u);
  EXPECT_EQ(metrics.cellIncX, 12);
}

TEST(MeasureOutline, ImpliedMidpointsBetweenControlsAreOnTheCurve) {
  // From (0, 0) over (0, 20) to the implied (10, 20), then over (20, 20) down to (20, 0).
  const OutlinePolygon arch{
      kPolygonType, P(0, 0), {{kCurveQSpline, {P(0, 20), P(20, 20), P(20, 0)}}}};
  const GlyphMetrics metrics = MeasureOutline({&arch, 1}, 0);
  EXPECT_EQ(metrics.originY, 20);
  EXPECT_EQ(metrics.blackBoxY, 20u);
}

TEST(MeasureOutline, WidensFractionsToWholeUnits) {
  const OutlinePolygon polygon{
      kPolygonType, P(0.25, -0.5), {{kCurveLine, {P(10.5, 3.2), P(0.25, 3.2)}}}};
  const GlyphMetrics metrics = MeasureOutline({&polygon, 1}, 11);
  EXPECT_EQ(metrics.originX, 0);
  EXPECT_EQ(metrics.originY, 4);
  EXPECT_EQ(metrics.blackBoxX, 11u);
  EXPECT_EQ(metrics.blackBoxY, 5u);
}

TEST(MeasureOutline, RecordsOfUnknownKindAddNothing) {
  const OutlinePolygon polygon{
      kPolygonType, P(0, 0), {{kCurveLine, {P(4, 0), P(4, 4)}}, {3, {P(100, 100)}}}};
  const GlyphMetrics metrics = MeasureOutline({&polygon, 1}, 0);
  EXPECT_EQ(metrics.blackBoxX, 4u);
  EXPECT_EQ(metrics.blackBoxY, 4u);
}

TEST(MeasureOutline, EmptyOutlineHasAnEmptyBoxAndItsAdvance) {
  const GlyphMetrics metrics = MeasureOutline({}, 284);
  EXPECT_EQ(metrics.blackBoxX, 0u);
  EXPECT_EQ(metrics.blackBoxY, 0u);
  EXPECT_EQ(metrics.originX, 0);
  EXPECT_EQ(metrics.originY, 0);
  EXPECT_EQ(metrics.cellIncX, 284);
}

TEST(AbcFromMetrics, WidthsAddUpToTheAdvance) {
  GlyphMetrics metrics;
  metrics.originX = -3;
  metrics.blackBoxX = 40;
  const AbcWidths widths = AbcFromMetrics(metrics, 30);
  EXPECT_EQ(widths.a, -3);
  EXPECT_EQ(widths.b, 40);
  EXPECT_EQ(widths.c, -7);
}

}  // namespace
}  // namespace glyphs
