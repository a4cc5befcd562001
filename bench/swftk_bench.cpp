// Read and write throughput of the toolkit on a large shape-heavy movie built here: thousands
// of DefineShape3 tags with many styles and edges, sprites that place them, and a timeline
// that places the sprites; and reading of a script-heavy movie.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "swftk/actions.h"
#include "swftk/control_tags.h"
#include "swftk/define_shape.h"
#include "swftk/place_object.h"
#include "swftk/reader.h"
#include "swftk/sprite.h"
#include "swftk/writer.h"

namespace swftk {
namespace {

constexpr int kShapes = 2000;
constexpr int kFillStyles = 24;  // above 15, so style indices take the wider widths
constexpr int kLineStyles = 6;
constexpr int kEdgesPerShape = 1200;
constexpr int kEdgesPerStyleChange = 40;
constexpr int kSprites = 200;
constexpr int kPlacementsPerSprite = 10;
constexpr size_t kLeastMovieBytes = 10U << 20;

std::unique_ptr<CSwfColorAlpha> RandomColor(std::mt19937& random) {
  std::uniform_int_distribution<int> channel(0, 255);
  return std::make_unique<CSwfColorAlpha>(channel(random), channel(random), channel(random),
                                          channel(random));
}

std::unique_ptr<CSwfFillStyleArray> FillStyles(std::mt19937& random) {
  auto fills = std::make_unique<CSwfFillStyleArray>();
  fills->Init(1);
  for (int i = 0; i < kFillStyles; ++i) {
    auto fill = std::make_unique<CSwfFillStyle>();
    if (i % 8 == 7) {
      auto gradient = std::make_unique<CSwfGradient>();
      gradient->hasAlpha = 1;
      for (const uint8_t ratio : {0, 128, 255}) {
        auto stop = std::make_unique<CSwfGradientRecord>();
        stop->Init(ratio, RandomColor(random), 1);
        gradient->records.push_back(std::move(stop));
      }
      auto matrix = std::make_unique<CSwfMatrix>();
      matrix->Set(32768, 32768, 0, 0, 1000, 1000, CSwfMatrix::kHasScale);
      fill->SetGradient(CSwfFillStyle::kLinearGradient, std::move(matrix), std::move(gradient));
      fill->hasAlpha = 1;
    } else {
      fill->SetSolid(RandomColor(random), 1);
    }
    fills->styles.push_back(std::move(fill));
  }
  fills->count = kFillStyles;
  return fills;
}

std::unique_ptr<CSwfLineStyleArray> LineStyles(std::mt19937& random) {
  auto lines = std::make_unique<CSwfLineStyleArray>();
  lines->Init(1);
  for (int i = 0; i < kLineStyles; ++i) {
    auto line = std::make_unique<CSwfLineStyle>();
    line->Init(static_cast<uint16_t>(20 * (i + 1)), RandomColor(random), 1);
    lines->styles.push_back(std::move(line));
  }
  lines->count = kLineStyles;
  return lines;
}

std::unique_ptr<CSwfDefineShape> Shape(uint16_t id, std::mt19937& random) {
  auto define = std::make_unique<CSwfDefineShape>(tagcode::kDefineShape3);
  define->characterId = id;
  define->bounds = std::make_unique<CSwfRect>(-20000, 20000, -20000, 20000);
  CSwfShapeWithStyle& shape = *define->shape;
  shape.fillStyles = FillStyles(random);
  shape.lineStyles = LineStyles(random);
  shape.SetStyleBits(shape.fillStyles->IndexBits(), shape.lineStyles->IndexBits());
  std::uniform_int_distribution<int32_t> delta(-2000, 2000);
  std::uniform_int_distribution<uint16_t> fillIndex(1, kFillStyles);
  std::uniform_int_distribution<uint16_t> lineIndex(1, kLineStyles);
  for (int edge = 0; edge < kEdgesPerShape; ++edge) {
    if (edge % kEdgesPerStyleChange == 0) {
      auto change = std::make_unique<CSwfStyleChangeShapeRecord>();
      change->SetMoveTo(delta(random), delta(random), &shape);
      change->fillStyle0 = fillIndex(random);
      change->fillStyle1 = fillIndex(random);
      change->lineStyle = lineIndex(random);
      change->UpdateFlags();
      shape.records.push_back(std::move(change));
    }
    if (edge % 3 == 2) {
      auto curve = std::make_unique<CSwfCurvedEdgeShapeRecord>();
      curve->Init(delta(random), delta(random), delta(random), delta(random));
      shape.records.push_back(std::move(curve));
    } else {
      auto line = std::make_unique<CSwfStraightEdgeShapeRecord>();
      line->Init(delta(random), delta(random), CSwfStraightEdgeShapeRecord::kGeneral);
      shape.records.push_back(std::move(line));
    }
  }
  shape.records.push_back(std::make_unique<CSwfEndOfShapeRecord>());
  return define;
}

std::unique_ptr<CSwfPlaceObject2> Placement(uint16_t depth, uint16_t id, int32_t x, int32_t y) {
  auto place = std::make_unique<CSwfPlaceObject2>();
  place->depth = depth;
  place->characterId = id;
  place->matrix = std::make_unique<CSwfMatrix>();
  place->matrix->Set(65536, 65536, 0, 0, x, y, CSwfMatrix::kHasScale);
  return place;
}

// A sprite of one frame per placement, each placing one of the shapes.
std::unique_ptr<CSwfDefineSprite> Sprite(uint16_t id, std::mt19937& random) {
  auto sprite = std::make_unique<CSwfDefineSprite>(id, 0);
  std::uniform_int_distribution<uint16_t> shapeId(1, kShapes);
  for (int i = 0; i < kPlacementsPerSprite; ++i) {
    std::unique_ptr<CSwfTag> tag =
        Placement(static_cast<uint16_t>(i + 1), shapeId(random), 100 * i, 50 * i);
    sprite->AddTag(tag);
    tag = std::make_unique<CSwfShowFrame>();
    sprite->AddTag(tag);
  }
  std::unique_ptr<CSwfTag> end = std::make_unique<CSwfEnd>();
  sprite->AddTag(end);
  return sprite;
}

// The movie's bytes: the tags given, an End tag, an 800 x 600 stage.
std::vector<uint8_t> Finish(CSwfWriter& writer) {
  writer.AddTag(std::make_unique<CSwfEnd>());
  CSwfHeader header;
  header.Setup(800, 600, 24.0F, 0, 6);
  std::vector<uint8_t> movie;
  writer.Build(movie, &header);
  return movie;
}

std::vector<uint8_t> BuildLargeMovie() {
  std::mt19937 random(20240601);
  CSwfWriter writer;
  auto background = std::make_unique<CSwfSetBackgroundColor>();
  background->SetColor(255, 255, 255);
  writer.AddTag(std::move(background));
  for (int i = 1; i <= kShapes; ++i) writer.AddTag(Shape(static_cast<uint16_t>(i), random));
  for (int i = 1; i <= kSprites; ++i) {
    const auto id = static_cast<uint16_t>(kShapes + i);
    writer.AddTag(Sprite(id, random));
    writer.AddTag(Placement(static_cast<uint16_t>(i), id, 20 * i, 10 * i));
    writer.AddTag(std::make_unique<CSwfShowFrame>());
  }
  return Finish(writer);
}

const std::vector<uint8_t>& LargeMovie() {
  static const std::vector<uint8_t> movie = BuildLargeMovie();
  return movie;
}

void ReportSize(benchmark::State& state, size_t bytes) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
  state.counters["movie_MB"] = static_cast<double>(bytes) / (1 << 20);
}

// Each iteration reads the movie from its bytes into tags; copying the bytes in and freeing
// the tags are not part of reading.
void ReadEveryIteration(benchmark::State& state, const std::vector<uint8_t>& movie) {
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<uint8_t> copy = movie;
    CSwfReader reader;
    state.ResumeTiming();
    benchmark::DoNotOptimize(reader.OpenMovieBytes(std::move(copy)));
    benchmark::DoNotOptimize(reader.GetTags().size());
    state.PauseTiming();
    reader.Clear();
    state.ResumeTiming();
  }
  ReportSize(state, movie.size());
}

