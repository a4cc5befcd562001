// Real movies written by other tools: each must read without harm, and what the toolkit writes
// of it must read back into the same bytes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "swftk/reader.h"
#include "swftk/sprite.h"
#include "swftk/stream.h"
#include "swftk/tag_factory.h"
#include "swftk/writer.h"
#include "tests/corpus_index.h"

namespace swftk {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes ReadFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
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

// Where two writes first differ, named by the root tag of the first that holds that byte.
std::string FirstDifference(const CSwfReader& reader, const Bytes& once, const Bytes& twice) {
  size_t at = 0;
  while (at < once.size() && at < twice.size() && once[at] == twice[at]) ++at;
  std::ostringstream text;
  text << "sizes " << once.size() << " and " << twice.size() << ", first difference at byte " << at;
  CSwfStream header;
  reader.GetHeader().Write(header);
  size_t tagStart = static_cast<size_t>(header.ByteCount());
  const TagList& tags = reader.GetTags();
  for (size_t i = 0; i < tags.size(); ++i) {
    CSwfStream tag;
    tags[i]->Write(tag);
    const size_t tagEnd = tagStart + static_cast<size_t>(tag.ByteCount());
    if (at < tagEnd) {
      text << ", in root tag " << i << " (" << TagName(tags[i]->GetTagCode()) << ")";
      break;
    }
    tagStart = tagEnd;
  }
  return text.str();
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
    EXPECT_TRUE(once == twice) << FirstDifference(first, once, twice);

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

}  // namespace
}  // namespace swftk
