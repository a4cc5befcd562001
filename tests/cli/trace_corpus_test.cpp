// zarn-cli trace against real players: every corpus movie with a trace expectation (ruffle and
// lightspark output.txt over test.toml's frame count; swfdec .swf.trace over ten frames).
// Version 1 to 4 movies must match, unless they use later actions; later versions need
// the version-5 interpreter.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "avm/action_codes.h"
#include "cli/trace_command.h"
#include "swftk/button.h"
#include "swftk/reader.h"
#include "swftk/sprite.h"
#include "tests/corpus_index.h"

namespace zarn::cli {
namespace {

namespace fs = std::filesystem;

struct TraceMovie {
  std::string path;  // relative to the corpus
  fs::path expected;
  uint32_t frames = 10;
};

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  std::string normalised;
  for (const char c : text.str())
    if (c != '\r') normalised.push_back(c);
  while (!normalised.empty() && normalised.back() == '\n') normalised.pop_back();
  return normalised;
}

uint32_t FramesOf(const fs::path& toml) {
  std::ifstream in(toml);
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("num_frames", 0) == 0) {
      const size_t equals = line.find('=');
      if (equals != std::string::npos)
        return static_cast<uint32_t>(std::stoul(line.substr(equals + 1)));
    }
  }
  return 1;
}

// The version 1 to 4 movies of the index whose expected column names a trace.
std::vector<TraceMovie> TraceMovies(const fs::path& corpus) {
  std::vector<TraceMovie> movies;
  for (const zarn::test::IndexEntry& entry : zarn::test::IndexedEntries(corpus)) {
    if (entry.version > 4 || entry.expected.find("trace") == std::string::npos) continue;
    const fs::path file = corpus / entry.path;
    TraceMovie movie{entry.path, file.string() + ".trace"};
    if (!entry.path.starts_with("swfdec/")) {
      movie.expected = file.parent_path() / "output.txt";
      movie.frames = FramesOf(file.parent_path() / "test.toml");
    }
    if (fs::exists(movie.expected)) movies.push_back(movie);
  }
  return movies;
}

bool OnlyVersion4Actions(const swftk::CSwfDoAction& list) {
  for (const auto& action : list.actions)
    if (!avm::op::IsVersion4Action(action->GetActionCode())) return false;
  return true;
}

bool OnlyVersion4Actions(const swftk::TagList& tags) {
  for (const auto& tag : tags) {
    if (const auto* list = dynamic_cast<const swftk::CSwfDoAction*>(tag.get());
        list && !OnlyVersion4Actions(*list))
      return false;
    if (const auto* sprite = dynamic_cast<const swftk::CSwfDefineSprite*>(tag.get());
        sprite && !OnlyVersion4Actions(sprite->tags))
      return false;
    if (const auto* button = dynamic_cast<const swftk::CSwfDefineButton*>(tag.get())) {
      for (const auto& list : button->actions)
        if (!OnlyVersion4Actions(*list)) return false;
    }
  }
  return true;
}

// Movies written for version 4 whose tests still use later actions (objects, functions,
// typeof), which a version-4 player skips.
bool UsesLaterActions(const fs::path& movie) {
  swftk::CSwfReader reader;
  return reader.OpenMovie(movie.string()) == swftk::OpenResult::kOk &&
         !OnlyVersion4Actions(reader.GetTags());
}

// Whether the movie's traces match; the output is kept for the failure message.
bool Matches(const fs::path& corpus, const TraceMovie& movie, std::string& output) {
  std::ostringstream out;
  std::ostringstream err;
  if (RunTraceCommand((corpus / movie.path).string(), movie.frames, out, err) != 0) {
    output = err.str();
    return false;
  }
  output = out.str();
  while (!output.empty() && output.back() == '\n') output.pop_back();
  return output == ReadText(movie.expected);
}

TEST(TraceCorpus, VersionOneToFourMoviesMatchRealPlayers) {
  const fs::path corpus = ZARN_CORPUS_DIR;
  if (!fs::exists(corpus / "INDEX.tsv")) GTEST_SKIP() << "no corpus";
  // These count the frames a real player had received of a file still downloading; this
  // player reads the whole file before the first frame.
  const std::vector<std::string> streaming = {"swfdec/trace/waitforframe1-4.swf",
                                              "swfdec/trace/waitforframe2-4.swf"};
  int matched = 0;
  int total = 0;
  int later = 0;
  for (const TraceMovie& movie : TraceMovies(corpus)) {
    if (std::find(streaming.begin(), streaming.end(), movie.path) != streaming.end()) continue;
    if (UsesLaterActions(corpus / movie.path)) {
      ++later;
      continue;
    }
    ++total;
    std::string output;
    const bool match = Matches(corpus, movie, output);
    matched += match;
    EXPECT_TRUE(match) << movie.path << "\n--- got ---\n"
                       << output << "\n--- expected ---\n"
                       << ReadText(movie.expected);
  }
  std::cout << "version 1-4 traces: " << matched << " of " << total << " match; " << later
            << " need later actions\n";
  EXPECT_GT(total, 0);
}

}  // namespace
}  // namespace zarn::cli
