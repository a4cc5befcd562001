#include "media/movie_export.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "media/export_format.h"
#include "media/frame_encoder.h"
#include "media/straight_alpha.h"
#include "player/frame_sequence.h"
#include "player/gif_writer.h"
#include "player/image.h"
#include "player/movie.h"
#include "player/player.h"
#include "player/renderer.h"
#include "swftk/units.h"

namespace media {
namespace {

// Longer exports are refused rather than left to run for hours.
constexpr uint32_t kMaxOutputFrames = 100000;
constexpr double kMaxFps = 120;
constexpr uint32_t kMaxLoops = 1000;
constexpr double kTwipsPerPixel = swftk::kTwipsPerPixel;
// A movie that stops at the range's end shows its last frame this long before the file ends,
// so that a page or a player looping the file lets the text rest before it starts again.
constexpr double kHoldSeconds = 1.0;

bool Refuse(const std::string& reason, std::string& error) {
  error = reason;
  return false;
}

bool OutputSize(const player::CKV_Movie& movie, const ExportOptions& options, ExportFormat format,
                int& width, int& height, std::string& error) {
  if (options.width < 0 || options.height < 0)
    return Refuse("a width or height must be a positive number of pixels", error);
  if (options.width == 0 && options.height == 0) {
    if (!player::StageImageSize(movie, options.scale, width, height, error)) return false;
  } else {
    const double stageWidth = (movie.stage.xMax - movie.stage.xMin) / kTwipsPerPixel;
    const double stageHeight = (movie.stage.yMax - movie.stage.yMin) / kTwipsPerPixel;
    if (!(stageWidth > 0) || !(stageHeight > 0)) return Refuse("the movie's stage is empty", error);
    const double w = options.width > 0 ? options.width : options.height * stageWidth / stageHeight;
    const double h = options.height > 0 ? options.height : options.width * stageHeight / stageWidth;
    if (w > player::CKV_Image::kMaxSide || h > player::CKV_Image::kMaxSide) {
      return Refuse("the output would be " + std::to_string(std::lround(w)) + " x " +
                        std::to_string(std::lround(h)) +
                        " pixels; sizes above 8192 x 8192 pixels are refused",
                    error);
    }
    width = std::max(1, static_cast<int>(std::lround(w)));
    height = std::max(1, static_cast<int>(std::lround(h)));
  }
  // Colour is stored at half resolution in these formats, so the sides must be even; the
  // stage is drawn at the rounded-up size rather than padded.
  if (format == ExportFormat::kMp4 || format == ExportFormat::kWebm) {
    width += width % 2;
    height += height % 2;
  }
  return true;
}

bool CheckOptions(const ExportOptions& options, ExportFormat format, std::string& error) {
  if (options.transparent && !HoldsAlpha(format)) {
    return Refuse(std::string(FormatName(format)) +
                      " cannot hold a transparent background; use .webm, .mov, .webp or .apng",
                  error);
  }
  if (!(options.fps >= 0) || options.fps > kMaxFps)
    return Refuse("the frame rate must lie above 0 and at most 120 frames per second", error);
  if (options.loops < 1 || options.loops > kMaxLoops)
    return Refuse("the number of passes must lie from 1 to 1000", error);
  if (options.quality < 1 || options.quality > 100)
    return Refuse("the quality must lie from 1 to 100", error);
  if (options.from < 1 || (options.to != 0 && options.to < options.from))
    return Refuse("frames count from 1, and the range may not end before it starts", error);
  return true;
}

// Plays the range pass after pass and draws the frame each output frame shows: frames of the
// movie are held or skipped to meet the output's rate.
class CKV_ExportPlayback {
 public:
  CKV_ExportPlayback(std::shared_ptr<const player::CKV_Movie> movie, uint32_t from,
                     uint32_t passLength, bool transparent)
      : movie_(std::move(movie)), from_(from), passLength_(passLength), transparent_(transparent) {}

