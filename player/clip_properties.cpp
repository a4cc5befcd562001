#include "player/clip_properties.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "avm/property_names.h"
#include "player/clip_geometry.h"
#include "player/movie.h"
#include "player/play_context.h"
#include "player/sprite_instance.h"
#include "player/target_path.h"
#include "swftk/units.h"

namespace player {
namespace {

constexpr double kTwipsPerPixel = swftk::kTwipsPerPixel;
// Positions stay where a 32-bit twip count reaches.
constexpr double kMaxCoordinate = 2147483647.0 / kTwipsPerPixel;
constexpr double kDegrees = 180 / std::numbers::pi;

double XScaleOf(const Transform2D& m) {
  return std::hypot(m.a, m.b);
}
double YScaleOf(const Transform2D& m) {
  return std::hypot(m.c, m.d);
}
double RotationOf(const Transform2D& m) {
  return std::atan2(m.b, m.a) * kDegrees;
}

// Rebuilds the linear part from scales (as factors) and a rotation in degrees, as real players
// keep them apart.
void Compose(Transform2D& m, double xScale, double yScale, double rotation) {
  const double radians = rotation / kDegrees;
  const double cos = std::cos(radians);
  const double sin = std::sin(radians);
  m.a = xScale * cos;
  m.b = xScale * sin;
  m.c = -yScale * sin;
  m.d = yScale * cos;
}

// The clip's box in its parent's coordinates.
TwipsRect BoundsInParent(CKV_SpriteInstance& clip, const CKV_PlayContext& context) {
  return MapRect(clip.Placed().placement.matrix, ContentBounds(clip, context.movie.characters));
}

avm::Value MousePosition(const CKV_SpriteInstance& clip, const CKV_PlayContext& context, bool x) {
  Transform2D inverse;
  if (!StageTransformOf(clip).Invert(inverse)) return 0.0;
  const double local = x ? inverse.a * context.mouseX + inverse.c * context.mouseY + inverse.tx
                         : inverse.b * context.mouseX + inverse.d * context.mouseY + inverse.ty;
  return std::round(local) / kTwipsPerPixel;
}

}  // namespace

avm::Value GetClipProperty(CKV_SpriteInstance& clip, int index, const CKV_PlayContext& context) {
  const DisplayEntry& entry = clip.Placed();
  const Transform2D& m = entry.placement.matrix;
  switch (index) {
    case avm::kPropX:
      return m.tx / kTwipsPerPixel;
    case avm::kPropY:
      return m.ty / kTwipsPerPixel;
    case avm::kPropXScale:
      return XScaleOf(m) * 100;
    case avm::kPropYScale:
      return YScaleOf(m) * 100;
    case avm::kPropCurrentFrame:
      return static_cast<double>(clip.CurrentFrame());
    case avm::kPropTotalFrames:
    case avm::kPropFramesLoaded:
      return static_cast<double>(clip.FrameCount());
    case avm::kPropAlpha:
      return entry.placement.colorTransform.alphaMult * 100.0 / 256;
    case avm::kPropVisible:
      return entry.visible ? 1.0 : 0.0;
    case avm::kPropWidth: {
      const TwipsRect box = BoundsInParent(clip, context);
      return (box.xMax - box.xMin) / kTwipsPerPixel;
    }
    case avm::kPropHeight: {
      const TwipsRect box = BoundsInParent(clip, context);
      return (box.yMax - box.yMin) / kTwipsPerPixel;
    }
    case avm::kPropRotation:
      return RotationOf(m);
    case avm::kPropTarget:
      return TargetPathOf(clip, context.level);
    case avm::kPropName:
      return entry.placement.name;
    case avm::kPropDropTarget:
      return std::string();
    case avm::kPropUrl:
      return context.url;
    case avm::kPropHighQuality:
    case avm::kPropFocusRect:
      return 1.0;
    case avm::kPropSoundBufTime:
      return 5.0;
    case avm::kPropQuality:
      return "HIGH";
    case avm::kPropXMouse:
    case avm::kPropYMouse:
      return MousePosition(clip, context, index == avm::kPropXMouse);
    default:
      return {};
  }
}

bool SetClipProperty(CKV_SpriteInstance& clip, int index, const avm::Value& value,
                     const CKV_PlayContext& context) {
  DisplayEntry& entry = clip.Placed();
  Transform2D& m = entry.placement.matrix;
  if (index == avm::kPropName) {
    entry.placement.name = value.ToString();
    return true;
  }
  const std::optional<double> accepted = value.ToPropertyNumber();
  if (!accepted || !std::isfinite(*accepted)) return false;
  const double number = *accepted;
  switch (index) {
    case avm::kPropX:
      m.tx = std::clamp(number, -kMaxCoordinate, kMaxCoordinate) * kTwipsPerPixel;
      break;
    case avm::kPropY:
      m.ty = std::clamp(number, -kMaxCoordinate, kMaxCoordinate) * kTwipsPerPixel;
      break;
    case avm::kPropXScale:
      Compose(m, number / 100, YScaleOf(m), RotationOf(m));
      break;
    case avm::kPropYScale:
      Compose(m, XScaleOf(m), number / 100, RotationOf(m));
      break;
    case avm::kPropRotation:
      Compose(m, XScaleOf(m), YScaleOf(m), number);
      break;
    case avm::kPropWidth:
    case avm::kPropHeight: {
      const TwipsRect box = ContentBounds(clip, context.movie.characters);
      const bool width = index == avm::kPropWidth;
      const double size = width ? box.xMax - box.xMin : box.yMax - box.yMin;
      if (!(size > 0)) return false;
      const double scale = std::max(0.0, number) * kTwipsPerPixel / size;
      Compose(m, width ? scale : XScaleOf(m), width ? YScaleOf(m) : scale, RotationOf(m));
      break;
    }
    case avm::kPropAlpha:
      entry.placement.colorTransform.alphaMult =
          static_cast<int32_t>(std::clamp(number, -32768.0, 32767.0) * 256 / 100);
      break;
    case avm::kPropVisible:
      entry.visible = number != 0;
      return true;
    default:
      return false;
  }
  entry.movedByScript = true;
  return true;
}

}  // namespace player
