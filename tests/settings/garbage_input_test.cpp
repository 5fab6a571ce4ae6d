// Stored files that were damaged or written by something else: every one loads
// without a crash or a hang, with defaults wherever nothing usable is found.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/emulated_registry.h"
#include "settings/settings_catalogue.h"
#include "settings/text_encoding.h"
#include "settings_test_support.h"

namespace lumidraw::settings {
namespace {

using namespace std::string_literals;
using testing::FakePlatform;
using testing::TempFolder;
using testing::WriteBytes;

std::string AllBytes() {
  std::string bytes;
  for (int repeat = 0; repeat < 4; ++repeat) {
    for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
  }
  return bytes;
}

struct Fixture {
  std::string name;
  std::string common_file;  // content of the shared .ini file
  int pen_count;            // PenCount after loading
  double zoom;              // Zoom after loading
};

std::vector<Fixture> Fixtures() {
  const std::string long_line(10u << 20, 'x');
  return {
      {"binary bytes", AllBytes(), 5, 1.15},
      {"binary bytes around good lines", AllBytes() + "\n[Pen]\nPenCount=3\n" + AllBytes(), 3,
       1.15},
      {"invalid UTF-8", "[Pen]\nPenCount=\xFF\xFE\n[System\xC3]\nZoom=1.5\n", 5, 1.15},
      {"lines without equals sign", "[Pen]\nPenCount\n7\n[System]\nZoom 1.5\n", 5, 1.15},
      {"10 MB line", "[Pen]\n" + long_line + "\nPenCount=4\n", 4, 1.15},
      {"10 MB value", "[System]\nZoom=" + long_line + "\n[Pen]\nPenCount=4\n", 4, 1.15},
      {"duplicate sections and keys",
       "[Pen]\nPenCount=2\nPenCount=9\n[System]\nZoom=1.3\n[PEN]\npencount=8\n", 2, 1.3},
      {"CR LF", "[Pen]\r\nPenCount=6\r\n[System]\r\nZoom=1.4\r\n", 6, 1.4},
      {"LF", "[Pen]\nPenCount=6\n[System]\nZoom=1.4\n", 6, 1.4},
      {"CR only", "[Pen]\rPenCount=6\r[System]\rZoom=1.4\r", 6, 1.4},
      {"mixed endings", "[Pen]\r\nPenCount=6\n[System]\rZoom=1.4", 6, 1.4},
      {"NUL bytes", "[Pen]\nPenCount=6\0x\n[Sys\0tem]\nZoom=1.4\n\0"s, 5, 1.15},
      {"empty", "", 5, 1.15},
      {"byte-order mark only", "\xEF\xBB\xBF", 5, 1.15},
      {"UTF-16 of odd length", "\xFF\xFE" + Utf8ToUtf16("[Pen]\nPenCount=6\n", false) + "\x01", 6,
       1.15},
      {"UTF-16 with lone surrogates",
       "\xFE\xFF" + Utf8ToUtf16("[Pen]\nPenCount=6\n", true) + std::string("\xD8\x00\xDC\x00", 4),
       6, 1.15},
      {"brackets only", "[\n]\n[]\n[[]]\n=\n==\n", 5, 1.15},
      {"key before any section", "PenCount=9\n[Pen]\n", 5, 1.15},
      {"many sections",
       [] {
         std::string text;
         for (int i = 0; i < 200000; ++i) text += "[s" + std::to_string(i) + "]\nk=v\n";
         return text + "[Pen]\nPenCount=2\n";
       }(),
       2, 1.15},
  };
}

using GarbageInputTest = testing::SettingsFixture;

TEST_F(GarbageInputTest, DamagedIniFilesLoadWithDefaultsWhereNothingIsUsable) {
  for (const Fixture& f : Fixtures()) {
    SCOPED_TRACE(f.name);
    SetupDefaults();
    WriteBytes(platform.IniFile("Draw"), "[System]\nuseReg=0\n");
    WriteBytes(platform.IniFile("Common"), f.common_file);
    SetupLoad(platform);
    EXPECT_EQ(PenCount, f.pen_count);
    EXPECT_EQ(Zoom, f.zoom);
    EXPECT_EQ(Pen[0], (TPenType{0x0000FF, 4, 1}));
    EXPECT_EQ(DefPenColor[1].Name, "カスタム");
    // The damaged file can still be saved over and read back.
    ASSERT_TRUE(SetupSave(platform));
    SetupLoad(platform);
    EXPECT_EQ(PenCount, f.pen_count);
  }
}

TEST_F(GarbageInputTest, DamagedProgramFilesAndRegistryFilesLoadToo) {
  for (const Fixture& f : Fixtures()) {
    SCOPED_TRACE(f.name);
    SetupDefaults();
    WriteBytes(platform.IniFile("Draw"), f.common_file);
    WriteBytes(platform.RegistryFile("Draw"), f.common_file);
    WriteBytes(platform.RegistryFile("Common"), f.common_file);
    SetupLoad(platform);
    EXPECT_TRUE(useReg);
    EXPECT_EQ(PenCount, 5);
    EXPECT_EQ(Zoom, 1.15);
  }
}

TEST_F(GarbageInputTest, StoresInPlaceOfFoldersOrUnreadableEntriesGiveDefaults) {
  std::filesystem::create_directories(platform.IniFile("Draw"));
  std::filesystem::create_directories(platform.RegistryFile("Common"));
  SetupLoad(platform);
  EXPECT_TRUE(useReg);
  EXPECT_EQ(PenCount, 5);
  EXPECT_FALSE(SetupSave(platform));
}

}  // namespace
}  // namespace lumidraw::settings
