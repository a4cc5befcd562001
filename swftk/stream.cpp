#include "swftk/stream.h"

#include <algorithm>
#include <bit>
#include <utility>

#include "swftk/object.h"

namespace swftk {

int BitsNeeded(int64_t value, bool isSigned) {
  const uint64_t magnitude =
      value < 0 ? static_cast<uint64_t>(-(value + 1)) + 1 : static_cast<uint64_t>(value);
  int width = magnitude == 0 ? 4 : std::bit_width(magnitude);
  if (width < 4) width = 4;
  return isSigned ? width + 1 : width;
}

int BitsNeededCapped(int64_t magnitude, bool isSigned) {
  const int width = BitsNeeded(magnitude, isSigned);
  return width > 31 ? 31 : width;
}

CSwfStream::CSwfStream(std::vector<uint8_t> reuse) : bytes_(std::move(reuse)) {
  bytes_.clear();
}

void CSwfStream::FlushBits() {
  if (bitCount_ == 0) return;
  lastFlushedIndex_ = static_cast<int>(bytes_.size());
  bytes_.push_back(bitBuffer_);
  bitBuffer_ = 0;
  bitCount_ = 0;
}

int CSwfStream::WriteByte(uint8_t value) {
  FlushBits();
  bytes_.push_back(value);
  return ByteCount();
}

void CSwfStream::WriteUI16(uint16_t value) {
  FlushBits();
  bytes_.push_back(static_cast<uint8_t>(value));
  bytes_.push_back(static_cast<uint8_t>(value >> 8));
}

void CSwfStream::WriteUI32(uint32_t value) {
  FlushBits();
  for (int shift = 0; shift < 32; shift += 8)
    bytes_.push_back(static_cast<uint8_t>(value >> shift));
}

void CSwfStream::WriteString(std::string_view text) {
  FlushBits();
  bytes_.insert(bytes_.end(), text.begin(), text.end());
}

void CSwfStream::AppendBytes(const std::vector<uint8_t>& data) {
  AppendBytes(data.data(), data.size());
}

void CSwfStream::AppendBytes(const uint8_t* data, size_t size) {
  FlushBits();
  bytes_.insert(bytes_.end(), data, data + size);
}

void CSwfStream::Append(CSwfStream& other) {
  FlushBits();
  other.FlushBits();
  lengthOverflow_ = lengthOverflow_ || other.lengthOverflow_;
  if (bytes_.empty()) {
    bytes_.swap(other.bytes_);
  } else {
    bytes_.insert(bytes_.end(), other.bytes_.begin(), other.bytes_.end());
  }
  other.bytes_.clear();
}

const std::vector<uint8_t>& CSwfStream::GetBytes() {
  FlushBits();
  return bytes_;
}

std::vector<uint8_t> CSwfStream::TakeBytes() {
  FlushBits();
  std::vector<uint8_t> taken;
  taken.swap(bytes_);
  return taken;
}

void CSwfStream::PatchUI16(size_t at, uint16_t value) {
  bytes_.at(at) = static_cast<uint8_t>(value);
  bytes_.at(at + 1) = static_cast<uint8_t>(value >> 8);
}

void CSwfStream::PatchUI32(size_t at, uint32_t value) {
  for (size_t i = 0; i < 4; ++i) bytes_.at(at + i) = static_cast<uint8_t>(value >> (8 * i));
}

void CSwfStream::EraseBytes(size_t at, size_t count) {
  if (at >= bytes_.size()) return;
  count = std::min(count, bytes_.size() - at);
  bytes_.erase(bytes_.begin() + static_cast<std::ptrdiff_t>(at),
               bytes_.begin() + static_cast<std::ptrdiff_t>(at + count));
}

uint32_t CSwfStream::WriteObject(const CSwfObj* obj) {
  return obj ? obj->Write(*this) : 0;
}

}  // namespace swftk
