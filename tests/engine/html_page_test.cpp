#include "engine/html_page.h"

#include <gtest/gtest.h>

#include "engine_test_support.h"

namespace engine::test {
namespace {

const std::string kPlugin =
    " TYPE=\"application/x-shockwave-flash\" PLUGINSPAGE=\""
    "http://www.macromedia.com/shockwave/download/index.cgi?P1_Prod_Version=ShockwaveFlash\"";

TEST(HtmlPage, DefaultsGiveThreeLinesWithCrLfAndNoFinalBreak) {
  HtmlOptions options;
  options.width = 500;
  options.height = 150;
  EXPECT_EQ(FormatHtmlPage(options, "Untitled0.swf"),
            "<BODY>\r\n<EMBED src=\"Untitled0.swf\" WIDTH=\"500\" HEIGHT=\"150\" QUALITY=\"high\""
            " ALIGN=\"l\" PLAY=\"true\"" +
                kPlugin + " BGCOLOR=\"#000000\"></EMBED>\r\n</BODY>");
}

TEST(HtmlPage, NotResizableFillsThePageAndColoursAreLowerCaseHex) {
  HtmlOptions options;
  options.width = 500;
  options.height = 150;
  options.resizable = false;
  options.autoPlay = false;
  options.red = 255;
  options.green = 128;
  options.blue = 0;
  EXPECT_EQ(FormatHtmlPage(options, "a b.swf"),
            "<BODY>\r\n<EMBED src=\"a b.swf\" WIDTH=\"100%\" HEIGHT=\"100%\" QUALITY=\"high\""
            " ALIGN=\"l\" PLAY=\"false\"" +
                kPlugin + " BGCOLOR=\"#ff8000\"></EMBED>\r\n</BODY>");
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
      EXPECT_EQ(FormatHtmlPage(options, "m.swf"),
                "<BODY>\r\n<EMBED src=\"m.swf\" WIDTH=\"100%\" HEIGHT=\"100%\"" + qualityText +
                    alignText + " PLAY=\"true\"" + kPlugin +
                    " BGCOLOR=\"#000000\"></EMBED>\r\n</BODY>")
          << quality << " " << align;
    }
  }
}

TEST(HtmlPage, WritesThePageWholeOrReportsThePath) {
  TempDir dir;
  MessageLog log;
  HtmlOptions options;
  ASSERT_TRUE(WriteHtmlPage(options, "movie.swf", dir.File("page.html"), log.Sink()));
  const Bytes written = ReadFileBytes(dir.File("page.html"));
  const std::string expected = FormatHtmlPage(options, "movie.swf");
  EXPECT_EQ(std::string(written.begin(), written.end()), expected);

  const std::string missing = dir.File("nowhere/page.html");
  EXPECT_FALSE(WriteHtmlPage(options, "movie.swf", missing, log.Sink()));
  ASSERT_EQ(log.messages.size(), 1U);
  EXPECT_EQ(log.messages[0].caption, "Error");
  EXPECT_EQ(log.messages[0].text, "Encountered an error while writing to file: " + missing);
  EXPECT_EQ(log.messages[0].detail, "No such file or directory");
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"page.html"});
}

}  // namespace
}  // namespace engine::test
