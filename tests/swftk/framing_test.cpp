#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "swftk/actions.h"
#include "swftk/control_tags.h"
#include "swftk/define_shape.h"
#include "swftk/header.h"
#include "swftk/place_object.h"
#include "swftk/processor.h"
#include "swftk/reader.h"
#include "swftk/sprite.h"
#include "swftk/tag_factory.h"
#include "swftk/writer.h"
#include "test_bytes.h"

namespace swftk {
namespace {

using test::Bytes;
using test::Concat;
using test::Encode;
using test::Hex;

Bytes Build(CSwfWriter& writer, CSwfHeader* header = nullptr) {
  Bytes out;
  writer.Build(out, header);
  return out;
}

// A movie of one ShowFrame and the End tag.
Bytes OneFrameMovie(CSwfHeader* header = nullptr) {
  CSwfWriter writer;
  writer.AddTag(std::make_unique<CSwfShowFrame>());
  writer.AddTag(std::make_unique<CSwfEnd>());
  return Build(writer, header);
}

std::string TempFile(const std::string& name, const Bytes& bytes) {
  const std::string path = ::testing::TempDir() + "/" + name;
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  return path;
}

TEST(TagHeader, ShortFormBelow63BytesLongFormFrom63) {
  CSwfTagUnknown tag(10, 0);
  tag.data.assign(62, 0xAA);
  Bytes bytes = Encode(tag);
  EXPECT_EQ(bytes.size(), 64U);
  EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 2), (Bytes{0xBE, 0x02}));  // 10 * 64 + 62
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
    std::unique_ptr<CSwfTag> inner = std::make_unique<CSwfFrameLabel>(label.label);
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
  const CSwfFrameLabel label("go");
  struct Case {
    const CSwfTag& tag;
    Bytes bytes;
  };
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
  CSwfHeader header;
  header.Setup(550, 400, 12.5F, 3, 3);
  const Bytes file = OneFrameMovie(&header);
  EXPECT_EQ(header.frameCount, 1);
  EXPECT_EQ(header.fileLength, file.size());
  // Signature, version, length; the frame's 9 bytes; rate 12.5 in 8.8 and the frame count.
  EXPECT_EQ(Bytes(file.begin(), file.begin() + 8), (Bytes{'F', 'W', 'S', 3, 26, 0, 0, 0}));
  EXPECT_EQ(Bytes(file.begin() + 17, file.begin() + 21), (Bytes{0x80, 12, 1, 0}));
}

