#include "effectc/figure_parser.h"

#include <array>
#include <charconv>
#include <cmath>

#include "effectc/shape_geometry.h"

namespace effectc {
namespace {

// Coordinates and sizes stay well inside what a shape record can hold.
constexpr double kMaxCoordinate = 100000;
constexpr double kMaxAngle = 36000;
constexpr int kMaxCorners = 360;

constexpr std::array<std::string_view, 5> kPrimitives{"rect", "ellipse", "line", "star", "polygon"};

bool ReadColor(JsonFields& fields, std::string_view key, Rgba& out, bool required) {
  std::string text;
  if (!fields.String(key, text, required)) return false;
  if (!fields.Has(key)) return true;
  const std::optional<Rgba> color = ParseColor(text);
  if (!color) return fields.Fail(key, "expected a colour as #RRGGBB or #RRGGBBAA");
  out = *color;
  return true;
}

bool Coordinate(JsonFields& fields, std::string_view key, double& out, bool required = true) {
  return fields.Number(key, out, -kMaxCoordinate, kMaxCoordinate, required);
}

bool Size(JsonFields& fields, std::string_view key, double& out, bool required = true) {
  return fields.Number(key, out, 0, kMaxCoordinate, required);
}

bool Angle(JsonFields& fields, double& out) {
  return fields.Number("rotation", out, -kMaxAngle, kMaxAngle);
}

bool ParseRect(JsonFields& fields, Figure& figure) {
  double x = 0, y = 0, width = 0, height = 0, radius = 0;
  if (!Coordinate(fields, "x", x) || !Coordinate(fields, "y", y) || !Size(fields, "width", width) ||
      !Size(fields, "height", height) || !Size(fields, "radius", radius, false))
    return false;
  figure.contours.push_back(RectangleContour(x, y, width, height, radius));
  return true;
}

bool ParseEllipse(JsonFields& fields, Figure& figure) {
  double cx = 0, cy = 0, rx = 0;
  if (!Coordinate(fields, "cx", cx) || !Coordinate(fields, "cy", cy) || !Size(fields, "rx", rx))
    return false;
  double ry = rx;
  if (!Size(fields, "ry", ry, false)) return false;
  figure.contours.push_back(EllipseContour(cx, cy, rx, ry));
  return true;
}

bool ParseLine(JsonFields& fields, Figure& figure) {
  Point from, to;
  if (!Coordinate(fields, "x1", from.x) || !Coordinate(fields, "y1", from.y) ||
      !Coordinate(fields, "x2", to.x) || !Coordinate(fields, "y2", to.y))
    return false;
  figure.contours.push_back(LineContour(from, to));
  return true;
}

bool ParseStar(JsonFields& fields, Figure& figure) {
  Point centre;
  int points = 5;
  double outer = 0, inner = 0, rotation = 0;
  if (!Coordinate(fields, "cx", centre.x) || !Coordinate(fields, "cy", centre.y) ||
      !fields.Integer("points", points, 2, kMaxCorners, true) || !Size(fields, "outer", outer) ||
      !Size(fields, "inner", inner) || !Angle(fields, rotation))
    return false;
  figure.contours.push_back(StarContour(centre, points, outer, inner, rotation));
  return true;
}

bool ParseCorners(const nlohmann::json& array, const std::string& where, SourceFault& fault,
                  std::vector<Point>& corners) {
  for (size_t i = 0; i < array.size(); ++i) {
    const nlohmann::json& corner = array[i];
    const bool pair =
        corner.is_array() && corner.size() == 2 && corner[0].is_number() && corner[1].is_number();
    if (!pair) return fault.Report(ElementWhere(where, i), "expected a point as [x, y]");
    const Point p{corner[0].get<double>(), corner[1].get<double>()};
    if (std::abs(p.x) > kMaxCoordinate || std::abs(p.y) > kMaxCoordinate)
      return fault.Report(ElementWhere(where, i), "lies too far out");
    corners.push_back(p);
  }
  if (corners.size() < 3) return fault.Report(where, "a polygon needs at least three points");
  return true;
}

// Either its corners, or a regular polygon by centre, sides and radius.
bool ParsePolygon(JsonFields& fields, Figure& figure) {
  if (const nlohmann::json* corners = fields.Array("points")) {
    std::vector<Point> points;
    if (!ParseCorners(*corners, fields.Where("points"), fields.Fault(), points)) return false;
    figure.contours.push_back(PolygonContour(points));
    return true;
  }
  if (fields.Fault().Failed()) return false;
  Point centre;
  int sides = 0;
  double radius = 0, rotation = 0;
  if (!Coordinate(fields, "cx", centre.x) || !Coordinate(fields, "cy", centre.y) ||
      !fields.Integer("sides", sides, 3, kMaxCorners, true) || !Size(fields, "radius", radius) ||
      !Angle(fields, rotation))
    return false;
  figure.contours.push_back(RegularPolygonContour(centre, sides, radius, rotation));
  return true;
}

bool ParsePrimitive(std::string_view kind, JsonFields& fields, Figure& figure) {
  if (kind == "rect") return ParseRect(fields, figure);
  if (kind == "ellipse") return ParseEllipse(fields, figure);
  if (kind == "line") return ParseLine(fields, figure);
  if (kind == "star") return ParseStar(fields, figure);
  return ParsePolygon(fields, figure);
}

// Stops as colours spread evenly, or as {"at": percent, "color": colour}.
bool ParseStops(const nlohmann::json& array, const std::string& where, SourceFault& fault,
                std::vector<GradientStop>& stops) {
  constexpr size_t kMaxStops = 8;
  if (array.size() < 2 || array.size() > kMaxStops)
    return fault.Report(where, "a gradient has from 2 to 8 stops");
  for (size_t i = 0; i < array.size(); ++i) {
    const std::string at = ElementWhere(where, i);
    GradientStop stop;
    stop.ratio = static_cast<uint8_t>(std::lround(255.0 * i / (array.size() - 1)));
    if (array[i].is_string()) {
      const std::optional<Rgba> color = ParseColor(array[i].get<std::string>());
      if (!color) return fault.Report(at, "expected a colour as #RRGGBB or #RRGGBBAA");
      stop.color = *color;
    } else {
      JsonFields fields(array[i], at, fault);
      double percent = 0;
      if (!fields.Number("at", percent, 0, 100, true) ||
          !ReadColor(fields, "color", stop.color, true) || !fields.CheckAllRead())
        return false;
      stop.ratio = static_cast<uint8_t>(std::lround(percent * 2.55));
    }
    if (!stops.empty() && stop.ratio < stops.back().ratio)
      return fault.Report(at, "stops run from the start of the gradient to its end");
    stops.push_back(stop);
  }
  return true;
}

bool ParseFill(JsonFields& figureFields, Paint& paint) {
  const nlohmann::json* fill = figureFields.Get("fill");
  if (fill == nullptr) return true;
  const std::string where = figureFields.Where("fill");
  if (fill->is_string()) {
    paint.kind = Paint::Kind::kSolid;
    return ReadColor(figureFields, "fill", paint.color, true);
  }
  JsonFields fields(*fill, where, figureFields.Fault());
  const nlohmann::json* linear = fields.Array("linear");
  const nlohmann::json* radial = fields.Array("radial");
  if ((linear == nullptr) == (radial == nullptr)) {
    return fields.Fault().Report(
        where, "expected a colour, or one of \"linear\" and \"radial\" with a list of stops");
  }
  paint.kind = linear != nullptr ? Paint::Kind::kLinear : Paint::Kind::kRadial;
  const std::string stopsWhere = fields.Where(linear != nullptr ? "linear" : "radial");
  return ParseStops(linear != nullptr ? *linear : *radial, stopsWhere, fields.Fault(),
                    paint.stops) &&
         fields.Number("angle", paint.angle, -kMaxAngle, kMaxAngle) && fields.CheckAllRead();
}

bool ParseStroke(JsonFields& figureFields, std::optional<Stroke>& stroke) {
  const nlohmann::json* value = figureFields.Get("stroke");
  if (value == nullptr) return true;
  JsonFields fields(*value, figureFields.Where("stroke"), figureFields.Fault());
  Stroke parsed;
  if (!fields.Number("width", parsed.width, 0.05, 100, true) ||
      !ReadColor(fields, "color", parsed.color, true) || !fields.CheckAllRead())
    return false;
  stroke = parsed;
  return true;
}

bool ParseFigure(const nlohmann::json& object, const std::string& where, SourceFault& fault,
                 Figure& figure) {
  JsonFields fields(object, where, fault);
  std::string_view kind;
  for (const std::string_view primitive : kPrimitives) {
    if (!fields.Has(primitive)) continue;
    if (!kind.empty()) return fields.Fail(primitive, "a figure draws one primitive");
    kind = primitive;
  }
  if (kind.empty())
    return fault.Report(where,
                        "expected one of \"rect\", \"ellipse\", \"line\", \"star\" and "
                        "\"polygon\"");
  JsonFields primitive(*fields.Get(kind), fields.Where(kind), fault);
  if (!ParsePrimitive(kind, primitive, figure) || !primitive.CheckAllRead()) return false;
  if (!ParseFill(fields, figure.fill) || !ParseStroke(fields, figure.stroke)) return false;
  if (kind == "line" && figure.fill.kind != Paint::Kind::kNone)
    return fields.Fail("fill", "a line has no inside to fill");
  if (figure.fill.kind == Paint::Kind::kNone && !figure.stroke)
    return fault.Report(where, "a figure needs a fill, a stroke or both");
  return fields.CheckAllRead();
}

}  // namespace

std::optional<Rgba> ParseColor(std::string_view text) {
  if ((text.size() != 7 && text.size() != 9) || text[0] != '#') return std::nullopt;
  std::array<uint8_t, 4> channels{0, 0, 0, 255};
  const size_t count = (text.size() - 1) / 2;
  for (size_t i = 0; i < count; ++i) {
    const char* first = text.data() + 1 + 2 * i;
    const auto [end, fault] = std::from_chars(first, first + 2, channels[i], 16);
    if (fault != std::errc() || end != first + 2) return std::nullopt;
  }
  return Rgba{channels[0], channels[1], channels[2], channels[3]};
}

bool ParseDrawing(const nlohmann::json& array, const std::string& where, SourceFault& fault,
                  std::vector<Figure>& out) {
  if (!array.is_array() || array.empty())
    return fault.Report(where, "expected an array of one or more figures");
  for (size_t i = 0; i < array.size(); ++i) {
    Figure figure;
    if (!ParseFigure(array[i], ElementWhere(where, i), fault, figure)) return false;
    out.push_back(std::move(figure));
  }
  return true;
}

}  // namespace effectc
