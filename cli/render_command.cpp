#include "cli/render_command.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <vector>

#include "cli/export_command.h"
#include "cli/output_checks.h"
#include "cli/render_limits.h"
#include "player/contact_sheet.h"
#include "player/frame_sequence.h"
#include "player/gif_writer.h"
#include "player/movie_loader.h"
#include "player/player.h"
#include "player/renderer.h"

namespace zarn::cli {
namespace {

// Playing a movie this far takes a while; further is refused rather than left to run.
constexpr uint32_t kLastFrameAllowed = 100000;

void ReportWarnings(const player::CKV_WarningList& warnings, std::ostream& err) {
  for (const std::string& warning : warnings.Items())
    err << "zarn-cli: warning: " << warning << "\n";
}

std::string FrameFileName(uint32_t frame, uint32_t last) {
  const size_t digits = std::max<size_t>(4, std::to_string(last).size());
  std::string number = std::to_string(frame);
  number.insert(0, digits - number.size(), '0');
  return "frame-" + number + ".png";
}

class RenderRun {
 public:
  RenderRun(const RenderRequest& request, std::shared_ptr<const player::CKV_Movie> movie,
            std::ostream& out, std::ostream& err)
      : request_(request), movie_(std::move(movie)), out_(out), err_(err) {}

  bool WriteAll() {
    const uint32_t last = request_.to != 0 ? CutRangeAtStop(movie_, request_.to, err_)
                                           : movie_->timeline.FrameCount();
    if (!request_.png.empty() && !(IsExportPath(request_.png) ? Export(last) : WriteSingleFrame()))
      return false;
    if (!request_.framesDir.empty() && !WriteFrames(last)) return false;
    if (!request_.sheet.empty() && !WriteSheet(last)) return false;
    if (!request_.gif.empty() && !WriteGif(last)) return false;
    if (request_.time && !TimeFrames(last)) return false;
    return true;
  }

 private:
  std::unique_ptr<player::CKV_FrameSequence> Sequence(uint32_t first, uint32_t last) {
    std::string error;
    if (last > kLastFrameAllowed) {
      err_ << "zarn-cli: frames after " << kLastFrameAllowed << " are not rendered\n";
      return nullptr;
    }
    // Weighed before anything is drawn; a stage that cannot be drawn is reported by Create.
    int width = 0;
    int height = 0;
    if (player::StageImageSize(*movie_, request_.scale, width, height, error) &&
        !RenderIsAffordable(last - first + 1, width, height, err_)) {
      return nullptr;
    }
    auto sequence = player::CKV_FrameSequence::Create(movie_, request_.scale, first, last, error);
    if (!sequence) err_ << "zarn-cli: cannot render " << request_.input << ": " << error << "\n";
    return sequence;
  }

  bool Failed(const std::string& what, const std::string& path, const std::string& error) {
    err_ << "zarn-cli: cannot write " << what << " " << path << ": " << error << "\n";
    return false;
  }

  void Done(const player::CKV_FrameSequence& sequence, const std::string& what) {
    ReportWarnings(sequence.Player().Warnings(), err_);
    out_ << what << "\n";
  }

  bool Export(uint32_t last) {
    const media::ExportOptions options = ExportOptionsFor(request_.exportSettings, request_.png,
                                                          request_.scale, request_.from, last);
    return RunExport(movie_, options, nullptr, out_, err_) == 0;
  }

  bool WriteSingleFrame() {
    auto sequence = Sequence(request_.frame, request_.frame);
    if (!sequence) return false;
    std::string error;
    if (!sequence->Next()->WritePng(request_.png, error))
      return Failed("the frame to", request_.png, error);
    Done(*sequence, "frame " + std::to_string(request_.frame) + " -> " + request_.png);
    return true;
  }

  bool WriteFrames(uint32_t last) {
    auto sequence = Sequence(request_.from, last);
    if (!sequence) return false;
    const std::filesystem::path dir(request_.framesDir);
    std::error_code code;
    std::filesystem::create_directories(dir, code);
    if (code) return Failed("frames into", request_.framesDir, code.message());
    while (const player::CKV_Image* frame = sequence->Next()) {
      const std::string path = (dir / FrameFileName(sequence->Current(), last)).string();
      std::string error;
      if (!frame->WritePng(path, error)) return Failed("the frame to", path, error);
    }
    Done(*sequence, "frames " + std::to_string(request_.from) + " to " + std::to_string(last) +
                        " -> " + request_.framesDir);
    return true;
  }

  bool WriteSheet(uint32_t last) {
    auto sequence = Sequence(request_.from, last);
    if (!sequence) return false;
    std::string error;
    const std::unique_ptr<player::CKV_Image> sheet = player::MakeContactSheet(*sequence, error);
    if (!sheet || !sheet->WritePng(request_.sheet, error))
      return Failed("the contact sheet to", request_.sheet, error);
    Done(*sequence, "contact sheet of frames " + std::to_string(request_.from) + " to " +
                        std::to_string(last) + " -> " + request_.sheet);
    return true;
  }

