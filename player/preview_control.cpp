#include "player/preview_control.h"

#include <cmath>
#include <memory>
#include <utility>

#include "avm/value.h"
#include "player/clip_properties.h"
#include "player/image.h"
#include "player/movie.h"
#include "player/movie_file.h"
#include "player/renderer.h"
#include "player/sprite_instance.h"
#include "player/target_path.h"
#include "swftk/units.h"

namespace player {
namespace {

constexpr double kTwipsPerPixel = swftk::kTwipsPerPixel;

std::string LevelPrefix(int level) {
  return "level " + std::to_string(level) + ": ";
}

}  // namespace

CKV_PreviewControl::CKV_PreviewControl() = default;
CKV_PreviewControl::~CKV_PreviewControl() = default;

PlayerOptions CKV_PreviewControl::OptionsFor(int level, const std::string& path) {
  PlayerOptions options;
  // Held back until the step ends, so that a handler never runs inside a movie's step.
  options.onTrace = [this](const std::string& line) {
    pendingMessages_.push_back({MessageKind::kTrace, line});
  };
  options.onWarning = [this, level](const std::string& text) {
    pendingMessages_.push_back({MessageKind::kWarning, LevelPrefix(level) + text});
  };
  options.level = level;
  options.levels = [this](int other) -> CKV_SpriteInstance* {
    CKV_Player* player = levels_.Find(other);
    return player ? &player->Root() : nullptr;
  };
  options.url = path;
  return options;
}

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
    for (const std::string& warning : loaded.movie->warnings.Items())
      pendingMessages_.push_back({MessageKind::kWarning, LevelPrefix(level) + warning});
    shown = levels_.Put(level, std::make_unique<CKV_Player>(loaded.movie, OptionsFor(level, path)));
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
  for (auto& [number, player] : levels_.All()) player->Root().Stop();
}

void CKV_PreviewControl::Play() {
  for (auto& [number, player] : levels_.All()) player->Root().Play();
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

CKV_PreviewControl::ClipRef CKV_PreviewControl::FindClip(const std::string& target) {
  // Paths start at level 0's root; "_levelN" names reach the other levels from there, or
  // from the lowest level while level 0 is empty.
  CKV_Player* base = levels_.Base();
  CKV_SpriteInstance* clip = base ? base->FindClip(target) : nullptr;
  if (!clip) return {};
  // The clip's own movie, whose context its properties read and write against.
  const CKV_SpriteInstance& root = LevelRootOf(*clip);
  for (const auto& [number, player] : levels_.All()) {
    if (&player->Root() == &root) return {player.get(), clip};
  }
  return {};
}

bool CKV_PreviewControl::TSetPropertyNum(const std::string& target, int index, double value) {
  const ClipRef found = FindClip(target);
  const bool changed =
      found.clip && SetClipProperty(*found.clip, index, avm::Value(value), found.player->Context());
  Finish();
  return changed;
}

std::optional<double> CKV_PreviewControl::TGetPropertyNum(const std::string& target, int index) {
  const ClipRef found = FindClip(target);
  if (!found.clip) return std::nullopt;
  return GetClipProperty(*found.clip, index, found.player->Context()).ToNumber();
}

int CKV_PreviewControl::Advance(double elapsedSeconds) {
  const int frames = clock_.Tick(elapsedSeconds);
  for (int frame = 0; frame < frames; ++frame) {
    for (auto& [number, player] : levels_.All()) player->Advance();
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
  for (const auto& [number, player] : levels_.All()) DrawDisplayList(*player, image, stageToImage);
}

void CKV_PreviewControl::MouseMove(double x, double y) {
  double stageX = 0, stageY = 0;
  if (View().ToStage(x, y, stageX, stageY)) {
    // A real player knows the pointer to the twip.
    for (auto& [number, player] : levels_.All())
      player->MouseMove(std::round(stageX) / kTwipsPerPixel, std::round(stageY) / kTwipsPerPixel);
  }
  Finish();
}

void CKV_PreviewControl::MouseDown(double x, double y) {
  MouseMove(x, y);
  pressedLevel_ = -1;
  for (auto it = levels_.All().rbegin(); it != levels_.All().rend(); ++it) {
    if (!it->second->IsOverButton()) continue;
    pressedLevel_ = it->first;
    it->second->MouseDown();
    break;
  }
  Finish();
}

void CKV_PreviewControl::MouseUp(double x, double y) {
  MouseMove(x, y);
  // The level that took the press may have gone with a load meanwhile.
  if (CKV_Player* pressed = levels_.Find(pressedLevel_)) pressed->MouseUp();
  pressedLevel_ = -1;
  Finish();
}

bool CKV_PreviewControl::IsOverButton() const {
  for (const auto& [number, player] : levels_.All())
    if (player->IsOverButton()) return true;
  return false;
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
  // Taken first: a handler may load a movie, which changes the levels and adds messages.
  for (auto& [number, player] : levels_.All()) {
    for (const UrlRequest& request : player->TakeUrlRequests()) events_.Queue(request);
  }
  for (const Message& message : std::exchange(pendingMessages_, {})) {
    if (message.kind == MessageKind::kWarning)
      Warn(message.text);
    else if (const MessageHandler handler = messages_)
      handler(message.kind, message.text);
  }
  events_.Deliver();
}

}  // namespace player
