#pragma once

#include <cstdint>

namespace avm::op {

// The version-4 action set, and the later actions it understands.
inline constexpr uint8_t kEnd = 0x00;
inline constexpr uint8_t kNextFrame = 0x04;
inline constexpr uint8_t kPrevFrame = 0x05;
inline constexpr uint8_t kPlay = 0x06;
inline constexpr uint8_t kStop = 0x07;
inline constexpr uint8_t kToggleQuality = 0x08;
inline constexpr uint8_t kStopSounds = 0x09;
inline constexpr uint8_t kAdd = 0x0A;
inline constexpr uint8_t kSubtract = 0x0B;
inline constexpr uint8_t kMultiply = 0x0C;
inline constexpr uint8_t kDivide = 0x0D;
inline constexpr uint8_t kEquals = 0x0E;
inline constexpr uint8_t kLess = 0x0F;
inline constexpr uint8_t kAnd = 0x10;
inline constexpr uint8_t kOr = 0x11;
inline constexpr uint8_t kNot = 0x12;
inline constexpr uint8_t kStringEquals = 0x13;
inline constexpr uint8_t kStringLength = 0x14;
inline constexpr uint8_t kStringExtract = 0x15;
inline constexpr uint8_t kPop = 0x17;
inline constexpr uint8_t kToInteger = 0x18;
inline constexpr uint8_t kGetVariable = 0x1C;
inline constexpr uint8_t kSetVariable = 0x1D;
inline constexpr uint8_t kSetTarget2 = 0x20;
inline constexpr uint8_t kStringAdd = 0x21;
inline constexpr uint8_t kGetProperty = 0x22;
inline constexpr uint8_t kSetProperty = 0x23;
inline constexpr uint8_t kCloneSprite = 0x24;
inline constexpr uint8_t kRemoveSprite = 0x25;
inline constexpr uint8_t kTrace = 0x26;
inline constexpr uint8_t kStartDrag = 0x27;
inline constexpr uint8_t kEndDrag = 0x28;
inline constexpr uint8_t kStringLess = 0x29;
inline constexpr uint8_t kRandomNumber = 0x30;
inline constexpr uint8_t kMBStringLength = 0x31;
inline constexpr uint8_t kCharToAscii = 0x32;
inline constexpr uint8_t kAsciiToChar = 0x33;
inline constexpr uint8_t kGetTime = 0x34;
inline constexpr uint8_t kMBStringExtract = 0x35;
inline constexpr uint8_t kMBCharToAscii = 0x36;
inline constexpr uint8_t kMBAsciiToChar = 0x37;
inline constexpr uint8_t kGotoFrame = 0x81;
inline constexpr uint8_t kGetUrl = 0x83;
inline constexpr uint8_t kConstantPool = 0x88;
inline constexpr uint8_t kWaitForFrame = 0x8A;
inline constexpr uint8_t kSetTarget = 0x8B;
inline constexpr uint8_t kGoToLabel = 0x8C;
inline constexpr uint8_t kWaitForFrame2 = 0x8D;
inline constexpr uint8_t kPush = 0x96;
inline constexpr uint8_t kJump = 0x99;
inline constexpr uint8_t kGetUrl2 = 0x9A;
inline constexpr uint8_t kIf = 0x9D;
inline constexpr uint8_t kCall = 0x9E;
inline constexpr uint8_t kGotoFrame2 = 0x9F;

// Whether an action belongs to the version-4 set (the constant pool aside, which later
// compilers write into version-4 movies and this interpreter reads too).
constexpr bool IsVersion4Action(uint8_t code) {
  return (code >= kNextFrame && code <= kStringExtract) || code == kPop || code == kToInteger ||
         code == kGetVariable || code == kSetVariable ||
         (code >= kSetTarget2 && code <= kStringLess) ||
         (code >= kRandomNumber && code <= kMBAsciiToChar) || code == kGotoFrame ||
         code == kGetUrl || code == kConstantPool ||
         (code >= kWaitForFrame && code <= kWaitForFrame2) || code == kPush || code == kJump ||
         code == kGetUrl2 || (code >= kIf && code <= kGotoFrame2);
}

}  // namespace avm::op
