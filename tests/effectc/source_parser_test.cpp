#include <gtest/gtest.h>

#include "effectc/source_parser.h"

namespace effectc {
namespace {

std::string ParseError(const std::string& text) {
  SourceDocument document;
  std::string error;
  EXPECT_FALSE(ParseSource(text, document, error)) << text;
  return error;
}

// An effect with the given layers (and anything else) after its name, version and frames.
std::string Effect(const std::string& rest) {
  return R"({"name": "Test", "version": 4, "frames": 10, )" + rest + "}";
}

TEST(SourceParser, ReadsAnEffect) {
  const std::string text = R"({
    // Comments are allowed.
    "name": "Drop", "version": 3, "frames": 12, "embedGlyphs": "0123",
    "description": "not kept",
    "layers": [
      { "type": "letter",
        "keys": [ { "frame": 1, "y": -40, "scale": 50, "multiply": [0, 50, 100] },
                  { "frame": 12, "y": 0, "add": [10, -20, 255], "ease": "bounceOut" } ] }
    ]
  })";
  SourceDocument document;
  std::string error;
  ASSERT_TRUE(ParseSource(text, document, error)) << error;
  const auto& effect = std::get<EffectSource>(document);
  EXPECT_EQ(effect.name, "Drop");
  EXPECT_EQ(effect.version, 3);
  EXPECT_EQ(effect.embedGlyphs, "0123");
  EXPECT_EQ(effect.clip.frames, 12);
  EXPECT_FALSE(effect.clip.loop);
  ASSERT_EQ(effect.clip.layers.size(), 1U);
  const Layer& letter = effect.clip.layers[0];
  EXPECT_EQ(letter.kind, Layer::Kind::kLetter);
  EXPECT_EQ(letter.name, "letter");
  EXPECT_EQ(letter.origin, "layers[0]");
  ASSERT_EQ(letter.keys.size(), 2U);
  const auto value = [&letter](size_t key, Property property) {
    return letter.keys[key].values[static_cast<size_t>(property)];
  };
  EXPECT_EQ(value(0, Property::kY), -40);
  EXPECT_EQ(value(0, Property::kScaleX), 50);
  EXPECT_EQ(value(0, Property::kScaleY), 50);
  EXPECT_EQ(value(0, Property::kMultiplyGreen), 50);
  EXPECT_FALSE(value(0, Property::kX));
  EXPECT_EQ(value(1, Property::kAddGreen), -20);
  EXPECT_EQ(letter.keys[0].ease, Easing::kLinear);
  EXPECT_EQ(letter.keys[1].ease, Easing::kBounceOut);
}

TEST(SourceParser, ReadsShapesButtonsAndScripts) {
  const std::string text = R"({
    "kind": "movie", "width": 300, "height": 100, "frameRate": 15, "background": "#102030",
    "clip": { "name": "cross", "x": 5, "y": 6, "frames": 2, "loop": true,
      "layers": [
        { "type": "shape", "draw": [
            { "rect": { "x": 0, "y": 0, "width": 10, "height": 4 },
              "fill": { "linear": [ { "at": 0, "color": "#FF0000" }, "#0000FF80" ], "angle": 90 },
              "stroke": { "width": 2, "color": "#00FF00" } },
            { "line": { "x1": 0, "y1": 0, "x2": 5, "y2": 5 }, "stroke": { "width": 1, "color": "#000000" } } ] },
        { "type": "button", "name": "b",
          "draw": [ { "ellipse": { "cx": 0, "cy": 0, "rx": 3 }, "fill": "#FFFFFF" } ],
          "on": { "press": [ "stop" ], "release": [ "play" ] } }
      ],
      "actions": [ { "frame": 2, "code": [ "stop" ] } ] } })";
  SourceDocument document;
  std::string error;
  ASSERT_TRUE(ParseSource(text, document, error)) << error;
  const auto& movie = std::get<MovieSource>(document);
  EXPECT_EQ(movie.width, 300);
  EXPECT_EQ(movie.frameRate, 15);
  EXPECT_EQ(movie.background, (Rgba{0x10, 0x20, 0x30, 255}));
  EXPECT_EQ(movie.clipName, "cross");
  EXPECT_EQ(movie.clipPosition.y, 6);
  EXPECT_TRUE(movie.clip.loop);
  ASSERT_EQ(movie.clip.layers.size(), 2U);
  const Figure& rect = movie.clip.layers[0].drawing[0];
  EXPECT_EQ(rect.fill.kind, Paint::Kind::kLinear);
  ASSERT_EQ(rect.fill.stops.size(), 2U);
  EXPECT_EQ(rect.fill.stops[1].ratio, 255);
  EXPECT_EQ(rect.fill.stops[1].color, (Rgba{0, 0, 255, 0x80}));
  EXPECT_EQ(rect.fill.angle, 90);
  EXPECT_EQ(rect.stroke->width, 2);
  EXPECT_EQ(rect.contours[0].segments.size(), 4U);
  const Layer& button = movie.clip.layers[1];
  ASSERT_EQ(button.handlers.size(), 2U);
  EXPECT_EQ(button.handlers[1].event, ButtonEvent::kRelease);
  EXPECT_EQ(button.handlers[1].script.origin, "clip.layers[1].on.release");
  ASSERT_EQ(movie.clip.scripts.size(), 1U);
  EXPECT_EQ(movie.clip.scripts[0].script.origin, "clip.actions[0].code");
}

