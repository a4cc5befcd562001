#include "swftk/control_tags.h"

#include "swftk/reader.h"
#include "swftk/stream.h"

namespace swftk {

template <uint16_t Code>
uint32_t CSwfEmptyTag<Code>::Write(CSwfStream& out) const {
  MakeTagHeader(out, 0);
  return 2;
}

template class CSwfEmptyTag<tagcode::kShowFrame>;
template class CSwfEmptyTag<tagcode::kEnd>;
template class CSwfEmptyTag<tagcode::kProtect>;

uint32_t CSwfSetBackgroundColor::Write(CSwfStream& out) const {
  MakeTagHeader(out, 3);
  color.Write(out);
  return 5;
}

uint32_t CSwfFrameLabel::Read(CSwfReader& reader) {
  const uint32_t start = reader.GetPosition();
  reader.ReadString(label, 0);
  return reader.GetPosition() - start;
}

uint32_t CSwfFrameLabel::Write(CSwfStream& out) const {
  const Frame frame = BeginFrame(out);
  out.WriteString(label);
  out.WriteByte(0);
  return EndFrame(out, frame);
}

}  // namespace swftk
