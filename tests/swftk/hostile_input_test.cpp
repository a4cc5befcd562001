// Files made to take memory or to be misread: each is refused with its reason, and what the
// reader met is said.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "swftk/actions.h"
#include "swftk/control_tags.h"
#include "swftk/reader.h"
#include "swftk/stream.h"
#include "swftk/text.h"
#include "swftk/writer.h"
#include "tests/support/temp_dir.h"

namespace swftk {
namespace {

using zarn::test::Bytes;

// In tests/swftk/hostile: a few kilobytes each that would build millions of objects (tags,
// shape records, glyph entries of no bits), and a movie in a compression the reader lacks.
TEST(HostileInputs, AreRefusedWithTheirReason) {
  const std::filesystem::path folder =
      std::filesystem::path(ZARN_SOURCE_DIR) / "tests/swftk/hostile";
  const struct {
    const char* file;
    OpenResult result;
  } cases[] = {
      {"movie-showframe-bomb.swf", OpenResult::kTooManyObjects},
      {"movie-shape-record-bomb.swf", OpenResult::kTooManyObjects},
      {"movie-lzma.swf", OpenResult::kLzmaCompressed},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const Bytes file = zarn::test::ReadFileBytes((folder / c.file).string());
    ASSERT_LT(file.size(), 4096U);
    CSwfReader reader;
    EXPECT_EQ(reader.OpenMovieBytes(file), c.result);
    EXPECT_LE(reader.GetTags().size(), CSwfReader::kMaxObjects);
  }
  // The reader keeps DefineText as raw bytes; read as text, its glyph entries are counted.
  CSwfReader movie;
  ASSERT_EQ(movie.OpenMovieBytes(
                zarn::test::ReadFileBytes((folder / "movie-text-entry-bomb.swf").string())),
            OpenResult::kOk);
  const auto& raw = dynamic_cast<const CSwfTagUnknown&>(*movie.GetTags().at(0));
  CSwfStream framed;
  raw.Write(framed);
  CSwfReader reader;
  reader.OpenFromStream(framed);
  CSwfDefineText text;
  reader.ReadTagInto(text);
  EXPECT_TRUE(reader.TooManyObjects());
  size_t entries = 0;
  for (const auto& record : text.records) {
    if (const auto* glyphs = dynamic_cast<const CSwfTextGlyphRecord*>(record.get()))
      entries += glyphs->entries.size();
  }
  EXPECT_LE(entries, CSwfReader::kMaxObjects);
  EXPECT_EQ(DescribeOpenResult(OpenResult::kLzmaCompressed),
            std::string("the movie is LZMA-compressed (\"ZWS\"), a compression this program does "
                        "not read"));
}

TEST(HostileInputs, TheReaderSaysWhatIsDamaged) {
  const Bytes header = {'F', 'W', 'S', 4, 0, 0, 0, 0, 0x28, 0, 0, 0, 0, 12, 1, 0};
  const struct {
    Bytes tags;
    std::string damage;
  } cases[] = {
      {{0x40, 0x00, 0x00, 0x00}, ""},
      {{0x40, 0x00}, "the tags that end at byte 18 have no End tag"},
      {{0x05, 0x03, 0xAA}, "tag 12 at byte 16 declares a body of 5 bytes, but only 1 remain"},
  };
  for (const auto& c : cases) {
    Bytes movie = header;
    movie.insert(movie.end(), c.tags.begin(), c.tags.end());
    movie[4] = static_cast<uint8_t>(movie.size());
    CSwfReader reader;
    ASSERT_EQ(reader.OpenMovieBytes(movie), OpenResult::kOk);
    EXPECT_EQ(reader.Damage(), c.damage);
  }
}

// A record whose length passes its 16-bit field would be read back as other records.
TEST(HostileInputs, TheWriterGivesNoFileWithARecordTooLongForItsLength) {
  for (const size_t length : {size_t{65533}, size_t{65534}}) {
    auto action = std::make_unique<CSwfDoAction>();
    action->actions.push_back(std::make_unique<CSwfActionPush>(std::string(length, 'a')));
    CSwfWriter writer;
    writer.AddTag(std::move(action));
    writer.AddTag(std::make_unique<CSwfEnd>());
    Bytes movie;
    const uint32_t written = writer.Build(movie, nullptr);
    EXPECT_EQ(written == 0, length > 65533) << length;
    EXPECT_EQ(movie.empty(), length > 65533) << length;
  }
}

}  // namespace
}  // namespace swftk
