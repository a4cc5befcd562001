#include "swftk/object.h"

#include "swftk/reader.h"
#include "swftk/stream.h"

namespace swftk {

uint32_t CSwfObj::Read(CSwfReader&) {
  return 0;
}
uint32_t CSwfObj::Write(CSwfStream&) const {
  return 0;
}

void CSwfTag::MakeTagHeader(CSwfStream& out, uint32_t length) const {
  const auto code = static_cast<uint16_t>(GetTagCode() << 6);
  if (length < 63) {
    out.WriteUI16(static_cast<uint16_t>(code | length));
  } else {
    out.WriteUI16(static_cast<uint16_t>(code | 63));
    out.WriteUI32(length);
  }
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
    const auto code = static_cast<uint16_t>(GetTagCode() << 6);
    if (length < 63) {
      out.PatchUI16(frame.start, static_cast<uint16_t>(code | length));
      out.EraseBytes(frame.start + 2, kLongHeader - 2);
    } else {
      out.PatchUI16(frame.start, static_cast<uint16_t>(code | 63));
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
