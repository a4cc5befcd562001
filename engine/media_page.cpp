#include "engine/media_page.h"

#include <cctype>

#include "engine/html_page.h"

namespace engine {
namespace {

// Hidden from sight but read by screen readers and indexed by search engines.
constexpr const char* kHiddenTextStyle =
    ".movie-text{position:absolute;width:1px;height:1px;margin:-1px;padding:0;"
    "overflow:hidden;clip:rect(0,0,0,0);white-space:nowrap;border:0}";

// The movie's lines as one line: a title and a text alternative do not break.
std::string OneLine(const std::string& text) {
  std::string line;
  for (const char c : text) {
    const bool isBreak = c == '\r' || c == '\n';
    if (!isBreak)
      line += c;
    else if (!line.empty() && line.back() != ' ')
      line += ' ';
  }
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}

// The movie's lines escaped, with a break between them.
std::string TextWithBreaks(const std::string& text) {
  std::string html;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    if (start > 0) html += "<br>";
    html += EscapeHtml(text.substr(start, end - start));
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  return html;
}

// A file name as a relative address: every byte but letters, digits, "-._~" and "/" is
// percent-encoded, so names with spaces, "#", "?" or "%" still name the file.
std::string AddressOf(const std::string& name) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string address;
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    const bool plain = (byte < 0x80 && std::isalnum(byte) != 0) || c == '-' || c == '.' ||
                       c == '_' || c == '~' || c == '/';
    if (plain) {
      address += c;
    } else {
      address += '%';
      address += kHex[byte >> 4];
      address += kHex[byte & 15];
    }
  }
  return address;
}

std::string SizeAttributes(const MediaPage& page) {
  return " width=\"" + std::to_string(page.width) + "\" height=\"" + std::to_string(page.height) +
         "\"";
}

std::string Source(const std::string& name, const char* type) {
  return "<source src=\"" + AddressOf(name) + "\" type=\"" + type + "\">\n";
}

}  // namespace

std::string FormatMediaPage(const MediaPage& page) {
  const std::string title = EscapeHtml(OneLine(page.text));
  std::string html =
      "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>" + title + "</title>\n";
  if (page.kind == MediaPage::kVideo)
    html += std::string("<style>") + kHiddenTextStyle + "</style>\n";
  html += "</head>\n<body>\n";
  if (page.kind == MediaPage::kVideo) {
    // The video only shows the text, which the page holds as text; readers skip the picture.
    html += "<video" + SizeAttributes(page) + " poster=\"" + AddressOf(page.posterName) +
            "\" autoplay loop muted playsinline aria-hidden=\"true\">\n";
    html += Source(page.webmName, "video/webm");
    html += Source(page.mp4Name, "video/mp4");
    html += "</video>\n<p class=\"movie-text\">" + TextWithBreaks(page.text) + "</p>\n";
  } else {
    html += "<img src=\"" + AddressOf(page.imageName) + "\"" + SizeAttributes(page) + " alt=\"" +
            title + "\">\n";
  }
  html += "</body>\n</html>\n";
  return html;
}

}  // namespace engine
