// One tag at a time: the first two bytes give the tag code (little-endian, 10 bits as in a
// record header), the rest is the body. The tag a player's reader would make reads the body
// and is written; the body written must read and write back into the same bytes. DefineFont
// keeps its offset table as stored, so it is read as a rewrite reads it.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "swftk/reader.h"
#include "swftk/stream.h"
#include "swftk/tag_factory.h"

namespace {

// The framed tag written after the tag made for the code has read the body.
std::vector<uint8_t> ReadAndWrite(uint16_t code, std::vector<uint8_t> body) {
  const auto length = static_cast<uint32_t>(body.size());
  const swftk::TagModel model = code == swftk::tagcode::kDefineFont
                                    ? swftk::TagModel::kRewrite
                                    : swftk::TagModel::kEveryModelledTag;
  std::unique_ptr<swftk::CSwfTag> tag = swftk::MakeTag(code, length, 0, model);
  swftk::CSwfReader reader;
  reader.OpenFromBytes(std::move(body));
  tag->Read(reader);
  swftk::CSwfStream out;
  tag->Write(out);
  return out.GetBytes();
}

// The body of a framed tag, after its short or long record header.
std::vector<uint8_t> BodyOf(const std::vector<uint8_t>& framed) {
  if (framed.size() < 2) return {};
  const size_t header = (framed[0] & 63U) == 63U ? 6 : 2;
  if (framed.size() < header) return {};
  return std::vector<uint8_t>(framed.begin() + static_cast<std::ptrdiff_t>(header), framed.end());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const auto code = static_cast<uint16_t>((data[0] | data[1] << 8) & 0x3FF);
  const std::vector<uint8_t> once = ReadAndWrite(code, std::vector<uint8_t>(data + 2, data + size));
  if (ReadAndWrite(code, BodyOf(once)) != once) __builtin_trap();
  return 0;
}
