#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "swftk/actions.h"
#include "swftk/control_tags.h"
#include "swftk/header.h"
#include "swftk/place_object.h"
#include "swftk/reader.h"
#include "swftk/sprite.h"
#include "swftk/tag_factory.h"
#include "swftk/writer.h"
#include "test_bytes.h"

namespace swftk {
namespace {

using test::Bytes;
using test::Encode;

Bytes Build(CSwfWriter& writer, CSwfHeader* header = nullptr) {
  Bytes out;
  writer.Build(out, header);
  return out;
}

std::string TempPath(const std::string& name) {
  return ::testing::TempDir() + "/" + name;
}

void WriteFile(const std::string& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

TEST(TagHeader, ShortFormBelow63BytesLongFormFrom63) {
  CSwfTagUnknown tag(10, 0);
  tag.data.assign(62, 0xAA);
  Bytes bytes = Encode(tag);
  EXPECT_EQ(bytes.size(), 64U);
  EXPECT_EQ(bytes[0], 0xBE);  // 10 * 64 + 62
  EXPECT_EQ(bytes[1], 0x02);
  tag.data.assign(63, 0xAA);
  bytes = Encode(tag);
  EXPECT_EQ(bytes.size(), 69U);
  EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 6), (Bytes{0xBF, 0x02, 63, 0, 0, 0}));
}

// Modelled tags write their bodies straight into the output and fix the header afterwards,
// also when one tag's body holds others.
TEST(TagHeader, ModelledTagsChooseTheFormByTheirBodyLength) {
  for (const size_t labelLength : {size_t{61}, size_t{62}}) {
    CSwfFrameLabel label;
    label.label.assign(labelLength, 'x');
    const size_t body = labelLength + 1;
    const Bytes labelBytes = Encode(label);
    ASSERT_EQ(labelBytes.size(), body + (body < 63 ? 2 : 6)) << labelLength;
    EXPECT_EQ(labelBytes[0] & 63, body < 63 ? body : 63) << labelLength;

    CSwfDefineSprite sprite(7, 1);
    std::unique_ptr<CSwfTag> inner = std::make_unique<CSwfFrameLabel>();
    static_cast<CSwfFrameLabel&>(*inner).label = label.label;
    sprite.AddTag(inner);
    CSwfStream out;
    out.WriteByte(0x11);  // the frame starts mid-stream
    sprite.Write(out);
    const Bytes& bytes = out.GetBytes();
    const size_t spriteBody = 4 + labelBytes.size() + 2;  // id, count, label, end tag
    ASSERT_EQ(bytes.size(), 1 + 6 + spriteBody) << labelLength;
    EXPECT_EQ(Bytes(bytes.begin() + 3, bytes.begin() + 7),
              (Bytes{static_cast<uint8_t>(spriteBody), 0, 0, 0}));
    EXPECT_EQ(Bytes(bytes.begin() + 11, bytes.end() - 2), labelBytes) << labelLength;
  }
}

TEST(ControlTags, Encodings) {
  CSwfSetBackgroundColor background;
  background.SetColor(10, 20, 30);
  struct Case {
    const CSwfTag& tag;
    Bytes bytes;
  };
  const CSwfFrameLabel label("go");
  const Case cases[] = {
      {CSwfShowFrame(), {0x40, 0x00}},
      {CSwfEnd(), {0x00, 0x00}},
      {CSwfProtect(), {0x00, 0x06}},
      {background, {0x43, 0x02, 0x0A, 0x14, 0x1E}},
      {label, {0xC3, 0x0A, 'g', 'o', 0x00}},
      {CSwfRemoveObject2(1, 3), {0x02, 0x07, 0x03, 0x00}},
      {CSwfRemoveObject(2, 3), {0x44, 0x01, 0x02, 0x00, 0x03, 0x00}},
  };
  for (const Case& c : cases) EXPECT_EQ(Encode(c.tag), c.bytes) << TagName(c.tag.GetTagCode());
}

TEST(Header, WritesVersionRateAndFrame) {
  CSwfHeader header;
  header.Setup(550, 400, 12.5F, 3, 3);
  header.fileLength = 0x01020304;
  const Bytes bytes = Encode(header);
  ASSERT_EQ(bytes.size(), 8U + 9U + 4U);
  EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 8), (Bytes{'F', 'W', 'S', 3, 4, 3, 2, 1}));
  EXPECT_EQ(Bytes(bytes.end() - 4, bytes.end()), (Bytes{0x80, 12, 3, 0}));
}

