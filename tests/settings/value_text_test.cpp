#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "settings/text_encoding.h"
#include "settings/value_text.h"

namespace lumidraw::settings {
namespace {

TEST(ParseIntegerTest, AcceptsDecimalAndHexForms) {
  struct Case {
    std::string text;
    std::optional<std::int32_t> expected;
  };
  const std::vector<Case> cases = {
      {"0", 0},
      {"  42 ", 42},
      {"-5", -5},
      {"+7", 7},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"$FF", 255},
      {"0x10", 16},
      {"$FFFFFFFF", -1},
      {"-$10", -16},
      {"2147483648", std::nullopt},
      {"-2147483649", std::nullopt},
      {"99999999999999999999999", std::nullopt},
      {"$100000000", std::nullopt},
      {"", std::nullopt},
      {"-", std::nullopt},
      {"$", std::nullopt},
      {"1.5", std::nullopt},
      {"12abc", std::nullopt},
      {"- 5", std::nullopt},
      {"true", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseInteger(c.text), c.expected) << '"' << c.text << '"';
  }
}

TEST(ParseFloatTest, ReadsLocaleSeparatorAndPointButNothingElse) {
  struct Case {
    std::string text;
    std::string separator;
    std::optional<double> expected;
  };
  const std::vector<Case> cases = {
      {"1.15", ".", 1.15},
      {"1,15", ",", 1.15},
      {"1.15", ",", 1.15},  // a file written under another locale still reads
      {" 2 ", ",", 2.0},
      {"-0.5", ".", -0.5},
      {"+3.5", ".", 3.5},
      {"+-1", ".", std::nullopt},
      {"++1", ".", std::nullopt},
      {"1e2", ".", 100.0},
      {"1,15", ".", std::nullopt},
      {"1,5,2", ",", std::nullopt},
      {"", ".", std::nullopt},
      {"abc", ".", std::nullopt},
      {"nan", ".", std::nullopt},
      {"inf", ".", std::nullopt},
      {"1e999", ".", std::nullopt},
      {"0x1p3", ".", std::nullopt},
      {"1.5x", ".", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseFloat(c.text, c.separator), c.expected)
        << '"' << c.text << "\" with '" << c.separator << "'";
  }
}

TEST(FormatFloatTest, WritesTheLocaleSeparatorAndReadsBackExactly) {
  EXPECT_EQ(FormatFloat(1.15, "."), "1.15");
  EXPECT_EQ(FormatFloat(1.15, ","), "1,15");
  EXPECT_EQ(FormatFloat(2.0, ","), "2");
  for (const double value : {1.1, 1.15, 2.0, 0.1 + 0.2, -123.456e-7}) {
    for (const std::string sep : {".", ","}) {
      EXPECT_EQ(ParseFloat(FormatFloat(value, sep), sep), value) << value << " '" << sep << "'";
    }
  }
}

TEST(TextEncodingTest, DetectsByteOrderMarks) {
  EXPECT_EQ(DetectEncoding("\xEF\xBB\xBF[a]"), TextEncoding::Utf8Bom);
  EXPECT_EQ(DetectEncoding("\xFF\xFE[\0"), TextEncoding::Utf16Le);
  EXPECT_EQ(DetectEncoding("\xFE\xFF\0["), TextEncoding::Utf16Be);
  EXPECT_EQ(DetectEncoding("[a]"), TextEncoding::System);
  EXPECT_EQ(DetectEncoding(""), TextEncoding::System);
  EXPECT_EQ(DetectEncoding("\xEF\xBB"), TextEncoding::System);
}

TEST(TextEncodingTest, Utf16RoundTripKeepsJapaneseAndAstralCharacters) {
  const std::string text = "カスタム \u3000 \U0001F58A end";
  for (const bool big_endian : {false, true}) {
    EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(text, big_endian), big_endian), text);
  }
  // "カ" is U+30AB.
  EXPECT_EQ(Utf8ToUtf16("カ", false), std::string("\xAB\x30", 2));
  EXPECT_EQ(Utf8ToUtf16("カ", true), std::string("\x30\xAB", 2));
}

TEST(TextEncodingTest, BrokenInputBecomesReplacementCharacters) {
  // A lone high surrogate, a lone low surrogate and an odd trailing byte.
  EXPECT_EQ(Utf16ToUtf8(std::string("\x00\xD8\x41\x00\x00\xDC\x42", 7), false), "\uFFFDA\uFFFD");
  EXPECT_EQ(SanitizeUtf8("ok\xFF\xC3(\xE3\x82"), "ok\uFFFD\uFFFD(\uFFFD\uFFFD");
  EXPECT_EQ(SanitizeUtf8("\xC0\xAF"), "\uFFFD\uFFFD");            // overlong "/"
  EXPECT_EQ(SanitizeUtf8("\xED\xA0\x80"), "\uFFFD\uFFFD\uFFFD");  // encoded surrogate
  EXPECT_EQ(SanitizeUtf8("カスタム\uFFFD"), "カスタム\uFFFD");
  EXPECT_EQ(Utf8ToUtf16("\xFF", false), std::string("\xFD\xFF", 2));
}

}  // namespace
}  // namespace lumidraw::settings
