#include <gtest/gtest.h>

#include <functional>

#include "shape_test_util.h"
#include "swftk/styles.h"
#include "test_bytes.h"

namespace swftk {
namespace {

using test::Bytes;
using test::DecodeRecord;
using test::Encode;
using test::Hex;

// The identity matrix: has scale, width 18, 1.0 and 1.0, no rotation, no translation.
const Bytes kIdentity{0b1'10010'01, 0x00, 0x00, 0b01'000000, 0x00, 0b00'0'00000};

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

std::unique_ptr<CSwfGradient> RedToBlue() {
  auto gradient = std::make_unique<CSwfGradient>();
  const auto add = [&gradient](uint8_t ratio, uint8_t red, uint8_t blue) {
    auto record = std::make_unique<CSwfGradientRecord>();
    record->Init(ratio, std::make_unique<CSwfColor>(red, 0, blue), 0);
    gradient->records.push_back(std::move(record));
  };
  add(0, 0xFF, 0);
  add(255, 0, 0xFF);
  return gradient;
}

struct FillCase {
  const char* name;
  uint8_t hasAlpha;
  std::function<void(CSwfFillStyle&)> set;
  Bytes bytes;
};

const FillCase kFillCases[] = {
    {"solid RGB",
     0,
     [](CSwfFillStyle& s) { s.SetSolid(std::make_unique<CSwfColor>(0x11, 0x22, 0x33), 0); },
     {0x00, 0x11, 0x22, 0x33}},
    {"solid RGBA",
     1,
     [](CSwfFillStyle& s) {
       s.SetSolid(std::make_unique<CSwfColorAlpha>(0x11, 0x22, 0x33, 0x44), 1);
     },
     {0x00, 0x11, 0x22, 0x33, 0x44}},
    {"linear gradient", 0,
     [](CSwfFillStyle& s) {
       s.SetGradient(CSwfFillStyle::kLinearGradient, std::make_unique<CSwfMatrix>(), RedToBlue());
     },
     Concat({{0x10}, kIdentity, {0x02, 0x00, 0xFF, 0x00, 0x00, 0xFF, 0x00, 0x00, 0xFF}})},
    {"radial gradient", 0,
     [](CSwfFillStyle& s) {
       s.SetGradient(CSwfFillStyle::kRadialGradient, std::make_unique<CSwfMatrix>(), RedToBlue());
     },
     Concat({{0x12}, kIdentity, {0x02, 0x00, 0xFF, 0x00, 0x00, 0xFF, 0x00, 0x00, 0xFF}})},
    {"clipped bitmap", 0,
     [](CSwfFillStyle& s) {
       s.SetBitmap(CSwfFillStyle::kClippedBitmap, 7, std::make_unique<CSwfMatrix>());
     },
     Concat({{0x41, 0x07, 0x00}, kIdentity})},
    {"repeating bitmap", 0,
     [](CSwfFillStyle& s) {
       s.SetBitmap(CSwfFillStyle::kRepeatingBitmap, 0x1234, std::make_unique<CSwfMatrix>());
     },
     Concat({{0x40, 0x34, 0x12}, kIdentity})},
    {"a later fill type carries nothing more",
     0,
     [](CSwfFillStyle& s) { s.fillType = 0x13; },
     {0x13}},
};

TEST(FillStyle, WritesItsEncoding) {
  for (const FillCase& c : kFillCases) {
    CSwfFillStyle style;
    c.set(style);
    EXPECT_EQ(Hex(Encode(style)), Hex(c.bytes)) << c.name;
  }
}

TEST(FillStyle, ReadsWhatItWrites) {
  for (const FillCase& c : kFillCases) {
    CSwfFillStyle style;
    style.hasAlpha = c.hasAlpha;
    Bytes bytes = c.bytes;
    bytes.push_back(0xEE);  // whatever follows is not consumed
    CSwfReader reader;
    reader.OpenFromBytes(bytes);
    style.Read(reader);
    // A matrix ends inside a byte; the next byte-level read starts after it.
    reader.AlignByte();
    EXPECT_EQ(reader.GetPosition(), c.bytes.size()) << c.name;
    EXPECT_EQ(Hex(Encode(style)), Hex(c.bytes)) << c.name;
  }
}

TEST(FillStyle, ReadsTheColourKindItIsGiven) {
  CSwfFillStyle rgb;
  DecodeRecord(rgb, {0x00, 1, 2, 3, 4});
  ASSERT_NE(rgb.color, nullptr);
  EXPECT_FALSE(rgb.color->HasAlpha());
  CSwfFillStyle rgba;
  rgba.hasAlpha = 1;
  DecodeRecord(rgba, {0x00, 1, 2, 3, 4});
  ASSERT_NE(rgba.color, nullptr);
  ASSERT_TRUE(rgba.color->HasAlpha());
  EXPECT_EQ(static_cast<const CSwfColorAlpha&>(*rgba.color).alpha, 4);
}

TEST(LineStyle, WritesWidthAndColour) {
  struct Case {
    uint8_t hasAlpha;
    std::unique_ptr<CSwfColor> (*color)();
    Bytes bytes;
  };
  const Case cases[] = {
      {0,
       []() -> std::unique_ptr<CSwfColor> { return std::make_unique<CSwfColor>(1, 2, 3); },
       {0x14, 0x00, 0x01, 0x02, 0x03}},
      {1,
       []() -> std::unique_ptr<CSwfColor> { return std::make_unique<CSwfColorAlpha>(1, 2, 3, 4); },
       {0x14, 0x00, 0x01, 0x02, 0x03, 0x04}},
      // A style without a colour still gives the format one: black, opaque with alpha.
      {0, []() -> std::unique_ptr<CSwfColor> { return nullptr; }, {0x14, 0x00, 0x00, 0x00, 0x00}},
      {1,
       []() -> std::unique_ptr<CSwfColor> { return nullptr; },
       {0x14, 0x00, 0x00, 0x00, 0x00, 0xFF}},
  };
  for (const Case& c : cases) {
    CSwfLineStyle style;
    style.Init(20, c.color(), c.hasAlpha);
    EXPECT_EQ(Hex(Encode(style)), Hex(c.bytes));
    CSwfLineStyle read;
    read.hasAlpha = c.hasAlpha;
    EXPECT_EQ(DecodeRecord(read, c.bytes), c.bytes.size());
    EXPECT_EQ(Hex(Encode(read)), Hex(c.bytes));
  }
}

TEST(GradientRecord, WithoutAColourIsWrittenBlack) {
  CSwfGradientRecord rgb;
  rgb.Init(128, nullptr, 0);
  EXPECT_EQ(Encode(rgb), (Bytes{0x80, 0x00, 0x00, 0x00}));
  CSwfGradientRecord rgba;
  rgba.Init(128, nullptr, 1);
  EXPECT_EQ(Encode(rgba), (Bytes{0x80, 0x00, 0x00, 0x00, 0xFF}));
}

TEST(StyleArrays, CountsBelow255TakeOneByteAndTheRestThree) {
  struct Case {
    int count;
    Bytes prefix;
  };
  const Case cases[] = {
      {0, {0x00}}, {1, {0x01}}, {254, {0xFE}}, {255, {0xFF, 0xFF, 0x00}}, {300, {0xFF, 0x2C, 0x01}},
  };
  for (const Case& c : cases) {
    const auto fills = test::SolidFills(c.count, 0);
    const Bytes bytes = Encode(*fills);
    ASSERT_EQ(bytes.size(), c.prefix.size() + 4U * c.count) << c.count;
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + c.prefix.size()), c.prefix) << c.count;

    CSwfFillStyleArray read;
    EXPECT_EQ(DecodeRecord(read, bytes), bytes.size()) << c.count;
    EXPECT_EQ(read.count, c.count);
    EXPECT_EQ(read.styles.size(), static_cast<size_t>(c.count));
    EXPECT_EQ(Encode(read), bytes) << c.count;
  }
}

TEST(StyleArrays, EmptyArraysAreAZeroByte) {
  CSwfFillStyleArray fills;
  CSwfLineStyleArray lines;
  EXPECT_EQ(Encode(fills), (Bytes{0x00}));
  EXPECT_EQ(Encode(lines), (Bytes{0x00}));
}

TEST(StyleArrays, LineStylesTakeTheArraysColourKind) {
  CSwfLineStyleArray lines;
  lines.Init(1);
  const Bytes bytes{0x02, 0x14, 0x00, 1, 2, 3, 4, 0x28, 0x00, 5, 6, 7, 8};
  EXPECT_EQ(DecodeRecord(lines, bytes), bytes.size());
  ASSERT_EQ(lines.styles.size(), 2U);
  EXPECT_EQ(lines.styles[1]->width, 40);
  ASSERT_TRUE(lines.styles[1]->color->HasAlpha());
  EXPECT_EQ(Encode(lines), bytes);
}

TEST(StyleArrays, IndexWidthIsTheCountUpTo15AndTheBitsNeededAbove) {
  struct Case {
    uint16_t count;
    uint8_t width;
  };
  const Case cases[] = {{0, 0},  {1, 1},  {3, 3},   {15, 15},    {16, 5},
                        {31, 5}, {32, 6}, {300, 9}, {32767, 15}, {65535, 15}};
  for (const Case& c : cases) {
    CSwfFillStyleArray fills;
    fills.count = c.count;
    EXPECT_EQ(fills.IndexBits(), c.width) << c.count;
    CSwfLineStyleArray lines;
    lines.count = c.count;
    EXPECT_EQ(lines.IndexBits(), c.width) << c.count;
  }
}

TEST(StyleArrays, AHugeCountOverShortDataStopsAtTheEnd) {
  struct Case {
    Bytes bytes;
    size_t styles;
  };
  const Case cases[] = {
      {{0xFF, 0xFF, 0xFF}, 0},
      {{0xFF, 0xFF, 0xFF, 0x00, 1, 2, 3}, 1},
      {{0xFF, 0xFF, 0xFF, 0x13, 0x13, 0x13}, 3},
  };
  for (const Case& c : cases) {
    CSwfFillStyleArray fills;
    DecodeRecord(fills, c.bytes);
    EXPECT_EQ(fills.styles.size(), c.styles) << Hex(c.bytes);
    EXPECT_EQ(fills.count, c.styles) << Hex(c.bytes);
  }
  CSwfGradient gradient;
  DecodeRecord(gradient, {0xFF, 0x00, 1, 2, 3});
  EXPECT_EQ(gradient.records.size(), 1U);
}

TEST(StyleArrays, CopiesAreDeep) {
  CSwfFillStyle gradientFill;
  gradientFill.SetGradient(CSwfFillStyle::kLinearGradient, std::make_unique<CSwfMatrix>(),
                           RedToBlue());
  auto source = test::SolidFills(2, 1);
  source->styles.push_back(std::make_unique<CSwfFillStyle>());
  source->styles.back()->CopyFrom(gradientFill);
  source->count = 3;
  const Bytes before = Encode(*source);

  CSwfFillStyleArray copy;
  copy.CopyFrom(*source);
  ASSERT_EQ(copy.styles.size(), 3U);
  EXPECT_EQ(copy.count, 3);
  EXPECT_NE(copy.styles[0]->color.get(), source->styles[0]->color.get());
  EXPECT_NE(copy.styles[2]->gradient.get(), source->styles[2]->gradient.get());
  source.reset();
  EXPECT_EQ(Encode(copy), before);
}

}  // namespace
}  // namespace swftk
