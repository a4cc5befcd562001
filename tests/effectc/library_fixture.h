#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "effectc/effect_compiler.h"
#include "effectc/source_parser.h"
#include "engine/effect_variable.h"
#include "engine/movie_request.h"
#include "engine/movie_settings.h"
#include "glyphs/system_font_service.h"
#include "tests/support/temp_dir.h"

namespace effectc::test {

using zarn::test::TempDir;

// Frames between the starts of two letters in the movies the tests make.
inline constexpr int kFrameDelay = 2;

// The sources of the library, sorted by file name.
inline std::vector<std::filesystem::path> LibrarySources() {
  std::vector<std::filesystem::path> sources;
  for (const auto& entry : std::filesystem::directory_iterator(
           std::filesystem::path(ZARN_SOURCE_DIR) / "effects/src")) {
    if (entry.path().extension() == ".json") sources.push_back(entry.path());
  }
  std::sort(sources.begin(), sources.end());
  return sources;
}

// "spin.swf.json" is compiled into "spin.swf".
inline std::string CompiledName(const std::filesystem::path& source) {
  return source.stem().string();
}

// A test per effect is named after its file: "spin_swf".
inline std::string LibraryTestName(const ::testing::TestParamInfo<std::filesystem::path>& info) {
  std::string name = CompiledName(info.param);
  std::replace(name.begin(), name.end(), '.', '_');
  return name;
}

inline std::string ReadText(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Compiles a source text into a file named as the kind it should be.
inline bool CompileInto(const std::string& source, const std::string& path, std::string& error) {
  std::vector<uint8_t> bytes;
  if (!CompileSource(source, OutputKindFor(path), bytes, error)) return false;
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

// A request as the main window makes one for the template: its version picks the mode, its
// extension the signature check, its embedGlyphs come along. Black 36-point Arial on white.
inline engine::MovieRequest RequestFor(const std::string& templatePath,
                                       const std::string& outputPath,
                                       glyphs::CKV_FontService& fonts, const std::string& text,
                                       bool allAtOnce) {
  engine::MovieRequest request;
  request.effectPath = templatePath;
  request.outputPath = outputPath;
  request.movieWidth = 400;
  request.movieHeight = 200;
  request.frameRate = 12.0F;
  request.textColor = 0x00000000;
  request.backgroundColor = 0x00FFFFFF;
  request.fontSizeTenths = 360;
  request.text = text;
  request.window = &fonts;
  request.logFont.SetFaceName("Arial");
  request.logFont.lfWeight = 400;
  request.originX = 150;
  request.originY = 70;
  request.allAtOnce = allAtOnce;
  request.frameDelay = kFrameDelay;
  std::string version;
  engine::ReadEffectVariable("version", version, templatePath);
  request.editTextMode = version == "4";
  request.lenientSignature = engine::HasLenientSignature(templatePath);
  engine::ReadEffectVariable("embedGlyphs", request.embedGlyphs, templatePath);
  return request;
}

}  // namespace effectc::test