  bool Prepare(int width, int height) {
    image_ = player::CKV_Image::Create(width, height);
    return image_ != nullptr;
  }

  // Draws the range's frame at index (counted over every pass) unless it is drawn already.
  const player::CKV_Image& FrameAt(uint32_t index) {
    if (index == drawn_) return *image_;
    const uint32_t offset = index % passLength_;
    if (!player_ || offset < shown_) {
      // A new pass plays the range again from the movie's start.
      player_ = std::make_unique<player::CKV_Player>(movie_);
      for (uint32_t frame = 1; frame < from_; ++frame) player_->Advance();
      shown_ = 0;
    }
    for (; shown_ < offset; ++shown_) player_->Advance();
    Draw();
    drawn_ = index;
    return *image_;
  }

 private:
  void Draw() {
    if (!transparent_) {
      player::RenderFrame(*player_, *image_);
      return;
    }
    // A new image is transparent; the letters are drawn over nothing.
    const int width = image_->Width();
    const int height = image_->Height();
    image_.reset();
    image_ = player::CKV_Image::Create(width, height);
    const player::TwipsRect& stage = movie_->stage;
    const double sx = width / static_cast<double>(stage.xMax - stage.xMin);
    const double sy = height / static_cast<double>(stage.yMax - stage.yMin);
    player::DrawDisplayList(*player_, *image_, {sx, 0, 0, sy, -stage.xMin * sx, -stage.yMin * sy});
  }

