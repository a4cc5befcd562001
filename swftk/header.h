#pragma once

#include "swftk/object.h"
#include "swftk/records.h"

namespace swftk {

// The SWF file header.
class CSwfHeader : public CSwfObj {
 public:
  void SetFrame(int xMinPx, int yMinPx, int xMaxPx, int yMaxPx, float rate);
  void Setup(int widthPx, int heightPx, float rate, uint16_t frameCount, uint8_t version);
  void SetFrameRate(float rate) { frameRate = rate; }
  void SetFrameCount(uint16_t count) { frameCount = count; }
  void SetFileLength(uint32_t length) { fileLength = length; }

  uint32_t Write(CSwfStream& out) const override;
  uint32_t Read(CSwfReader& reader) override { return Read(reader, true); }
  // With checkSignature, only "FWS" and version 4 pass; a mismatch returns 0.
  uint32_t Read(CSwfReader& reader, bool checkSignature);
  // The fields after the signature: file length, frame, rate and count.
  uint32_t ReadFields(CSwfReader& reader);

  float frameRate = 12.0F;
  uint16_t frameCount = 0;
  uint32_t fileLength = 0;
  uint8_t version = 4;
  CSwfRect frameRect;
};

}  // namespace swftk
