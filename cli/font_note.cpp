#include "cli/font_note.h"

#include <algorithm>
#include <cctype>
#include <ostream>
#include <string>

namespace zarn::cli {
namespace {

bool SameFamily(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

}  // namespace

std::shared_ptr<const glyphs::CKV_GlyphSource> CKV_NotingFontService::CreateFont(
    const glyphs::FontRequest& request) {
  std::shared_ptr<const glyphs::CKV_GlyphSource> font = fonts_.CreateFont(request);
  const std::string asked = request.GetFaceName();
  if (font && !noted_ && !SameFamily(asked, font->GetFaceName())) {
    noted_ = true;
    err_ << "zarn-cli: note: the font \"" << asked << "\" is not installed; \""
         << font->GetFaceName() << "\" stands in for it\n";
  }
  return font;
}

}  // namespace zarn::cli
