#pragma once

// Where the main window's controls sit and where their state artwork lies in "kalvzarn.wui".
// The skin generator draws to these places; the window places its controls with them.

#include <array>
#include <cstdint>

#include "gui/geometry.h"

namespace skins {

using Box = gui::KV_Rect;
using StripSkin = gui::KV_Strip;
using CoverSkin = gui::KV_Cover;
using SkinPoint = gui::KV_SkinPos;

inline constexpr int32_t kWindowWidth = 718;
inline constexpr int32_t kWindowHeight = 448;
inline constexpr int32_t kSkinWidth = 1002;
inline constexpr int32_t kSkinHeight = 448;
inline constexpr int32_t kHoverFrames = 6;

// The effect list and its layout record.
inline constexpr Box kEffectList{19, 121, 217, 363};
inline constexpr gui::KV_ListLayout kEffectListLayout{174, 22, 718, 0, 24,  6, 22,
                                                      954, 0,  978, 0, 913, 0, 22};
inline constexpr int32_t kEffectRowKinds = 2;
// Where the window writes the effect count ("%d fx").
inline constexpr SkinPoint kEffectCount{170, 105};

struct ButtonPlace {
  int32_t id;
  Box box;
  StripSkin strip;
  const char* caption;
};
inline constexpr std::array<ButtonPlace, 3> kButtons{{
    {1, {259, 372, 324, 393}, {6, 718, 132}, "Preview"},
    {2, {259, 403, 324, 424}, {6, 783, 132}, "Save"},
    {3, {631, 10, 696, 31}, {6, 848, 132}, "Clear"},
}};

struct EditPlace {
  int32_t id;
  Box box;
  bool singleLine;
  bool hasCover;
  CoverSkin cover;
};
inline constexpr std::array<EditPlace, 11> kEdits{{
    {4, {248, 43, 673, 158}, false, false, {}},
    {5, {339, 229, 376, 244}, true, false, {}},
    {6, {462, 229, 499, 244}, true, false, {}},
    {7, {652, 195, 689, 210}, true, false, {}},
    {8, {652, 230, 689, 245}, true, false, {}},
    {11, {306, 289, 343, 304}, true, false, {}},
    {12, {411, 289, 448, 304}, true, false, {}},
    {13, {499, 289, 548, 304}, true, false, {}},
    {25, {124, 409, 153, 424}, true, true, {120, 408, 844, 406, 34, 16}},
    {16, {315, 324, 545, 338}, true, true, {312, 319, 718, 427, 238, 21}},
    {17, {610, 324, 686, 338}, true, true, {564, 319, 718, 406, 127, 21}},
}};

struct CheckboxPlace {
  int32_t id;
  Box box;
  const char* caption;
};
inline constexpr StripSkin kCheckboxStrip{6, 937, 0};
inline constexpr std::array<CheckboxPlace, 8> kCheckboxes{{
    {18, {342, 373, 359, 389}, "Loop preview"},
    {19, {464, 373, 481, 389}, "Position cross"},
    {20, {587, 373, 604, 389}, "Auto preview"},
    {21, {342, 405, 359, 421}, "Loop movie"},
    {22, {464, 405, 481, 421}, "Protect"},
    {23, {587, 405, 604, 421}, "Export HTML"},
    {24, {110, 385, 127, 401}, "all at once"},
    {15, {259, 321, 276, 337}, "Link"},
}};

// The colour choosers share one swatch template; its work area lies just right of it.
inline constexpr SkinPoint kSwatchTemplate{718, 384};
inline constexpr Box kTextColour{551, 227, 592, 246};
inline constexpr Box kBackgroundColour{647, 287, 688, 306};
inline constexpr int32_t kTextColourId = 9;
inline constexpr int32_t kBackgroundColourId = 14;

inline constexpr Box kFontChooser{259, 196, 584, 210};
inline constexpr int32_t kFontChooserId = 10;
inline constexpr int32_t kEffectListId = 26;

// The splash and About image, "kalvsp.wui": where the window writes its texts.
inline constexpr int32_t kSplashWidth = 600;
inline constexpr int32_t kSplashHeight = 290;
inline constexpr SkinPoint kSplashVersion{540, 75};
inline constexpr SkinPoint kSplashStatus1{20, 180};
inline constexpr SkinPoint kSplashStatus2{20, 200};
inline constexpr Box kSplashStatusStrip{0, 0, 300, 20};
inline constexpr std::array<int32_t, 6> kAboutCreditLines{180, 192, 204, 230, 242, 254};
inline constexpr int32_t kAboutCreditX = 10;

}  // namespace skins
