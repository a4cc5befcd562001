#include "player/movie_loader.h"

#include <string>

#include "player/bitmap_character.h"
#include "player/button_character.h"
#include "player/edit_text_character.h"
#include "player/font_character.h"
#include "player/script_bytes.h"
#include "player/shape_character.h"
#include "player/sprite_character.h"
#include "player/text_character.h"
#include "swftk/actions.h"
#include "swftk/button.h"
#include "swftk/control_tags.h"
#include "swftk/define_shape.h"
#include "swftk/edit_text.h"
#include "swftk/font.h"
#include "swftk/place_object.h"
#include "swftk/reader.h"
#include "swftk/sprite.h"
#include "swftk/stream.h"
#include "swftk/tag_factory.h"
#include "swftk/text.h"

namespace player {
namespace {

namespace code = swftk::tagcode;

constexpr uint16_t kDefineBitsLossless = 20;
constexpr uint16_t kDefineBitsLossless2 = 36;

// Parses a tag the reader keeps as raw bytes with the toolkit's class for it, within the
// tag's own bytes.
template <class Tag>
void ReadRawTag(const swftk::CSwfTagUnknown& raw, Tag& tag) {
  swftk::CSwfStream framed;
  raw.Write(framed);
  swftk::CSwfReader reader;
  reader.OpenFromStream(framed);
  reader.ReadTagInto(tag);
}

// Why a tag the player does not use is left out; null for tags that change nothing drawn.
const char* SkipReason(uint16_t tagCode) {
  switch (tagCode) {
    case 6:   // DefineBits
    case 8:   // JPEGTables
    case 21:  // DefineBitsJPEG2
    case 35:  // DefineBitsJPEG3
    case 90:  // DefineBitsJPEG4
      return "JPEG bitmaps are not drawn";
    case 14:  // DefineSound
    case 15:  // StartSound
    case 17:  // DefineButtonSound
    case 18:  // SoundStreamHead
    case 19:  // SoundStreamBlock
    case 45:  // SoundStreamHead2
    case 89:  // StartSound2
      return "sound is not played";
    case 46:  // DefineMorphShape
    case 84:  // DefineMorphShape2
      return "morph shapes are not drawn";
    case 60:  // DefineVideoStream
    case 61:  // VideoFrame
      return "video is not played";
    case 23:  // DefineButtonCxform
      return "button colour transforms are not applied";
    case code::kDefineSprite:
      return "sprites nested this deep are not played";
    case 24:  // Protect
    case 40:  // NameCharacter
    case 41:  // ProductInfo
    case 58:  // EnableDebugger
    case 63:  // DebugID
    case 64:  // EnableDebugger2
    case 65:  // ScriptLimits
    case 69:  // FileAttributes
    case 77:  // Metadata
      return nullptr;
    default:
      return "this player does not use it";
  }
}

FrameCommand PlaceCommandOf(const swftk::CSwfPlaceObject& place) {
  FrameCommand command;
  command.depth = place.depth;
  command.characterId = place.characterId;
  if (place.matrix) command.matrix = Transform2D::FromSwf(*place.matrix);
  if (place.colorTransform) command.colorTransform = ColorTransform::FromSwf(*place.colorTransform);
  return command;
}

FrameCommand PlaceCommandOf(const swftk::CSwfPlaceObject2& place) {
  FrameCommand command;
  command.depth = place.depth;
  command.move = place.move;
  command.characterId = place.characterId;
  if (place.matrix) command.matrix = Transform2D::FromSwf(*place.matrix);
  if (place.colorTransformAlpha)
    command.colorTransform = ColorTransform::FromSwf(*place.colorTransformAlpha);
  // The toolkit gives absent optional numbers as zero, which placements never set on purpose.
  if (place.ratio != 0) command.ratio = place.ratio;
  if (!place.name.empty()) command.name = place.name;
  if (place.clipDepth != 0) command.clipDepth = place.clipDepth;
  return command;
}

FrameCommand RemoveCommandOf(uint16_t depth) {
  FrameCommand command;
  command.kind = FrameCommand::Kind::kRemove;
  command.depth = depth;
  return command;
}

TwipsRect RectOf(const swftk::CSwfRect& rect) {
  return {static_cast<double>(rect.xMin), static_cast<double>(rect.yMin),
          static_cast<double>(rect.xMax), static_cast<double>(rect.yMax)};
}

class MovieBuilder {
 public:
  explicit MovieBuilder(CKV_Movie& movie) : movie_(movie) {}

