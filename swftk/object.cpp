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

uint32_t CSwfTag::WriteFramed(CSwfStream& out, CSwfStream& body, bool withHeader) const {
  body.FlushBits();
  const int before = out.ByteCount();
  if (withHeader) MakeTagHeader(out, static_cast<uint32_t>(body.ByteCount()));
  out.Append(body);
  return static_cast<uint32_t>(out.ByteCount() - before);
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
