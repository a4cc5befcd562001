// The dump over real movies written by other tools: every movie the reader takes is listed,
// every other one is refused with a message, and nothing crashes on the way.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli/dump_command.h"
#include "swftk/reader.h"
#include "tests/corpus_index.h"

namespace zarn::cli::test {
namespace {

TEST(DumpOfCorpus, ListsEveryMovieTheReaderTakes) {
  const std::filesystem::path corpus = ZARN_CORPUS_DIR;
  const std::vector<std::string> movies = zarn::test::IndexedMovies(corpus);
  if (movies.empty()) GTEST_SKIP() << "no corpus at " << corpus;
  size_t listed = 0;
  for (const std::string& movie : movies) {
    SCOPED_TRACE(movie);
    const std::string path = (corpus / movie).string();
    swftk::CSwfReader reader;
    const bool readable = reader.OpenMovie(path, false) == swftk::OpenResult::kOk;
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(RunDumpCommand(path, out, err), readable ? 0 : 1);
    EXPECT_EQ(out.str().empty(), !readable);
    EXPECT_EQ(err.str().empty(), readable);
    if (readable) ++listed;
  }
  EXPECT_GT(listed, movies.size() * 9 / 10);
}

}  // namespace
}  // namespace zarn::cli::test
