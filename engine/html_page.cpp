#include "engine/html_page.h"

#include <cstdio>

#include "engine/replace_file.h"

namespace engine {
namespace {

constexpr const char* kLineBreak = "\r\n";
constexpr const char* kPlayerDownloadPage =
    "http://www.macromedia.com/shockwave/download/index.cgi?P1_Prod_Version=ShockwaveFlash";

const char* QualityAttribute(int32_t quality) {
  switch (quality) {
    case HtmlOptions::kBest:
      return " QUALITY=\"best\"";
    case HtmlOptions::kHigh:
      return " QUALITY=\"high\"";
    case HtmlOptions::kMedium:
      return " QUALITY=\"medium\"";
    case HtmlOptions::kAutoHigh:
      return " QUALITY=\"autohigh\"";
    case HtmlOptions::kAutoLow:
      return " QUALITY=\"autolow\"";
    case HtmlOptions::kLow:
      return " QUALITY=\"low\"";
    default:
      return "";
  }
}

// Centre is the default and has no attribute.
const char* AlignAttribute(int32_t align) {
  switch (align) {
    case HtmlOptions::kLeft:
      return " ALIGN=\"l\"";
    case HtmlOptions::kRight:
      return " ALIGN=\"r\"";
    case HtmlOptions::kTop:
      return " ALIGN=\"t\"";
    case HtmlOptions::kBottom:
      return " ALIGN=\"b\"";
    default:
      return "";
  }
}

}  // namespace

std::string FormatHtmlPage(const HtmlOptions& options, const std::string& movieFileName) {
  std::string page = std::string("<BODY>") + kLineBreak + "<EMBED src=\"" + movieFileName + "\"";
  if (options.resizable) {
    page += " WIDTH=\"" + std::to_string(options.width) + "\" HEIGHT=\"" +
            std::to_string(options.height) + "\"";
  } else {
    page += " WIDTH=\"100%\" HEIGHT=\"100%\"";
  }
  page += QualityAttribute(options.quality);
  page += AlignAttribute(options.align);
  page += options.autoPlay ? " PLAY=\"true\"" : " PLAY=\"false\"";
  page += " TYPE=\"application/x-shockwave-flash\" PLUGINSPAGE=\"";
  page += kPlayerDownloadPage;
  page += "\"";
  char colour[8];
  std::snprintf(colour, sizeof colour, "#%02x%02x%02x", options.red, options.green, options.blue);
  page += std::string(" BGCOLOR=\"") + colour + "\"></EMBED>";
  page += kLineBreak;
  page += "</BODY>";
  return page;
}

bool WriteHtmlPage(const HtmlOptions& options, const std::string& movieFileName,
                   const std::string& pagePath, const ErrorSink& sink) {
  std::string reason;
  if (ReplaceFile(pagePath, FormatHtmlPage(options, movieFileName), reason)) return true;
  ShowCaptionedError(sink, kErrorCaption, "Encountered an error while writing to file: " + pagePath,
                     reason);
  return false;
}

}  // namespace engine
