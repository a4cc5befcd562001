#include "swftk/reader.h"

#include <zlib.h>

#include <algorithm>

#include "swftk/file_bytes.h"
#include "swftk/stream.h"
#include "swftk/tag_factory.h"
#include "swftk/writer.h"

namespace swftk {
namespace {

uint32_t LittleEndian32(const std::vector<uint8_t>& bytes, size_t at) {
  return static_cast<uint32_t>(bytes[at]) | static_cast<uint32_t>(bytes[at + 1]) << 8 |
         static_cast<uint32_t>(bytes[at + 2]) << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

// Inflates the body after the 8-byte header; the result holds the header too. The output
// grows as data arrives, so a forged length costs nothing until the data backs it.
OpenResult Inflate(std::vector<uint8_t>& file) {
  const uint32_t declared = LittleEndian32(file, 4);
  if (declared > CSwfReader::kMaxMovieBytes) return OpenResult::kTooLarge;
  std::vector<uint8_t> out(file.begin(), file.begin() + 8);
  z_stream zs{};
  if (inflateInit(&zs) != Z_OK) return OpenResult::kBadCompressedData;
  zs.next_in = file.data() + 8;
  zs.avail_in = static_cast<uInt>(file.size() - 8);
  int status = Z_OK;
  while (status == Z_OK && out.size() < declared) {
    const size_t have = out.size();
    out.resize(std::min<size_t>(declared, std::max<size_t>(have * 2, 1U << 16)));
    zs.next_out = out.data() + have;
    zs.avail_out = static_cast<uInt>(out.size() - have);
    status = inflate(&zs, Z_NO_FLUSH);
    out.resize(out.size() - zs.avail_out);
  }
  inflateEnd(&zs);
  out[0] = 'F';
  // A stream cut short keeps what it gave, as a short uncompressed file would.
  if (out.size() == 8 && status != Z_STREAM_END) return OpenResult::kBadCompressedData;
  file = std::move(out);
  return OpenResult::kOk;
}

}  // namespace

const char* DescribeOpenResult(OpenResult result) {
  switch (result) {
    case OpenResult::kOk:
      return "read";
    case OpenResult::kCannotOpen:
      return "the file cannot be opened";
    case OpenResult::kBadSignature:
      return "the file is not a SWF movie";
    case OpenResult::kBadCompressedData:
      return "the compressed movie data is damaged";
    case OpenResult::kTooLarge:
      return "the movie is too large";
    case OpenResult::kTooManyObjects:
      return "the movie holds more tags and records than a movie of its size may build (one for "
             "every 4 bytes of data, at least 1,048,576 and at most 16,777,216)";
    case OpenResult::kLzmaCompressed:
      return "the movie is LZMA-compressed (\"ZWS\"), a compression this program does not read";
  }
  return "unknown problem";
}

bool IsKvxPath(std::string_view path) {
  if (path.size() < 4) return false;
  const std::string_view end = path.substr(path.size() - 4);
  const auto is = [](char c, char lower) { return c == lower || c == lower - ('a' - 'A'); };
  return end[0] == '.' && is(end[1], 'k') && is(end[2], 'v') && is(end[3], 'x');
}

void CSwfReader::Reset() {
  buffer_.clear();
  tags_.clear();
  position_ = 0;
  bitOffset_ = 0;
  limit_ = 0;
  tagLength_ = 0;
  spriteNesting_ = 0;
  frameCount_ = 0;
  objects_ = 0;
  objectLimit_ = kMinObjectLimit;
  damage_.clear();
}

int CSwfReader::Open(const std::string& path, bool checkSignature, bool parseTags) {
  Reset();
  std::vector<uint8_t> file;
  if (!ReadFileBytes(path, file)) return 1;
  return OpenBytes(std::move(file), checkSignature, parseTags);
}

int CSwfReader::OpenBytes(std::vector<uint8_t> file, bool checkSignature, bool parseTags) {
  Reset();
  size_t at = 0;
  if (checkSignature) {
    for (const uint8_t expected : {'F', 'W', 'S', '\x04'}) {
      if (at >= file.size() || file[at] != expected) return 2;
      ++at;
    }
  }
  // The declared length counts the four signature bytes even when they are absent.
  uint32_t declared = 0;
  if (file.size() >= at + 4) declared = LittleEndian32(file, at);
  const uint64_t wanted = at + 4 + (declared > 7 ? uint64_t{declared} - 8 : 0);
  file.resize(static_cast<size_t>(std::min<uint64_t>(wanted, file.size())));
  OpenFromBytes(std::move(file));
  header_.Read(*this, checkSignature);
  if (parseTags) ReadTags();
  return 0;
}

OpenResult CSwfReader::OpenMovie(const std::string& path, bool parseTags) {
  Reset();
  std::vector<uint8_t> file;
  if (!ReadFileBytes(path, file)) return OpenResult::kCannotOpen;
  return OpenMovieBytes(std::move(file), parseTags);
}

OpenResult CSwfReader::OpenMovieBytes(std::vector<uint8_t> file, bool parseTags) {
  Reset();
  if (file.size() >= 3 && file[0] == 'Z' && file[1] == 'W' && file[2] == 'S')
    return OpenResult::kLzmaCompressed;
  if (file.size() < 8 || file[1] != 'W' || file[2] != 'S' || (file[0] != 'F' && file[0] != 'C'))
    return OpenResult::kBadSignature;
  if (file[0] == 'C') {
    if (const OpenResult inflated = Inflate(file); inflated != OpenResult::kOk) return inflated;
  } else {
    const uint32_t declared = LittleEndian32(file, 4);
    if (declared >= 8 && declared < file.size()) file.resize(declared);
  }
  const uint8_t version = file[3];
  OpenFromBytes(std::move(file));
  position_ = 4;
  header_.ReadFields(*this);
  header_.version = version;
  if (parseTags) ReadTags();
  return TooManyObjects() ? OpenResult::kTooManyObjects : OpenResult::kOk;
}

void CSwfReader::OpenFromStream(CSwfStream& stream) {
  OpenFromBytes(stream.GetBytes());
}

void CSwfReader::OpenFromBytes(std::vector<uint8_t> bytes) {
  Reset();
  buffer_ = std::move(bytes);
  limit_ = static_cast<uint32_t>(std::min<size_t>(buffer_.size(), UINT32_MAX));
  objectLimit_ = std::clamp<uint64_t>(limit_ / kBytesPerObject, kMinObjectLimit, kMaxObjectLimit);
}

void CSwfReader::ReadTags() {
  ReadTagLoop(*this);
}

void CSwfReader::ReadTagsFrom(CSwfReader& source) {
  ReadTagLoop(source);
}

void CSwfReader::ReadTagLoop(CSwfReader& source) {
  tags_.clear();
  // Past the object budget the list ends as it stands; the caller learns it from the reader.
  while (source.CountObjects(1)) {
    const uint32_t at = source.position_;
    const bool dataLeft = source.BytesLeft() >= 2;
    const uint16_t code = source.ReadTagHeader();
    if (!dataLeft) {
      source.NoteDamage("the tags that end at byte " + std::to_string(at) + " have no End tag");
    } else if (source.tagLength_ > source.BytesLeft()) {
      source.NoteDamage("tag " + std::to_string(code) + " at byte " + std::to_string(at) +
                        " declares a body of " + std::to_string(source.tagLength_) +
                        " bytes, but only " + std::to_string(source.BytesLeft()) + " remain");
    }
    std::unique_ptr<CSwfTag> tag =
        MakeTag(code, source.tagLength_, source.spriteNesting_, source.tagModel_);
    if (code == tagcode::kShowFrame) ++frameCount_;
    source.ReadTagBody(*tag);
    tags_.push_back(std::move(tag));
    if (code == tagcode::kEnd) return;
  }
  source.NoteDamage(DescribeOpenResult(OpenResult::kTooManyObjects));
}

void CSwfReader::NoteDamage(std::string what) {
  if (damage_.empty()) damage_ = std::move(what);
}

uint16_t CSwfReader::ReadTagInto(CSwfTag& tag) {
  const uint16_t code = ReadTagHeader();
  ReadTagBody(tag);
  return code;
}

uint16_t CSwfReader::ReadTagHeader() {
  const uint16_t codeAndLength = ReadUI16();
  tagLength_ = codeAndLength & 63U;
  if (tagLength_ == 63) tagLength_ = ReadUI32();
  return static_cast<uint16_t>(codeAndLength >> 6);
}

void CSwfReader::ReadTagBody(CSwfTag& tag) {
  // A tag's body ends where its header says, whatever its Read makes of it.
  const uint32_t bodyEnd = position_ + std::min(tagLength_, BytesLeft());
  const uint32_t outerLimit = PushLimit(bodyEnd);
  tag.Read(*this);
  PopLimit(outerLimit);
  SetPosition(bodyEnd);
}

void CSwfReader::CopyTagsTo(CSwfWriter& writer) const {
  for (const auto& tag : tags_) writer.AddTagRef(*tag);
}

void CSwfReader::AlignByte() {
  if (bitOffset_ > 0) {
    ++position_;
    bitOffset_ = 0;
  }
}

uint8_t CSwfReader::ReadUI8() {
  AlignByte();
  if (BytesLeft() < 1) return 0;
  return buffer_[position_++];
}

uint16_t CSwfReader::ReadUI16() {
  AlignByte();
  if (BytesLeft() < 2) return 0;
  const auto value = static_cast<uint16_t>(buffer_[position_] | buffer_[position_ + 1] << 8);
  position_ += 2;
  return value;
}

uint32_t CSwfReader::ReadUI32() {
  AlignByte();
  if (BytesLeft() < 4) return 0;
  const uint32_t value = LittleEndian32(buffer_, position_);
  position_ += 4;
  return value;
}

uint32_t CSwfReader::ReadBitsNearLimit(int n) {
  uint32_t result = 0;
  // Whole runs of the current byte at a time; bytes past the limit read as zeros.
  for (int remaining = n; remaining > 0;) {
    if (bitOffset_ == 8) {
      ++position_;
      bitOffset_ = 0;
    }
    const int available = 8 - bitOffset_;
    const int take = remaining < available ? remaining : available;
    const uint32_t byte = position_ < limit_ ? buffer_[position_] : 0;
    result = (result << take) | ((byte >> (available - take)) & ((1U << take) - 1));
    bitOffset_ += take;
    remaining -= take;
  }
  return result;
}

void CSwfReader::ReadString(std::string& text, uint32_t length) {
  text.clear();
  AlignByte();
  if (length > 0) {
    const uint32_t take = std::min(length, BytesLeft());
    text.assign(buffer_.begin() + position_, buffer_.begin() + position_ + take);
    position_ += take;
  } else {
    while (position_ < limit_) {
      const char c = static_cast<char>(buffer_[position_++]);
      if (c == '\0') break;
      text.push_back(c);
    }
  }
  if (!text.empty() && text.back() == '\0') text.pop_back();
}

void CSwfReader::ReadBytes(std::vector<uint8_t>& out, uint32_t length) {
  AlignByte();
  const uint32_t take = std::min(length, BytesLeft());
  out.assign(buffer_.begin() + position_, buffer_.begin() + position_ + take);
  position_ += take;
}

void CSwfReader::SetPosition(uint32_t position) {
  position_ = position;
  bitOffset_ = 0;
}

uint32_t CSwfReader::PushLimit(uint32_t end) {
  const uint32_t old = limit_;
  limit_ = std::min(end, old);
  return old;
}

}  // namespace swftk
