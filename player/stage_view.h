#pragma once

#include "player/character.h"
#include "player/transform.h"

namespace player {

// Where the stage sits in an output area of any size: scaled to fit with its aspect kept and
// centred, the margins left to the background. Output lengths are logical pixels; a device
// pixel ratio scales them to the pixels of a buffer.
class CKV_StageView {
 public:
  // An empty stage or output maps everything onto the output's corner.
  CKV_StageView(const TwipsRect& stage, double outputWidth, double outputHeight);

  // From stage twips to logical output pixels.
  const Transform2D& StageToOutput() const { return stageToOutput_; }
  // From stage twips to the pixels of a buffer drawn at the ratio.
  Transform2D StageToDevice(double devicePixelRatio) const;
  // From logical output pixels back to stage twips; false when the view shows no stage.
  bool ToStage(double x, double y, double& stageX, double& stageY) const;

 private:
  Transform2D stageToOutput_;
};

}  // namespace player
