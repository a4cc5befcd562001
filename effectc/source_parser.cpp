#include "effectc/source_parser.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "effectc/figure_parser.h"
#include "effectc/json_fields.h"
#include "effectc/text_rules.h"

namespace effectc {
namespace {

using nlohmann::json;

constexpr double kMaxOffset = 10000;
constexpr double kMaxScale = 10000;
constexpr double kMaxAngle = 36000;
constexpr double kMaxMultiply = 1000;
constexpr double kMaxAdd = 255;

// The keyframe members of single properties.
struct PropertyName {
  std::string_view name;
  Property property;
  double min;
  double max;
};

constexpr std::array<PropertyName, 8> kSingleProperties{{
    {"x", Property::kX, -kMaxOffset, kMaxOffset},
    {"y", Property::kY, -kMaxOffset, kMaxOffset},
    {"scaleX", Property::kScaleX, -kMaxScale, kMaxScale},
    {"scaleY", Property::kScaleY, -kMaxScale, kMaxScale},
    {"rotation", Property::kRotation, -kMaxAngle, kMaxAngle},
    {"skewX", Property::kSkewX, -kMaxAngle, kMaxAngle},
    {"skewY", Property::kSkewY, -kMaxAngle, kMaxAngle},
    {"alpha", Property::kAlpha, 0, 100},
}};

struct EventName {
  std::string_view name;
  ButtonEvent event;
};

constexpr std::array<EventName, 7> kEvents{{
    {"rollOver", ButtonEvent::kRollOver},
    {"rollOut", ButtonEvent::kRollOut},
    {"press", ButtonEvent::kPress},
    {"release", ButtonEvent::kRelease},
    {"dragOut", ButtonEvent::kDragOut},
    {"dragOver", ButtonEvent::kDragOver},
    {"releaseOutside", ButtonEvent::kReleaseOutside},
}};

void Set(Keyframe& key, Property property, double value) {
  key.values[static_cast<size_t>(property)] = value;
}

// Instance names are used in target paths, so they keep to letters, digits and underscores.
bool IsInstanceName(std::string_view name) {
  if (name.empty() || std::isdigit(static_cast<unsigned char>(name[0])) != 0) return false;
  for (const char c : name) {
    if (std::isalnum(static_cast<unsigned char>(c)) == 0 && c != '_') return false;
  }
  return true;
}

// Three numbers in brackets, for the red, green and blue colour terms.
bool ColorTerms(JsonFields& fields, std::string_view member, Keyframe& keyframe, Property first,
                double min, double max) {
  const json* terms = fields.Get(member);
  if (terms == nullptr) return true;
  if (!terms->is_array() || terms->size() != 3)
    return fields.Fail(member, "expected three numbers: [red, green, blue]");
  for (size_t i = 0; i < 3; ++i) {
    if (!(*terms)[i].is_number() || (*terms)[i].get<double>() < min ||
        (*terms)[i].get<double>() > max) {
      return fields.Fail(member, "expected three numbers between " + FormatNumber(min) + " and " +
                                     FormatNumber(max));
    }
    Set(keyframe, static_cast<Property>(static_cast<size_t>(first) + i), (*terms)[i].get<double>());
  }
  return true;
}

bool ParseKeyframe(const json& object, const std::string& where, int frames, SourceFault& fault,
                   Keyframe& key) {
  JsonFields fields(object, where, fault);
  if (!fields.Integer("frame", key.frame, 1, frames, true)) return false;
  for (const PropertyName& entry : kSingleProperties) {
    double value = 0;
    if (!fields.Number(entry.name, value, entry.min, entry.max)) return false;
    if (fields.Has(entry.name)) Set(key, entry.property, value);
  }
  if (fields.Has("scale")) {
    if (fields.Has("scaleX") || fields.Has("scaleY"))
      return fields.Fail("scale", "sets both scales: leave out scaleX and scaleY");
    double scale = 0;
    if (!fields.Number("scale", scale, -kMaxScale, kMaxScale)) return false;
    Set(key, Property::kScaleX, scale);
    Set(key, Property::kScaleY, scale);
  }
  if (!ColorTerms(fields, "multiply", key, Property::kMultiplyRed, -kMaxMultiply, kMaxMultiply) ||
      !ColorTerms(fields, "add", key, Property::kAddRed, -kMaxAdd, kMaxAdd))
    return false;
  std::string ease = "linear";
  if (!fields.String("ease", ease)) return false;
  const std::optional<Easing> easing = EasingNamed(ease);
  if (!easing) return fields.Fail("ease", "\"" + ease + "\" is not one of " + EasingNames());
  key.ease = *easing;
  return fields.CheckAllRead();
}

bool ParseKeys(JsonFields& layer, int frames, std::vector<Keyframe>& keys) {
  const json* array = layer.Array("keys");
  if (array == nullptr) return !layer.Fault().Failed();
  for (size_t i = 0; i < array->size(); ++i) {
    const std::string where = ElementWhere(layer.Where("keys"), i);
    Keyframe key;
    if (!ParseKeyframe((*array)[i], where, frames, layer.Fault(), key)) return false;
    if (!keys.empty() && key.frame <= keys.back().frame)
      return layer.Fault().Report(where, "keyframes follow each other in frame order");
    keys.push_back(key);
  }
  return true;
}

bool ParseScript(const json& lines, const std::string& where, SourceFault& fault, Script& script) {
  if (!lines.is_array()) return fault.Report(where, "expected an array of instruction lines");
  script.origin = where;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (!lines[i].is_string())
      return fault.Report(ElementWhere(where, i), "expected an instruction in double quotes");
    script.lines.push_back(lines[i].get<std::string>());
  }
  return true;
}

bool ParseHandlers(JsonFields& layer, std::vector<ButtonHandler>& handlers) {
  const json* on = layer.Get("on");
  if (on == nullptr) return true;
  JsonFields fields(*on, layer.Where("on"), layer.Fault());
  for (const EventName& entry : kEvents) {
    const json* lines = fields.Get(entry.name);
    if (lines == nullptr) continue;
    ButtonHandler handler{entry.event, {}};
    if (!ParseScript(*lines, fields.Where(entry.name), fields.Fault(), handler.script))
      return false;
    handlers.push_back(std::move(handler));
  }
  return fields.CheckAllRead();
}

bool ParseDrawingMember(JsonFields& fields, std::string_view key, bool required,
                        std::vector<Figure>& out) {
  const json* drawing = fields.Get(key);
  if (drawing == nullptr) return !required || fields.Fail(key, "is missing");
  return ParseDrawing(*drawing, fields.Where(key), fields.Fault(), out);
}

bool ParseLayerKind(JsonFields& fields, Layer::Kind& kind) {
  std::string type;
  if (!fields.String("type", type, true)) return false;
  if (type == "letter") {
    kind = Layer::Kind::kLetter;
  } else if (type == "shape") {
    kind = Layer::Kind::kShape;
  } else if (type == "button") {
    kind = Layer::Kind::kButton;
  } else {
    return fields.Fail("type", "expected \"letter\", \"shape\" or \"button\"");
  }
  return true;
}

bool ParseLayer(const json& object, const std::string& where, int frames, SourceFault& fault,
                Layer& layer) {
  JsonFields fields(object, where, fault);
  layer.origin = where;
  if (!ParseLayerKind(fields, layer.kind) || !fields.String("name", layer.name)) return false;
  if (fields.Has("name") && !IsInstanceName(layer.name))
    return fields.Fail("name", "names hold letters, digits and underscores");
  if (layer.kind == Layer::Kind::kLetter) {
    if (!fields.Has("name")) layer.name = "letter";
  } else {
    if (layer.name == "letter") return fields.Fail("name", "\"letter\" names the letter layer");
    if (!ParseDrawingMember(fields, "draw", true, layer.drawing)) return false;
  }
  if (layer.kind == Layer::Kind::kButton) {
    if (!ParseDrawingMember(fields, "hit", false, layer.hitArea) ||
        !ParseHandlers(fields, layer.handlers))
      return false;
  }
  return ParseKeys(fields, frames, layer.keys) && fields.CheckAllRead();
}

// Scripts reach layers by name, so two layers never share one.
bool CheckNamesDiffer(const std::vector<Layer>& layers, SourceFault& fault) {
  for (size_t i = 0; i < layers.size(); ++i) {
    for (size_t j = 0; j < i; ++j) {
      if (!layers[i].name.empty() && layers[i].name == layers[j].name)
        return fault.Report(layers[i].origin + ".name",
                            "\"" + layers[i].name + "\" names an earlier layer already");
    }
  }
  return true;
}

bool ParseActions(JsonFields& clip, int frames, std::vector<FrameScript>& scripts) {
  const json* array = clip.Array("actions");
  if (array == nullptr) return !clip.Fault().Failed();
  for (size_t i = 0; i < array->size(); ++i) {
    JsonFields fields((*array)[i], ElementWhere(clip.Where("actions"), i), clip.Fault());
    FrameScript script;
    const json* code = fields.Get("code");
    if (!fields.Integer("frame", script.frame, 1, frames, true)) return false;
    if (code == nullptr) return fields.Fail("code", "is missing");
    if (!ParseScript(*code, fields.Where("code"), clip.Fault(), script.script) ||
        !fields.CheckAllRead())
      return false;
    scripts.push_back(std::move(script));
  }
  return true;
}

// The members a clip is made of: frames, loop, layers and actions.
bool ParseClip(JsonFields& fields, ClipSource& clip) {
  if (!fields.Integer("frames", clip.frames, 1, kMaxClipFrames, true) ||
      !fields.Bool("loop", clip.loop))
    return false;
  const json* layers = fields.Array("layers", true);
  if (layers == nullptr) return false;
  if (layers->empty()) return fields.Fail("layers", "a clip needs at least one layer");
  // Every layer is placed in every frame it changes: their number bounds the clip's size.
  if (layers->size() > kMaxClipLayers)
    return fields.Fail("layers",
                       "a clip has at most " + std::to_string(kMaxClipLayers) + " layers");
  for (size_t i = 0; i < layers->size(); ++i) {
    Layer layer;
    if (!ParseLayer((*layers)[i], ElementWhere(fields.Where("layers"), i), clip.frames,
                    fields.Fault(), layer))
      return false;
    clip.layers.push_back(std::move(layer));
  }
  return CheckNamesDiffer(clip.layers, fields.Fault()) &&
         ParseActions(fields, clip.frames, clip.scripts);
}

bool ParseEffect(JsonFields& fields, EffectSource& effect) {
  std::string description;
  if (!fields.String("name", effect.name, true) ||
      !fields.Integer("version", effect.version, 3, 4, true) ||
      !fields.String("embedGlyphs", effect.embedGlyphs) ||
      !fields.Integer("instances", effect.instances, 1, 9) ||
      !fields.String("description", description))
    return false;
  if (effect.name.empty() || effect.name.size() > kMaxEffectNameLength || !IsPlainText(effect.name))
    return fields.Fail("name", "expected 1 to 60 printable ASCII characters");
  if (effect.embedGlyphs.size() > kMaxEmbedGlyphsLength || !IsPlainText(effect.embedGlyphs))
    return fields.Fail("embedGlyphs", "expected up to 254 printable ASCII characters");
  return ParseClip(fields, effect.clip);
}

bool ParseMovie(JsonFields& fields, MovieSource& movie) {
  std::string background = "#FFFFFF";
  if (!fields.Integer("width", movie.width, 1, 2999, true) ||
      !fields.Integer("height", movie.height, 1, 2999, true) ||
      !fields.Number("frameRate", movie.frameRate, 1, 99.99, true) ||
      !fields.String("background", background))
    return false;
  const std::optional<Rgba> color = ParseColor(background);
  if (!color) return fields.Fail("background", "expected a colour as #RRGGBB");
  movie.background = *color;
  const json* clip = fields.Get("clip");
  if (clip == nullptr) return fields.Fail("clip", "is missing");
  JsonFields clipFields(*clip, fields.Where("clip"), fields.Fault());
  if (!clipFields.String("name", movie.clipName, true) ||
      !clipFields.Number("x", movie.clipPosition.x, -kMaxOffset, kMaxOffset) ||
      !clipFields.Number("y", movie.clipPosition.y, -kMaxOffset, kMaxOffset))
    return false;
  if (!IsInstanceName(movie.clipName))
    return clipFields.Fail("name", "names hold letters, digits and underscores");
  return ParseClip(clipFields, movie.clip) && clipFields.CheckAllRead();
}

// The library's own document builder, made to keep its first fault and where it stood instead of
// throwing it: a number beyond the range of a double is a fault with a place like any other.
class DocumentBuilder : public nlohmann::detail::json_sax_dom_parser<json> {
 public:
  explicit DocumentBuilder(json& root) : json_sax_dom_parser(root, false) {}

