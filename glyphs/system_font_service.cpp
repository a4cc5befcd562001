#include "glyphs/system_font_service.h"

#include <algorithm>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "glyphs/font_matcher.h"
#include "glyphs/freetype_face.h"

namespace glyphs {

namespace {

struct FaceKey {
  std::string faceName;
  int32_t weight = 0;
  bool italic = false;
  int32_t height = 0;

  bool operator==(const FaceKey&) const = default;
};

struct CachedFace {
  FaceKey key;
  std::shared_ptr<const CKV_FreeTypeFace> face;
  uint64_t lastUse = 0;
};

// A movie uses one font; a session rarely more than a handful.
constexpr size_t kCacheCapacity = 16;

class FaceCache {
 public:
  std::shared_ptr<const CKV_FreeTypeFace> Acquire(const FontRequest& request) {
    const FaceKey key{request.GetFaceName(), request.lfWeight, request.lfItalic != 0,
                      request.lfHeight};
    const std::lock_guard lock(mutex_);
    ++clock_;
    for (CachedFace& entry : entries_) {
      if (entry.key == key) {
        entry.lastUse = clock_;
        return entry.face;
      }
    }
    const std::optional<MatchedFace> matched = MatchFace(request);
    if (!matched) return nullptr;
    std::shared_ptr<const CKV_FreeTypeFace> face =
        CKV_FreeTypeFace::Open(matched->file, matched->index, request.lfHeight);
    if (!face) return nullptr;
    if (entries_.size() == kCacheCapacity) {
      entries_.erase(std::min_element(
          entries_.begin(), entries_.end(),
          [](const CachedFace& a, const CachedFace& b) { return a.lastUse < b.lastUse; }));
    }
    entries_.push_back({key, face, clock_});
    return face;
  }

  size_t Size() {
    const std::lock_guard lock(mutex_);
    return entries_.size();
  }

  void Clear() {
    const std::lock_guard lock(mutex_);
    entries_.clear();
  }

 private:
  std::mutex mutex_;
  std::vector<CachedFace> entries_;
  uint64_t clock_ = 0;
};

FaceCache& Cache() {
  static FaceCache cache;
  return cache;
}

}  // namespace

std::shared_ptr<const CKV_GlyphSource> CKV_SystemFontService::CreateFont(
    const FontRequest& request) {
  return Cache().Acquire(request);
}

size_t CKV_SystemFontService::CachedFaceCount() {
  return Cache().Size();
}

void CKV_SystemFontService::ClearCache() {
  Cache().Clear();
}

}  // namespace glyphs
