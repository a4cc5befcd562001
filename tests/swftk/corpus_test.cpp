// Real movies written by other tools, and inputs that once broke the reader or writer: each must
// read without harm, and what the toolkit writes of it must read back into the same bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "swftk/file_bytes.h"
#include "swftk/reader.h"
#include "swftk/sprite.h"
#include "swftk/stream.h"
#include "swftk/tag_factory.h"
#include "swftk/writer.h"
#include "test_bytes.h"
#include "tests/corpus_index.h"

namespace swftk {
namespace {

using test::Bytes;

Bytes ReadFile(const std::filesystem::path& path) {
  Bytes bytes;
  EXPECT_TRUE(ReadFileBytes(path.string(), bytes)) << path;
  return bytes;
}

// The unknown tags a write keeps, in file order: every one at the root, and inside sprites
// those of the codes a sprite writes.
void CollectUnknownTags(const TagList& tags, bool inSprite,
                        std::vector<const CSwfTagUnknown*>& found) {
  for (const auto& tag : tags) {
    if (inSprite && !CSwfDefineSprite::IsSpriteCode(tag->GetTagCode())) continue;
    if (const auto* unknown = dynamic_cast<const CSwfTagUnknown*>(tag.get())) {
      found.push_back(unknown);
    } else if (const auto* sprite = dynamic_cast<const CSwfDefineSprite*>(tag.get())) {
      CollectUnknownTags(sprite->tags, true, found);
    }
  }
}

std::vector<const CSwfTagUnknown*> UnknownTags(const CSwfReader& reader) {
  std::vector<const CSwfTagUnknown*> found;
  CollectUnknownTags(reader.GetTags(), false, found);
  return found;
}

// Where two writes first differ.
std::string FirstDifference(const Bytes& once, const Bytes& twice) {
  const auto at = std::mismatch(once.begin(), once.end(), twice.begin(), twice.end());
  return "sizes " + std::to_string(once.size()) + " and " + std::to_string(twice.size()) +
         ", first difference at byte " + std::to_string(at.first - once.begin());
}

TEST(Corpus, EveryMovieReadsAndWritesBackStably) {
  const std::filesystem::path corpus = ZARN_CORPUS_DIR;
  const std::vector<std::string> movies = zarn::test::IndexedMovies(corpus);
  if (movies.empty()) GTEST_SKIP() << "no corpus at " << corpus;
  size_t roundTrips = 0;
  for (const std::string& movie : movies) {
    SCOPED_TRACE(movie);
    CSwfReader first;
    // Files the reader refuses (other compressions, damaged data) only have to be refused
    // without harm.
    if (first.OpenMovieBytes(ReadFile(corpus / movie)) != OpenResult::kOk) continue;
    const Bytes once = RebuildMovie(first);
    CSwfReader second;
    if (second.OpenMovieBytes(once) != OpenResult::kOk) {
      ADD_FAILURE() << "the movie written does not read back";
      continue;
    }
    const Bytes twice = RebuildMovie(second);
    EXPECT_TRUE(once == twice) << FirstDifference(once, twice);

    const std::vector<const CSwfTagUnknown*> before = UnknownTags(first);
    const std::vector<const CSwfTagUnknown*> after = UnknownTags(second);
    EXPECT_EQ(before.size(), after.size()) << "unknown tags";
    for (size_t i = 0; i < before.size() && i < after.size(); ++i) {
      EXPECT_EQ(before[i]->code, after[i]->code) << "unknown tag " << i;
      EXPECT_TRUE(before[i]->data == after[i]->data)
          << "unknown tag " << i << " (" << TagName(before[i]->code) << ")";
    }
    ++roundTrips;
  }
  // Guards against an index the test no longer understands.
  EXPECT_GT(roundTrips, movies.size() * 9 / 10);
}

// A tag's body as its class writes it after reading the given one.
Bytes ReadAndWrite(uint16_t code, const Bytes& body) {
  const std::unique_ptr<CSwfTag> tag = MakeTag(code, 0, 0, TagModel::kEveryModelledTag);
  CSwfReader reader;
  reader.OpenFromBytes(body);
  tag->Read(reader);
  CSwfStream out;
  tag->Write(out);
  Bytes written = out.TakeBytes();
  const size_t header = (written[0] & 63) == 63 ? 6 : 2;
  return Bytes(written.begin() + static_cast<ptrdiff_t>(header), written.end());
}

TEST(Corpus, TagsARewriteKeepsRawReadByTheirClassesAndWriteBackStably) {
  // As a player reads them. Bitmaps come back byte for byte; shapes and records are written
  // in the toolkit's own widths, which then stay. DefineFont writes its offset table as
  // stored, so its glyphs re-encoded may not match it; it is left out.
  const std::filesystem::path corpus = ZARN_CORPUS_DIR;
  const std::vector<std::string> movies = zarn::test::IndexedMovies(corpus);
  if (movies.empty()) GTEST_SKIP() << "no corpus at " << corpus;
  const std::set<uint16_t> exact = {tagcode::kDefineBits,         tagcode::kJpegTables,
                                    tagcode::kDefineBitsJpeg2,    tagcode::kDefineBitsJpeg3,
                                    tagcode::kDefineBitsLossless, tagcode::kDefineBitsLossless2};
  std::map<uint16_t, int> checked;
  for (const std::string& movie : movies) {
    SCOPED_TRACE(movie);
    CSwfReader reader;
    if (reader.OpenMovieBytes(ReadFile(corpus / movie)) != OpenResult::kOk) continue;
    for (const CSwfTagUnknown* raw : UnknownTags(reader)) {
      if (raw->code == tagcode::kDefineFont ||
          dynamic_cast<const CSwfTagUnknown*>(
              MakeTag(raw->code, 0, 0, TagModel::kEveryModelledTag).get()))
        continue;
      const Bytes once = ReadAndWrite(raw->code, raw->data);
      EXPECT_TRUE(ReadAndWrite(raw->code, once) == once) << TagName(raw->code);
      if (exact.contains(raw->code)) {
        EXPECT_TRUE(once == raw->data) << TagName(raw->code);
      }
      ++checked[raw->code];
    }
  }
  for (const uint16_t code : {tagcode::kPlaceObject, tagcode::kDefineText, tagcode::kDefineBits,
                              tagcode::kDefineBitsLossless, tagcode::kDefineBitsJpeg2,
                              tagcode::kDefineBitsJpeg3, tagcode::kDefineMorphShape})
    EXPECT_GT(checked[code], 0) << TagName(code);
}

// A version 4 movie holding the one tag, then an End tag.
Bytes MovieOfTag(const Bytes& input) {
  const auto code = static_cast<uint16_t>((input[0] | input[1] << 8) & 0x3FF);
  CSwfTagUnknown tag(code, 0);
  tag.data.assign(input.begin() + 2, input.end());
  CSwfWriter writer;
  writer.AddTagRef(tag);
  writer.AddTag(std::make_unique<CSwfTagUnknown>(0, 0));
  Bytes movie;
  writer.Build(movie, nullptr);
  return movie;
}

// In tests/swftk/malformed, "movie-*" files are whole movies; "tag-*" files hold a tag code (two
// bytes, little-endian) and the tag's body.
TEST(MalformedInputs, ReadAndWriteBackStably) {
  const std::filesystem::path folder =
      std::filesystem::path(ZARN_SOURCE_DIR) / "tests/swftk/malformed";
  int checked = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    SCOPED_TRACE(entry.path().filename().string());
    const Bytes input = ReadFile(entry.path());
    ASSERT_GE(input.size(), 2U);
    const bool isTag = entry.path().filename().string().starts_with("tag-");
    const Bytes movie = isTag ? MovieOfTag(input) : input;
    CSwfReader first;
    ASSERT_EQ(first.OpenMovieBytes(movie), OpenResult::kOk);
    const Bytes once = RebuildMovie(first);
    // What the reader makes of a file stays in proportion to the file (empty glyphs and
    // records written out in full cost a few times their bytes, never more).
    EXPECT_LT(once.size(), 16 * movie.size() + 64);
    CSwfReader second;
    ASSERT_EQ(second.OpenMovieBytes(once), OpenResult::kOk);
    EXPECT_EQ(RebuildMovie(second), once);
    ++checked;
  }
  EXPECT_GE(checked, 11);
}

}  // namespace
}  // namespace swftk
