// Draws the program's skin images into a folder: zarn-skins FOLDER

#include <QGuiApplication>
#include <cstdio>
#include <string>

#include "res/skins/png_writer.h"
#include "res/skins/skin_images.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: zarn-skins FOLDER\n");
    return 1;
  }
  // Drawing needs fonts, not a display.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  const std::string folder = argv[1];
  const struct {
    const char* name;
    QImage image;
  } skins[] = {{"kalvzarn.wui", skins::PaintMainSkin()}, {"kalvsp.wui", skins::PaintSplashSkin()}};
  for (const auto& skin : skins) {
    const std::string path = folder + "/" + skin.name;
    if (!skins::WriteOpaquePng(skin.image, path)) {
      std::fprintf(stderr, "zarn-skins: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