  std::shared_ptr<const player::CKV_Movie> movie_;
  std::unique_ptr<player::CKV_Player> player_;
  std::unique_ptr<player::CKV_Image> image_;
  uint32_t from_;
  uint32_t passLength_;
  bool transparent_;
  uint32_t shown_ = 0;
  uint32_t drawn_ = UINT32_MAX;
};

// The GIF writer draws the range twice (once to choose the palette), so it takes the frames
// itself; its progress counts both passes.
bool ExportGif(const std::shared_ptr<const player::CKV_Movie>& movie, const ExportOptions& options,
               int width, int height, uint32_t last, const ExportProgress& progress,
               std::string& error) {
  auto sequence =
      player::CKV_FrameSequence::Create(movie, width, height, options.from, last, error);
  return sequence && player::WriteAnimatedGif(*sequence, options.path, error, progress);
}

std::unique_ptr<CKV_FrameEncoder> CreateEncoder(const EncoderSetup& setup, std::string& error) {
  if (setup.format == ExportFormat::kWebp) return CreateWebpEncoder(setup, error);
  return CreateAvEncoder(setup, error);
}

// What one export makes: its size, rate and frames.
struct ExportPlan {
  int width = 0;
  int height = 0;
  double movieRate = 0;
  double fps = 0;
  uint32_t passLength = 0;
  uint32_t total = 0;
};

// Counts the output frames that hold every pass at the output's rate; false past the limit.
bool CountOutputFrames(const ExportOptions& options, ExportPlan& plan, std::string& error) {
  const double sourceFrames = static_cast<double>(plan.passLength) * options.loops;
  const double outputFrames = std::ceil(sourceFrames * plan.fps / plan.movieRate - 1e-9);
  if (outputFrames > kMaxOutputFrames) {
    return Refuse("the export would have " + std::to_string(std::llround(outputFrames)) +
                      " frames; at most 100000 are written",
                  error);
  }
  plan.total = static_cast<uint32_t>(outputFrames);
  return true;
}

bool PlanExport(const player::CKV_Movie& movie, const ExportOptions& options, ExportFormat format,
                ExportPlan& plan, std::string& error) {
  if (!CheckOptions(options, format, error)) return false;
  if (!OutputSize(movie, options, format, plan.width, plan.height, error)) return false;
  // A rate of 0 plays as fast as it can; twelve frames a second stand in for it.
  plan.movieRate = movie.frameRate > 0 ? movie.frameRate : 12;
  plan.fps = options.fps > 0 ? options.fps : plan.movieRate;
  const uint32_t last = options.to != 0 ? options.to : movie.timeline.FrameCount();
  if (last < options.from) return Refuse("the frame range is empty", error);
  plan.passLength = last - options.from + 1;
  return CountOutputFrames(options, plan, error);
}

}  // namespace

bool CheckExportOptions(const ExportOptions& options, std::string& error) {
  const std::optional<ExportFormat> format = ExportFormatOf(options.path);
  if (!format) {
    return Refuse("the file name's extension names no format that can be written; use " +
                      std::string(KnownExtensions()),
                  error);
  }
  return CheckOptions(options, *format, error);
}

bool ExportMovie(const std::shared_ptr<const player::CKV_Movie>& movie,
                 const ExportOptions& options, const ExportProgress& progress, std::string& error) {
  if (!CheckExportOptions(options, error)) return false;
  const std::optional<ExportFormat> format = ExportFormatOf(options.path);
  ExportPlan plan;
  if (!PlanExport(*movie, options, *format, plan, error)) return false;
  // Played past its stop, the movie shows the frame it stopped on: the hold is more frames.
  if (player::StopsBy(movie, options.from + plan.passLength - 1)) {
    plan.passLength += static_cast<uint32_t>(std::lround(plan.movieRate * kHoldSeconds));
    if (!CountOutputFrames(options, plan, error)) return false;
  }
  if (*format == ExportFormat::kGif) {
    if (std::abs(plan.fps - plan.movieRate) > 1e-9 || options.loops != 1)
      return Refuse("a GIF is written at the movie's own rate, in one pass", error);
    return ExportGif(movie, options, plan.width, plan.height, options.from + plan.passLength - 1,
                     progress, error);
  }
  CKV_ExportPlayback playback(movie, options.from, plan.passLength, options.transparent);
  if (!playback.Prepare(plan.width, plan.height))
    return Refuse("no memory for frames of this size", error);
  const EncoderSetup setup{*format,  options.path,        plan.width,     plan.height,
                           plan.fps, options.transparent, options.quality};
  std::unique_ptr<CKV_FrameEncoder> encoder = CreateEncoder(setup, error);
  if (!encoder) return false;
  std::vector<uint8_t> straight;
  const uint32_t sourceFrames = plan.passLength * options.loops;
  for (uint32_t frame = 0; frame < plan.total; ++frame) {
    const auto index =
        std::min(static_cast<uint32_t>(frame * plan.movieRate / plan.fps + 1e-9), sourceFrames - 1);
    const player::CKV_Image& drawn = playback.FrameAt(index);
    const bool added = options.transparent
                           ? (Unpremultiply(drawn, straight),
                              encoder->AddFrame(straight.data(), drawn.Width() * 4, error))
                           : encoder->AddFrame(drawn.Data(), drawn.Stride(), error);
    if (!added) return false;
    if (progress && !progress(frame + 1, plan.total))
      return Refuse("the export was stopped", error);
  }
  return encoder->Finish(error);
}

bool ExportSize(const player::CKV_Movie& movie, const ExportOptions& options, ExportFormat format,
                int& width, int& height, std::string& error) {
  ExportPlan plan;
  if (!PlanExport(movie, options, format, plan, error)) return false;
  width = plan.width;
  height = plan.height;
  return true;
}

bool ExportPoster(const std::shared_ptr<const player::CKV_Movie>& movie,
                  const ExportOptions& options, ExportFormat sizedAs, std::string& error) {
  ExportPlan plan;
  if (!PlanExport(*movie, options, sizedAs, plan, error)) return false;
  CKV_ExportPlayback playback(movie, options.from, plan.passLength, options.transparent);
  if (!playback.Prepare(plan.width, plan.height))
    return Refuse("no memory for frames of this size", error);
  return playback.FrameAt(plan.passLength - 1).WritePng(options.path, error);
}

}  // namespace media
