#pragma once

#include <vector>

#include "effectc/effect_source.h"

namespace effectc {

// Outlines of the primitives a drawing is made of, in pixels. Closed outlines end where they
// start; angles are degrees clockwise, as y grows downwards.

// A rectangle from its top-left corner; a radius rounds its corners.
Contour RectangleContour(double x, double y, double width, double height, double radius);
Contour EllipseContour(double cx, double cy, double rx, double ry);
// An open outline: it can be stroked but not filled.
Contour LineContour(Point from, Point to);
// Corners alternate between the outer and the inner radius; the first points up, turned by
// rotation.
Contour StarContour(Point centre, int points, double outer, double inner, double rotation);
// A regular polygon with its first corner up, turned by rotation.
Contour RegularPolygonContour(Point centre, int sides, double radius, double rotation);
Contour PolygonContour(const std::vector<Point>& corners);

}  // namespace effectc