  void BuildTimeline(const swftk::TagList& tags, CKV_Timeline& timeline, bool isRoot) {
    TimelineFrame frame;
    for (const auto& tag : tags) {
      const uint16_t tagCode = tag->GetTagCode();
      if (tagCode == code::kEnd) break;
      if (tagCode == code::kShowFrame) {
        timeline.frames.push_back(std::move(frame));
        frame = {};
        continue;
      }
      if (AddControlTag(*tag, timeline, frame, isRoot)) continue;
      if (DefineCharacter(*tag)) continue;
      if (const char* reason = SkipReason(tagCode))
        movie_.warnings.Add(std::string(swftk::TagName(tagCode)) + " (tag " +
                            std::to_string(tagCode) + ") skipped: " + reason);
    }
    // Tags after the last ShowFrame still make a frame; every timeline has at least one.
    if (!frame.commands.empty() || !frame.scripts.empty() || timeline.frames.empty())
      timeline.frames.push_back(std::move(frame));
  }

 private:
  bool AddControlTag(const swftk::CSwfTag& tag, CKV_Timeline& timeline, TimelineFrame& frame,
                     bool isRoot) {
    const auto* raw = dynamic_cast<const swftk::CSwfTagUnknown*>(&tag);
    switch (tag.GetTagCode()) {
      case code::kPlaceObject:
        if (raw) {
          swftk::CSwfPlaceObject place;
          ReadRawTag(*raw, place);
          frame.commands.push_back(PlaceCommandOf(place));
        }
        return true;
      case code::kPlaceObject2:
        if (const auto* place = dynamic_cast<const swftk::CSwfPlaceObject2*>(&tag))
          frame.commands.push_back(PlaceCommandOf(*place));
        return true;
      case code::kRemoveObject:
        if (raw) {
          swftk::CSwfRemoveObject remove(0, 0);
          ReadRawTag(*raw, remove);
          frame.commands.push_back(RemoveCommandOf(remove.depth));
        }
        return true;
      case code::kRemoveObject2:
        if (const auto* remove = dynamic_cast<const swftk::CSwfRemoveObject*>(&tag))
          frame.commands.push_back(RemoveCommandOf(remove->depth));
        return true;
      case code::kDoAction:
        if (const auto* doAction = dynamic_cast<const swftk::CSwfDoAction*>(&tag))
          frame.scripts.push_back(ScriptBytesOf(*doAction));
        return true;
      case code::kFrameLabel:
        if (const auto* label = dynamic_cast<const swftk::CSwfFrameLabel*>(&tag))
          timeline.labels.emplace_back(label->label, timeline.FrameCount() + 1);
        return true;
      case code::kSetBackgroundColor:
        if (const auto* background = dynamic_cast<const swftk::CSwfSetBackgroundColor*>(&tag);
            background && isRoot && !backgroundSet_) {
          movie_.background = {background->color.red, background->color.green,
                               background->color.blue, 255};
          backgroundSet_ = true;
        }
        return true;
      default:
        return false;
    }
  }

