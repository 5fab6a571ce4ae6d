#include "app/environment.h"

#include <gtest/gtest.h>

namespace {

struct FontCase {
  bool japanese;
  int version;
  int sizeBefore;
  int charset;
  const char* uiName;
  int uiSize;
  const char* textName;
};

class FontRules : public ::testing::TestWithParam<FontCase> {};

TEST_P(FontRules, UIAndTextFontsFollowLocaleAndVersion) {
  const FontCase& c = GetParam();
  TFontSpec ui{AnsiCharset, "Original", c.sizeBefore};
  SetUIFont(ui, c.japanese, c.version);
  EXPECT_EQ(ui.Charset, c.charset);
  EXPECT_EQ(ui.Name, c.uiName);
  EXPECT_EQ(ui.Size, c.uiSize);

  TFontSpec text{AnsiCharset, "Original", c.sizeBefore};
  SetTextFont(text, c.japanese, c.version);
  EXPECT_EQ(text.Charset, c.charset);
  EXPECT_EQ(text.Name, c.textName);
  EXPECT_EQ(text.Size, c.sizeBefore) << "the text font never changes its size";
}

INSTANTIATE_TEST_SUITE_P(
    EveryBranch, FontRules,
    ::testing::Values(
        // Off the NT platform (0) and before 6.0 (51): the older faces, 9 becomes 8.
        FontCase{false, 0, 9, 0, "Tahoma", 8, "Calibri"},
        FontCase{false, 51, 8, 0, "Tahoma", 8, "Calibri"},
        FontCase{false, 51, 10, 0, "Tahoma", 10, "Calibri"},
        FontCase{true, 0, 9, 128, "ＭＳ Ｐゴシック", 8, "ＭＳ Ｐゴシック"},
        FontCase{true, 51, 8, 128, "ＭＳ Ｐゴシック", 8, "ＭＳ Ｐゴシック"},
        // 6.0 and later: the newer faces, 8 becomes 9.
        FontCase{false, 60, 8, 0, "Segoe UI", 9, "Verdana"},
        FontCase{false, 61, 9, 0, "Segoe UI", 9, "Verdana"},
        FontCase{false, 100, 10, 0, "Segoe UI", 10, "Verdana"},
        FontCase{true, 60, 8, 128, "メイリオ", 9, "メイリオ"},
        FontCase{true, 61, 9, 128, "メイリオ", 9, "メイリオ"},
        FontCase{true, 100, 10, 128, "メイリオ", 10, "メイリオ"}));

TEST(Environment, JapaneseOnlyForLocale0x411) {
  CheckJapanese(0x411);
  EXPECT_TRUE(isJapanese);
  CheckJapanese(0x409);
  EXPECT_FALSE(isJapanese);
  CheckJapanese(0x811);  // another sub-language of the same primary language
  EXPECT_FALSE(isJapanese);
}

TEST(Environment, IntelCaptionMatchesInAnyCaseInAnyController) {
  EXPECT_FALSE(HasIntelCaption({}));
  EXPECT_FALSE(HasIntelCaption({"NVIDIA Corporation", "Advanced Micro Devices"}));
  EXPECT_TRUE(HasIntelCaption({"NVIDIA GeForce", "intel(R) UHD Graphics 620"}));
  EXPECT_TRUE(HasIntelCaption({"Mobile InTeL HD"}));

  CheckIntelVideo({"Matrox", "Intel Corporation"});
  EXPECT_TRUE(isIntelVideo);
  CheckIntelVideo({});
  EXPECT_FALSE(isIntelVideo);
}

TEST(Environment, NonWindowsSystemsCountAsModernNT) {
  EXPECT_EQ(WindowsVersion(), 100);
}

}  // namespace
