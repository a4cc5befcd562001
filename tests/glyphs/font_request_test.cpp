#include "glyphs/font_request.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace glyphs {
namespace {

// The first 28 bytes of a request as they are laid out, then its face name padded to 32 bytes.
std::array<uint8_t, kFontRequestSize> Layout(std::vector<uint8_t> fields, std::string face) {
  std::array<uint8_t, kFontRequestSize> bytes{};
  std::copy(fields.begin(), fields.end(), bytes.begin());
  std::copy(face.begin(), face.end(), bytes.begin() + 28);
  return bytes;
}

struct LayoutCase {
  const char* name;
  FontRequest request;
  std::array<uint8_t, kFontRequestSize> bytes;
};

FontRequest Make(int32_t height, int32_t width, int32_t escapement, int32_t orientation,
                 int32_t weight, std::array<uint8_t, 8> flags, const char* face) {
  FontRequest request;
  request.lfHeight = height;
  request.lfWidth = width;
  request.lfEscapement = escapement;
  request.lfOrientation = orientation;
  request.lfWeight = weight;
  request.lfItalic = flags[0];
  request.lfUnderline = flags[1];
  request.lfStrikeOut = flags[2];
  request.lfCharSet = flags[3];
  request.lfOutPrecision = flags[4];
  request.lfClipPrecision = flags[5];
  request.lfQuality = flags[6];
  request.lfPitchAndFamily = flags[7];
  request.SetFaceName(face);
  return request;
}

const LayoutCase kLayoutCases[] = {
    {"empty", FontRequest{}, Layout({}, "")},
    {"bold italic Arial at cell height 1024",
     Make(1024, 0, 0, 0, 700, {1, 0, 0, 0, 0, 0, 0, 0}, "Arial"),
     Layout({0x00, 0x04, 0x00, 0x00,  // height
             0x00, 0x00, 0x00, 0x00,  // width
             0x00, 0x00, 0x00, 0x00,  // escapement
             0x00, 0x00, 0x00, 0x00,  // orientation
             0xBC, 0x02, 0x00, 0x00,  // weight
             0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00},
            "Arial")},
    {"every field distinct, negative values",
     Make(-12, 7, 900, -900, 0x01020304, {0xFF, 1, 1, 0x80, 3, 2, 4, 0x22}, "Times New Roman"),
     Layout({0xF4, 0xFF, 0xFF, 0xFF,  // height -12
             0x07, 0x00, 0x00, 0x00,  // width
             0x84, 0x03, 0x00, 0x00,  // escapement 900
             0x7C, 0xFC, 0xFF, 0xFF,  // orientation -900
             0x04, 0x03, 0x02, 0x01,  // weight, low byte first
             0xFF, 0x01, 0x01, 0x80, 0x03, 0x02, 0x04, 0x22},
            "Times New Roman")},
};

TEST(FontRequestLayout, SerialisesByteForByte) {
  for (const LayoutCase& c : kLayoutCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.request.Serialise(), c.bytes);
  }
}

TEST(FontRequestLayout, ParsesByteForByte) {
  for (const LayoutCase& c : kLayoutCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(FontRequest::Parse(c.bytes), c.request);
  }
}

TEST(FontRequestFaceName, KeepsThirtyOneCharactersAndATerminator) {
  const std::string exact(31, 'x');
  const std::string full(32, 'y');
  const std::string longer(45, 'z');
  FontRequest request;

  request.SetFaceName(exact);
  EXPECT_EQ(request.GetFaceName(), exact);

  request.SetFaceName(full);
  EXPECT_EQ(request.GetFaceName(), full.substr(0, 31));
  EXPECT_EQ(request.Serialise()[59], 0);

  request.SetFaceName(longer);
  EXPECT_EQ(request.GetFaceName(), longer.substr(0, 31));

  // A shorter name after a longer one leaves nothing of the old one behind.
  request.SetFaceName("Arial");
  EXPECT_EQ(request.Serialise(), Make(0, 0, 0, 0, 0, {}, "Arial").Serialise());
}

TEST(FontRequestFaceName, StoredNameWithoutTerminatorIsCut) {
  std::array<uint8_t, kFontRequestSize> bytes{};
  std::fill(bytes.begin() + 28, bytes.end(), 'q');
  const FontRequest request = FontRequest::Parse(bytes);
  EXPECT_EQ(request.GetFaceName(), std::string(31, 'q'));
  EXPECT_EQ(request.Serialise()[59], 0);
}

}  // namespace
}  // namespace glyphs
