#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace zarn::test {

// The movies the shared corpus index lists, as paths relative to the corpus folder; empty
// when the corpus is absent.
inline std::vector<std::string> IndexedMovies(const std::filesystem::path& corpus) {
  std::vector<std::string> movies;
  std::ifstream index(corpus / "INDEX.tsv");
  std::string line;
  std::getline(index, line);  // column titles
  while (std::getline(index, line)) {
    const std::string path = line.substr(0, line.find('\t'));
    if (path.ends_with(".swf")) movies.push_back(path);
  }
  return movies;
}

// One row of the corpus index, with the columns the tests use.
struct IndexEntry {
  std::string path;
  int version = 0;
  // "none", "image", "trace", "image+trace"...
  std::string expected;
  // The expected files beside the movie, comma-separated.
  std::string expectedFiles;
  // The tag codes at the movie's root, space-separated.
  std::string tagCodes;
};

inline std::vector<IndexEntry> IndexedEntries(const std::filesystem::path& corpus) {
  std::vector<IndexEntry> entries;
  std::ifstream index(corpus / "INDEX.tsv");
  std::string line;
  std::getline(index, line);  // column titles
  while (std::getline(index, line)) {
    std::vector<std::string> columns;
    size_t start = 0;
    for (size_t tab = line.find('\t'); tab != std::string::npos; tab = line.find('\t', start)) {
      columns.push_back(line.substr(start, tab - start));
      start = tab + 1;
    }
    columns.push_back(line.substr(start));
    if (columns.size() < 15 || !columns[0].ends_with(".swf")) continue;
    entries.push_back(
        {columns[0], std::atoi(columns[4].c_str()), columns[6], columns[7], columns[14]});
  }
  return entries;
}

}  // namespace zarn::test
