#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/zarn_helper.h"
#include "engine_test_support.h"

namespace engine::test {

// A temporary folder, a fake font and a message log for builds of whole movies.
class MovieTest : public ::testing::Test {
 protected:
  // Saves the template as "effect.swf" and returns a valid request for it that writes
  // "out.swf".
  MovieRequest RequestFor(const TemplateBuilder& builder) {
    builder.Save(dir.File("effect.swf"));
    return ValidRequest(dir.File("effect.swf"), dir.File("out.swf"), fonts);
  }

  bool Generate(const MovieRequest& request) {
    CZarnHelper helper(log.Sink());
    return helper.GenerateMovie(request);
  }

  // Generates and reads the movie back; fails the test when either goes wrong.
  std::unique_ptr<swftk::CSwfReader> GenerateAndRead(const MovieRequest& request) {
    EXPECT_TRUE(Generate(request));
    EXPECT_TRUE(log.messages.empty());
    auto movie = ReadMovie(request.outputPath);
    EXPECT_NE(movie, nullptr);
    return movie;
  }

  TempDir dir;
  FakeFontService fonts;
  MessageLog log;
};

// A template without extra characters: letter sprite 1 (a placement and nothing else), effect
// sprite 2 of the given number of frames that places "letter" in its first; the root places
// the effect as "effect".
inline void AddMinimalTemplate(TemplateBuilder& builder, int frames = 3) {
  const uint16_t letter = builder.AddSprite(Tags(Place(0, 1, {}, {}, true), Frame()));
  swftk::TagList effect = Tags(Place(letter, 1, "letter", Matrix(65536, 65536, 0, 0)));
  for (int i = 0; i < frames; ++i) effect.push_back(Frame());
  const uint16_t effectSprite = builder.AddSprite(std::move(effect));
  builder.AddRootTag(Place(effectSprite, 1, "effect", Matrix(65536, 65536, 0, 0)));
  builder.AddRootTag(Frame());
}

// The character ids the root defines, in order, with their tag codes.
struct Defined {
  uint16_t code = 0;
  uint16_t id = 0;

  bool operator==(const Defined&) const = default;
};
inline void PrintTo(const Defined& defined, std::ostream* out) {
  *out << "{code " << defined.code << ", id " << defined.id << "}";
}

// Defining tags read as raw bytes start with their id as well.
inline std::vector<Defined> DefinedCharacters(const swftk::TagList& tags) {
  std::vector<Defined> defined;
  for (const auto& tag : tags) {
    if (const auto* character = dynamic_cast<const swftk::CSwfCharacterTag*>(tag.get())) {
      defined.push_back({tag->GetTagCode(), character->GetCharacterId()});
    } else if (const auto* raw = dynamic_cast<const swftk::CSwfTagUnknown*>(tag.get());
               raw != nullptr && raw->data.size() >= 2 &&
               (raw->code == swftk::tagcode::kDefineFont ||
                raw->code == swftk::tagcode::kDefineText)) {
      defined.push_back({raw->code, static_cast<uint16_t>(raw->data[0] | raw->data[1] << 8)});
    }
  }
  return defined;
}

}  // namespace engine::test
