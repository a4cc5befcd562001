#include "engine/html_page.h"

#include <gtest/gtest.h>

#include "engine_test_support.h"

namespace engine::test {
namespace {

// The page around the attributes that vary: three lines with CR LF and no final break.
std::string Page(const std::string& source, const std::string& size, const std::string& middle,
                 const std::string& play, const std::string& colour) {
  return "<BODY>\r\n<EMBED src=\"" + source + "\" " + size + middle + " PLAY=\"" + play +
         "\" TYPE=\"application/x-shockwave-flash\" PLUGINSPAGE=\"http://www.macromedia.com/"
         "shockwave/download/index.cgi?P1_Prod_Version=ShockwaveFlash\" BGCOLOR=\"#" +
         colour + "\"></EMBED>\r\n</BODY>";
}

TEST(HtmlPage, SizeColourAndPlayAttributes) {
  HtmlOptions options;
  options.width = 500;
  options.height = 150;
  EXPECT_EQ(FormatHtmlPage(options, "Untitled0.swf"),
            Page("Untitled0.swf", "WIDTH=\"500\" HEIGHT=\"150\"", " QUALITY=\"high\" ALIGN=\"l\"",
                 "true", "000000"));
  // Not resizable fills the page; colours are lower-case hex.
  options.resizable = false;
  options.autoPlay = false;
  options.red = 255;
  options.green = 128;
  options.blue = 0;
  EXPECT_EQ(FormatHtmlPage(options, "a b.swf"),
            Page("a b.swf", "WIDTH=\"100%\" HEIGHT=\"100%\"", " QUALITY=\"high\" ALIGN=\"l\"",
                 "false", "ff8000"));
}

TEST(HtmlPage, QualityAndAlignAttributes) {
  const std::pair<int, std::string> qualities[] = {{1, " QUALITY=\"best\""},
                                                   {2, " QUALITY=\"high\""},
                                                   {3, " QUALITY=\"medium\""},
                                                   {4, " QUALITY=\"autohigh\""},
                                                   {5, " QUALITY=\"autolow\""},
                                                   {6, " QUALITY=\"low\""},
                                                   {0, ""},
                                                   {7, ""}};
  const std::pair<int, std::string> aligns[] = {{1, ""},
                                                {2, " ALIGN=\"l\""},
                                                {3, " ALIGN=\"r\""},
                                                {4, " ALIGN=\"t\""},
                                                {5, " ALIGN=\"b\""},
                                                {0, ""},
                                                {6, ""}};
  for (const auto& [quality, qualityText] : qualities) {
    for (const auto& [align, alignText] : aligns) {
      HtmlOptions options;
      options.resizable = false;
      options.quality = quality;
      options.align = align;
      EXPECT_EQ(FormatHtmlPage(options, "m.swf"), Page("m.swf", "WIDTH=\"100%\" HEIGHT=\"100%\"",
                                                       qualityText + alignText, "true", "000000"))
          << quality << " " << align;
    }
  }
}

// A movie's file name may hold anything a file name can; in the page it stays text.
TEST(HtmlPage, TheMovieNameCannotPutMarkupIntoThePage) {
  HtmlOptions options;
  const std::string page = FormatHtmlPage(options, "x\"><script>alert('&')</script><!--.swf");
  EXPECT_EQ(page.find("<script"), std::string::npos);
  EXPECT_NE(page.find("src=\"x&quot;&gt;&lt;script&gt;alert(&#39;&amp;&#39;)&lt;/script&gt;"
                      "&lt;!--.swf\""),
            std::string::npos);
}

TEST(HtmlPage, WritesThePageWholeOrReportsThePath) {
  TempDir dir;
  MessageLog log;
  HtmlOptions options;
  ASSERT_TRUE(WriteHtmlPage(options, "movie.swf", dir.File("page.html"), log.Sink()));
  const Bytes written = ReadFileBytes(dir.File("page.html"));
  EXPECT_EQ(std::string(written.begin(), written.end()), FormatHtmlPage(options, "movie.swf"));

  const std::string missing = dir.File("nowhere/page.html");
  EXPECT_FALSE(WriteHtmlPage(options, "movie.swf", missing, log.Sink()));
  EXPECT_EQ(
      log.messages,
      (std::vector<Message>{{"Error", "Encountered an error while writing to file: " + missing,
                             "No such file or directory"}}));
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"page.html"});
}

}  // namespace
}  // namespace engine::test
