#include "swftk/bitmap_tags.h"

#include "swftk/reader.h"
#include "swftk/stream.h"

namespace swftk {

uint32_t CSwfDefineBitsLossless::Read(CSwfReader& reader) {
  const uint32_t start = reader.GetPosition();
  characterId = reader.ReadUI16();
  format = reader.ReadUI8();
  width = reader.ReadUI16();
  height = reader.ReadUI16();
  colorTableSize = format == kColorMapped ? reader.ReadUI8() : 0;
  reader.ReadBytes(zlibData, reader.BytesLeft());
  return reader.GetPosition() - start;
}

uint32_t CSwfDefineBitsLossless::Write(CSwfStream& out) const {
  const Frame frame = BeginFrame(out);
  out.WriteUI16(characterId);
  out.WriteByte(format);
  out.WriteUI16(width);
  out.WriteUI16(height);
  if (format == kColorMapped) out.WriteByte(colorTableSize);
  out.AppendBytes(zlibData);
  return EndFrame(out, frame);
}

uint32_t CSwfJpegTables::Read(CSwfReader& reader) {
  const uint32_t start = reader.GetPosition();
  reader.ReadBytes(data, reader.BytesLeft());
  return reader.GetPosition() - start;
}

uint32_t CSwfJpegTables::Write(CSwfStream& out) const {
  const Frame frame = BeginFrame(out);
  out.AppendBytes(data);
  return EndFrame(out, frame);
}

CSwfDefineBitsJpeg::CSwfDefineBitsJpeg(uint16_t code) {
  if (code == tagcode::kDefineBits || code == tagcode::kDefineBitsJpeg3) tagCode = code;
}

uint32_t CSwfDefineBitsJpeg::Read(CSwfReader& reader) {
  const uint32_t start = reader.GetPosition();
  characterId = reader.ReadUI16();
  alphaData.clear();
  if (tagCode == tagcode::kDefineBitsJpeg3) {
    const uint32_t imageSize = reader.ReadUI32();
    reader.ReadBytes(imageData, imageSize);
    reader.ReadBytes(alphaData, reader.BytesLeft());
  } else {
    reader.ReadBytes(imageData, reader.BytesLeft());
  }
  return reader.GetPosition() - start;
}

uint32_t CSwfDefineBitsJpeg::Write(CSwfStream& out) const {
  const Frame frame = BeginFrame(out);
  out.WriteUI16(characterId);
  if (tagCode == tagcode::kDefineBitsJpeg3) out.WriteUI32(static_cast<uint32_t>(imageData.size()));
  out.AppendBytes(imageData);
  if (tagCode == tagcode::kDefineBitsJpeg3) out.AppendBytes(alphaData);
  return EndFrame(out, frame);
}

}  // namespace swftk
