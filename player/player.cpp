#include "player/player.h"

#include "player/device_font.h"
#include "player/glyph_cache.h"
#include "player/movie.h"

namespace player {

CKV_Player::CKV_Player(std::shared_ptr<const CKV_Movie> movie,
                       std::shared_ptr<CKV_DeviceFonts> deviceFonts)
    : movie_(std::move(movie)),
      deviceFonts_(deviceFonts ? std::move(deviceFonts) : MakeSystemDeviceFonts()),
      glyphCache_(std::make_unique<CKV_GlyphCache>()),
      context_(*movie_),
      root_(std::make_unique<CKV_SpriteInstance>(nullptr, movie_->timeline, context_, 0)),
      background_(movie_->background) {
  root_->Enter(context_);
}

CKV_Player::~CKV_Player() = default;

void CKV_Player::Advance() {
  ++context_.tick;
  root_->Tick(context_);
}

void CKV_Player::GotoFrame(uint32_t frame) {
  root_->Stop();
  root_->GotoFrame(context_, frame);
}

}  // namespace player
