#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "effectc/easing.h"
#include "swftk/units.h"

namespace effectc {

// What a source file describes, after parsing and before any SWF is made. Lengths are pixels,
// angles degrees, scales and alpha percent; frames count from 1.

// The animated properties of a layer, in the order a keyframe lists them.
enum class Property : uint8_t {
  kX,
  kY,
  kScaleX,
  kScaleY,
  kRotation,
  kSkewX,
  kSkewY,
  kAlpha,
  kMultiplyRed,
  kMultiplyGreen,
  kMultiplyBlue,
  kAddRed,
  kAddGreen,
  kAddBlue,
};
inline constexpr size_t kPropertyCount = 14;

// A layer's state in one frame: one value per property.
using Pose = std::array<double, kPropertyCount>;

// A keyframe sets some properties at a frame; ease shapes the way each of them arrives here
// from the keyframe before that sets it.
struct Keyframe {
  int frame = 1;
  Easing ease = Easing::kLinear;
  std::array<std::optional<double>, kPropertyCount> values;
};

using swftk::Rgba;

struct Point {
  double x = 0;
  double y = 0;
};

// A line to `to`, or with `curved` a quadratic curve through `control` to `to`.
struct PathSegment {
  bool curved = false;
  Point control;
  Point to;
};

struct Contour {
  Point start;
  std::vector<PathSegment> segments;
};

struct GradientStop {
  uint8_t ratio = 0;  // 0 at the start of the gradient, 255 at its end
  Rgba color;
};

// How the inside of a figure is painted. Gradients span the figure's bounding box.
struct Paint {
  enum class Kind : uint8_t { kNone, kSolid, kLinear, kRadial };

  Kind kind = Kind::kNone;
  Rgba color;
  std::vector<GradientStop> stops;
  double angle = 0;  // linear gradients: the direction of the colour run
};

struct Stroke {
  double width = 1;
  Rgba color;
};

// One drawn primitive: its outline, fill and optional stroke.
struct Figure {
  std::vector<Contour> contours;
  Paint fill;
  std::optional<Stroke> stroke;
};

// Mouse transitions a button reacts to, with the condition bits of the format.
enum class ButtonEvent : uint16_t {
  kRollOver = 0x0001,
  kRollOut = 0x0002,
  kPress = 0x0004,
  kRelease = 0x0008,
  kDragOut = 0x0010,
  kDragOver = 0x0020,
  kReleaseOutside = 0x0040,
};

// Assembly lines and where they came from, for messages.
struct Script {
  std::string origin;
  std::vector<std::string> lines;
};

struct ButtonHandler {
  ButtonEvent event = ButtonEvent::kPress;
  Script script;
};

struct Layer {
  enum class Kind : uint8_t { kLetter, kShape, kButton };

  Kind kind = Kind::kLetter;
  // The instance name; the main letter layer is always "letter".
  std::string name;
  std::string origin;
  std::vector<Figure> drawing;
  // Buttons: where they can be clicked; the drawing when empty.
  std::vector<Figure> hitArea;
  std::vector<ButtonHandler> handlers;
  std::vector<Keyframe> keys;
};

struct FrameScript {
  int frame = 1;
  Script script;
};

// A timeline of layers: the effect sprite of a template, or the clip of a movie.
struct ClipSource {
  int frames = 1;
  // Without loop the clip stops on its last frame.
  bool loop = false;
  // From back to front.
  std::vector<Layer> layers;
  std::vector<FrameScript> scripts;
};

struct EffectSource {
  std::string name;
  int version = 3;
  std::string embedGlyphs;
  // The effect sprite is placed as "effect", then "effect1", "effect2" ... this many times.
  int instances = 1;
  ClipSource clip;
};

// A plain movie holding one named clip, such as the position cross.
struct MovieSource {
  int width = 500;
  int height = 150;
  double frameRate = 12;
  Rgba background{255, 255, 255, 255};
  std::string clipName;
  Point clipPosition;
  ClipSource clip;
};

using SourceDocument = std::variant<EffectSource, MovieSource>;

}  // namespace effectc
