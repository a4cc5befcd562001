#include "engine/timeline.h"

#include <memory>
#include <string>
#include <vector>

#include "engine/letter_placement.h"
#include "engine/link_button.h"
#include "engine/numeric.h"
#include "swftk/actions.h"
#include "swftk/control_tags.h"
#include "swftk/place_object.h"
#include "swftk/sprite.h"

namespace engine {
namespace {

using swftk::CSwfPlaceObject2;
using swftk::CSwfTag;
namespace tagcode = swftk::tagcode;

template <class T>
const T* As(const CSwfTag& tag) {
  return dynamic_cast<const T*>(&tag);
}

bool EndsFrame(const CSwfTag& tag) {
  return tag.GetTagCode() == tagcode::kShowFrame || tag.GetTagCode() == tagcode::kEnd;
}

// The root timeline as it is written, counting its frames so that a build that would overflow
// the header's count stops adding them.
class MainTimeline {
 public:
  explicit MainTimeline(swftk::CSwfWriter& writer) : writer_(writer) {}

  void Add(std::unique_ptr<CSwfTag> tag) {
    if (tag->GetTagCode() == tagcode::kShowFrame) ++frames_;
    writer_.AddTag(std::move(tag));
  }
  void ShowFrames(int64_t count) {
    for (int64_t i = 0; i < count && !IsOverfull(); ++i)
      Add(std::make_unique<swftk::CSwfShowFrame>());
  }
  bool IsOverfull() const { return frames_ > kMaxMovieFrames; }

