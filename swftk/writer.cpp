#include "swftk/writer.h"

#include "swftk/stream.h"

namespace swftk {

void CSwfWriter::Clear() {
  tags_.clear();
  owned_.clear();
  frameCount_ = 0;
}

void CSwfWriter::AddTag(std::unique_ptr<CSwfTag> tag) {
  AddTagRef(*tag);
  owned_.push_back(std::move(tag));
}

void CSwfWriter::AddTagRef(CSwfTag& tag) {
  tags_.push_back(&tag);
  if (tag.GetTagCode() == tagcode::kShowFrame) ++frameCount_;
}

uint32_t CSwfWriter::Build(std::vector<uint8_t>& out, CSwfHeader* header) {
  frameCount_ = 0;
  CSwfStream body;
  for (const CSwfTag* tag : tags_) {
    tag->Write(body);
    if (tag->GetTagCode() == tagcode::kShowFrame) ++frameCount_;
  }
  const auto bodyBytes = static_cast<uint32_t>(body.ByteCount());

  CSwfHeader defaultHeader;
  if (header == nullptr) {
    header = &defaultHeader;
    header->SetFrame(frameXMin, frameYMin, frameXMax, frameYMax, frameRate);
    header->fileLength = static_cast<uint32_t>(tags_.size());
  }
  // The header's size does not depend on the file length it carries.
  CSwfStream measure;
  header->Write(measure);
  const auto headerBytes = static_cast<uint32_t>(measure.ByteCount());
  header->fileLength = headerBytes + bodyBytes + 1;
  header->frameCount = frameCount_;
  CSwfStream headerStream;
  header->Write(headerStream);

  const auto& headerData = headerStream.GetBytes();
  const auto& bodyData = body.GetBytes();
  out.insert(out.end(), headerData.begin(), headerData.end());
  out.insert(out.end(), bodyData.begin(), bodyData.end());
  out.push_back(0);
  return headerBytes + bodyBytes;
}

uint32_t CSwfWriter::WriteTo(std::ostream& out, CSwfHeader* header) {
  std::vector<uint8_t> file;
  Build(file, header);
  out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  return out ? static_cast<uint32_t>(file.size()) : 0;
}

}  // namespace swftk