  bool WriteGif(uint32_t last) {
    auto sequence = Sequence(request_.from, last);
    if (!sequence) return false;
    std::string error;
    if (!player::WriteAnimatedGif(*sequence, request_.gif, error))
      return Failed("the GIF to", request_.gif, error);
    Done(*sequence, "GIF of frames " + std::to_string(request_.from) + " to " +
                        std::to_string(last) + " -> " + request_.gif);
    return true;
  }

  // Plays to the first frame of the range, then draws each frame of it, timing the drawing
  // alone.
  bool TimeFrames(uint32_t last) {
    if (last > kLastFrameAllowed) {
      err_ << "zarn-cli: frames after " << kLastFrameAllowed << " are not rendered\n";
      return false;
    }
    int width = 0;
    int height = 0;
    std::string error;
    if (!player::StageImageSize(*movie_, request_.scale, width, height, error)) {
      err_ << "zarn-cli: cannot render " << request_.input << ": " << error << "\n";
      return false;
    }
    const auto image = player::CKV_Image::Create(width, height);
    player::CKV_Player player(movie_);
    for (uint32_t frame = 1; frame < request_.from; ++frame) player.Advance();
    std::vector<double> millis;
    for (uint32_t frame = request_.from; frame <= last; ++frame) {
      if (frame > request_.from) player.Advance();
      const auto start = std::chrono::steady_clock::now();
      player::RenderFrame(player, *image);
      millis.push_back(
          std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
              .count());
    }
    const auto worst = std::max_element(millis.begin(), millis.end());
    const auto worstFrame = request_.from + static_cast<uint32_t>(worst - millis.begin());
    double sum = 0;
    for (const double ms : millis) sum += ms;
    std::vector<double> sorted = millis;
    std::sort(sorted.begin(), sorted.end());
    const size_t n = sorted.size();
    const double median = n % 2 == 1 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
    char line[160];
    std::snprintf(line, sizeof line,
                  "frames %u to %u drawn at %d x %d: mean %.3f ms, median %.3f ms, worst %.3f ms "
                  "(frame %u)",
                  request_.from, last, width, height, sum / static_cast<double>(n), median, *worst,
                  worstFrame);
    ReportWarnings(player.Warnings(), err_);
    out_ << line << "\n";
    return true;
  }

  const RenderRequest& request_;
  std::shared_ptr<const player::CKV_Movie> movie_;
  std::ostream& out_;
  std::ostream& err_;
};

}  // namespace

int RunRenderCommand(const RenderRequest& request, std::ostream& out, std::ostream& err) {
  if (request.png.empty() && request.framesDir.empty() && request.gif.empty() &&
      request.sheet.empty() && !request.time) {
    err << "zarn-cli: render needs at least one of -o, --frames, --gif, --sheet and --time\n";
    return 1;
  }
  if (request.frame < 1 || request.from < 1 || (request.to != 0 && request.to < request.from)) {
    err << "zarn-cli: frames count from 1, and --to may not come before --from\n";
    return 1;
  }
  if (!OutputsAreSeparate({request.png, request.gif, request.sheet}, {request.input}, err))
    return 1;
  const player::MovieLoadResult loaded = player::LoadMovieFile(request.input);
  if (!loaded.movie) {
    err << "zarn-cli: cannot read " << request.input << ": " << loaded.error << "\n";
    return 1;
  }
  ReportWarnings(loaded.movie->warnings, err);
  return RenderRun(request, loaded.movie, out, err).WriteAll() ? 0 : 1;
}

void AddRenderCommand(CLI::App& app, int& exitStatus) {
  auto request = std::make_shared<RenderRequest>();
  CLI::App* command = app.add_subcommand(
      "render", "Play a SWF movie and write frames as PNG, a sheet, a GIF or a video");
  command->add_option("IN", request->input, "the movie (FWS or CWS, versions 1 to 4)")->required();
  command->add_option("-o,--output", request->png,
                      "write one frame as PNG, or the range as .mp4, .webm, .mov, .webp, .apng "
                      "or .gif");
  command->add_option("--frame", request->frame, "the frame -o writes, counting from 1")
      ->capture_default_str();
  command->add_option("--frames", request->framesDir, "write every frame of the range as PNG");
  command->add_option("--gif", request->gif, "write the range as an animated GIF");
  command->add_option("--sheet", request->sheet, "write the range as a contact sheet (PNG)");
  command->add_flag("--time", request->time,
                    "draw the range without writing and print the mean, median and worst draw "
                    "time per frame");
  AddExportOptions(*command, request->exportSettings, true);
  command->add_option("--scale", request->scale, "scale of the stage")->capture_default_str();
  command->add_option("--from", request->from, "first frame of the range")->capture_default_str();
  command->add_option("--to", request->to, "last frame of the range (default: the last frame)");
  command->callback(
      [request, &exitStatus] { exitStatus = RunRenderCommand(*request, std::cout, std::cerr); });
}

}  // namespace zarn::cli
