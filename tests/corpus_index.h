#pragma once

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

}  // namespace zarn::test
