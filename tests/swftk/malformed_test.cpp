// Inputs that once broke the reader or writer, kept so they stay fixed. "movie-*" files are
// whole movies; "tag-*" files hold a tag code (two bytes, little-endian) and the tag's body.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "swftk/reader.h"
#include "swftk/writer.h"
#include "test_bytes.h"

namespace swftk {
namespace {

using test::Bytes;

Bytes ReadFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
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

TEST(MalformedInputs, ReadAndWriteBackStably) {
  const std::filesystem::path folder =
      std::filesystem::path(ZARN_SOURCE_DIR) / "tests/swftk/malformed";
  int checked = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    SCOPED_TRACE(entry.path().filename().string());
    const Bytes input = ReadFile(entry.path());
    const bool isTag = entry.path().filename().string().starts_with("tag-");
    ASSERT_GE(input.size(), 2U);
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
