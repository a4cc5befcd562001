#include "player/play_context.h"

#include "player/script_host.h"

namespace player {

CKV_PlayContext::CKV_PlayContext(const CKV_Movie& movie)
    : movie(movie), scripts(std::make_unique<CKV_ScriptHost>(*this)) {}

CKV_PlayContext::~CKV_PlayContext() = default;

}  // namespace player
