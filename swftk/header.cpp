#include "swftk/header.h"

#include <cmath>

#include "swftk/reader.h"
#include "swftk/stream.h"

namespace swftk {

void CSwfHeader::SetFrame(int xMinPx, int yMinPx, int xMaxPx, int yMaxPx, float rate) {
  frameRect.SetPixels(xMinPx, yMinPx, xMaxPx, yMaxPx);
  frameRate = rate;
}

void CSwfHeader::Setup(int widthPx, int heightPx, float rate, uint16_t count, uint8_t ver) {
  SetFrame(0, 0, widthPx, heightPx, rate);
  frameCount = count;
  version = ver;
}

uint32_t CSwfHeader::Write(CSwfStream& out) const {
  const int before = out.ByteCount();
  out.WriteString("FWS");
  out.WriteByte(version);
  out.WriteUI32(fileLength);
  frameRect.Write(out);
  const double whole = std::floor(frameRate);
  out.WriteByte(static_cast<uint8_t>(static_cast<int>((frameRate - whole) * 256.0)));
  out.WriteByte(static_cast<uint8_t>(static_cast<int>(whole)));
  out.WriteUI16(frameCount);
  return static_cast<uint32_t>(out.ByteCount() - before);
}

uint32_t CSwfHeader::Read(CSwfReader& reader, bool checkSignature) {
  const uint32_t start = reader.GetPosition();
  if (checkSignature) {
    for (const uint8_t expected : {'F', 'W', 'S', '\x04'}) {
      if (reader.ReadUI8() != expected) return 0;
    }
    version = 4;
  }
  ReadFields(reader);
  return reader.GetPosition() - start;
}

uint32_t CSwfHeader::ReadFields(CSwfReader& reader) {
  const uint32_t start = reader.GetPosition();
  fileLength = reader.ReadUI32();
  frameRect.Read(reader);
  const uint8_t fraction = reader.ReadUI8();
  frameRate = static_cast<float>(reader.ReadUI8()) + static_cast<float>(fraction) / 256.0F;
  frameCount = reader.ReadUI16();
  return reader.GetPosition() - start;
}

}  // namespace swftk