// The whole movie from bytes into tags.
void BM_ReadMovie(benchmark::State& state) {
  const std::vector<uint8_t>& movie = LargeMovie();
  if (movie.size() < kLeastMovieBytes) state.SkipWithError("the movie is smaller than 10 MB");
  ReadEveryIteration(state, movie);
}
BENCHMARK(BM_ReadMovie)->Unit(benchmark::kMillisecond);

// The tags of the movie back into bytes, as a rewrite does.
void BM_WriteMovie(benchmark::State& state) {
  const std::vector<uint8_t>& movie = LargeMovie();
  if (movie.size() < kLeastMovieBytes) state.SkipWithError("the movie is smaller than 10 MB");
  CSwfReader reader;
  reader.OpenMovieBytes(movie);
  size_t written = 0;
  for (auto _ : state) {
    const std::vector<uint8_t> out = RebuildMovie(reader);
    written = out.size();
    benchmark::DoNotOptimize(out.data());
  }
  if (written != movie.size()) state.SkipWithError("the rewrite differs in length");
  ReportSize(state, written);
}
BENCHMARK(BM_WriteMovie)->Unit(benchmark::kMillisecond);

// A frame script as compilers write them: pushes of one and of several values, variable and
// arithmetic actions, jumps and calls.
std::unique_ptr<CSwfDoAction> Script(std::mt19937& random) {
  auto script = std::make_unique<CSwfDoAction>();
  std::uniform_int_distribution<int> pick(0, 7);
  for (int i = 0; i < 200; ++i) {
    switch (pick(random)) {
      case 0:
        script->AddAction(std::make_unique<CSwfActionPush>("counter" + std::to_string(i)));
        break;
      case 1:
        script->AddAction(std::make_unique<CSwfActionEval>());
        break;
      case 2:
        script->AddAction(std::make_unique<CSwfActionSetVariable>());
        break;
      case 3:  // a push of a string and a number
        script->AddAction(std::make_unique<CSwfActionUnknown>(
            actioncode::kPush, std::vector<uint8_t>{0, 'x', 0, 1, 0, 0, 0x80, 0x3F}));
        break;
      case 4:  // Add
        script->AddAction(std::make_unique<CSwfActionUnknown>(0x0A));
        break;
      case 5:  // If, 12 bytes on
        script->AddAction(std::make_unique<CSwfActionUnknown>(0x9D, std::vector<uint8_t>{12, 0}));
        break;
      case 6:
        script->AddAction(std::make_unique<CSwfActionGotoFrame>(static_cast<uint16_t>(i)));
        break;
      default:
        script->AddAction(std::make_unique<CSwfActionGetUrl2>(1));
        break;
    }
  }
  return script;
}

std::vector<uint8_t> BuildScriptMovie() {
  std::mt19937 random(20240602);
  CSwfWriter writer;
  for (int frame = 0; frame < 8000; ++frame) {
    writer.AddTag(Script(random));
    writer.AddTag(std::make_unique<CSwfShowFrame>());
  }
  return Finish(writer);
}

// Every action record of a script-heavy movie decoded.
void BM_ReadScripts(benchmark::State& state) {
  static const std::vector<uint8_t> movie = BuildScriptMovie();
  ReadEveryIteration(state, movie);
}
BENCHMARK(BM_ReadScripts)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace swftk
