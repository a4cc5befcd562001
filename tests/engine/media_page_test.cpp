#include "engine/media_page.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <vector>

namespace engine::test {
namespace {

// Whether the page is well-formed HTML: tags close in order (void elements need no end tag),
// attribute values are quoted, and text holds no raw < or an & outside an entity.
bool WellFormed(const std::string& html, std::string& fault) {
  static const std::set<std::string> kVoid{"meta", "source", "img", "br"};
  static const std::regex kTag(R"(<(/?)([a-z]+)((?:\s+[a-z-]+(?:="[^"<>]*")?)*)\s*>)");
  static const std::regex kText(R"(([^<&]|&(amp|lt|gt|quot|#39);)*)");
  std::vector<std::string> open;
  const size_t body = html.find("<html>");
  if (html.rfind("<!DOCTYPE html>\n", 0) != 0 || body == std::string::npos) {
    fault = "no doctype";
    return false;
  }
  auto text = html.cbegin() + static_cast<std::ptrdiff_t>(body);
  for (std::sregex_iterator tag(text, html.cend(), kTag), end; tag != end; ++tag) {
    if (!std::regex_match(text, (*tag)[0].first, kText)) {
      fault = "raw markup before " + tag->str();
      return false;
    }
    text = (*tag)[0].second;
    const std::string name = (*tag)[2];
    if ((*tag)[1].length() == 0) {
      if (!kVoid.contains(name)) open.push_back(name);
    } else if (open.empty() || open.back() != name) {
      fault = "misplaced " + tag->str();
      return false;
    } else {
      open.pop_back();
    }
  }
  fault = open.empty() ? "" : "unclosed " + open.back();
  return open.empty() && std::regex_match(text, html.cend(), std::regex("\n"));
}

TEST(MediaPage, WellFormedWithItsFilesAndTheTextEscaped) {
  MediaPage video;
  video.width = 500;
  video.height = 150;
  video.webmName = "Tom & \"Jerry\".webm";
  video.mp4Name = "Tom & \"Jerry\".mp4";
  video.posterName = "Tom & \"Jerry\"-poster.png";
  video.text = "Fish <&> Chips\r\nit's 'hot'";
  MediaPage image = video;
  image.kind = MediaPage::kImage;
  image.imageName = "<b>#1 caf\xC3\xA9?.webp";
  const struct {
    const MediaPage& page;
    std::vector<std::string> parts;
  } cases[] = {
      {video,
       {"<title>Fish &lt;&amp;&gt; Chips it&#39;s &#39;hot&#39;</title>",
        "<video width=\"500\" height=\"150\" poster=\"Tom%20%26%20%22Jerry%22-poster.png\" "
        "autoplay loop muted playsinline aria-hidden=\"true\">\n"
        "<source src=\"Tom%20%26%20%22Jerry%22.webm\" type=\"video/webm\">\n"
        "<source src=\"Tom%20%26%20%22Jerry%22.mp4\" type=\"video/mp4\">\n</video>",
        "<p class=\"movie-text\">Fish &lt;&amp;&gt; Chips<br>it&#39;s &#39;hot&#39;</p>",
        ".movie-text{position:absolute;width:1px;height:1px;"}},
      {image,
       {"<img src=\"%3Cb%3E%231%20caf%C3%A9%3F.webp\" width=\"500\" height=\"150\" "
        "alt=\"Fish &lt;&amp;&gt; Chips it&#39;s &#39;hot&#39;\">"}},
  };
  for (const auto& c : cases) {
    const std::string html = FormatMediaPage(c.page);
    std::string fault;
    EXPECT_TRUE(WellFormed(html, fault)) << fault << "\n" << html;
    for (const std::string& part : c.parts) EXPECT_NE(html.find(part), std::string::npos) << part;
  }
  EXPECT_EQ(FormatMediaPage(image).find("<video"), std::string::npos);
  std::string fault;
  EXPECT_FALSE(WellFormed("<!DOCTYPE html>\n<html><p>a < b</p></html>\n", fault));
  EXPECT_FALSE(WellFormed("<!DOCTYPE html>\n<html><p>a</html>\n", fault));
}

}  // namespace
}  // namespace engine::test
