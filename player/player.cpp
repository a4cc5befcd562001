#include "player/player.h"

#include "player/movie.h"

namespace player {

CKV_Player::CKV_Player(std::shared_ptr<const CKV_Movie> movie)
    : movie_(std::move(movie)),
      context_(*movie_),
      root_(std::make_unique<CKV_SpriteInstance>(nullptr, movie_->timeline, context_, 0)),
      background_(movie_->background) {
  root_->Enter(context_);
}

void CKV_Player::Advance() {
  ++context_.tick;
  root_->Tick(context_);
}

void CKV_Player::GotoFrame(uint32_t frame) {
  root_->Stop();
  root_->GotoFrame(context_, frame);
}

}  // namespace player
