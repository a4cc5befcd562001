#include "swftk/object.h"

#include <algorithm>

#include "swftk/reader.h"
#include "swftk/stream.h"

namespace swftk {
namespace {

// From this length on, the header's six length bits hold 63 and a 32-bit length follows.
constexpr uint32_t kLongLength = 63;

uint16_t HeaderWord(uint16_t code, uint32_t length) {
  return static_cast<uint16_t>(code << 6 | std::min(length, kLongLength));
}

}  // namespace

uint32_t CSwfObj::Read(CSwfReader&) {
  return 0;
}
uint32_t CSwfObj::Write(CSwfStream&) const {
  return 0;
}

void CSwfTag::MakeTagHeader(CSwfStream& out, uint32_t length) const {
  out.WriteUI16(HeaderWord(GetTagCode(), length));
  if (length >= kLongLength) out.WriteUI32(length);
}

CSwfTag::Frame CSwfTag::BeginFrame(CSwfStream& out, bool withHeader) {
  out.FlushBits();
  const Frame frame{static_cast<size_t>(out.ByteCount()), withHeader};
  if (withHeader) {
    out.WriteUI16(0);
    out.WriteUI32(0);
  }
  return frame;
}

uint32_t CSwfTag::EndFrame(CSwfStream& out, Frame frame) const {
  out.FlushBits();
  if (frame.withHeader) {
    constexpr size_t kLongHeader = 6;
    const auto length = static_cast<uint32_t>(out.ByteCount() - frame.start - kLongHeader);
    out.PatchUI16(frame.start, HeaderWord(GetTagCode(), length));
    if (length < kLongLength) {
      out.EraseBytes(frame.start + 2, kLongHeader - 2);
    } else {
      out.PatchUI32(frame.start + 2, length);
    }
  }
  return static_cast<uint32_t>(static_cast<size_t>(out.ByteCount()) - frame.start);
}

uint32_t CSwfTagUnknown::Read(CSwfReader& reader) {
  const uint32_t start = reader.GetPosition();
  reader.ReadBytes(data, length);
  return reader.GetPosition() - start;
}

uint32_t CSwfTagUnknown::Write(CSwfStream& out) const {
  const int before = out.ByteCount();
  MakeTagHeader(out, static_cast<uint32_t>(data.size()));
  out.AppendBytes(data);
  return static_cast<uint32_t>(out.ByteCount() - before);
}

}  // namespace swftk
