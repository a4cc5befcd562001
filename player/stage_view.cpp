#include "player/stage_view.h"

#include <algorithm>
#include <cmath>

namespace player {

CKV_StageView::CKV_StageView(const TwipsRect& stage, double outputWidth, double outputHeight) {
  const double stageWidth = stage.xMax - stage.xMin;
  const double stageHeight = stage.yMax - stage.yMin;
  if (!(stageWidth > 0) || !(stageHeight > 0) || !(outputWidth > 0) || !(outputHeight > 0) ||
      !std::isfinite(outputWidth) || !std::isfinite(outputHeight)) {
    stageToOutput_ = Transform2D::Scale(0, 0);
    return;
  }
  const double scale = std::min(outputWidth / stageWidth, outputHeight / stageHeight);
  const double left = (outputWidth - stageWidth * scale) / 2;
  const double top = (outputHeight - stageHeight * scale) / 2;
  stageToOutput_ = Transform2D::Translation(left, top) * Transform2D::Scale(scale, scale) *
                   Transform2D::Translation(-stage.xMin, -stage.yMin);
}

Transform2D CKV_StageView::StageToDevice(double devicePixelRatio) const {
  const double ratio =
      std::isfinite(devicePixelRatio) && devicePixelRatio > 0 ? devicePixelRatio : 1;
  return Transform2D::Scale(ratio, ratio) * stageToOutput_;
}

bool CKV_StageView::ToStage(double x, double y, double& stageX, double& stageY) const {
  Transform2D outputToStage;
  if (!std::isfinite(x) || !std::isfinite(y) || !stageToOutput_.Invert(outputToStage)) return false;
  stageX = outputToStage.a * x + outputToStage.c * y + outputToStage.tx;
  stageY = outputToStage.b * x + outputToStage.d * y + outputToStage.ty;
  return true;
}

}  // namespace player