TEST(SourceParser, FaultsNameThePlace) {
  struct Case {
    std::string text;
    std::string error;
  };
  const Case cases[] = {
      {R"({"name": "x",)",
       "parse error at line 1, column 14: syntax error while parsing object "
       "key - unexpected end of input; expected string literal"},
      {"[]", "expected an object in braces"},
      {R"({"version": 3, "frames": 1, "layers": [{"type": "letter"}]})", "name: is missing"},
      {R"({"kind": "film"})", "kind: expected \"effect\" or \"movie\""},
      {Effect(R"("layers": [], "colour": 1)"), "layers: a clip needs at least one layer"},
      {Effect(R"("layers": [{"type": "letter"}], "colour": 1)"),
       "colour: is not a known name here"},
      {R"({"name": "x", "version": 5, "frames": 1, "layers": []})",
       "version: must lie between 3 and 4"},
      {R"({"name": "x", "version": 3, "frames": 2.5, "layers": []})",
       "frames: expected a whole number"},
      {R"({"name": "", "version": 3, "frames": 1, "layers": [{"type": "letter"}]})",
       "name: expected 1 to 60 printable ASCII characters"},
      {Effect(R"("layers": [{"type": "letter", "keys": [{"frame": 11}]}])"),
       "layers[0].keys[0].frame: must lie between 1 and 10"},
      {Effect(R"("layers": [{"type": "letter", "keys": [{"frame": 2}, {"frame": 2}]}])"),
       "layers[0].keys[1]: keyframes follow each other in frame order"},
      {Effect(R"("layers": [{"type": "letter", "keys": [{"frame": 1, "ease": "bounce"}]}])"),
       "layers[0].keys[0].ease: \"bounce\" is not one of linear, easeIn, easeOut, easeInOut, "
       "backIn, backOut, backInOut, elasticIn, elasticOut, elasticInOut, bounceIn, bounceOut, "
       "bounceInOut, hold"},
      {Effect(R"("layers": [{"type": "letter", "keys": [{"frame": 1, "alpha": 101}]}])"),
       "layers[0].keys[0].alpha: must lie between 0 and 100"},
      {Effect(R"("layers": [{"type": "letter", "keys": [{"frame": 1, "scale": 2, "scaleX": 1}]}])"),
       "layers[0].keys[0].scale: sets both scales: leave out scaleX and scaleY"},
      {Effect(R"("layers": [{"type": "letter", "keys": [{"frame": 1, "add": [1, 2]}]}])"),
       "layers[0].keys[0].add: expected three numbers: [red, green, blue]"},
      {Effect(R"("layers": [{"type": "sprite"}])"),
       "layers[0].type: expected \"letter\", \"shape\" or \"button\""},
      {Effect(R"("layers": [{"type": "letter", "name": "a/b"}])"),
       "layers[0].name: names hold letters, digits and underscores"},
      {Effect(R"("layers": [{"type": "letter"}, {"type": "letter"}])"),
       "layers[1].name: \"letter\" names an earlier layer already"},
      {Effect(R"("layers": [{"type": "shape", "name": "letter", "draw": []}])"),
       "layers[0].name: \"letter\" names the letter layer"},
      {Effect(R"("layers": [{"type": "shape"}])"), "layers[0].draw: is missing"},
      {Effect(R"("layers": [{"type": "shape", "draw": [{"rect": {"x": 0, "y": 0, "width": 1,
          "height": 1}}]}])"),
       "layers[0].draw[0]: a figure needs a fill, a stroke or both"},
      {Effect(R"("layers": [{"type": "shape", "draw": [{"rect": {"x": 0, "y": 0, "width": 1},
          "fill": "#000000"}]}])"),
       "layers[0].draw[0].rect.height: is missing"},
      {Effect(R"("layers": [{"type": "shape", "draw": [{"ellipse": {"cx": 0, "cy": 0, "rx": 1},
          "star": {}, "fill": "#000000"}]}])"),
       "layers[0].draw[0].star: a figure draws one primitive"},
      {Effect(R"("layers": [{"type": "shape", "draw": [{"ellipse": {"cx": 0, "cy": 0, "rx": 1},
          "fill": "#00000"}]}])"),
       "layers[0].draw[0].fill: expected a colour as #RRGGBB or #RRGGBBAA"},
      {Effect(R"("layers": [{"type": "shape", "draw": [{"line": {"x1": 0, "y1": 0, "x2": 1,
          "y2": 1}, "fill": "#000000"}]}])"),
       "layers[0].draw[0].fill: a line has no inside to fill"},
      {Effect(R"("layers": [{"type": "shape", "draw": [{"polygon": {"points": [[0, 0], [1, 1]]},
          "fill": "#000000"}]}])"),
       "layers[0].draw[0].polygon.points: a polygon needs at least three points"},
      {Effect(R"("layers": [{"type": "shape", "draw": [{"rect": {"x": 0, "y": 0, "width": 1,
          "height": 1}, "fill": {"radial": ["#000000"]}}]}])"),
       "layers[0].draw[0].fill.radial: a gradient has from 2 to 8 stops"},
      {Effect(R"("layers": [{"type": "button", "draw": [{"ellipse": {"cx": 0, "cy": 0, "rx": 1},
          "fill": "#000000"}], "on": {"click": []}}])"),
       "layers[0].on.click: is not a known name here"},
      {Effect(R"("layers": [{"type": "letter"}], "actions": [{"frame": 1, "code": "stop"}])"),
       "actions[0].code: expected an array of instruction lines"},
      {Effect(R"("layers": [{"type": "letter"}], "embedGlyphs": "\u00e9")"),
       "embedGlyphs: expected up to 254 printable ASCII characters"},
      {R"({"kind": "movie", "width": 10, "height": 10, "frameRate": 12,
          "clip": {"name": "c", "frames": 1, "layers": [], "x": 1}, "depth": 1})",
       "clip.layers: a clip needs at least one layer"},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseError(c.text), c.error) << c.text;
}

}  // namespace
}  // namespace effectc
