#include "engine/html_page.h"

#include <cstdio>

#include "swftk/replace_file.h"

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

bool PageFailed(const std::string& pagePath, const std::string& reason, const ErrorSink& sink) {
  ShowCaptionedError(sink, kErrorCaption, "Encountered an error while writing to file: " + pagePath,
                     reason);
  return false;
}

}  // namespace

std::string FormatHtmlPage(const HtmlOptions& options, const std::string& movieFileName) {
  std::string page =
      std::string("<BODY>") + kLineBreak + "<EMBED src=\"" + EscapeHtml(movieFileName) + "\"";
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

std::string EscapeHtml(const std::string& text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      case '\'':
        escaped += "&#39;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

bool StageHtmlPage(const HtmlOptions& options, const std::string& movieFileName,
                   const std::string& pagePath, swftk::FileReplacement& page,
                   const ErrorSink& sink) {
  std::string reason;
  const std::string text = FormatHtmlPage(options, movieFileName);
  // A failed write gives its reason through Commit, which then drops the temporary file.
  if (page.Open(pagePath, reason) &&
      (page.Write(text.data(), text.size()) || page.Commit(reason))) {
    return true;
  }
  return PageFailed(pagePath, reason, sink);
}

bool CommitHtmlPage(swftk::FileReplacement& page, const std::string& pagePath,
                    const ErrorSink& sink) {
  std::string reason;
  return page.Commit(reason) || PageFailed(pagePath, reason, sink);
}

bool WriteHtmlPage(const HtmlOptions& options, const std::string& movieFileName,
                   const std::string& pagePath, const ErrorSink& sink) {
  swftk::FileReplacement page;
  return StageHtmlPage(options, movieFileName, pagePath, page, sink) &&
         CommitHtmlPage(page, pagePath, sink);
}

}  // namespace engine
