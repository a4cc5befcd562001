#include "player/movie_loader.h"

#include <string>

#include "player/bitmap_character.h"
#include "player/button_character.h"
#include "player/edit_text_character.h"
#include "player/font_character.h"
#include "player/jpeg_bitmap.h"
#include "player/morph_shape_character.h"
#include "player/script_bytes.h"
#include "player/shape_character.h"
#include "player/sprite_character.h"
#include "player/text_character.h"
#include "swftk/actions.h"
#include "swftk/bitmap_tags.h"
#include "swftk/button.h"
#include "swftk/control_tags.h"
#include "swftk/define_shape.h"
#include "swftk/edit_text.h"
#include "swftk/font.h"
#include "swftk/morph_shape.h"
#include "swftk/place_object.h"
#include "swftk/reader.h"
#include "swftk/sprite.h"
#include "swftk/tag_factory.h"
#include "swftk/text.h"

namespace player {
namespace {

namespace code = swftk::tagcode;

// Why a tag the player does not use is left out; null for tags that change nothing drawn.
const char* SkipReason(uint16_t tagCode) {
  switch (tagCode) {
    case code::kDefineBitsJpeg4:
      return "JPEG bitmaps with deblocking are not drawn";
    case code::kDefineSound:
    case code::kStartSound:
    case code::kDefineButtonSound:
    case code::kSoundStreamHead:
    case code::kSoundStreamBlock:
    case code::kSoundStreamHead2:
    case code::kStartSound2:
      return "sound is not played";
    case code::kDefineMorphShape2:
      return "morph shapes with line joins are not drawn";
    case code::kDefineVideoStream:
    case code::kVideoFrame:
      return "video is not played";
    case code::kDefineButtonCxform:
      return "button colour transforms are not applied";
    case code::kDefineSprite:
      return "sprites nested this deep are not played";
    case code::kProtect:
    case code::kNameCharacter:
    case code::kProductInfo:
    case code::kEnableDebugger:
    case code::kDebugId:
    case code::kEnableDebugger2:
    case code::kScriptLimits:
    case code::kFileAttributes:
    case code::kMetadata:
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
    switch (tag.GetTagCode()) {
      case code::kPlaceObject:
        if (const auto* place = dynamic_cast<const swftk::CSwfPlaceObject*>(&tag))
          frame.commands.push_back(PlaceCommandOf(*place));
        return true;
      case code::kPlaceObject2:
        if (const auto* place = dynamic_cast<const swftk::CSwfPlaceObject2*>(&tag))
          frame.commands.push_back(PlaceCommandOf(*place));
        return true;
      case code::kRemoveObject:
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
    switch (tag.GetTagCode()) {
      case code::kDefineShape:
      case code::kDefineShape2:
      case code::kDefineShape3:
        if (const auto* shape = dynamic_cast<const swftk::CSwfDefineShape*>(&tag)) {
          Add(std::make_unique<CKV_ShapeCharacter>(
              shape->characterId, shape->bounds ? RectOf(*shape->bounds) : TwipsRect{},
              shape->shape ? BuildShapeOutline(*shape->shape) : ShapeOutline{}));
        }
        return true;
      case code::kDefineMorphShape:
        DefineFrom<swftk::CSwfDefineMorphShape, CKV_MorphShapeCharacter>(tag);
        return true;
      case code::kDefineFont:
        DefineFrom<swftk::CSwfDefineFont, CKV_FontCharacter>(tag);
        return true;
      case code::kDefineFontInfo:
        if (const auto* info = dynamic_cast<const swftk::CSwfDefineFontInfo*>(&tag)) {
          CKV_Character* font = movie_.characters.FindMutable(info->fontId);
          if (font && font->Kind() == CharacterKind::kFont)
            static_cast<CKV_FontCharacter*>(font)->TakeInfo(*info);
        }
        return true;
      case code::kDefineFont2:
        DefineFrom<swftk::CSwfDefineFont2, CKV_FontCharacter>(tag);
        return true;
      case code::kDefineText:
      case code::kDefineText2:
        if (const auto* text = dynamic_cast<const swftk::CSwfDefineText*>(&tag))
          Add(std::make_unique<CKV_TextCharacter>(*text, movie_.characters));
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
        DefineFrom<swftk::CSwfDefineButton, CKV_ButtonCharacter>(tag);
        return true;
      case code::kDefineButton2:
        DefineFrom<swftk::CSwfDefineButton2, CKV_ButtonCharacter>(tag);
        return true;
      case code::kDefineBitsLossless:
      case code::kDefineBitsLossless2:
        if (const auto* bits = dynamic_cast<const swftk::CSwfDefineBitsLossless*>(&tag))
          AddBitmap(tag, DecodeLosslessBitmap(*bits));
        return true;
      case code::kJpegTables:
        if (const auto* tables = dynamic_cast<const swftk::CSwfJpegTables*>(&tag))
          jpegTables_ = tables->data;
        return true;
      case code::kDefineBits:
      case code::kDefineBitsJpeg2:
      case code::kDefineBitsJpeg3:
        if (const auto* jpeg = dynamic_cast<const swftk::CSwfDefineBitsJpeg*>(&tag))
          AddBitmap(tag, DecodeJpegBitmap(*jpeg, jpegTables_));
        return true;
      default:
        return false;
    }
  }

  // A character made from the toolkit's class of the tag.
  template <class Tag, class Character>
  void DefineFrom(const swftk::CSwfTag& tag) {
    if (const auto* modelled = dynamic_cast<const Tag*>(&tag))
      Add(std::make_unique<Character>(*modelled));
  }

  void AddBitmap(const swftk::CSwfTag& tag, BitmapDecodeResult decoded) {
    if (decoded.bitmap) {
      Add(std::move(decoded.bitmap));
    } else {
      movie_.warnings.Add(std::string(swftk::TagName(tag.GetTagCode())) +
                          " skipped: " + decoded.problem);
    }
  }

  void Add(std::unique_ptr<CKV_Character> character) {
    const uint16_t id = character->Id();
    if (!movie_.characters.Add(std::move(character)))
      movie_.warnings.Add("character " + std::to_string(id) +
                          " is defined more than once; the first definition stands");
  }

  CKV_Movie& movie_;
  bool backgroundSet_ = false;
  std::vector<uint8_t> jpegTables_;
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
  reader.SetTagModel(swftk::TagModel::kEveryModelledTag);
  if (const swftk::OpenResult result = reader.OpenMovie(path); result != swftk::OpenResult::kOk)
    return {nullptr, swftk::DescribeOpenResult(result)};
  return BuildMovie(reader);
}

MovieLoadResult LoadMovieBytes(std::vector<uint8_t> bytes) {
  swftk::CSwfReader reader;
  reader.SetTagModel(swftk::TagModel::kEveryModelledTag);
  if (const swftk::OpenResult result = reader.OpenMovieBytes(std::move(bytes));
      result != swftk::OpenResult::kOk)
    return {nullptr, swftk::DescribeOpenResult(result)};
  return BuildMovie(reader);
}

}  // namespace player