  template <class Exception>
  bool parse_error(std::size_t offset, const std::string& token, const Exception& fault) {
    faultOffset = offset;
    faultToken = token;
    faultText = fault.what();
    return json_sax_dom_parser::parse_error(offset, token, fault);
  }

  std::size_t faultOffset = 0;
  std::string faultToken;
  std::string faultText;
};

// "parse error at line 3, column 5: ..." as the library words it, without its prefix; a number
// out of range gets the same form.
std::string FaultMessage(const DocumentBuilder& builder, std::string_view text) {
  const size_t start = builder.faultText.find("parse error");
  if (start != std::string::npos) return builder.faultText.substr(start);
  const size_t end = std::min(builder.faultOffset, text.size());
  const size_t tokenStart = end - std::min(builder.faultToken.size(), end);
  const std::string_view before = text.substr(0, tokenStart);
  const size_t line = 1 + static_cast<size_t>(std::count(before.begin(), before.end(), '\n'));
  const size_t lineStart = before.rfind('\n');
  const size_t column = tokenStart - (lineStart == std::string_view::npos ? 0 : lineStart + 1) + 1;
  return "number out of range at line " + std::to_string(line) + ", column " +
         std::to_string(column) + ": " + builder.faultToken + " is beyond what a double holds";
}

}  // namespace

bool ParseSource(std::string_view text, SourceDocument& out, std::string& error) {
  json document;
  DocumentBuilder builder(document);
  if (!json::sax_parse(text, &builder, json::input_format_t::json, true, true)) {
    error = FaultMessage(builder, text);
    return false;
  }
  SourceFault fault;
  JsonFields fields(document, "", fault);
  std::string kind = "effect";
  if (fields.String("kind", kind)) {
    if (kind == "effect") {
      out = EffectSource{};
      ParseEffect(fields, std::get<EffectSource>(out));
    } else if (kind == "movie") {
      out = MovieSource{};
      ParseMovie(fields, std::get<MovieSource>(out));
    } else {
      fields.Fail("kind", "expected \"effect\" or \"movie\"");
    }
  }
  if (!fault.Failed()) fields.CheckAllRead();
  error = fault.message;
  return !fault.Failed();
}

}  // namespace effectc