TEST(Writer, BuildWithoutHeaderUsesTheWriterDefaults) {
  CSwfWriter writer;
  writer.AddTag(std::make_unique<CSwfShowFrame>());
  writer.AddTag(std::make_unique<CSwfShowFrame>());
  writer.AddTag(std::make_unique<CSwfEnd>());
  const Bytes file = Build(writer);
  // frame 0..400 twips: n = 10, 45 bits, 6 bytes
  const Bytes expected = {'F',  'W',  'S',  4, 25, 0,    0,    0,    0x50, 0x00, 0xC8, 0x00, 0x0C,
                          0x80, 0x00, 0x0C, 2, 0,  0x40, 0x00, 0x40, 0x00, 0x00, 0x00, 0x00};
  EXPECT_EQ(file, expected) << test::Hex(file);
  EXPECT_EQ(writer.GetFrameCount(), 2);
}

TEST(Writer, SuppliedHeaderReceivesLengthAndFrameCount) {
  CSwfWriter writer;
  CSwfShowFrame frame;
  writer.AddTagRef(frame);
  writer.AddTag(std::make_unique<CSwfEnd>());
  CSwfHeader header;
  header.Setup(100, 50, 24.0F, 0, 3);
  const Bytes file = Build(writer, &header);
  EXPECT_EQ(header.frameCount, 1);
  EXPECT_EQ(header.fileLength, file.size());
  EXPECT_EQ(file[3], 3);
  EXPECT_EQ(file.back(), 0);
}

TEST(Reader, ABodyOfOneEndTag) {
  CSwfWriter writer;
  writer.AddTag(std::make_unique<CSwfEnd>());
  CSwfReader reader;
  ASSERT_EQ(reader.OpenMovieBytes(Build(writer)), OpenResult::kOk);
  ASSERT_EQ(reader.GetTags().size(), 1U);
  EXPECT_EQ(reader.GetTags()[0]->GetTagCode(), tagcode::kEnd);
  EXPECT_EQ(reader.GetFrameCount(), 0);
}

TEST(Reader, OpenChecksSignatureAndVersion) {
  CSwfReader reader;
  EXPECT_EQ(reader.Open(TempPath("does-not-exist.swf"), true, true), 1);
  EXPECT_EQ(reader.Open(::testing::TempDir(), true, true), 1) << "a folder";
  EXPECT_EQ(reader.OpenMovie(::testing::TempDir()), OpenResult::kCannotOpen);
  const std::string path = TempPath("version5.swf");
  WriteFile(path, {'F', 'W', 'S', 5, 12, 0, 0, 0, 0, 0, 0, 0});
  EXPECT_EQ(reader.Open(path, true, true), 2);
  WriteFile(path, {'C', 'W', 'S', 4, 12, 0, 0, 0, 0, 0, 0, 0});
  EXPECT_EQ(reader.Open(path, true, true), 2);
}

TEST(Reader, OpenWithoutSignatureTakesTheLengthFieldFirst) {
  CSwfWriter writer;
  writer.AddTag(std::make_unique<CSwfShowFrame>());
  writer.AddTag(std::make_unique<CSwfEnd>());
  Bytes file = Build(writer);
  const Bytes stripped(file.begin() + 4, file.end());
  const std::string path = TempPath("stripped.kvx");
  WriteFile(path, stripped);
  CSwfReader reader;
  ASSERT_EQ(reader.Open(path, false, true), 0);
  EXPECT_EQ(reader.GetFrameCount(), 1);
  EXPECT_EQ(reader.GetHeader().frameRate, 12.0F);
  ASSERT_EQ(reader.GetTags().size(), 2U);
}

