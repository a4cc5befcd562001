#pragma once

// A fake font, a message log and readers of written movies, shared by the engine's tests.

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "engine/engine_messages.h"
#include "engine/movie_request.h"
#include "engine/zarn_helper.h"
#include "glyphs/font_service.h"
#include "swftk/reader.h"
#include "swftk/stream.h"
#include "template_fixture.h"
#include "tests/glyphs/fake_font_service.h"
#include "tests/support/temp_dir.h"

namespace engine::test {

using zarn::test::ReadFileBytes;
using zarn::test::TempDir;
using zarn::test::WriteFileBytes;
namespace tagcode = swftk::tagcode;

struct Message {
  std::string caption, text, detail;
  bool operator==(const Message&) const = default;
};
inline void PrintTo(const Message& m, std::ostream* out) {
  *out << "{\"" << m.caption << "\", \"" << m.text << "\", \"" << m.detail << "\"}";
}

// Collects what the engine reports.
class MessageLog {
 public:
  ErrorSink Sink() {
    return [this](std::string_view caption, std::string_view text, std::string_view detail) {
      messages.push_back({std::string(caption), std::string(text), std::string(detail)});
    };
  }
  std::vector<Message> messages;
};

// The glyph tests' fake fonts, here all of known measures: cell height 1024, ascent 800,
// descent 224; every character is a 100 × 700 unit box whose A, B and C widths are 10,
// 2 × code and 10; one kerning pair (A, V).
class FakeFontService : public glyphs::FakeFontService {
 public:
  FakeFontService() {
    font.faceName = "Fake Sans";
    font.metrics = {.height = 1024, .ascent = 800, .descent = 224, .weight = 400};
    constexpr int32_t kOne = 65536;
    glyphs::GlyphOutline box;
    box.metrics = {100, 700, 10, 700, 0, 0};
    box.polygons.resize(1);
    box.polygons[0].curves.push_back(
        {glyphs::kCurveLine, {{100 * kOne, 0}, {100 * kOne, 700 * kOne}, {0, 700 * kOne}}});
    for (int code = 0; code < 256; ++code) {
      font.widths[static_cast<uint8_t>(code)] = {10, 2 * code, 10};
      font.outlines[static_cast<uint8_t>(code)] = box;
    }
    font.kerning = {{'A', 'V', -50}};
  }
};

// A parameterised case's label as a test name, and as what the log prints for it.
template <class T>
std::string CaseName(const ::testing::TestParamInfo<T>& info) {
  std::string name;
  for (const char c : std::string(info.param.label)) name += std::isalnum(c) ? c : '_';
  return name;
}
template <class T>
requires requires(const T& c) {
  c.label;
}
void PrintTo(const T& c, std::ostream* out) {
  *out << c.label;
}

inline std::unique_ptr<swftk::CSwfReader> ReadMovie(const std::string& path) {
  auto reader = std::make_unique<swftk::CSwfReader>();
  if (reader->OpenMovie(path) != swftk::OpenResult::kOk) return nullptr;
  return reader;
}

// The tags the reader keeps as raw bytes (DefineFont, DefineFontInfo, DefineText), read into
// their own class.
template <class T>
std::unique_ptr<T> DecodeAs(const swftk::CSwfTag& tag) {
  swftk::CSwfStream framed;
  tag.Write(framed);
  swftk::CSwfReader reader;
  reader.OpenFromStream(framed);
  auto decoded = std::make_unique<T>();
  reader.ReadTagInto(*decoded);
  return decoded;
}

// The first tag with this code, or null.
template <class T = swftk::CSwfTag>
const T* First(const swftk::TagList& tags, uint16_t code) {
  for (const auto& tag : tags) {
    if (tag->GetTagCode() == code) return dynamic_cast<const T*>(tag.get());
  }
  return nullptr;
}

// The actions of a DoAction as readable lines: "push \"x\"", "set", "goto 0", "play", "stop".
inline std::vector<std::string> DescribeActions(const swftk::CSwfTag& doAction) {
  std::vector<std::string> lines;
  const auto* action = dynamic_cast<const swftk::CSwfDoAction*>(&doAction);
  if (action == nullptr) return lines;
  for (const auto& record : action->actions) {
    const uint8_t code = record->GetActionCode();
    const auto* unknown = dynamic_cast<const swftk::CSwfActionUnknown*>(record.get());
    if (const auto* push = dynamic_cast<const swftk::CSwfActionPush*>(record.get())) {
      lines.push_back("push \"" + push->text + "\"");
    } else if (code == swftk::actioncode::kSetVariable) {
      lines.push_back("set");
    } else if (code == swftk::actioncode::kPlay) {
      lines.push_back("play");
    } else if (code == swftk::actioncode::kStop) {
      lines.push_back("stop");
    } else if (unknown != nullptr && code == swftk::actioncode::kGotoFrame &&
               unknown->data.size() == 2) {
      lines.push_back("goto " + std::to_string(unknown->data[0] | unknown->data[1] << 8));
    } else {
      lines.push_back("action " + std::to_string(code));
    }
  }
  return lines;
}

// One tag of a timeline in a few words: "place 5@2 \"0\"", "remove 3", "text 2", "actions",
// "frame", "end"; empty for the other definitions.
inline std::string Describe(const swftk::CSwfTag& tag) {
  switch (tag.GetTagCode()) {
    case tagcode::kPlaceObject2: {
      const auto& place = static_cast<const swftk::CSwfPlaceObject2&>(tag);
      std::string text =
          "place " + std::to_string(place.characterId) + "@" + std::to_string(place.depth);
      return place.name.empty() ? text : text + " \"" + place.name + "\"";
    }
    case tagcode::kRemoveObject2:
      return "remove " + std::to_string(static_cast<const swftk::CSwfRemoveObject2&>(tag).depth);
    case tagcode::kDefineText: {
      const auto& raw = static_cast<const swftk::CSwfTagUnknown&>(tag);
      return "text " + std::to_string(raw.data[0] | raw.data[1] << 8);
    }
    case tagcode::kDoAction:
      return "actions";
    case tagcode::kShowFrame:
      return "frame";
    case tagcode::kEnd:
      return "end";
    default:
      return "";
  }
}

// A timeline from the given tag on, one string per frame, its tags joined by commas.
inline std::vector<std::string> Timeline(const swftk::TagList& tags, size_t from = 0) {
  std::vector<std::string> frames(1);
  for (size_t i = from; i < tags.size(); ++i) {
    const std::string described = Describe(*tags[i]);
    if (described.empty()) continue;
    std::string& frame = frames.back();
    frame += (frame.empty() ? "" : ", ") + described;
    if (tags[i]->GetTagCode() == tagcode::kShowFrame) frames.emplace_back();
  }
  if (frames.back().empty()) frames.pop_back();
  return frames;
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
    const auto* raw = dynamic_cast<const swftk::CSwfTagUnknown*>(tag.get());
    if (const auto* character = dynamic_cast<const swftk::CSwfCharacterTag*>(tag.get())) {
      defined.push_back({tag->GetTagCode(), character->GetCharacterId()});
    } else if (raw != nullptr && raw->data.size() >= 2 &&
               (raw->code == tagcode::kDefineFont || raw->code == tagcode::kDefineText)) {
      defined.push_back({raw->code, static_cast<uint16_t>(raw->data[0] | raw->data[1] << 8)});
    }
  }
  return defined;
}

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

// A temporary folder, a fake font and a message log for builds of whole movies.
class MovieTest : public ::testing::Test {
 protected:
  // Saves the template as "effect.swf" and returns a valid request for it that writes
  // "out.swf".
  MovieRequest RequestFor(const TemplateBuilder& builder) {
    builder.Save(dir.File("effect.swf"));
    return ValidRequest(dir.File("effect.swf"), dir.File("out.swf"), fonts);
  }
  MovieRequest MinimalRequest(int frames = 3) {
    TemplateBuilder builder;
    AddMinimalTemplate(builder, frames);
    return RequestFor(builder);
  }
  MovieRequest StandardRequest(bool editText = false) {
    TemplateBuilder builder;
    AddStandardTemplate(builder, editText);
    MovieRequest request = RequestFor(builder);
    request.editTextMode = editText;
    return request;
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

}  // namespace engine::test
