#pragma once

#include <cstdint>
#include <ostream>
#include <vector>

#include "swftk/header.h"
#include "swftk/object.h"

namespace swftk {

// Turns a list of tags into a SWF file. Tags are written exactly as given: the caller
// ends the list with an End tag.
class CSwfWriter {
 public:
  CSwfWriter() = default;
  CSwfWriter(const CSwfWriter&) = delete;
  CSwfWriter& operator=(const CSwfWriter&) = delete;
  virtual ~CSwfWriter() = default;

  // Frees the tags this writer owns and empties the list.
  virtual void Clear();
  // Appends a tag the writer owns from now on.
  void AddTag(std::unique_ptr<CSwfTag> tag);
  // Appends a tag that stays owned elsewhere and must outlive the writes.
  void AddTagRef(CSwfTag& tag);

  // Appends the whole file to out; returns header plus body bytes (without the final zero).
  // Returns 0 with out emptied when a record's length does not fit its field.
  // A supplied header receives the new file length and frame count.
  uint32_t Build(std::vector<uint8_t>& out, CSwfHeader* header);
  // Returns the bytes written, or 0 when the stream failed.
  uint32_t WriteTo(std::ostream& out, CSwfHeader* header);

  const std::vector<CSwfTag*>& GetTags() const { return tags_; }
  uint16_t GetFrameCount() const { return frameCount_; }

  int frameXMin = 0;
  int frameXMax = 20;
  int frameYMin = 0;
  int frameYMax = 20;
  float frameRate = 12.0F;

 private:
  std::vector<CSwfTag*> tags_;
  TagList owned_;
  uint16_t frameCount_ = 0;
};

class CSwfReader;

// The movie the reader holds, written again: its tags in order under its header (version,
// frame and rate kept; length and frame count recounted).
std::vector<uint8_t> RebuildMovie(CSwfReader& reader);

}  // namespace swftk