TEST(Reader, UnknownTagsComeBackByteForByte) {
  const Bytes defineFont = {0x86, 0x02, 1, 0, 2, 0, 0x10, 0x20};  // code 10, length 6
  Bytes file = {'F', 'W', 'S', 4, 0, 0, 0, 0, 0b00101'000, 0, 0, 0, 0, 12, 0, 0};
  file.insert(file.end(), defineFont.begin(), defineFont.end());
  file.insert(file.end(), {0, 0});
  file[4] = static_cast<uint8_t>(file.size());
  CSwfReader reader;
  ASSERT_EQ(reader.OpenMovieBytes(file), OpenResult::kOk);
  ASSERT_EQ(reader.GetTags().size(), 2U);
  auto* unknown = dynamic_cast<CSwfTagUnknown*>(reader.GetTags()[0].get());
  ASSERT_NE(unknown, nullptr);
  EXPECT_EQ(Encode(*unknown), defineFont);
}

// A movie whose tags disagree with their declared lengths.
Bytes MovieWithBody(const Bytes& body) {
  const Bytes header = {'F', 'W', 'S', 4, 0, 0, 0, 0, 0b00101'000, 0, 0, 0, 0, 12, 0, 0};
  Bytes file(header.size() + body.size());
  std::copy(body.begin(), body.end(), std::copy(header.begin(), header.end(), file.begin()));
  file[4] = static_cast<uint8_t>(file.size());
  return file;
}

TEST(Reader, ATagReadShortOfItsLengthDoesNotDesynchroniseTheLoop) {
  // A FrameLabel declared 6 bytes whose string ends after 3, then ShowFrame and End.
  const Bytes body = {0xC6, 0x0A, 'a', 'b', 0, 'x', 'y', 'z', 0x40, 0x00, 0x00, 0x00};
  CSwfReader reader;
  ASSERT_EQ(reader.OpenMovieBytes(MovieWithBody(body)), OpenResult::kOk);
  ASSERT_EQ(reader.GetTags().size(), 3U);
  EXPECT_EQ(static_cast<CSwfFrameLabel&>(*reader.GetTags()[0]).label, "ab");
  EXPECT_EQ(reader.GetTags()[1]->GetTagCode(), tagcode::kShowFrame);
  EXPECT_EQ(reader.GetFrameCount(), 1);
}

TEST(Reader, ATagNeverReadsPastItsDeclaredEnd) {
  // A FrameLabel declared 2 bytes without its terminator, then ShowFrame and End.
  const Bytes body = {0xC2, 0x0A, 'a', 'b', 0x40, 0x00, 0x00, 0x00};
  CSwfReader reader;
  ASSERT_EQ(reader.OpenMovieBytes(MovieWithBody(body)), OpenResult::kOk);
  ASSERT_EQ(reader.GetTags().size(), 3U);
  EXPECT_EQ(static_cast<CSwfFrameLabel&>(*reader.GetTags()[0]).label, "ab");
  EXPECT_EQ(reader.GetTags()[1]->GetTagCode(), tagcode::kShowFrame);
}

TEST(Reader, ATruncatedFileEndsWithAMadeUpEndTag) {
  // ShowFrame, then a tag whose declared length runs past the data.
  const Bytes body = {0x40, 0x00, 0xBF, 0x02, 0xFF, 0xFF, 0xFF, 0x7F, 1, 2};
  CSwfReader reader;
  ASSERT_EQ(reader.OpenMovieBytes(MovieWithBody(body)), OpenResult::kOk);
  ASSERT_EQ(reader.GetTags().size(), 3U);
  EXPECT_EQ(static_cast<CSwfTagUnknown&>(*reader.GetTags()[1]).data, (Bytes{1, 2}));
  EXPECT_EQ(reader.GetTags()[2]->GetTagCode(), tagcode::kEnd);
}

TEST(Reader, OpenMovieAcceptsAnyVersionAndCompressedFiles) {
  CSwfWriter writer;
  writer.AddTag(std::make_unique<CSwfShowFrame>());
  writer.AddTag(std::make_unique<CSwfEnd>());
  CSwfHeader header;
  header.Setup(320, 240, 30.0F, 0, 6);
  const Bytes plain = Build(writer, &header);

  CSwfReader reader;
  ASSERT_EQ(reader.OpenMovieBytes(plain), OpenResult::kOk);
  EXPECT_EQ(reader.GetHeader().version, 6);
  EXPECT_EQ(reader.GetHeader().frameRect.xMax, 6400);

  // zlib stream of the body, stored (uncompressed) deflate blocks built by hand.
  const Bytes body(plain.begin() + 8, plain.end());
  Bytes compressed(plain.begin(), plain.begin() + 8);
  compressed[0] = 'C';
  compressed.insert(compressed.end(), {0x78, 0x01, 0x01});
  const auto n = static_cast<uint16_t>(body.size());
  compressed.insert(compressed.end(), {static_cast<uint8_t>(n), static_cast<uint8_t>(n >> 8),
                                       static_cast<uint8_t>(~n), static_cast<uint8_t>(~n >> 8)});
  compressed.insert(compressed.end(), body.begin(), body.end());
  uint32_t a = 1;
  uint32_t b = 0;
  for (const uint8_t byte : body) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  const uint32_t adler = b << 16 | a;
  compressed.insert(compressed.end(),
                    {static_cast<uint8_t>(adler >> 24), static_cast<uint8_t>(adler >> 16),
                     static_cast<uint8_t>(adler >> 8), static_cast<uint8_t>(adler)});
  ASSERT_EQ(reader.OpenMovieBytes(compressed), OpenResult::kOk);
  EXPECT_EQ(reader.GetHeader().version, 6);
  EXPECT_EQ(reader.GetFrameCount(), 1);
  EXPECT_EQ(reader.GetBuffer(), plain);

  Bytes damaged(compressed.begin(), compressed.begin() + 8);
  damaged.insert(damaged.end(), {0xFF, 0xFF, 0xFF, 0xFF});
  EXPECT_EQ(reader.OpenMovieBytes(damaged), OpenResult::kBadCompressedData);
  Bytes huge = compressed;
  huge[7] = 0x7F;
  EXPECT_EQ(reader.OpenMovieBytes(huge), OpenResult::kTooLarge);
  EXPECT_EQ(reader.OpenMovieBytes({'X', 'W', 'S', 4, 8, 0, 0, 0}), OpenResult::kBadSignature);
  EXPECT_EQ(reader.OpenMovie(TempPath("missing.swf")), OpenResult::kCannotOpen);
}

TEST(Reader, DeeplyNestedSpritesBecomeUnknownBytes) {
  // Sprites nested far beyond the bound: each level is a DefineSprite holding the next.
  Bytes inner = {0x00, 0x00};
  for (int level = 0; level < 200; ++level) {
    Bytes sprite = {1, 0, 1, 0};
    sprite.insert(sprite.end(), inner.begin(), inner.end());
    sprite.insert(sprite.end(), {0x00, 0x00});
    const auto length = static_cast<uint32_t>(sprite.size());
    inner = {0xFF,
             0x09,
             static_cast<uint8_t>(length),
             static_cast<uint8_t>(length >> 8),
             static_cast<uint8_t>(length >> 16),
             0};
    inner.insert(inner.end(), sprite.begin(), sprite.end());
  }
  CSwfReader reader;
  reader.OpenFromBytes(inner);
  reader.ReadTags();
  int depth = 0;
  const CSwfTag* tag = reader.GetTags()[0].get();
  while (const auto* sprite = dynamic_cast<const CSwfDefineSprite*>(tag)) {
    ++depth;
    tag = sprite->GetTags()[0].get();
  }
  EXPECT_EQ(depth, CSwfReader::kMaxSpriteNesting);
  EXPECT_NE(dynamic_cast<const CSwfTagUnknown*>(tag), nullptr);
}

TEST(TagNames, PublishedNames) {
  EXPECT_STREQ(TagName(0), "End");
  EXPECT_STREQ(TagName(26), "PlaceObject2");
  EXPECT_STREQ(TagName(39), "DefineSprite");
  EXPECT_STREQ(TagName(48), "DefineFont2");
  EXPECT_STREQ(TagName(83), "DefineShape4");
  EXPECT_STREQ(TagName(94), "PlaceObject4");
  EXPECT_STREQ(TagName(1000), "Unknown");
}

}  // namespace
}  // namespace swftk