  bool DefineCharacter(const swftk::CSwfTag& tag) {
    const uint16_t tagCode = tag.GetTagCode();
    const auto* raw = dynamic_cast<const swftk::CSwfTagUnknown*>(&tag);
    switch (tagCode) {
      case code::kDefineShape:
      case code::kDefineShape2:
      case code::kDefineShape3:
        if (const auto* shape = dynamic_cast<const swftk::CSwfDefineShape*>(&tag)) {
          Add(std::make_unique<CKV_ShapeCharacter>(
              shape->characterId, shape->bounds ? RectOf(*shape->bounds) : TwipsRect{},
              shape->shape ? BuildShapeOutline(*shape->shape) : ShapeOutline{}));
        }
        return true;
      case code::kDefineFont:
        DefineFromRaw<swftk::CSwfDefineFont, CKV_FontCharacter>(raw);
        return true;
      case code::kDefineFontInfo:
        if (raw) {
          swftk::CSwfDefineFontInfo info;
          ReadRawTag(*raw, info);
          CKV_Character* font = movie_.characters.FindMutable(info.fontId);
          if (font && font->Kind() == CharacterKind::kFont)
            static_cast<CKV_FontCharacter*>(font)->TakeInfo(info);
        }
        return true;
      case code::kDefineFont2:
        if (const auto* font = dynamic_cast<const swftk::CSwfDefineFont2*>(&tag))
          Add(std::make_unique<CKV_FontCharacter>(*font));
        return true;
      case code::kDefineText:
      case code::kDefineText2:
        if (raw) {
          swftk::CSwfDefineText text;
          text.SetTagCode(tagCode);
          ReadRawTag(*raw, text);
          Add(std::make_unique<CKV_TextCharacter>(text, movie_.characters));
        }
        return true;
      case code::kDefineEditText:
        if (const auto* field = dynamic_cast<const swftk::CSwfDefineEditText*>(&tag)) {
          Add(std::make_unique<CKV_EditTextCharacter>(*field,
                                                      movie_.characters.FindFont(field->fontId)));
        }
        return true;
      case code::kDefineSprite:
        if (const auto* sprite = dynamic_cast<const swftk::CSwfDefineSprite*>(&tag)) {
          CKV_Timeline timeline;
          BuildTimeline(sprite->tags, timeline, false);
          Add(std::make_unique<CKV_SpriteCharacter>(sprite->characterId, std::move(timeline)));
          return true;
        }
        return false;
      case code::kDefineButton:
      case code::kDefineButton2:
        if (const auto* button = dynamic_cast<const swftk::CSwfDefineButton*>(&tag))
          Add(std::make_unique<CKV_ButtonCharacter>(*button));
        return true;
      case kDefineBitsLossless:
      case kDefineBitsLossless2:
        if (raw) {
          std::string problem;
          if (auto bitmap =
                  DecodeLosslessBitmap(raw->data, tagCode == kDefineBitsLossless2, problem)) {
            Add(std::move(bitmap));
          } else {
            movie_.warnings.Add(std::string(swftk::TagName(tagCode)) + " skipped: " + problem);
          }
        }
        return true;
      default:
        return false;
    }
  }

  // A character made from a tag the reader kept as raw bytes.
  template <class Tag, class Character>
  void DefineFromRaw(const swftk::CSwfTagUnknown* raw) {
    if (!raw) return;
    Tag tag;
    ReadRawTag(*raw, tag);
    Add(std::make_unique<Character>(tag));
  }

  void Add(std::unique_ptr<CKV_Character> character) {
    const uint16_t id = character->Id();
    if (!movie_.characters.Add(std::move(character)))
      movie_.warnings.Add("character " + std::to_string(id) +
                          " is defined more than once; the first definition stands");
  }

  CKV_Movie& movie_;
  bool backgroundSet_ = false;
};

MovieLoadResult BuildMovie(swftk::CSwfReader& reader) {
  auto movie = std::make_shared<CKV_Movie>();
  const swftk::CSwfHeader& header = reader.GetHeader();
  movie->version = header.version;
  movie->stage = RectOf(header.frameRect);
  movie->frameRate = header.frameRate;
  MovieBuilder(*movie).BuildTimeline(reader.GetTags(), movie->timeline, true);
  return {std::move(movie), {}};
}

}  // namespace

MovieLoadResult LoadMovieFile(const std::string& path) {
  swftk::CSwfReader reader;
  if (const swftk::OpenResult result = reader.OpenMovie(path); result != swftk::OpenResult::kOk)
    return {nullptr, swftk::DescribeOpenResult(result)};
  return BuildMovie(reader);
}

MovieLoadResult LoadMovieBytes(std::vector<uint8_t> bytes) {
  swftk::CSwfReader reader;
  if (const swftk::OpenResult result = reader.OpenMovieBytes(std::move(bytes));
      result != swftk::OpenResult::kOk)
    return {nullptr, swftk::DescribeOpenResult(result)};
  return BuildMovie(reader);
}

}  // namespace player
