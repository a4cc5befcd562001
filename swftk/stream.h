#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace swftk {

class CSwfObj;

// Width of a variable-width bit field: at least 4 bits, one more for the sign.
// Works on the magnitude, so -16 needs 6 bits where two's complement would do with 5.
int BitsNeeded(int64_t value, bool isSigned);

// Width for values written behind a 5-bit width field, which holds at most 31.
int BitsNeededCapped(int64_t magnitude, bool isSigned);

// Append-only output with a bit accumulator; every SWF object writes itself into one.
class CSwfStream {
 public:
  CSwfStream() = default;
  // Writes into the storage of `reuse` (its contents are dropped), so a caller that knows
  // roughly how much will be written can reserve it once.
  explicit CSwfStream(std::vector<uint8_t> reuse);
  CSwfStream(const CSwfStream&) = delete;
  CSwfStream& operator=(const CSwfStream&) = delete;
  CSwfStream(CSwfStream&&) = default;
  CSwfStream& operator=(CSwfStream&&) = default;
  virtual ~CSwfStream() = default;

  void FlushBits();
  int WriteByte(uint8_t value);
  void WriteUI16(uint16_t value);
  void WriteSI16(int16_t value) { WriteUI16(static_cast<uint16_t>(value)); }
  void WriteUI32(uint32_t value);
  // Shape records are written field by field, so this is the hot path of writing. The pending
  // bits and the new ones meet in one accumulator; whole bytes go out and the last 1 to 8 bits
  // stay pending, so a full byte is only counted once something follows.
  void WriteBits(int64_t value, int n) {
    if (n <= 0) return;
    if (n > 32) n = 32;
    const uint64_t newBits = static_cast<uint64_t>(value) & ((uint64_t{1} << n) - 1);
    const uint64_t accumulator = (uint64_t{bitBuffer_} >> (8 - bitCount_)) << n | newBits;
    int total = bitCount_ + n;
    while (total > 8) {
      total -= 8;
      bytes_.push_back(static_cast<uint8_t>(accumulator >> total));
    }
    bitBuffer_ = static_cast<uint8_t>((accumulator & ((1U << total) - 1)) << (8 - total));
    bitCount_ = total;
  }
  void WriteString(std::string_view text);
  void AppendBytes(const std::vector<uint8_t>& data);
  void AppendBytes(const uint8_t* data, size_t size);
  void Append(CSwfStream& other);
  const std::vector<uint8_t>& GetBytes();
  // Moves the bytes out (pending bits flushed); the stream is left empty.
  std::vector<uint8_t> TakeBytes();
  // Overwrites bytes already written, little-endian, from the given index.
  void PatchUI16(size_t at, uint16_t value);
  void PatchUI32(size_t at, uint32_t value);
  // Removes complete bytes already written, closing the gap.
  void EraseBytes(size_t at, size_t count);
  uint32_t WriteObject(const CSwfObj* obj);

  // A record whose length does not fit its length field marks the stream; what it holds then
  // cannot be read back as written, and a writer refuses to give it out as a file.
  void MarkLengthOverflow() { lengthOverflow_ = true; }
  bool LengthOverflow() const { return lengthOverflow_; }

  // Complete bytes so far; pending bits are not counted.
  int ByteCount() const { return static_cast<int>(bytes_.size()); }
  int LastFlushedIndex() const { return lastFlushedIndex_; }

 private:
  std::vector<uint8_t> bytes_;
  uint8_t bitBuffer_ = 0;
  int bitCount_ = 0;
  int lastFlushedIndex_ = 0;
  bool lengthOverflow_ = false;
};

}  // namespace swftk
