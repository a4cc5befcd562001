#include "engine/windows1252_text.h"

#include <gtest/gtest.h>

#include <string>

namespace engine {
namespace {

struct Conversion {
  std::string utf8;
  std::string codes;
};

class Windows1252Codes : public ::testing::TestWithParam<Conversion> {};

TEST_P(Windows1252Codes, ConvertsEveryCharacterTheCodePageHas) {
  const Windows1252Text converted = ConvertToWindows1252(GetParam().utf8);
  EXPECT_EQ(converted.fault, Windows1252Text::Fault::kNone);
  EXPECT_EQ(converted.codes, GetParam().codes);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Windows1252Codes,
    ::testing::Values(Conversion{"Kalvoren Zarn", "Kalvoren Zarn"},
                      Conversion{"a\r\nb\n", "a\r\nb\n"},
                      Conversion{"caf\xC3\xA9", "caf\xE9"},            // é
                      Conversion{"\xE2\x82\xAC", "\x80"},              // €
                      Conversion{"\xE2\x80\x94\xC5\x93", "\x97\x9C"},  // em dash, œ
                      Conversion{"\xC3\xBF", "\xFF"},                  // ÿ
                      // The five codes the page leaves undefined stand for themselves.
                      Conversion{"\xC2\x81", "\x81"}, Conversion{"", ""}));

struct Refusal {
  std::string utf8;
  Windows1252Text::Fault fault;
  std::string description;
};

class Windows1252Refusals : public ::testing::TestWithParam<Refusal> {};

TEST_P(Windows1252Refusals, NamesWhatCannotBeWritten) {
  const Windows1252Text converted = ConvertToWindows1252(GetParam().utf8);
  EXPECT_EQ(converted.fault, GetParam().fault);
  EXPECT_EQ(DescribeConversionFault(converted), GetParam().description);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Windows1252Refusals,
    ::testing::Values(
        Refusal{"Pa\xC5\x82ka", Windows1252Text::Fault::kNoCode,
                "The character \"\xC5\x82\" (U+0142) cannot be written in Windows-1252."},
        Refusal{"smile \xF0\x9F\x99\x82", Windows1252Text::Fault::kNoCode,
                "The character \"\xF0\x9F\x99\x82\" (U+1F642) cannot be written in Windows-1252."},
        // Invisible characters are named by their number only.
        Refusal{std::string("a\0b", 3), Windows1252Text::Fault::kNoCode,
                "The character (U+0000) cannot be written in Windows-1252."},
        Refusal{"bad \xE9t\xE9", Windows1252Text::Fault::kNotUtf8,
                "The byte 0xE9 is not valid UTF-8."},
        Refusal{"cut \xE2\x82", Windows1252Text::Fault::kNotUtf8,
                "The byte 0xE2 is not valid UTF-8."},
        Refusal{"overlong \xC0\xAF", Windows1252Text::Fault::kNotUtf8,
                "The byte 0xC0 is not valid UTF-8."},
        Refusal{"surrogate \xED\xA0\x80", Windows1252Text::Fault::kNotUtf8,
                "The byte 0xED is not valid UTF-8."}));

}  // namespace
}  // namespace engine
