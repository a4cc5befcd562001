// How shape records become fill regions and strokes.
#include <gtest/gtest.h>

#include "player/shape_outline.h"
#include "swftk/shape.h"
#include "test_movie.h"

namespace player::test {
namespace {

using Verb = ShapePath::Verb;
using swftk::CSwfStyleChangeShapeRecord;

constexpr Rgba kRed{255, 0, 0, 255};
constexpr Rgba kBlue{0, 0, 255, 255};

std::vector<PathPoint> Points(std::initializer_list<std::pair<double, double>> list) {
  std::vector<PathPoint> points;
  for (const auto& [x, y] : list) points.push_back({x, y});
  return points;
}

TEST(ShapeOutline, FillZeroEdgesRunBackwardsAndJoinIntoOneClosedPath) {
  // A square whose edges carry the fill on their left: the outline runs it the other way.
  auto shape = ShapeBuilder(1)
                   .SolidFill(kRed)
                   .Select(1, std::nullopt)
                   .MoveTo(0, 0)
                   .LineTo(0, 100)
                   .LineTo(100, 100)
                   .LineTo(100, 0)
                   .LineTo(0, 0)
                   .Build();
  const ShapeOutline outline = BuildShapeOutline(*shape->shape);
  ASSERT_EQ(outline.items.size(), 1U);
  const DrawItem& fill = outline.items[0];
  EXPECT_EQ(fill.kind, DrawItem::Kind::kFill);
  EXPECT_EQ(fill.path.verbs,
            (std::vector<Verb>{Verb::kMove, Verb::kLine, Verb::kLine, Verb::kLine, Verb::kLine}));
  EXPECT_EQ(fill.path.points, Points({{0, 0}, {100, 0}, {100, 100}, {0, 100}, {0, 0}}));
}

TEST(ShapeOutline, EdgesInAnyOrderLinkEndToStart) {
  // The square's sides come one by one, each after a move, in a scrambled order.
  auto shape = ShapeBuilder(1)
                   .SolidFill(kRed)
                   .Select(std::nullopt, 1)
                   .MoveTo(100, 100)
                   .LineTo(0, 100)
                   .MoveTo(0, 0)
                   .LineTo(100, 0)
                   .MoveTo(0, 100)
                   .LineTo(0, 0)
                   .MoveTo(100, 0)
                   .LineTo(100, 100)
                   .Build();
  const ShapeOutline outline = BuildShapeOutline(*shape->shape);
  ASSERT_EQ(outline.items.size(), 1U);
  const ShapePath& path = outline.items[0].path;
  EXPECT_EQ(std::count(path.verbs.begin(), path.verbs.end(), Verb::kMove), 1)
      << "one closed subpath";
  EXPECT_EQ(path.points.front(), path.points.back());
  EXPECT_EQ(path.points.size(), 5U);
}

TEST(ShapeOutline, CurvesKeepTheirControlPoints) {
  auto shape = ShapeBuilder(1)
                   .SolidFill(kRed)
                   .Select(std::nullopt, 1)
                   .MoveTo(0, 0)
                   .CurveTo(50, -50, 100, 0)
                   .LineTo(0, 0)
                   .Build();
  const ShapeOutline outline = BuildShapeOutline(*shape->shape);
  ASSERT_EQ(outline.items.size(), 1U);
  EXPECT_EQ(outline.items[0].path.verbs,
            (std::vector<Verb>{Verb::kMove, Verb::kQuad, Verb::kLine}));
  EXPECT_EQ(outline.items[0].path.points, Points({{0, 0}, {50, -50}, {100, 0}, {0, 0}}));
}

TEST(ShapeOutline, FillsComeInStyleOrderThenStrokesEachRunApart) {
  auto shape = ShapeBuilder(1)
                   .SolidFill(kRed)
                   .SolidFill(kBlue)
                   .LineStyle(20, kRed)
                   .Select(std::nullopt, 2, 1)
                   .Rectangle(0, 0, 100, 100)
                   .Select(std::nullopt, 1, 0)
                   .Rectangle(200, 0, 300, 100)
                   .Select(std::nullopt, std::nullopt, 1)
                   .MoveTo(0, 200)
                   .LineTo(100, 200)
                   .Build();
  const ShapeOutline outline = BuildShapeOutline(*shape->shape);
  ASSERT_EQ(outline.items.size(), 4U);
  EXPECT_EQ(outline.items[0].kind, DrawItem::Kind::kFill);
  EXPECT_EQ(outline.items[0].style, 0U) << "fill 1 first, although drawn second";
  EXPECT_EQ(outline.items[1].style, 1U);
  EXPECT_EQ(outline.items[2].kind, DrawItem::Kind::kStroke);
  EXPECT_TRUE(outline.items[2].closed) << "the square's outline ends where it started";
  EXPECT_EQ(outline.items[3].kind, DrawItem::Kind::kStroke);
  EXPECT_FALSE(outline.items[3].closed);
  EXPECT_EQ(outline.items[3].path.points, Points({{0, 200}, {100, 200}}));
}

TEST(ShapeOutline, NewStylesStartALayerWithItsOwnStyleNumbers) {
  auto define = ShapeBuilder(1)
                    .SolidFill(kRed)
                    .LineStyle(20, kBlue)
                    .Select(std::nullopt, 1, 1)
                    .Rectangle(0, 0, 100, 100)
                    .Build();
  swftk::CSwfShapeWithStyle& shape = *define->shape;
  // A second layer: its fill 1 is the outline's third fill.
  auto change = std::make_unique<CSwfStyleChangeShapeRecord>();
  change->Init(CSwfStyleChangeShapeRecord::kNewStyles | CSwfStyleChangeShapeRecord::kFillStyle1 |
                   CSwfStyleChangeShapeRecord::kMoveTo,
               &shape);
  change->fillStyles = std::make_unique<swftk::CSwfFillStyleArray>();
  change->fillStyles->Init(1);
  for (const Rgba color : {kBlue, kRed}) {
    auto fill = std::make_unique<swftk::CSwfFillStyle>();
    fill->SetSolid(std::make_unique<swftk::CSwfColorAlpha>(color.r, color.g, color.b, color.a), 1);
    change->fillStyles->styles.push_back(std::move(fill));
    ++change->fillStyles->count;
  }
  change->lineStyles = std::make_unique<swftk::CSwfLineStyleArray>();
  change->fillStyle1 = 1;
  change->moveDeltaX = 50;
  change->moveDeltaY = 50;
  auto& records = shape.records;
  records.insert(records.end() - 1, std::move(change));
  for (const auto& [dx, dy] : {std::pair{100, 0}, {0, 100}, {-100, 0}, {0, -100}}) {
    auto edge = std::make_unique<swftk::CSwfStraightEdgeShapeRecord>();
    edge->Init(dx, dy, swftk::CSwfStraightEdgeShapeRecord::kGeneral);
    records.insert(records.end() - 1, std::move(edge));
  }
  const ShapeOutline outline = BuildShapeOutline(shape);
  ASSERT_EQ(outline.fills.size(), 3U);
  EXPECT_EQ(outline.fills[1].color, kBlue);
  ASSERT_EQ(outline.items.size(), 3U);
  EXPECT_EQ(outline.items[0].style, 0U);
  EXPECT_EQ(outline.items[1].kind, DrawItem::Kind::kStroke) << "the first layer's lines";
  EXPECT_EQ(outline.items[2].kind, DrawItem::Kind::kFill);
  EXPECT_EQ(outline.items[2].style, 1U);
  EXPECT_EQ(outline.items[2].path.points.front(), (PathPoint{50, 50}));
}

TEST(ShapeOutline, StyleIndicesPastTheStylesDrawNothing) {
  auto shape =
      ShapeBuilder(1).SolidFill(kRed).Select(std::nullopt, 3, 2).Rectangle(0, 0, 100, 100).Build();
  EXPECT_TRUE(BuildShapeOutline(*shape->shape).items.empty());
}

TEST(ShapeOutline, EdgesBetweenTwoFillsAreKeptWithTheEarlierFill) {
  auto shape = ShapeBuilder(1)
                   .SolidFill(kRed)
                   .SolidFill(kBlue)
                   .MoveTo(100, 0)
                   .Select(2, 1)
                   .LineTo(100, 100)
                   .Select(1, 1)
                   .LineTo(100, 200)
                   .Build();
  const ShapeOutline outline = BuildShapeOutline(*shape->shape);
  ASSERT_EQ(outline.items.size(), 2U);
  ASSERT_EQ(outline.items[0].sharedEdges.size(), 1U);
  EXPECT_EQ(outline.items[0].sharedEdges[0].laterFill, 1U);
  EXPECT_EQ(outline.items[0].sharedEdges[0].path.points, Points({{100, 0}, {100, 100}}))
      << "the edge with the same fill on both sides is inside the region, not shared";
  EXPECT_TRUE(outline.items[1].sharedEdges.empty());
}

TEST(ShapeOutline, GlyphsFillWithTheirOneStyle) {
  auto define = ShapeBuilder(1).Select(1, std::nullopt).Rectangle(0, -500, 400, 0).Build();
  const ShapeOutline outline = BuildGlyphOutline(*define->shape);
  ASSERT_EQ(outline.fills.size(), 1U);
  ASSERT_EQ(outline.items.size(), 1U);
  EXPECT_EQ(outline.items[0].path.points.size(), 5U);
}

}  // namespace
}  // namespace player::test
