#include "engine/zarn_helper.h"

#include <cmath>
#include <memory>
#include <vector>

#include "engine/movie_build.h"
#include "engine/template_analysis.h"
#include "engine/text_layout.h"
#include "engine/timeline.h"
#include "swftk/control_tags.h"
#include "swftk/reader.h"
#include "swftk/replace_file.h"
#include "swftk/units.h"
#include "swftk/writer.h"

namespace engine {
namespace {

constexpr const char* kInvalidEntry = "Invalid Entry";
constexpr const char* kMustBePositive = "It must be greater than zero.";
constexpr uint8_t kPlainVersion = 3;
constexpr uint8_t kEditTextVersion = 4;
// Why the writer gives no movie: a record longer than its length field holds.
constexpr const char* kUnwritableRecord = "a record of the movie is too long for its length field";

std::shared_ptr<const glyphs::CKV_GlyphSource> CreateMeasuringFont(const MovieRequest& request) {
  if (request.window == nullptr) return nullptr;
  glyphs::FontRequest font = request.logFont;
  font.lfHeight = swftk::kGlyphCellUnits;
  return request.window->CreateFont(font);
}

}  // namespace

bool CZarnHelper::CheckRequest(const MovieRequest& request) const {
  const auto fail = [this](const char* caption, const char* text, const char* detail) {
    ShowCaptionedError(sink_, caption, text, detail);
    return false;
  };
  if (request.movieWidth <= 0)
    return fail(kInvalidEntry, "Please re-enter the movie width.", kMustBePositive);
  if (request.movieHeight <= 0)
    return fail(kInvalidEntry, "Please re-enter the movie height", kMustBePositive);
  if (!(request.frameRate > 0.0F))
    return fail(kInvalidEntry, "Please re-enter the frame rate", "It must be greater than zero");
  if (request.text.empty()) return fail(kInvalidEntry, "Please enter some text.", "");
  if (request.frameDelay <= 0) {
    return fail(kInvalidEntry, "Please re-enter the frame delay",
                "It must be greater than or equal to one.");
  }
  if (request.effectPath.empty()) return fail("No effect selected", "Please select an effect", "");
  if (request.text.size() > kMaxTextLength) {
    const std::string detail =
        "It must be at most " + std::to_string(kMaxTextLength) + " characters long.";
    return fail(kInvalidEntry, "Please re-enter the text", detail.c_str());
  }
  if (request.fontSizeTenths <= 0)
    return fail(kInvalidEntry, "Please re-enter the font size", kMustBePositive);
  return true;
}

bool CZarnHelper::GenerateMovie(const MovieRequest& request) {
  if (!CheckRequest(request)) return false;
  EffectTemplate effect;
  if (!AnalyseTemplate(request, effect, sink_)) return false;

  GlyphLayout layout;
  BuildGlyphSet(request.text, request.embedGlyphs, layout);
  const std::shared_ptr<const glyphs::CKV_GlyphSource> font = CreateMeasuringFont(request);
  if (!font) {
    ShowError(sink_, "Encountered a problem creating the font: " + request.logFont.GetFaceName());
    return false;
  }
  MeasureGlyphs(*font, request.fontSizeTenths, layout);

  swftk::CSwfHeader header;
  header.Setup(request.movieWidth, request.movieHeight, request.frameRate, 0,
               request.editTextMode ? kEditTextVersion : kPlainVersion);
  swftk::CSwfWriter writer;
  if (request.protect) writer.AddTag(std::make_unique<swftk::CSwfProtect>());
  auto background = std::make_unique<swftk::CSwfSetBackgroundColor>();
  background->SetColor(RedOf(request.backgroundColor), GreenOf(request.backgroundColor),
                       BlueOf(request.backgroundColor));
  writer.AddTag(std::move(background));

  MovieBuild build(request, effect, layout, writer);
  if (!MakeOutputCharacters(build, sink_)) return false;
  PlaceLetters(request.text, request.originX, request.originY, request.letterSpace,
               request.lineSpace, request.fontSizeTenths, layout);
  if (!AssembleTimeline(build, sink_)) return false;

  std::vector<uint8_t> movie;
  writer.Build(movie, &header);
  return WriteMovie(request.outputPath, movie);
}

bool CZarnHelper::WriteMovie(const std::string& path, const std::vector<uint8_t>& bytes) const {
  std::string reason = kUnwritableRecord;
  if (!bytes.empty() && swftk::ReplaceFile(path, bytes, reason, sync_)) return true;
  ShowCaptionedError(sink_, kErrorCaption, "Encountered an error while writing to file: " + path,
                     reason);
  return false;
}

bool CZarnHelper::ResizeMovieFile(const std::string& sourcePath, const std::string& destinationPath,
                                  int width, int height, float frameRate) {
  swftk::CSwfReader reader;
  // A source that cannot be read would make a movie of nothing but a header.
  if (const int opened = reader.Open(sourcePath, true, true);
      opened != 0 || reader.TooManyObjects()) {
    const swftk::OpenResult why = opened == 1   ? swftk::OpenResult::kCannotOpen
                                  : opened == 2 ? swftk::OpenResult::kBadSignature
                                                : swftk::OpenResult::kTooManyObjects;
    ShowCaptionedError(sink_, kErrorCaption, "File Error",
                       sourcePath + ": " + swftk::DescribeOpenResult(why));
    return false;
  }
  swftk::CSwfHeader& header = reader.GetHeader();
  header.frameRect.xMax = width * swftk::kTwipsPerPixel;
  header.frameRect.yMax = height * swftk::kTwipsPerPixel;
  header.SetFrameRate(frameRate);
  swftk::CSwfWriter writer;
  reader.CopyTagsTo(writer);
  std::vector<uint8_t> movie;
  writer.Build(movie, &header);
  std::string reason = kUnwritableRecord;
  if (!movie.empty() && swftk::ReplaceFile(destinationPath, movie, reason, sync_)) return true;
  ShowCaptionedError(sink_, kErrorCaption, "File Error", destinationPath + ": " + reason);
  return false;
}

}  // namespace engine
