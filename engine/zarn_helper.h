#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/engine_messages.h"
#include "engine/movie_request.h"
#include "swftk/replace_file.h"

namespace swftk {
class CSwfPlaceObject2;
class CSwfWriter;
}  // namespace swftk

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

  // A hit area covering the whole movie that opens linkUrl in linkTarget when clicked: a
  // rectangle with id c + 1 and a button with id c + 2 placed at the given depth. Returns the
  // new id counter; does nothing and returns c when the URL has fewer than 2 characters.
  static uint16_t AddLinkButton(swftk::CSwfWriter& writer, uint16_t c, uint16_t depth,
                                int movieWidth, int movieHeight, const std::string& linkUrl,
                                const std::string& linkTarget);

  // A copy of the placement with another character and depth, moved to (x, y) twips. With
  // compensate, the effect's transform acts about the point (advance / 3, size) of the letter
  // instead of its corner. A placement without a matrix is copied as it is.
  static std::unique_ptr<swftk::CSwfPlaceObject2> MakeLetterPlacement(
      const swftk::CSwfPlaceObject2& placement, uint16_t character, uint16_t depth, int advance,
      int size, double x, double y, bool compensate);

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
