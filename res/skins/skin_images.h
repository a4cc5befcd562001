#pragma once

#include <QImage>

namespace skins {

// "kalvzarn.wui": the main window's background with every caption, and right of it the state
// artwork of its controls.
QImage PaintMainSkin();

// "kalvsp.wui": the splash window and the About box.
QImage PaintSplashSkin();

}  // namespace skins
