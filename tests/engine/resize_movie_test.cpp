#include <gtest/gtest.h>

#include "engine/zarn_helper.h"
#include "engine_test_support.h"

namespace engine::test {
namespace {

TEST(ResizeMovieFile, GivesTheMovieANewFrameAndRateAndKeepsItsTags) {
  TempDir dir;
  TemplateBuilder builder;
  AddStandardTemplate(builder);
  builder.AddRootTag(Frame());
  builder.Save(dir.File("cross.swf"));
  MessageLog log;
  CZarnHelper helper(log.Sink());
  ASSERT_TRUE(
      helper.ResizeMovieFile(dir.File("cross.swf"), dir.File("sized.swf"), 320, 240, 24.5F));
  EXPECT_TRUE(log.messages.empty());

  const auto source = ReadMovie(dir.File("cross.swf"));
  const auto sized = ReadMovie(dir.File("sized.swf"));
  ASSERT_NE(source, nullptr);
  ASSERT_NE(sized, nullptr);
  const swftk::CSwfHeader& header = sized->GetHeader();
  EXPECT_EQ(header.version, 4);
  EXPECT_EQ(header.frameRect.xMin, 0);
  EXPECT_EQ(header.frameRect.xMax, 6400);
  EXPECT_EQ(header.frameRect.yMin, 0);
  EXPECT_EQ(header.frameRect.yMax, 4800);
  EXPECT_EQ(header.frameRate, 24.5F);
  EXPECT_EQ(header.frameCount, 2);
  EXPECT_EQ(Codes(sized->GetTags()), Codes(source->GetTags()));
  // Past the header, the bytes are the source's.
  const Bytes before = ReadFileBytes(dir.File("cross.swf"));
  const Bytes after = ReadFileBytes(dir.File("sized.swf"));
  EXPECT_EQ(header.fileLength, after.size());
  const size_t tail = 0 + (before.size() - 21);
  EXPECT_TRUE(std::equal(before.end() - static_cast<std::ptrdiff_t>(tail), before.end(),
                         after.end() - static_cast<std::ptrdiff_t>(tail)));
}

TEST(ResizeMovieFile, AnUnwritableDestinationIsAFileError) {
  TempDir dir;
  TemplateBuilder builder;
  AddStandardTemplate(builder);
  builder.Save(dir.File("cross.swf"));
  MessageLog log;
  CZarnHelper helper(log.Sink());
  EXPECT_FALSE(
      helper.ResizeMovieFile(dir.File("cross.swf"), dir.File("gone/sized.swf"), 320, 240, 12.0F));
  EXPECT_EQ(log.messages, (std::vector<Message>{{"Error", "File Error", ""}}));
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"cross.swf"});
}

}  // namespace
}  // namespace engine::test
