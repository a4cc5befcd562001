#pragma once

#include <initializer_list>
#include <random>

#include "test_bytes.h"

namespace swftk::test {

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

}  // namespace swftk::test
