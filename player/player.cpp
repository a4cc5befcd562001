#include "player/player.h"

#include "player/bound_fields.h"
#include "player/device_font.h"
#include "player/glyph_cache.h"
#include "player/movie.h"
#include "player/script_host.h"
#include "player/shape_cache.h"
#include "swftk/units.h"

namespace player {

CKV_Player::CKV_Player(std::shared_ptr<const CKV_Movie> movie, PlayerOptions options)
    : movie_(std::move(movie)),
      deviceFonts_(options.deviceFonts ? std::move(options.deviceFonts) : MakeSystemDeviceFonts()),
      glyphCache_(std::make_unique<CKV_GlyphCache>()),
      shapeCache_(std::make_unique<CKV_ShapeCache>()),
      context_(*movie_),
      background_(movie_->background) {
  context_.onTrace = std::move(options.onTrace);
  context_.warnings.SetListener(std::move(options.onWarning));
  context_.level = options.level;
  context_.levels = std::move(options.levels);
  context_.url = std::move(options.url);
  root_ = std::make_unique<CKV_SpriteInstance>(nullptr, movie_->timeline, context_, 0);
  root_->Enter(context_);
  FinishStep();
}

CKV_Player::~CKV_Player() = default;

void CKV_Player::Advance() {
  ++context_.tick;
  context_.scripts->StartFrame();
  root_->Tick(context_);
  FinishStep();
}

void CKV_Player::GotoFrame(uint32_t frame) {
  root_->Stop();
  root_->GotoFrame(context_, frame);
  FinishStep();
}

void CKV_Player::MouseMove(double x, double y) {
  constexpr double kTwipsPerPixel = swftk::kTwipsPerPixel;
  pointer_.Move(*root_, context_, x * kTwipsPerPixel, y * kTwipsPerPixel);
  FinishStep();
}

void CKV_Player::MouseDown() {
  pointer_.Press(*root_, context_);
  FinishStep();
}

void CKV_Player::MouseUp() {
  pointer_.Release(*root_, context_);
  FinishStep();
}

void CKV_Player::FinishStep() {
  context_.scripts->RunQueue();
  UpdateBoundFields(*root_, context_);
}

bool StopsBy(const std::shared_ptr<const CKV_Movie>& movie, uint32_t frame) {
  CKV_Player player(movie);
  for (uint32_t shown = 1; shown < frame; ++shown) player.Advance();
  return !player.Root().IsPlaying();
}

}  // namespace player
