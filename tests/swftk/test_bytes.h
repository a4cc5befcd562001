#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "swftk/object.h"
#include "swftk/reader.h"
#include "swftk/stream.h"

namespace swftk::test {

using Bytes = std::vector<uint8_t>;

// The encoding of one object.
inline Bytes Encode(const CSwfObj& obj) {
  CSwfStream out;
  obj.Write(out);
  return out.GetBytes();
}

// Reads one framed tag into the given object as the tag loop would; returns the header's code.
inline uint16_t Decode(CSwfTag& tag, Bytes framed) {
  CSwfReader reader;
  reader.OpenFromBytes(std::move(framed));
  return reader.ReadTagInto(tag);
}

// Reads a record that is not a tag from the start of the bytes.
inline uint32_t DecodeRecord(CSwfObj& obj, Bytes bytes) {
  CSwfReader reader;
  reader.OpenFromBytes(std::move(bytes));
  return obj.Read(reader);
}

inline std::string Hex(const Bytes& bytes) {
  static const char* digits = "0123456789ABCDEF";
  std::string out;
  for (const uint8_t b : bytes) {
    if (!out.empty()) out += ' ';
    out += digits[b >> 4];
    out += digits[b & 15];
  }
  return out;
}

}  // namespace swftk::test
