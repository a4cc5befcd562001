#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "swftk/header.h"
#include "swftk/object.h"
#include "swftk/tag_factory.h"

namespace swftk {

class CSwfStream;
class CSwfWriter;

// Result of opening a whole movie file.
enum class OpenResult {
  kOk = 0,
  kCannotOpen = 1,
  kBadSignature = 2,
  kBadCompressedData = 3,
  kTooLarge = 4,
  kTooManyObjects = 5,
  kLzmaCompressed = 6,
};

// A readable sentence for a non-zero open result.
const char* DescribeOpenResult(OpenResult result);

// True when the path ends in ".kvx", in any case: such a movie (an effect template) is stored
// without its four signature bytes, while its length field still counts them.
bool IsKvxPath(std::string_view path);

// Holds a whole SWF file in memory, reads primitives from it and turns it into tags.
// Reads never pass the current limit (the end of the data, or of the tag being read):
// a read there returns zeros.
class CSwfReader {
 public:
  // Sprites nested deeper than this are kept as unknown bytes.
  static constexpr int kMaxSpriteNesting = 16;
  // Compressed movies may not inflate beyond this.
  static constexpr uint32_t kMaxMovieBytes = 256U << 20;
  // Tags, records and glyph entries a movie may build: one for every kBytesPerObject bytes of
  // its data, but never fewer than kMinObjectLimit nor more than kMaxObjectLimit. A few bytes
  // of a file can stand for many objects of many bytes each; past the limit the reader stops
  // and the open is refused, so memory stays a small multiple of the data and below what a
  // desktop affords, while large real movies still read.
  static constexpr uint32_t kBytesPerObject = 4;
  static constexpr uint64_t kMinObjectLimit = 1U << 20;
  static constexpr uint64_t kMaxObjectLimit = 1U << 24;

  CSwfReader() = default;
  CSwfReader(const CSwfReader&) = delete;
  CSwfReader& operator=(const CSwfReader&) = delete;
  virtual ~CSwfReader() = default;

  virtual void Clear() { tags_.clear(); }
  void Reset();

  // Loads a file: 0 success, 1 cannot open, 2 bad signature or not version 4.
  // Without checkSignature the data starts at the file-length field.
  int Open(const std::string& path, bool checkSignature, bool parseTags);
  // The same for a file already in memory (0 or 2).
  int OpenBytes(std::vector<uint8_t> file, bool checkSignature, bool parseTags);
  // Loads a movie of any version, "FWS" or zlib-compressed "CWS", from a file or from memory.
  OpenResult OpenMovie(const std::string& path, bool parseTags = true);
  OpenResult OpenMovieBytes(std::vector<uint8_t> file, bool parseTags = true);
  void OpenFromStream(CSwfStream& stream);
  void OpenFromBytes(std::vector<uint8_t> bytes);

  // Which tags get their classes; set before opening. Nested sprites follow their movie.
  void SetTagModel(TagModel model) { tagModel_ = model; }
  void ReadTags();
  void ReadTagsFrom(CSwfReader& source);
  // Reads the next record header, then the body into the given tag within the declared
  // length, and continues at the declared end. Returns the tag code of the header.
  uint16_t ReadTagInto(CSwfTag& tag);
  const TagList& GetTags() const { return tags_; }
  TagList& GetTags() { return tags_; }
  TagList TakeTags() { return std::move(tags_); }
  uint16_t GetFrameCount() const { return frameCount_; }
  const CSwfHeader& GetHeader() const { return header_; }
  CSwfHeader& GetHeader() { return header_; }
  void CopyTagsTo(CSwfWriter& writer) const;

  // Primitives.
  void AlignByte();
  uint8_t ReadUI8();
  uint16_t ReadUI16();
  int16_t ReadSI16() { return static_cast<int16_t>(ReadUI16()); }
  uint32_t ReadUI32();
  // Shape records are read bit field by bit field, so this is the hot path of reading.
  int32_t ReadBits(int n, bool isSigned) {
    if (n <= 0) return 0;
    if (n > 32) n = 32;
    uint32_t result = 0;
    if (limit_ >= 8 && position_ <= limit_ - 8) {
      // Eight bytes hold the at most 8 + 32 bits needed; the last byte read stays current
      // with all 8 bits consumed, as the byte-wise path leaves it.
      uint64_t window = 0;
      std::memcpy(&window, buffer_.data() + position_, sizeof window);
      if constexpr (std::endian::native == std::endian::little) window = __builtin_bswap64(window);
      result = static_cast<uint32_t>((window << bitOffset_) >> (64 - n));
      const int consumed = bitOffset_ + n;
      position_ += static_cast<uint32_t>((consumed - 1) / 8);
      bitOffset_ = consumed - 8 * ((consumed - 1) / 8);
    } else {
      result = ReadBitsNearLimit(n);
    }
    if (isSigned && n < 32 && (result >> (n - 1)) & 1U) result |= ~0U << n;
    return static_cast<int32_t>(result);
  }
  void ReadString(std::string& text, uint32_t length);
  // Up to length bytes, fewer at the limit.
  void ReadBytes(std::vector<uint8_t>& out, uint32_t length);
  uint32_t GetPosition() const { return position_; }
  void SetPosition(uint32_t position);
  uint32_t BytesLeft() const { return position_ < limit_ ? limit_ - position_ : 0; }
  uint32_t GetTagLength() const { return tagLength_; }
  uint32_t GetLimit() const { return limit_; }
  // Narrows reads to [position, end) until the returned old limit is restored.
  uint32_t PushLimit(uint32_t end);
  void PopLimit(uint32_t oldLimit) { limit_ = oldLimit; }
  const std::vector<uint8_t>& GetBuffer() const { return buffer_; }
  int SpriteNesting() const { return spriteNesting_; }
  void EnterSprite() { ++spriteNesting_; }
  void LeaveSprite() { --spriteNesting_; }
  // Counts objects about to be built; false once the movie would hold more than its limit,
  // and from then on, so that every reading loop stops.
  bool CountObjects(uint32_t count) {
    objects_ += count;
    return objects_ <= objectLimit_;
  }
  bool TooManyObjects() const { return objects_ > objectLimit_; }
  uint64_t ObjectCount() const { return objects_; }
  uint64_t ObjectLimit() const { return objectLimit_; }
  // The first damage the tag loops met (a body passing the end of the data, a list without its
  // End tag, too many objects), or empty. Reading goes on regardless, as the format wants;
  // this says why a file that fails later checks may have failed them.
  const std::string& Damage() const { return damage_; }

 private:
  void ReadTagLoop(CSwfReader& source);
  uint16_t ReadTagHeader();
  void ReadTagBody(CSwfTag& tag);
  // Bit by byte, for the last bytes before the limit, past which bits read as zeros.
  uint32_t ReadBitsNearLimit(int n);
  void NoteDamage(std::string what);

  std::vector<uint8_t> buffer_;
  uint32_t position_ = 0;
  int bitOffset_ = 0;
  uint32_t limit_ = 0;
  uint32_t tagLength_ = 0;
  int spriteNesting_ = 0;
  TagModel tagModel_ = TagModel::kRewrite;
  uint16_t frameCount_ = 0;
  uint64_t objects_ = 0;
  uint64_t objectLimit_ = kMinObjectLimit;
  std::string damage_;
  TagList tags_;
  CSwfHeader header_;
};

}  // namespace swftk
