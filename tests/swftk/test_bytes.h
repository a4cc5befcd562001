#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "swftk/object.h"
#include "swftk/reader.h"
#include "swftk/stream.h"

namespace swftk::test {

using Bytes = std::vector<uint8_t>;

// Encodings that many records embed.
inline const Bytes kIdentityMatrix = {0b1'10010'01, 0, 0, 0b01'000000, 0, 0};
inline const Bytes kEmptyRect = {0b00101'000, 0, 0, 0};
inline const Bytes kSmallRect = {0b00110'000, 0b000'01010, 0b0'000000'0, 0b10100'000};  // 0..20

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

// The parts one after the other, so expected bytes can be laid out field by field.
inline Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

// A tag body behind the record header the writer would give it.
inline Bytes Framed(uint16_t code, const Bytes& body) {
  CSwfTagUnknown tag(code, 0);
  tag.data = body;
  return Encode(tag);
}

// The body of a framed tag.
inline Bytes Body(const Bytes& framed) {
  const size_t header = (framed[0] & 63) == 63 ? 6 : 2;
  return Bytes(framed.begin() + static_cast<std::ptrdiff_t>(header), framed.end());
}

// Damaged tag bodies: every proper prefix of each valid body, then random bodies shorter than
// maxLength from a fixed seed, so a failure repeats.
inline std::vector<Bytes> DamagedBodies(std::initializer_list<Bytes> valid, uint32_t seed,
                                        int randomCount, size_t maxLength) {
  std::vector<Bytes> bodies;
  for (const Bytes& body : valid)
    for (size_t n = 0; n < body.size(); ++n)
      bodies.emplace_back(body.begin(), body.begin() + static_cast<std::ptrdiff_t>(n));
  std::mt19937 random(seed);
  for (int i = 0; i < randomCount; ++i) {
    Bytes body(random() % maxLength);
    for (uint8_t& b : body) b = static_cast<uint8_t>(random());
    bodies.push_back(std::move(body));
  }
  return bodies;
}

// What a fresh tag reads of the framed bytes and writes again.
template <class Tag>
Bytes Reencode(const Bytes& framed, Tag blank = Tag()) {
  Decode(blank, framed);
  return Encode(blank);
}

// Damaged bodies read as the tag loop would give tags that write back stably.
inline void ExpectDamagedBodiesReadStably(uint16_t code,
                                          const std::function<std::unique_ptr<CSwfTag>()>& make,
                                          const std::vector<Bytes>& bodies) {
  for (const Bytes& body : bodies) {
    SCOPED_TRACE(Hex(body));
    const auto tag = make();
    Decode(*tag, Framed(code, body));
    const Bytes once = Encode(*tag);
    const auto again = make();
    Decode(*again, once);
    ASSERT_EQ(Hex(Encode(*again)), Hex(once));
  }
}

}  // namespace swftk::test
