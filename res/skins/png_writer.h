#pragma once

#include <QImage>
#include <string>

namespace skins {

// Writes the image as an opaque 8-bit RGB PNG with no gamma, colour-space or text chunk, so that
// the skin loader reads back exactly the bytes drawn. False when the file cannot be written.
bool WriteOpaquePng(const QImage& image, const std::string& path);

}  // namespace skins
