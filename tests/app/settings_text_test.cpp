// Texts between the edit fields, the engine and the record.
#include "app/settings_text.h"

#include <gtest/gtest.h>

namespace zarn::app::test {
namespace {

TEST(SettingsText, LineBreaksReachTheEngineAsCrLfAndComeBackAsLf) {
  struct Case {
    std::string edit;
    std::string movie;
  };
  for (const Case& c : {Case{"one\ntwo", "one\r\ntwo"}, Case{"\n\n", "\r\n\r\n"},
                        Case{"flat", "flat"}, Case{"end\n", "end\r\n"}}) {
    EXPECT_EQ(EditTextToMovieText(c.edit), c.movie);
    EXPECT_EQ(MovieTextToEditText(c.movie), c.edit);
  }
  EXPECT_EQ(EditTextToMovieText("kept\r\nas is"), "kept\r\nas is");
  EXPECT_EQ(MovieTextToEditText("lone\rcr"), "lone\ncr");
}

TEST(SettingsText, RecordTextsAreWindows1252WithAMarkForTheRest) {
  EXPECT_EQ(ToRecordText("caf\xC3\xA9 \xE2\x82\xAC"), "caf\xE9 \x80");
  EXPECT_EQ(ToRecordText("a\xE4\xB8\xAD"
                         "b"),
            "a?b");                          // a CJK character
  EXPECT_EQ(ToRecordText("x\xFFy"), "x?y");  // a byte that is no UTF-8
}

}  // namespace
}  // namespace zarn::app::test
