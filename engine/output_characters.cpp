#include <algorithm>
#include <string>

#include "engine/link_button.h"
#include "engine/movie_build.h"
#include "engine/numeric.h"
#include "engine/placement.h"
#include "glyphs/truetype_helper.h"
#include "swftk/actions.h"
#include "swftk/control_tags.h"
#include "swftk/define_shape.h"
#include "swftk/edit_text.h"
#include "swftk/font.h"
#include "swftk/place_object.h"
#include "swftk/sprite.h"
#include "swftk/stream.h"
#include "swftk/units.h"

namespace engine {
namespace {

constexpr uint16_t kFontId = 1;
constexpr uint16_t kLetterFieldId = 2;
constexpr uint16_t kLetterSpriteId = 3;
// The link button of a plain movie lies beneath every letter.
constexpr uint16_t kPlainLinkDepth = 1;
constexpr uint8_t kCentreAlign = 2;
constexpr uint8_t kOpaque = 255;
constexpr const char* kGlyphOverflow = "Glyph overflow";

// textlen = the number of characters of the text, for the effect's scripts.
std::unique_ptr<swftk::CSwfDoAction> MakeTextLengthAction(size_t length) {
  auto action = std::make_unique<swftk::CSwfDoAction>();
  action->AddAction(std::make_unique<swftk::CSwfActionPush>("textlen"));
  action->AddAction(std::make_unique<swftk::CSwfActionPush>(std::to_string(length)));
  action->AddAction(std::make_unique<swftk::CSwfActionSetVariable>());
  return action;
}

uint8_t FontInfoFlags(const glyphs::FontRequest& font) {
  uint8_t flags = swftk::CSwfDefineFontInfo::kAnsi;
  if (font.lfItalic != 0) flags |= swftk::CSwfDefineFontInfo::kItalic;
  if (font.lfWeight >= glyphs::kWeightBold) flags |= swftk::CSwfDefineFontInfo::kBold;
  return flags;
}

// One glyph drawn at the letter height, its top at the text's origin.
std::unique_ptr<swftk::CSwfDefineText> MakeGlyphText(const MovieBuild& build, uint16_t id,
                                                     size_t glyph, uint8_t glyphBits) {
  const GlyphLayout& layout = build.layout;
  const int advance = layout.glyphAdvance[glyph];
  const int32_t height = TruncateToInt(layout.emHeight);
  const auto advanceBits = static_cast<uint8_t>(swftk::BitsNeeded(advance, true));
  auto text = std::make_unique<swftk::CSwfDefineText>();
  text->Init(id, std::make_unique<swftk::CSwfRect>(-2, 3 * advance, -2, height),
             std::make_unique<swftk::CSwfMatrix>(), glyphBits, advanceBits,
             swftk::tagcode::kDefineText);

  const uint32_t colour = build.request.textColor;
  auto style = std::make_unique<swftk::CSwfTextStyleChangeRecord>();
  style->Set(kFontId,
             std::make_unique<swftk::CSwfColor>(RedOf(colour), GreenOf(colour), BlueOf(colour)), 0,
             static_cast<int16_t>(layout.ascentOffset), static_cast<uint16_t>(height));
  text->records.push_back(std::move(style));

  auto glyphs = std::make_unique<swftk::CSwfTextGlyphRecord>();
  glyphs->entries.push_back({static_cast<int32_t>(glyph), advance});
  glyphs->glyphBits = glyphBits;
  glyphs->advanceBits = advanceBits;
  text->records.push_back(std::move(glyphs));
  return text;
}

// Only shapes and sprites travel into the movie, in the template's id order, so a copied sprite
// can only be pointed at copies of characters with smaller ids.
void CopyTemplateCharacters(MovieBuild& build) {
  const EffectTemplate& effect = build.effect;
  const std::vector<swftk::CSwfCharacterTag*> dictionary = effect.processor.GetCharacters();
  build.idMap.assign(dictionary.size(), 0);
  for (size_t k = 0; k < dictionary.size(); ++k) {
    const swftk::CSwfCharacterTag* entry = dictionary[k];
    if (entry == nullptr) continue;
    if (const auto* shape = dynamic_cast<const swftk::CSwfDefineShape*>(entry)) {
      auto copy = std::make_unique<swftk::CSwfDefineShape>(shape->GetTagCode());
      copy->CopyFrom(*shape);
      copy->SetCharacterId(++build.idCounter);
      build.idMap[k] = build.idCounter;
      build.writer.AddTag(std::move(copy));
    } else if (const auto* sprite = dynamic_cast<const swftk::CSwfDefineSprite*>(entry)) {
      const uint16_t id = sprite->GetCharacterId();
      if (id == effect.letterId || id == effect.effectId) continue;
      auto copy = std::make_unique<swftk::CSwfDefineSprite>();
      copy->CopyFrom(*sprite);
      copy->SetCharacterId(++build.idCounter);
      for (const auto& tag : copy->tags) {
        if (tag->GetTagCode() != swftk::tagcode::kPlaceObject2) continue;
        auto& placement = static_cast<swftk::CSwfPlaceObject2&>(*tag);
        if (const uint16_t mapped = MappedId(build.idMap, placement.characterId))
          placement.characterId = mapped;
      }
      build.idMap[k] = build.idCounter;
      build.writer.AddTag(std::move(copy));
    }
  }
}

glyphs::MessageSink GlyphMessages(const ErrorSink& sink) {
  return [&sink](std::string_view caption, std::string_view text, std::string_view detail) {
    ShowCaptionedError(sink, std::string(caption), std::string(text), std::string(detail));
  };
}

// Plain mode: the glyph outlines in a DefineFont, and one DefineText per glyph.
bool MakePlainCharacters(MovieBuild& build, const ErrorSink& sink) {
  const MovieRequest& request = build.request;
  const GlyphLayout& layout = build.layout;
  glyphs::CSwfTrueTypeHelper helper(GlyphMessages(sink));
  std::unique_ptr<swftk::CSwfDefineFont> font =
      helper.BuildDefineFont(*request.window, request.logFont, layout.glyphSet, kFontId);
  if (!font) {
    ShowError(sink, kGlyphOverflow);
    return false;
  }
  build.idCounter = kFontId;
  auto info = std::make_unique<swftk::CSwfDefineFontInfo>();
  info->Set(kFontId, request.logFont.GetFaceName(), FontInfoFlags(request.logFont),
            layout.glyphSet);
  build.writer.AddTag(std::move(font));
  build.writer.AddTag(std::move(info));

  build.idCounter =
      AddLinkButton(build.writer, build.idCounter, kPlainLinkDepth, request.movieWidth,
                    request.movieHeight, request.linkUrl, request.linkTarget);

  // Wide enough for every glyph index, and never narrower than the text's length needs.
  const size_t glyphCount = layout.glyphSet.size();
  const auto glyphBits = static_cast<uint8_t>(
      std::max(swftk::BitsNeeded(static_cast<int64_t>(request.text.size()), true),
               swftk::BitsNeeded(static_cast<int64_t>(glyphCount) - 1, false)));
  build.firstTextId = build.idCounter + 1;
  for (size_t g = 0; g < glyphCount; ++g) {
    std::unique_ptr<swftk::CSwfDefineText> text =
        MakeGlyphText(build, ++build.idCounter, g, glyphBits);
    if (request.allAtOnce) {
      build.writer.AddTag(std::move(text));
    } else {
      build.heldTexts.push_back(std::move(text));
    }
  }
  CopyTemplateCharacters(build);
  return true;
}

// The field is as high as the template's and wide enough for the widest glyph at the
// template's design height.
swftk::CSwfRect LetterFieldBounds(const MovieBuild& build) {
  swftk::CSwfRect bounds;
  if (build.effect.templateEditText != nullptr && build.effect.templateEditText->bounds) {
    bounds = *build.effect.templateEditText->bounds;
  }
  const std::vector<int>& advances = build.layout.glyphAdvance;
  const int64_t widest = advances.empty() ? 0 : *std::max_element(advances.begin(), advances.end());
  const uint32_t q =
      uint32_t{swftk::kGlyphCellUnits} / (static_cast<uint32_t>(build.request.fontSizeTenths) * 2U);
  const int64_t width = q < 3 ? 2 * widest : int64_t{q} * widest;
  bounds.xMax = static_cast<int32_t>(width);
  return bounds;
}

std::unique_ptr<swftk::CSwfDefineEditText> MakeLetterField(const MovieBuild& build) {
  const uint32_t colour = build.request.textColor;
  auto field = std::make_unique<swftk::CSwfDefineEditText>();
  field->Init(kLetterFieldId,
              std::make_unique<swftk::CSwfColorAlpha>(RedOf(colour), GreenOf(colour),
                                                      BlueOf(colour), kOpaque),
              "text");
  field->bounds = std::make_unique<swftk::CSwfRect>(build.letterFieldBounds);
  field->SetInitialText("W");
  field->SetFont(kFontId, static_cast<uint16_t>(build.effect.templateTextHeight));
  field->SetLayout(kCentreAlign, 0, 0, 0, static_cast<uint16_t>(build.request.fontSizeTenths));
  field->flags |= swftk::CSwfDefineEditText::kReadOnly | swftk::CSwfDefineEditText::kNoSelect |
                  swftk::CSwfDefineEditText::kUseOutlines;
  return field;
}

// The field centred on the sprite's origin.
std::unique_ptr<swftk::CSwfDefineSprite> MakeLetterSprite(const swftk::CSwfRect& field) {
  auto sprite = std::make_unique<swftk::CSwfDefineSprite>(kLetterSpriteId, 0);
  auto placement = PlaceCharacter(kLetterFieldId, 1);
  placement->matrix->SetTranslate(-((field.xMin + field.xMax) / 2),
                                  -((field.yMin + field.yMax) / 2));
  std::unique_ptr<swftk::CSwfTag> tags[] = {std::move(placement),
                                            std::make_unique<swftk::CSwfShowFrame>(),
                                            std::make_unique<swftk::CSwfEnd>()};
  for (auto& tag : tags) sprite->AddTag(tag);
  return sprite;
}

// Edit-text mode: a DefineFont2, one text field shown by a new letter sprite, and the letters'
// characters set by actions at run time.
bool MakeEditTextCharacters(MovieBuild& build, const ErrorSink& sink) {
  const MovieRequest& request = build.request;
  build.writer.AddTag(MakeTextLengthAction(request.text.size()));
  glyphs::CSwfTrueTypeHelper helper(GlyphMessages(sink));
  std::unique_ptr<swftk::CSwfDefineFont2> font =
      helper.BuildDefineFont2(*request.window, request.logFont, build.layout.glyphSet, kFontId);
  if (!font) {
    ShowError(sink, kGlyphOverflow);
    return false;
  }
  build.writer.AddTag(std::move(font));
  build.letterFieldBounds = LetterFieldBounds(build);
  build.writer.AddTag(MakeLetterField(build));
  build.writer.AddTag(MakeLetterSprite(build.letterFieldBounds));
  build.idCounter = kLetterSpriteId;
  build.letterSpriteId = kLetterSpriteId;
  CopyTemplateCharacters(build);
  return true;
}

}  // namespace

bool MakeOutputCharacters(MovieBuild& build, const ErrorSink& sink) {
  return build.request.editTextMode ? MakeEditTextCharacters(build, sink)
                                    : MakePlainCharacters(build, sink);
}

}  // namespace engine
