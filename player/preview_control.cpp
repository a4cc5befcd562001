#include "player/preview_control.h"

#include <memory>
#include <vector>

#include "player/image.h"
#include "player/movie.h"
#include "player/movie_file.h"
#include "player/player.h"
#include "player/renderer.h"

namespace player {
namespace {

constexpr double kTwipsPerPixel = 20.0;

}  // namespace

CKV_PreviewControl::CKV_PreviewControl() = default;
CKV_PreviewControl::~CKV_PreviewControl() = default;

bool CKV_PreviewControl::LoadMovie(int level, const std::string& path) {
  if (!CKV_LevelSet::Valid(level)) {
    Warn("level " + std::to_string(level) + " does not exist; levels run from 0 to " +
         std::to_string(CKV_LevelSet::kMaxLevel));
    Finish();
    return false;
  }
  const bool newBase = levels_.All().empty() || level <= levels_.All().begin()->first;
  const MovieLoadResult loaded = LoadCompleteMovieFile(path);
  bool shown = false;
  if (loaded.movie) {
    shown = levels_.Put(level, std::make_unique<CKV_Player>(loaded.movie));
    for (const std::string& warning : loaded.movie->warnings.Items())
      Warn("level " + std::to_string(level) + ": " + warning);
  } else {
    if (level == 0) levels_.Clear();
    levels_.Remove(level);
    Warn(path + ": " + loaded.error);
  }
  if (newBase) {
    const CKV_Player* base = levels_.Base();
    clock_.SetRate(base ? base->Movie().frameRate : CKV_FrameClock::kDefaultRate);
  }
  Finish();
  return shown;
}

void CKV_PreviewControl::Stop() {
  for (auto& [number, level] : levels_.All()) level.player->Root().Stop();
}

void CKV_PreviewControl::Play() {
  for (auto& [number, level] : levels_.All()) level.player->Root().Play();
}

void CKV_PreviewControl::SetBackgroundColor(int32_t color) {
  if (color < 0) {
    background_.reset();
    return;
  }
  background_ = Rgba{static_cast<uint8_t>(color >> 16), static_cast<uint8_t>(color >> 8),
                     static_cast<uint8_t>(color), 255};
}

Rgba CKV_PreviewControl::Background() const {
  if (background_) return *background_;
  const CKV_Player* base = levels_.Base();
  return base ? base->Background() : Rgba{255, 255, 255, 255};
}

int CKV_PreviewControl::Advance(double elapsedSeconds) {
  const int frames = clock_.Tick(elapsedSeconds);
  for (int frame = 0; frame < frames; ++frame) {
    for (auto& [number, level] : levels_.All()) level.player->Advance();
    Finish();
  }
  return frames;
}

void CKV_PreviewControl::SetOutputSize(double width, double height) {
  outputWidth_ = width;
  outputHeight_ = height;
}

CKV_StageView CKV_PreviewControl::View() const {
  const CKV_Player* base = levels_.Base();
  const TwipsRect stage = base ? base->Movie().stage : TwipsRect{};
  if (outputWidth_ > 0 && outputHeight_ > 0) return {stage, outputWidth_, outputHeight_};
  return {stage, (stage.xMax - stage.xMin) / kTwipsPerPixel,
          (stage.yMax - stage.yMin) / kTwipsPerPixel};
}

void CKV_PreviewControl::Draw(CKV_Image& image, double devicePixelRatio) {
  const double ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
  SetOutputSize(image.Width() / ratio, image.Height() / ratio);
  PaintBackground(image, Background());
  const Transform2D stageToImage = View().StageToDevice(ratio);
  for (const auto& [number, level] : levels_.All())
    DrawDisplayList(*level.player, image, stageToImage);
}

void CKV_PreviewControl::SetFsCommandHandler(CKV_ControlEvents::FsCommandHandler handler) {
  events_.SetFsCommandHandler(std::move(handler));
}

void CKV_PreviewControl::SetOpenAddressHandler(CKV_ControlEvents::OpenAddressHandler handler) {
  events_.SetOpenAddressHandler(std::move(handler));
}

void CKV_PreviewControl::Warn(const std::string& text) {
  const size_t before = warnings_.Items().size();
  warnings_.Add(text);
  if (warnings_.Items().size() == before) return;
  if (const MessageHandler handler = messages_) handler(MessageKind::kWarning, text);
}

void CKV_PreviewControl::Finish() {
  // Gathered first: a handler may load a movie, which changes the levels.
  std::vector<std::string> fresh;
  for (auto& [number, level] : levels_.All()) {
    const auto& items = level.player->Warnings().Items();
    for (; level.warningsTold < items.size(); ++level.warningsTold)
      fresh.push_back("level " + std::to_string(number) + ": " + items[level.warningsTold]);
  }
  for (const std::string& text : fresh) Warn(text);
  events_.Deliver();
}

}  // namespace player
