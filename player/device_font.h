#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <tuple>
#include <vector>

namespace glyphs {
class CKV_FontService;
}  // namespace glyphs

namespace player {

class CKV_FontCharacter;

// The fonts installed on the system as a text field without embedded outlines shows them:
// the glyphs of the Windows-1252 codes on a 1024-unit em square, with their advances and the
// face's ascent and descent. The generic names "_sans", "_serif" and "_typewriter" stand for
// Arial, Times New Roman and Courier New. Each player owns its set, so players never evict
// each other's fonts; a font handed out lives on with its holders when the set lets it go.
class CKV_DeviceFonts {
 public:
  // Movies name few fonts; a bound keeps names from damaged files from piling up.
  static constexpr size_t kCapacity = 16;

  explicit CKV_DeviceFonts(std::shared_ptr<glyphs::CKV_FontService> service);
  CKV_DeviceFonts(const CKV_DeviceFonts&) = delete;
  CKV_DeviceFonts& operator=(const CKV_DeviceFonts&) = delete;

  // Null when the service has no font at all for the name.
  std::shared_ptr<const CKV_FontCharacter> Find(const std::string& name, bool bold, bool italic);

 private:
  struct Entry {
    std::tuple<std::string, bool, bool> key;
    std::shared_ptr<const CKV_FontCharacter> font;
    uint64_t lastUse = 0;
  };

  std::shared_ptr<const CKV_FontCharacter> Make(const std::string& name, bool bold,
                                                bool italic) const;

  std::shared_ptr<glyphs::CKV_FontService> service_;
  // Players that share a set may draw from several threads.
  std::mutex mutex_;
  std::vector<Entry> entries_;
  uint64_t clock_ = 0;
};

// A set of its own over the installed fonts.
std::shared_ptr<CKV_DeviceFonts> MakeSystemDeviceFonts();

}  // namespace player