TEST(Reader, OpenChecksSignatureAndVersionUnlessToldNotTo) {
  CSwfReader reader;
  EXPECT_EQ(reader.Open(::testing::TempDir() + "/does-not-exist.swf", true, true), 1);
  EXPECT_EQ(reader.Open(::testing::TempDir(), true, true), 1) << "a folder";
  EXPECT_EQ(reader.OpenMovie(::testing::TempDir()), OpenResult::kCannotOpen);
  const Bytes v5 = {'F', 'W', 'S', 5, 12, 0, 0, 0, 0, 0, 0, 0};
  const Bytes compressed = {'C', 'W', 'S', 4, 12, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(reader.Open(TempFile("v5.swf", v5), true, true), 2);
  EXPECT_EQ(reader.Open(TempFile("c4.swf", compressed), true, true), 2);
  // Without the signature the file starts with the length field.
  const Bytes file = OneFrameMovie();
  const std::string stripped = TempFile("stripped.kvx", Bytes(file.begin() + 4, file.end()));
  ASSERT_EQ(reader.Open(stripped, false, true), 0);
  EXPECT_EQ(reader.GetFrameCount(), 1);
  EXPECT_EQ(reader.GetHeader().frameRate, 12.0F);
  EXPECT_EQ(reader.GetTags().size(), 2U);
  // Bytes already in memory read the same way.
  ASSERT_EQ(reader.OpenBytes(Bytes(file.begin() + 4, file.end()), false, true), 0);
  EXPECT_EQ(reader.GetTags().size(), 2U);
  EXPECT_EQ(reader.OpenBytes(v5, true, true), 2);
  // ".kvx" names such a file, in any case.
  for (const char* path : {"effects/SPIN.KVX", "spin.kVx", ".kvx"}) EXPECT_TRUE(IsKvxPath(path));
  for (const char* path : {"spin.kvx.bak", "spin.swf", "kvx", "spin_kvx"})
    EXPECT_FALSE(IsKvxPath(path)) << path;
}

// Each tag is read inside its declared length, whatever its body holds, so the tag loop stays in
// step; a length past the data ends the movie with a made-up End tag.
TEST(Reader, TagsAreBoundedByTheirDeclaredLengths) {
  struct Case {
    const char* name;
    Bytes tags;
    std::vector<uint16_t> codes;
    size_t checked;  // the tag whose encoding is compared
    Bytes written;
  };
  const Bytes defineFont = {0x86, 0x02, 1, 0, 2, 0, 0x10, 0x20};  // code 10, length 6
  const Bytes labelAb = {0xC3, 0x0A, 'a', 'b', 0};
  const Case cases[] = {
      {"one End tag", {0, 0}, {0}, 0, {0, 0}},
      {"an unknown tag", Concat({defineFont, {0, 0}}), {10, 0}, 0, defineFont},
      {"a label shorter than its length",
       {0xC6, 0x0A, 'a', 'b', 0, 'x', 'y', 'z', 0x40, 0x00, 0x00, 0x00},
       {43, 1, 0},
       0,
       labelAb},
      {"a label without its terminator",
       {0xC2, 0x0A, 'a', 'b', 0x40, 0, 0, 0},
       {43, 1, 0},
       0,
       labelAb},
      {"a length past the data",
       {0x40, 0x00, 0xBF, 0x02, 0xFF, 0xFF, 0xFF, 0x7F, 1, 2},
       {1, 10, 0},
       1,
       {0x82, 0x02, 1, 2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Bytes file =
        Concat({{'F', 'W', 'S', 4, 0, 0, 0, 0, 0b00101'000, 0, 0, 0, 0, 12, 0, 0}, c.tags});
    file[4] = static_cast<uint8_t>(file.size());
    CSwfReader reader;
    ASSERT_EQ(reader.OpenMovieBytes(file), OpenResult::kOk);
    std::vector<uint16_t> codes;
    for (const auto& tag : reader.GetTags()) codes.push_back(tag->GetTagCode());
    ASSERT_EQ(codes, c.codes);
    EXPECT_EQ(reader.GetFrameCount(), std::count(codes.begin(), codes.end(), 1));
    EXPECT_EQ(Encode(*reader.GetTags()[c.checked]), c.written);
  }
}

TEST(Reader, OpenMovieAcceptsAnyVersionAndCompressedFiles) {
  CSwfHeader header;
  header.Setup(320, 240, 30.0F, 0, 6);
  const Bytes plain = OneFrameMovie(&header);
  CSwfReader reader;
  ASSERT_EQ(reader.OpenMovieBytes(plain), OpenResult::kOk);
  EXPECT_EQ(reader.GetHeader().version, 6);
  EXPECT_EQ(reader.GetHeader().frameRect.xMax, 6400);

  // zlib stream of the body, stored (uncompressed) deflate blocks built by hand.
  const Bytes body(plain.begin() + 8, plain.end());
  Bytes compressed(plain.begin(), plain.begin() + 8);
  compressed[0] = 'C';
  const auto n = static_cast<uint16_t>(body.size());
  compressed.insert(compressed.end(),
                    {0x78, 0x01, 0x01, static_cast<uint8_t>(n), static_cast<uint8_t>(n >> 8),
                     static_cast<uint8_t>(~n), static_cast<uint8_t>(~n >> 8)});
  compressed.insert(compressed.end(), body.begin(), body.end());
  uint32_t a = 1;
  uint32_t b = 0;
  for (const uint8_t byte : body) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  for (const uint32_t part : {b >> 8, b, a >> 8, a})
    compressed.push_back(static_cast<uint8_t>(part));
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
}

TEST(Reader, DeeplyNestedSpritesBecomeUnknownBytes) {
  // Sprites nested far beyond the bound: each level is a DefineSprite holding the next.
  Bytes inner = {0x00, 0x00};
  for (int level = 0; level < 200; ++level) {
    const auto length = static_cast<uint32_t>(inner.size() + 6);
    inner = Concat({{0xFF, 0x09, static_cast<uint8_t>(length), static_cast<uint8_t>(length >> 8),
                     static_cast<uint8_t>(length >> 16), 0, 1, 0, 1, 0},
                    inner,
                    {0x00, 0x00}});
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

std::unique_ptr<CSwfPlaceObject2> Place(uint16_t id, uint16_t depth, std::string name = "") {
  auto place = std::make_unique<CSwfPlaceObject2>();
  place->characterId = id;
  place->depth = depth;
  place->name = std::move(name);
  return place;
}

TEST(Sprite, WriteSkipsForeignTagsAndAddsTheEnd) {
  auto sprite = std::make_unique<CSwfDefineSprite>(5, 2);
  sprite->tags.push_back(Place(1, 1));
  sprite->tags.push_back(std::make_unique<CSwfShowFrame>());
  sprite->tags.push_back(std::make_unique<CSwfDefineShape>(2));
  sprite->tags.push_back(std::make_unique<CSwfShowFrame>());
  const Bytes expected = {0xD1, 0x09, 0x05, 0x00, 0x02, 0x00, 0x85, 0x06, 0x02, 0x01,
                          0x00, 0x01, 0x00, 0x40, 0x00, 0x40, 0x00, 0x00, 0x00};
  EXPECT_EQ(Hex(Encode(*sprite)), Hex(expected));
  CSwfDefineSprite copy;
  copy.CopyFrom(*sprite);
  sprite.reset();
  EXPECT_EQ(Hex(Encode(copy)), Hex(expected)) << "a copy outlives its source";
  // Only tags a sprite may hold are added.
  std::unique_ptr<CSwfTag> shape = std::make_unique<CSwfDefineShape>(2);
  EXPECT_FALSE(copy.AddTag(shape));
  EXPECT_NE(shape, nullptr);
  std::unique_ptr<CSwfTag> frame = std::make_unique<CSwfShowFrame>();
  EXPECT_TRUE(copy.AddTag(frame));
  EXPECT_EQ(copy.frameCount, 3);
}

TEST(Sprite, NestedShowFramesDoNotCountForTheEnclosingReader) {
  CSwfDefineSprite sprite(1, 2);
  sprite.tags.push_back(std::make_unique<CSwfShowFrame>());
  sprite.tags.push_back(std::make_unique<CSwfShowFrame>());
  CSwfStream out;
  sprite.Write(out);
  CSwfShowFrame().Write(out);
  CSwfEnd().Write(out);
  CSwfReader reader;
  reader.OpenFromStream(out);
  reader.ReadTags();
  EXPECT_EQ(reader.GetFrameCount(), 1);
  ASSERT_EQ(reader.GetTags().size(), 3U);
  EXPECT_EQ(static_cast<CSwfDefineSprite&>(*reader.GetTags()[0]).tags.size(), 3U);
}

// Tags of a movie: a shape, a sprite placing the shape, an unknown tag, a placement of the sprite.
TagList TemplateTags() {
  TagList tags;
  tags.push_back(std::make_unique<CSwfDefineShape>(2));
  static_cast<CSwfDefineShape&>(*tags.back()).SetCharacterId(1);
  auto sprite = std::make_unique<CSwfDefineSprite>(2, 1);
  sprite->tags.push_back(Place(1, 1, "letter"));
  sprite->tags.push_back(std::make_unique<CSwfShowFrame>());
  sprite->tags.push_back(std::make_unique<CSwfEnd>());
  tags.push_back(std::move(sprite));
  tags.push_back(std::make_unique<CSwfTagUnknown>(10, 0));
  tags.push_back(Place(2, 1, "effect"));
  tags.push_back(std::make_unique<CSwfShowFrame>());
  tags.push_back(std::make_unique<CSwfEnd>());
  return tags;
}

TEST(Processor, SplitsFindsAndOrdersTheTags) {
  const TagList tags = TemplateTags();
  CSwfProcessor processor;
  EXPECT_EQ(processor.Split(tags), 6U);
  ASSERT_EQ(processor.GetCharacters().size(), 3U);
  EXPECT_EQ(processor.GetCharacters()[2], nullptr) << "unknown tags take an empty slot";
  EXPECT_EQ(processor.GetControlTags().size(), 3U);
  EXPECT_EQ(processor.GetFrameCount(), 1);
  EXPECT_EQ(processor.GetCharacter(1), tags[0].get());
  EXPECT_EQ(processor.GetCharacter(0), nullptr);
  EXPECT_EQ(processor.GetCharacter(3), nullptr);

  // A named placement is found inside a placed sprite too.
  ASSERT_NE(processor.FindPlaceObject2("letter"), nullptr);
  EXPECT_EQ(processor.FindPlaceObject2("letter")->characterId, 1);
  EXPECT_EQ(processor.FindPlaceObject2("effect")->characterId, 2);
  EXPECT_EQ(processor.FindPlaceObject2("missing"), nullptr);
  std::vector<CSwfTag*> found;
  EXPECT_EQ(processor.CollectTags(tagcode::kPlaceObject2, found, true), 1U);
  EXPECT_EQ(processor.CollectTags(tagcode::kPlaceObject2, found, false,
                                  static_cast<CSwfDefineSprite*>(tags[1].get())),
            2U);
  EXPECT_EQ(processor.CollectTags(tagcode::kDefineSprite, found, true), 1U);

  // Characters come before their first use; the unknown tag is left out.
  CSwfStream ordered;
  processor.WriteOrdered(ordered);
  CSwfStream expected;
  for (const size_t i : {0, 1, 3, 4, 5}) tags[i]->Write(expected);
  EXPECT_EQ(ordered.GetBytes(), expected.GetBytes());
}

TEST(Processor, SpritesThatPlaceThemselvesEndTheSearch) {
  TagList tags;
  auto a = std::make_unique<CSwfDefineSprite>(1, 1);
  a->tags.push_back(Place(2, 1));
  a->tags.push_back(Place(1, 2));
  auto b = std::make_unique<CSwfDefineSprite>(2, 1);
  b->tags.push_back(Place(1, 1));
  tags.push_back(std::move(a));
  tags.push_back(std::move(b));
  tags.push_back(Place(1, 1));
  CSwfProcessor processor;
  processor.Split(tags);
  EXPECT_EQ(processor.FindPlaceObject2("nowhere"), nullptr);
}

}  // namespace
}  // namespace swftk
