#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace swftk {

class CSwfReader;
class CSwfStream;

// Root of every SWF record and tag.
class CSwfObj {
 public:
  CSwfObj() = default;
  CSwfObj(const CSwfObj&) = delete;
  CSwfObj& operator=(const CSwfObj&) = delete;
  virtual ~CSwfObj() = default;

  // Frees owned children and empties lists.
  virtual void Clear() {}
  // Puts the fields back to their defaults.
  virtual void Reset() {}
  // Fills this object from the reader's position; returns the bytes consumed.
  virtual uint32_t Read(CSwfReader& reader);
  // Appends this object's encoding; returns a byte count callers rarely use.
  virtual uint32_t Write(CSwfStream& out) const;
};

class CSwfTag : public CSwfObj {
 public:
  virtual uint16_t GetTagCode() const = 0;

  // Appends the record header: the short form below 63 bytes, the long form from 63 on.
  void MakeTagHeader(CSwfStream& out, uint32_t length) const;
  // A body is written straight into the output between BeginFrame and EndFrame, so large
  // tags are never copied: the header is reserved in its long form and shortened when the
  // body turns out under 63 bytes. EndFrame returns the bytes appended, header included.
  struct Frame {
    size_t start = 0;
    bool withHeader = true;
  };
  static Frame BeginFrame(CSwfStream& out, bool withHeader = true);
  uint32_t EndFrame(CSwfStream& out, Frame frame) const;
};

class CSwfCharacterTag : public CSwfTag {
 public:
  virtual uint16_t GetCharacterId() const { return characterId; }
  virtual void SetCharacterId(uint16_t id) { characterId = id; }

  uint16_t characterId = 0;
};

using TagList = std::vector<std::unique_ptr<CSwfTag>>;

// A tag the toolkit does not model, kept byte for byte.
class CSwfTagUnknown : public CSwfTag {
 public:
  CSwfTagUnknown(uint16_t code, uint32_t length) : code(code), length(length) {}

  uint16_t GetTagCode() const override { return code; }
  uint32_t Read(CSwfReader& reader) override;
  uint32_t Write(CSwfStream& out) const override;

  uint16_t code = 0;
  uint32_t length = 0;
  std::vector<uint8_t> data;
};

// Tag codes of the published format that the toolkit names in code.
namespace tagcode {
inline constexpr uint16_t kEnd = 0;
inline constexpr uint16_t kShowFrame = 1;
inline constexpr uint16_t kDefineShape = 2;
inline constexpr uint16_t kPlaceObject = 4;
inline constexpr uint16_t kRemoveObject = 5;
inline constexpr uint16_t kDefineBits = 6;
inline constexpr uint16_t kDefineButton = 7;
inline constexpr uint16_t kJpegTables = 8;
inline constexpr uint16_t kSetBackgroundColor = 9;
inline constexpr uint16_t kDefineFont = 10;
inline constexpr uint16_t kDefineText = 11;
inline constexpr uint16_t kDoAction = 12;
inline constexpr uint16_t kDefineFontInfo = 13;
inline constexpr uint16_t kDefineSound = 14;
inline constexpr uint16_t kStartSound = 15;
inline constexpr uint16_t kDefineButtonSound = 17;
inline constexpr uint16_t kSoundStreamHead = 18;
inline constexpr uint16_t kSoundStreamBlock = 19;
inline constexpr uint16_t kDefineBitsLossless = 20;
inline constexpr uint16_t kDefineBitsJpeg2 = 21;
inline constexpr uint16_t kDefineShape2 = 22;
inline constexpr uint16_t kDefineButtonCxform = 23;
inline constexpr uint16_t kProtect = 24;
inline constexpr uint16_t kPlaceObject2 = 26;
inline constexpr uint16_t kRemoveObject2 = 28;
inline constexpr uint16_t kDefineShape3 = 32;
inline constexpr uint16_t kDefineText2 = 33;
inline constexpr uint16_t kDefineButton2 = 34;
inline constexpr uint16_t kDefineBitsJpeg3 = 35;
inline constexpr uint16_t kDefineBitsLossless2 = 36;
inline constexpr uint16_t kDefineEditText = 37;
inline constexpr uint16_t kDefineSprite = 39;
inline constexpr uint16_t kNameCharacter = 40;
inline constexpr uint16_t kProductInfo = 41;
inline constexpr uint16_t kFrameLabel = 43;
inline constexpr uint16_t kSoundStreamHead2 = 45;
inline constexpr uint16_t kDefineMorphShape = 46;
inline constexpr uint16_t kDefineFont2 = 48;
inline constexpr uint16_t kEnableDebugger = 58;
inline constexpr uint16_t kDefineVideoStream = 60;
inline constexpr uint16_t kVideoFrame = 61;
inline constexpr uint16_t kDebugId = 63;
inline constexpr uint16_t kEnableDebugger2 = 64;
inline constexpr uint16_t kScriptLimits = 65;
inline constexpr uint16_t kFileAttributes = 69;
inline constexpr uint16_t kMetadata = 77;
inline constexpr uint16_t kDefineMorphShape2 = 84;
inline constexpr uint16_t kStartSound2 = 89;
inline constexpr uint16_t kDefineBitsJpeg4 = 90;
}  // namespace tagcode

}  // namespace swftk
