#include "swftk/writer.h"

#include "swftk/reader.h"
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
  CSwfHeader defaultHeader;
  if (header == nullptr) {
    header = &defaultHeader;
    header->SetFrame(frameXMin, frameYMin, frameXMax, frameYMax, frameRate);
    header->fileLength = static_cast<uint32_t>(tags_.size());
  }
  // The header's size does not depend on the length and count it carries, so the tags are
  // written straight after it and those two fields are filled in at the end.
  // An empty output lends its reserved storage to the stream.
  const bool writeInPlace = out.empty();
  CSwfStream file(writeInPlace ? std::move(out) : std::vector<uint8_t>());
  header->Write(file);
  const auto headerBytes = static_cast<uint32_t>(file.ByteCount());
  frameCount_ = 0;
  for (const CSwfTag* tag : tags_) {
    tag->Write(file);
    if (tag->GetTagCode() == tagcode::kShowFrame) ++frameCount_;
  }
  const auto bodyBytes = static_cast<uint32_t>(file.ByteCount()) - headerBytes;
  file.WriteByte(0);
  header->fileLength = headerBytes + bodyBytes + 1;
  header->frameCount = frameCount_;
  file.PatchUI32(4, header->fileLength);
  file.PatchUI16(headerBytes - 2, frameCount_);

  if (file.LengthOverflow()) {
    out.clear();
    return 0;
  }
  if (writeInPlace) {
    out = file.TakeBytes();
  } else {
    const auto& bytes = file.GetBytes();
    out.insert(out.end(), bytes.begin(), bytes.end());
  }
  return headerBytes + bodyBytes;
}

uint32_t CSwfWriter::WriteTo(std::ostream& out, CSwfHeader* header) {
  std::vector<uint8_t> file;
  Build(file, header);
  out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  return out ? static_cast<uint32_t>(file.size()) : 0;
}

std::vector<uint8_t> RebuildMovie(CSwfReader& reader) {
  CSwfWriter writer;
  reader.CopyTagsTo(writer);
  std::vector<uint8_t> movie;
  movie.reserve(reader.GetBuffer().size() + 64);  // a rewrite comes out about as long
  writer.Build(movie, &reader.GetHeader());
  return movie;
}

}  // namespace swftk
