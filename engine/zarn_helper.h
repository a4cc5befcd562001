#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/engine_messages.h"
#include "engine/movie_request.h"
#include "swftk/replace_file.h"

namespace engine {

using swftk::FileSync;

// The effect engine: turns a movie request and an effect template into a movie file. Made
// for one build; every object of the build is freed before GenerateMovie returns. Messages
// go to the sink given at construction; a preview, remade at every change, may write its
// files without flushing them to the disk.
class CZarnHelper {
 public:
  explicit CZarnHelper(ErrorSink sink, FileSync sync = FileSync::kFlush)
      : sink_(std::move(sink)), sync_(sync) {}
  virtual ~CZarnHelper() = default;

  // The whole build; true only when the output file was written.
  bool GenerateMovie(const MovieRequest& request);

  // Copies a movie with a new frame size (pixels) and frame rate; true when written.
  bool ResizeMovieFile(const std::string& sourcePath, const std::string& destinationPath, int width,
                       int height, float frameRate);

 private:
  bool CheckRequest(const MovieRequest& request) const;
  // Writes the movie file as a whole or not at all.
  bool WriteMovie(const std::string& path, const std::vector<uint8_t>& bytes) const;

  ErrorSink sink_;
  FileSync sync_;
};

}  // namespace engine