 private:
  swftk::CSwfWriter& writer_;
  uint32_t frames_ = 0;
};

// Where letter i sits on the root timeline.
struct LetterDepths {
  int first = 1;
  uint16_t Of(size_t i) const { return static_cast<uint16_t>(first + static_cast<int>(i)); }
};

// Tag indices at which the effect's frames begin: 0, then the index after every ShowFrame and
// End. A sprite of F frames closed by an End has F + 2 entries.
std::vector<size_t> FrameStarts(const swftk::TagList& tags) {
  std::vector<size_t> starts{0};
  for (size_t i = 0; i < tags.size(); ++i) {
    if (EndsFrame(*tags[i])) starts.push_back(i + 1);
  }
  return starts;
}

const swftk::TagList& EffectTags(const MovieBuild& build) {
  return build.effect.effectSprites.front()->tags;
}

// Plain modes: the effect's placement replayed for letter i with its glyph's text character.
std::unique_ptr<CSwfPlaceObject2> PlaceGlyphText(const MovieBuild& build,
                                                 const CSwfPlaceObject2& placement, size_t i,
                                                 uint16_t depth) {
  const GlyphLayout& layout = build.layout;
  const uint16_t glyph = layout.letterGlyph[i];
  const LetterPosition& position = layout.letterPosition[i];
  auto letter = MakeLetterPlacement(placement, static_cast<uint16_t>(build.firstTextId + glyph),
                                    depth, layout.glyphAdvance[glyph], build.request.fontSizeTenths,
                                    position.x, position.y, true);
  if (placement.name == "letter") letter->name.clear();
  return letter;
}

// The depths of the letters after the link button and the copied template: b = idCounter minus
// the number of glyphs.
int DepthBase(const MovieBuild& build) {
  return build.idCounter - static_cast<int>(build.layout.glyphSet.size());
}

// Every letter plays each frame of the effect at the same time.
void AssembleAllAtOnce(MovieBuild& build, MainTimeline& timeline, const LetterDepths& depths) {
  const std::string& text = build.request.text;
  for (const auto& tag : EffectTags(build)) {
    if (const auto* placement = As<CSwfPlaceObject2>(*tag)) {
      for (size_t i = 0; i < text.size(); ++i) {
        if (!IsLineBreak(text[i])) timeline.Add(PlaceGlyphText(build, *placement, i, depths.Of(i)));
      }
    } else if (tag->GetTagCode() == tagcode::kShowFrame) {
      timeline.ShowFrames(1);
    } else if (tag->GetTagCode() == tagcode::kRemoveObject2) {
      // The effect removes its letter: every letter goes from its own depth.
      for (size_t i = 0; i < text.size(); ++i) {
        if (!IsLineBreak(text[i]))
          timeline.Add(std::make_unique<swftk::CSwfRemoveObject2>(0, depths.Of(i)));
      }
    }
  }
}

// Letter k runs frameDelay × k frames behind letter 0; each glyph's text character is defined
// in the frame in which its first letter starts.
void AssembleStaggered(MovieBuild& build, MainTimeline& timeline, const LetterDepths& depths) {
  const std::string& text = build.request.text;
  const swftk::TagList& effect = EffectTags(build);
  const std::vector<size_t> frameStarts = FrameStarts(effect);
  const auto entries = static_cast<int64_t>(frameStarts.size());
  const size_t n = text.size();
  // The frame of the effect each letter plays in the current frame; negative: not started.
  std::vector<int64_t> letterCursor(n, 0);
  while (letterCursor[n - 1] < entries - 2 && !timeline.IsOverfull()) {
    for (size_t k = 1; k < n; ++k) letterCursor[k] = letterCursor[k - 1] - build.request.frameDelay;
    for (size_t i = 0; i < n && letterCursor[i] >= 0; ++i) {
      const int64_t e = letterCursor[i];
      // The glyph's text leaves the held list with the first letter that starts with it.
      std::unique_ptr<swftk::CSwfDefineText>& held = build.heldTexts[build.layout.letterGlyph[i]];
      if (e == 0 && held) timeline.Add(std::move(held));
      if (e >= entries - 1) continue;
      for (size_t t = frameStarts[static_cast<size_t>(e)];
           t < effect.size() && !EndsFrame(*effect[t]); ++t) {
        if (const auto* placement = As<CSwfPlaceObject2>(*effect[t])) {
          if (!IsLineBreak(text[i]))
            timeline.Add(PlaceGlyphText(build, *placement, i, depths.Of(i)));
        } else if (effect[t]->GetTagCode() == tagcode::kRemoveObject2) {
          timeline.Add(std::make_unique<swftk::CSwfRemoveObject2>(0, depths.Of(i)));
        }
      }
    }
    timeline.ShowFrames(1);
    ++letterCursor[0];
  }
}

// Edit-text mode: the effect copied once as a container that shows the new letter sprite.
std::unique_ptr<CSwfTag> CopyIntoContainer(const MovieBuild& build, const CSwfTag& tag) {
  if (const auto* placement = As<CSwfPlaceObject2>(tag)) {
    auto copy = std::make_unique<CSwfPlaceObject2>();
    copy->CopyFrom(*placement);
    if (const uint16_t j = placement->characterId; j != 0) {
      const uint16_t mapped = MappedId(build.idMap, j);
      copy->characterId = placement->name == "letter" || j == build.effect.letterId
                              ? build.letterSpriteId
                              : (mapped != 0 ? mapped : j);
    }
    return copy;
  }
  if (const auto* action = As<swftk::CSwfDoAction>(tag)) {
    auto copy = std::make_unique<swftk::CSwfDoAction>();
    copy->CopyFrom(*action);
    return copy;
  }
  if (const auto* removal = As<swftk::CSwfRemoveObject2>(tag)) {
    return std::make_unique<swftk::CSwfRemoveObject2>(removal->characterId, removal->depth);
  }
  if (const auto* label = As<swftk::CSwfFrameLabel>(tag)) {
    return std::make_unique<swftk::CSwfFrameLabel>(label->label);
  }
  if (tag.GetTagCode() == tagcode::kShowFrame) return std::make_unique<swftk::CSwfShowFrame>();
  if (tag.GetTagCode() == tagcode::kEnd) return std::make_unique<swftk::CSwfEnd>();
  return nullptr;
}

void AddAssignment(swftk::CSwfDoAction& action, std::string variable, std::string value) {
  action.AddAction(std::make_unique<swftk::CSwfActionPush>(std::move(variable)));
  action.AddAction(std::make_unique<swftk::CSwfActionPush>(std::move(value)));
  action.AddAction(std::make_unique<swftk::CSwfActionSetVariable>());
}

// Each letter is an instance of the container named by its index; actions set its character
// and, after a line break, its line.
uint16_t AssembleEditText(MovieBuild& build, MainTimeline& timeline, const LetterDepths& depths) {
  const MovieRequest& request = build.request;
  const GlyphLayout& layout = build.layout;
  const std::string& text = request.text;

  auto container = std::make_unique<swftk::CSwfDefineSprite>(++build.idCounter, 0);
  for (const auto& tag : EffectTags(build)) {
    std::unique_ptr<CSwfTag> copy = CopyIntoContainer(build, *tag);
    if (copy) container->AddTag(copy);
  }
  const uint16_t containerId = container->GetCharacterId();
  const uint16_t containerFrames = container->frameCount;
  timeline.Add(std::move(container));

  auto pending = std::make_unique<swftk::CSwfDoAction>();
  int line = 0;
  const double k = layout.emHeight / build.effect.templateTextHeight;
  const swftk::CSwfRect& field = build.letterFieldBounds;
  CSwfPlaceObject2 placementTemplate;
  placementTemplate.matrix = std::make_unique<swftk::CSwfMatrix>();
  for (size_t i = 0; i < text.size() && !timeline.IsOverfull(); ++i) {
    const char c = text[i];
    if (IsLineBreak(c)) {
      ++line;
      continue;
    }
    const int advance = layout.glyphAdvance[layout.letterGlyph[i]];
    const LetterPosition& p = layout.letterPosition[i];
    const auto x = static_cast<float>(p.x + advance / 2);
    const auto y = static_cast<float>(p.y + k * ((field.yMax - field.yMin) / 2));
    auto letter = MakeLetterPlacement(placementTemplate, containerId, depths.Of(i), advance,
                                      request.fontSizeTenths * 3, x, y, false);
    letter->matrix->scaleX = TruncateToInt(letter->matrix->scaleX * k);
    letter->matrix->scaleY = TruncateToInt(letter->matrix->scaleY * k);
    letter->name = std::to_string(i);
    timeline.Add(std::move(letter));

    std::string instance = "/";
    instance += std::to_string(i);
    AddAssignment(*pending, instance + "/letter:text", std::string(1, c));
    if (static_cast<uint16_t>(line) != 0)
      AddAssignment(*pending, instance + ":line", std::to_string(line));
    if (!request.allAtOnce) {
      timeline.Add(std::move(pending));
      if (i + 1 < text.size()) pending = std::make_unique<swftk::CSwfDoAction>();
      timeline.ShowFrames(request.frameDelay);
    }
  }
  if (request.allAtOnce) timeline.Add(std::move(pending));
  return containerFrames;
}

// Stop at the end, or clear the letters (from the depths they were placed at) and play again
// from the first frame.
void AddEnding(MovieBuild& build, MainTimeline& timeline, const LetterDepths& depths,
               uint16_t containerFrames) {
  timeline.ShowFrames(1);
  auto last = std::make_unique<swftk::CSwfDoAction>();
  if (build.request.loop) {
    if (build.request.editTextMode) timeline.ShowFrames(containerFrames);
    for (size_t i = 0; i < build.request.text.size(); ++i) {
      timeline.Add(std::make_unique<swftk::CSwfRemoveObject2>(0, depths.Of(i)));
    }
    last->AddAction(std::make_unique<swftk::CSwfActionGotoFrame>(0));
    last->AddAction(std::make_unique<swftk::CSwfActionPlay>());
  } else {
    last->AddAction(std::make_unique<swftk::CSwfActionStop>());
  }
  timeline.Add(std::move(last));
  timeline.ShowFrames(1);
  timeline.Add(std::make_unique<swftk::CSwfEnd>());
}

}  // namespace

bool AssembleTimeline(MovieBuild& build, const ErrorSink& sink) {
  const MovieRequest& request = build.request;
  MainTimeline timeline(build.writer);
  uint16_t containerFrames = 0;
  LetterDepths depths;
  if (request.editTextMode) {
    // Above every letter, whose depths run from 1 to the text's length.
    const auto linkDepth = static_cast<uint16_t>(request.text.size() + 1);
    build.idCounter = AddLinkButton(build.writer, build.idCounter, linkDepth, request.movieWidth,
                                    request.movieHeight, request.linkUrl, request.linkTarget);
    containerFrames = AssembleEditText(build, timeline, depths);
  } else if (request.allAtOnce) {
    depths.first = DepthBase(build) - 1;
    AssembleAllAtOnce(build, timeline, depths);
  } else {
    depths.first = DepthBase(build);
    AssembleStaggered(build, timeline, depths);
  }
  AddEnding(build, timeline, depths, containerFrames);
  if (!timeline.IsOverfull()) return true;
  ShowCaptionedError(
      sink, "Invalid Entry", "Please re-enter the frame delay",
      "The movie would have more than " + std::to_string(kMaxMovieFrames) + " frames.");
  return false;
}

}  // namespace engine
