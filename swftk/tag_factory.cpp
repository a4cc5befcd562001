#include "swftk/tag_factory.h"

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
#include "swftk/text.h"

namespace swftk {
namespace {

// The tags a rewrite keeps as raw bytes; null for codes with no class at all.
std::unique_ptr<CSwfTag> MakeContentTag(uint16_t code) {
  switch (code) {
    case tagcode::kPlaceObject:
      return std::make_unique<CSwfPlaceObject>();
    case tagcode::kRemoveObject:
      return std::make_unique<CSwfRemoveObject>(0, 0);
    case tagcode::kDefineFont:
      return std::make_unique<CSwfDefineFont>();
    case tagcode::kDefineFontInfo:
      return std::make_unique<CSwfDefineFontInfo>();
    case tagcode::kDefineText:
    case tagcode::kDefineText2: {
      auto text = std::make_unique<CSwfDefineText>();
      text->SetTagCode(code);
      return text;
    }
    case tagcode::kDefineButton:
      return std::make_unique<CSwfDefineButton>();
    case tagcode::kDefineBitsLossless:
    case tagcode::kDefineBitsLossless2:
      return std::make_unique<CSwfDefineBitsLossless>(code);
    case tagcode::kJpegTables:
      return std::make_unique<CSwfJpegTables>();
    case tagcode::kDefineBits:
    case tagcode::kDefineBitsJpeg2:
    case tagcode::kDefineBitsJpeg3:
      return std::make_unique<CSwfDefineBitsJpeg>(code);
    case tagcode::kDefineMorphShape:
      return std::make_unique<CSwfDefineMorphShape>();
    default:
      return nullptr;
  }
}

}  // namespace

std::unique_ptr<CSwfTag> MakeTag(uint16_t code, uint32_t length, int spriteNesting,
                                 TagModel model) {
  if (model == TagModel::kEveryModelledTag)
    if (auto tag = MakeContentTag(code)) return tag;
  switch (code) {
    case tagcode::kEnd:
      return std::make_unique<CSwfEnd>();
    case tagcode::kShowFrame:
      return std::make_unique<CSwfShowFrame>();
    case tagcode::kDefineShape:
    case tagcode::kDefineShape2:
    case tagcode::kDefineShape3:
      return std::make_unique<CSwfDefineShape>(static_cast<uint8_t>(code));
    case tagcode::kSetBackgroundColor:
      return std::make_unique<CSwfSetBackgroundColor>();
    case tagcode::kDoAction:
      return std::make_unique<CSwfDoAction>();
    case tagcode::kProtect:
      return std::make_unique<CSwfProtect>();
    case tagcode::kPlaceObject2:
      return std::make_unique<CSwfPlaceObject2>();
    case tagcode::kRemoveObject2:
      return std::make_unique<CSwfRemoveObject2>(1, 1);
    case tagcode::kDefineButton2:
      return std::make_unique<CSwfDefineButton2>();
    case tagcode::kDefineEditText:
      return std::make_unique<CSwfDefineEditText>();
    case tagcode::kDefineSprite:
      if (spriteNesting < CSwfReader::kMaxSpriteNesting)
        return std::make_unique<CSwfDefineSprite>(1, 0);
      break;
    case tagcode::kFrameLabel:
      return std::make_unique<CSwfFrameLabel>();
    case tagcode::kDefineFont2:
      return std::make_unique<CSwfDefineFont2>();
    default:
      break;
  }
  return std::make_unique<CSwfTagUnknown>(code, length);
}

const char* TagName(uint16_t code) {
  static constexpr const char* kNames[] = {"End",
                                           "ShowFrame",
                                           "DefineShape",
                                           "FreeCharacter",
                                           "PlaceObject",
                                           "RemoveObject",
                                           "DefineBits",
                                           "DefineButton",
                                           "JPEGTables",
                                           "SetBackgroundColor",
                                           "DefineFont",
                                           "DefineText",
                                           "DoAction",
                                           "DefineFontInfo",
                                           "DefineSound",
                                           "StartSound",
                                           "StopSound",
                                           "DefineButtonSound",
                                           "SoundStreamHead",
                                           "SoundStreamBlock",
                                           "DefineBitsLossless",
                                           "DefineBitsJPEG2",
                                           "DefineShape2",
                                           "DefineButtonCxform",
                                           "Protect",
                                           "PathsArePostScript",
                                           "PlaceObject2",
                                           "Unknown",
                                           "RemoveObject2",
                                           "SyncFrame",
                                           "Unknown",
                                           "FreeAll",
                                           "DefineShape3",
                                           "DefineText2",
                                           "DefineButton2",
                                           "DefineBitsJPEG3",
                                           "DefineBitsLossless2",
                                           "DefineEditText",
                                           "DefineVideo",
                                           "DefineSprite",
                                           "NameCharacter",
                                           "ProductInfo",
                                           "DefineTextFormat",
                                           "FrameLabel",
                                           "Unknown",
                                           "SoundStreamHead2",
                                           "DefineMorphShape",
                                           "GenerateFrame",
                                           "DefineFont2",
                                           "GeneratorCommand",
                                           "DefineCommandObject",
                                           "CharacterSet",
                                           "ExternalFont",
                                           "Unknown",
                                           "Unknown",
                                           "Unknown",
                                           "ExportAssets",
                                           "ImportAssets",
                                           "EnableDebugger",
                                           "DoInitAction",
                                           "DefineVideoStream",
                                           "VideoFrame",
                                           "DefineFontInfo2",
                                           "DebugID",
                                           "EnableDebugger2",
                                           "ScriptLimits",
                                           "SetTabIndex",
                                           "Unknown",
                                           "Unknown",
                                           "FileAttributes",
                                           "PlaceObject3",
                                           "ImportAssets2",
                                           "DoABCDefine",
                                           "DefineFontAlignZones",
                                           "CSMTextSettings",
                                           "DefineFont3",
                                           "SymbolClass",
                                           "Metadata",
                                           "DefineScalingGrid",
                                           "Unknown",
                                           "Unknown",
                                           "Unknown",
                                           "DoABC",
                                           "DefineShape4",
                                           "DefineMorphShape2",
                                           "Unknown",
                                           "DefineSceneAndFrameLabelData",
                                           "DefineBinaryData",
                                           "DefineFontName",
                                           "StartSound2",
                                           "DefineBitsJPEG4",
                                           "DefineFont4",
                                           "Unknown",
                                           "EnableTelemetry",
                                           "PlaceObject4"};
  if (code < std::size(kNames)) return kNames[code];
  return "Unknown";
}

}  // namespace swftk
