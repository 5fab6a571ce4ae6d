#include "settings/settings_catalogue.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "settings/mem_ini_file.h"
#include "settings_test_support.h"

namespace lumidraw::settings {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using testing::FakePlatform;
using testing::FilesBelow;
using testing::ReadBytes;
using testing::RegistryLog;
using testing::TempFolder;
using testing::WriteBytes;

constexpr std::string_view kFileStore = "[System]\nuseReg=0\n";

class CatalogueTest : public ::testing::Test {
 protected:
  void SetUp() override { SetupDefaults(); }
  void TearDown() override { SetupDefaults(); }

  // Loads with .ini files: `own` goes into the program's file, `shared` into Common's.
  void LoadFiles(const std::string& own, const std::string& shared = "") {
    WriteBytes(platform.IniFile("Draw"), std::string(kFileStore) + own);
    if (!shared.empty()) WriteBytes(platform.IniFile("Common"), shared);
    SetupLoad(platform);
  }
  TMemIniFile File(std::string_view name) const {
    return TMemIniFile(platform.IniFile(name), platform);
  }

  TempFolder temp;
  FakePlatform platform{temp.path()};
};

TEST_F(CatalogueTest, BuiltInValues) {
  EXPECT_THAT(Pen, ElementsAre(TPenType{0x0000FF, 4, 1}, TPenType{0xFF0000, 4, 1},
                               TPenType{0x00FFFF, 4, 1}, TPenType{0xFF00FF, 16, 0},
                               TPenType{0x00FF00, 16, 0}, TPenType{0xFFFF00, 12, 0},
                               TPenType{0xFF00FF, 12, 0}, TPenType{0xFFFFFF, 12, 0},
                               TPenType{0x0000FF, 12, 0}, TPenType{0x99FF99, 12, 0}));
  const std::array<std::uint32_t, 9> named = {0x08000000, 0xFFFF00, 0xFF0000, 0x000000, 0xFF00FF,
                                              0x00FF00,   0x0000FF, 0x00FFFF, 0xFFFFFF};
  for (std::size_t i = 0; i < named.size(); ++i) {
    EXPECT_EQ(DefPenColor[i].Color, named[i]) << i;
    EXPECT_EQ(DefPenColor[i].Name, "") << i;
  }
  EXPECT_THAT(DefPenWidth, ElementsAre(1, 2, 4, 8, 16));
  EXPECT_THAT(BoardColor, ElementsAre(0x006600u, 0xDDDDFFu, 0xDDFFDDu, 0xDDFFFFu, 0xFFDDDDu,
                                      0xFFDDFFu, 0xFFFFDDu, 0xFFFFFFu));
  EXPECT_TRUE(useReg);
  EXPECT_TRUE(Common);
  EXPECT_EQ(ButtonArray, "");
  EXPECT_EQ(ToolBarHideTime, -1);
  EXPECT_EQ(SaveTimerInterval, 60000);
  EXPECT_EQ(SaveStroke, 20);
  EXPECT_EQ(JPEGQuality, 100);
  EXPECT_EQ(Zoom, 1.15);
  EXPECT_EQ(PenCount, 5);
  EXPECT_EQ(PenReviseValue, 1);
  EXPECT_EQ(MarkerPenAlpha, 100);
  EXPECT_EQ(EraseDefault, 3);
  EXPECT_EQ(BrushColor, 0xFFFFFFu);
  EXPECT_EQ(WhiteBoardPenColor, 0xBBBBBBu);
  EXPECT_TRUE(HorizontalLine);
  EXPECT_FALSE(VerticalLine);
  EXPECT_EQ(HWidth, 50);
  EXPECT_EQ(VWidth, 50);
}

TEST_F(CatalogueTest, TheSaveFolderDefaultKeepsADocumentsNameThatIsNotUtf8) {
  platform.documents = temp.path() / "Jos\xE9";
  fs::create_directories(platform.documents);
  SetupLoad(platform);
  EXPECT_EQ(FilePath, (platform.documents / "Lumidraw" / "Desktop" / "").string());
}

TEST_F(CatalogueTest, FirstStartKeepsDefaultsAndWritesNothing) {
  SetupLoad(platform);
  EXPECT_EQ(FilesBelow(temp.path()), std::vector<std::string>{});
  EXPECT_TRUE(fs::is_directory(platform.documents / "Lumidraw"));
  EXPECT_EQ(FilePath, (platform.documents / "Lumidraw" / "Desktop" / "").string());
  for (const TDefPenColor& entry : DefPenColor) EXPECT_EQ(entry.Name, "カスタム");
  EXPECT_EQ(Pen[0], (TPenType{0x0000FF, 4, 1}));
  EXPECT_EQ(Zoom, 1.15);
  EXPECT_EQ(ToolBarHideTime, -1);
  EXPECT_EQ(SaveTimerInterval, 60000);
  EXPECT_TRUE(useReg);
  EXPECT_TRUE(Common);
}

TEST_F(CatalogueTest, LoadAndSaveFollowTheFixedOrder) {
  RegistryLog log;
  platform.log = &log;
  SetupLoad(platform);
  // Both orders open with the System group, the switch to Common and the presets.
  std::vector<std::string> head = {"open \\Software\\ZELVA PROJECT\\Draw",
                                   "System/ButtonArray",
                                   "System/isToolBarAlpha",
                                   "System/ToolBarPosition",
                                   "System/Left",
                                   "System/Top",
                                   "System/ToolBarHideTime",
                                   "System/FilePath",
                                   "System/AutoSave",
                                   "System/ModeSave",
                                   "System/SaveInterval",
                                   "System/SaveStroke",
                                   "System/SaveFileType",
                                   "System/JPEGQuality",
                                   "System/Common",
                                   "open \\Software\\ZELVA PROJECT\\Common",
                                   "System/CrMonitor",
                                   "System/Zoom",
                                   "Pen/PenCount"};
  for (const char* pen : {"Pen00", "Pen01", "Pen02", "Pen03", "Pen04"}) {
    for (const char* key : {"/PenColor", "/PenWidth", "/PenAlpha"}) {
      head.push_back(std::string(pen) + key);
    }
  }
  std::vector<std::string> reads = head;
  const std::vector<std::string> pen_tail = {"Pen/PenRevise", "Pen/PenReviseValue",
                                             "Pen/MarkerPenAlpha", "Pen/PenPressure"};
  reads.insert(reads.end(), pen_tail.begin(), pen_tail.end());
  reads.push_back("Erase/Default");
  for (int i = 0; i < 9; ++i) {
    reads.push_back("DefPenColor0" + std::to_string(i) + "/Color");
    reads.push_back("DefPenColor0" + std::to_string(i) + "/Name");
  }
  for (int i = 0; i < 5; ++i) reads.push_back("DefPenWidth0" + std::to_string(i) + "/Width");
  const std::vector<std::string> board = {"WhiteBoard/BrushColor",     "WhiteBoard/PenColor",
                                          "WhiteBoard/HorizontalLine", "WhiteBoard/VerticalLine",
                                          "WhiteBoard/HWidth",         "WhiteBoard/VWidth"};
  reads.insert(reads.end(), board.begin(), board.end());
  for (int i = 0; i < 8; ++i) reads.push_back("WhiteBoard/BoardColor" + std::to_string(i));
  reads.push_back("System/DTFButtonSet");
  EXPECT_EQ(log.reads, reads);

  ToolBarHideTime = 200;
  log.writes.clear();
  ASSERT_TRUE(SetupSave(platform));
  std::vector<std::string> writes = head;
  writes.insert(writes.end(), pen_tail.begin(), pen_tail.end());
  writes.insert(writes.end(), board.begin(), board.end());
  writes.push_back("System/DTFButtonSet");
  EXPECT_EQ(log.writes, writes);
}

TEST_F(CatalogueTest, FileStoresWithCommonPutOwnAndSharedKeysInTwoFiles) {
  LoadFiles("");
  ASSERT_TRUE(SetupSave(platform));
  EXPECT_EQ(FilesBelow(platform.documents),
            (std::vector<std::string>{"LumidrawCommon.ini", "LumidrawDraw.ini"}));
  EXPECT_EQ(ReadBytes(platform.IniFile("Draw")),
            "[System]\n"
            "useReg=0\n"
            "ButtonArray=\n"
            "isToolBarAlpha=0\n"
            "ToolBarPosition=0\n"
            "Left=0\n"
            "Top=0\n"
            "FilePath=" +
                (platform.documents / "Lumidraw" / "Desktop" / "").string() +
                "\n"
                "AutoSave=0\n"
                "ModeSave=0\n"
                "SaveInterval=1\n"
                "SaveStroke=20\n"
                "SaveFileType=0\n"
                "JPEGQuality=100\n"
                "Common=1\n");
  EXPECT_EQ(
      ReadBytes(platform.IniFile("Common")),
      "[System]\nCrMonitor=0\nZoom=1.15\nDTFButtonSet=0\n"
      "\n[Pen]\nPenCount=5\nPenRevise=0\nPenReviseValue=1\nMarkerPenAlpha=100\nPenPressure=0\n"
      "\n[Pen00]\nPenColor=255\nPenWidth=4\nPenAlpha=1\n"
      "\n[Pen01]\nPenColor=16711680\nPenWidth=4\nPenAlpha=1\n"
      "\n[Pen02]\nPenColor=65535\nPenWidth=4\nPenAlpha=1\n"
      "\n[Pen03]\nPenColor=16711935\nPenWidth=16\nPenAlpha=0\n"
      "\n[Pen04]\nPenColor=65280\nPenWidth=16\nPenAlpha=0\n"
      "\n[WhiteBoard]\nBrushColor=16777215\nPenColor=12303291\nHorizontalLine=1\n"
      "VerticalLine=0\nHWidth=50\nVWidth=50\n");
}

// Distinct values for every saved setting, so a round trip shows each one arrives.
void SetEverySavedSetting() {
  ButtonArray = "MOVE,SAVE,C$FF0000";
  isToolBarAlpha = true;
  ToolBarPosition = 3;
  Left = -1200;
  Top = 40;
  ToolBarHideTime = 450;
  FilePath = "/data/pictures/カスタム/";
  AutoSave = true;
  ModeSave = true;
  SaveTimerInterval = 5 * 60000;
  SaveStroke = 7;
  SaveFileType = 2;
  JPEGQuality = 85;
  CrMonitor = 1;
  Zoom = 1.75;
  PenCount = 7;
  for (int i = 0; i < 7; ++i)
    Pen[static_cast<std::size_t>(i)] = TPenType{0x18000000u + static_cast<std::uint32_t>(i), 20 + i,
                                                static_cast<std::uint8_t>(i % 2)};
  PenRevise = 1;
  PenReviseValue = 3;
  MarkerPenAlpha = 200;
  PenPressure = true;
  BrushColor = 0x006600;
  WhiteBoardPenColor = 0x123456;
  HorizontalLine = false;
  VerticalLine = true;
  HWidth = 30;
  VWidth = 40;
  DTFButtonSet = 1;
}

void ExpectEverySavedSetting() {
  EXPECT_EQ(ButtonArray, "MOVE,SAVE,C$FF0000");
  EXPECT_TRUE(isToolBarAlpha);
  EXPECT_EQ(ToolBarPosition, 3);
  EXPECT_EQ(Left, -1200);
  EXPECT_EQ(Top, 40);
  EXPECT_EQ(ToolBarHideTime, 450);
  EXPECT_EQ(FilePath, "/data/pictures/カスタム/");
  EXPECT_TRUE(AutoSave);
  EXPECT_TRUE(ModeSave);
  EXPECT_EQ(SaveTimerInterval, 5 * 60000);
  EXPECT_EQ(SaveStroke, 7);
  EXPECT_EQ(SaveFileType, 2);
  EXPECT_EQ(JPEGQuality, 85);
  EXPECT_EQ(CrMonitor, 1);
  EXPECT_EQ(Zoom, 1.75);
  EXPECT_EQ(PenCount, 7);
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(Pen[static_cast<std::size_t>(i)],
              (TPenType{0x18000000u + static_cast<std::uint32_t>(i), 20 + i,
                        static_cast<std::uint8_t>(i % 2)}));
  }
  EXPECT_EQ(PenRevise, 1);
  EXPECT_EQ(PenReviseValue, 3);
  EXPECT_EQ(MarkerPenAlpha, 200);
  EXPECT_TRUE(PenPressure);
  EXPECT_EQ(BrushColor, 0x006600u);
  EXPECT_EQ(WhiteBoardPenColor, 0x123456u);
  EXPECT_FALSE(HorizontalLine);
  EXPECT_TRUE(VerticalLine);
  EXPECT_EQ(HWidth, 30);
  EXPECT_EQ(VWidth, 40);
  EXPECT_EQ(DTFButtonSet, 1);
}

TEST_F(CatalogueTest, EverySavedSettingRoundTripsThroughEachKindOfStore) {
  platform.monitors = 2;
  struct Case {
    bool registry;
    bool common;
    std::string separator;
  };
  for (const Case& c : {Case{true, true, "."}, Case{true, false, "."}, Case{false, true, ","},
                        Case{false, false, "."}}) {
    SCOPED_TRACE(::testing::Message() << "registry " << c.registry << ", common " << c.common
                                      << ", separator " << c.separator);
    TempFolder folder;
    FakePlatform fresh(folder.path());
    fresh.monitors = 2;
    fresh.separator = c.separator;
    SetupDefaults();
    SetupLoad(fresh);
    SetEverySavedSetting();
    useReg = c.registry;
    Common = c.common;
    ASSERT_TRUE(SetupSave(fresh));
    SetupDefaults();
    SetupLoad(fresh);
    EXPECT_EQ(useReg, c.registry);
    EXPECT_EQ(Common, c.common);
    ExpectEverySavedSetting();
    // The shared keys are where Common says.
    const bool common_written =
        c.registry ? fs::exists(fresh.RegistryFile("Common")) : fs::exists(fresh.IniFile("Common"));
    EXPECT_EQ(common_written, c.common);
  }
}

TEST_F(CatalogueTest, ChangingUseRegMakesTheSaveGoToTheNewKindOfStore) {
  SetupLoad(platform);
  useReg = false;
  Left = 77;
  ASSERT_TRUE(SetupSave(platform));
  EXPECT_FALSE(fs::exists(platform.RegistryFile("Draw")));
  EXPECT_EQ(File("Draw").ReadInteger("System", "Left", 0), 77);
  EXPECT_FALSE(File("Draw").ReadBool("System", "useReg", true));
  SetupDefaults();
  SetupLoad(platform);
  EXPECT_FALSE(useReg);
  EXPECT_EQ(Left, 77);
}

TEST_F(CatalogueTest, ToolBarHideTimeDefaultFollowsTheMachineAndNegativeIsNotWritten) {
  struct Case {
    std::string stored;  // empty: no key
    int version;
    bool intel;
    int loaded;
    int stored_after_save;  // 12345: no key
  };
  const std::vector<Case> cases = {
      {"", 100, false, -1, 12345}, {"-5", 61, false, -5, -5},  {"-1", 60, false, 300, 300},
      {"-1", 100, true, 700, 700}, {"-7", 51, true, 700, 700}, {"250", 60, true, 250, 250},
      {"0", 60, false, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored + " on " + std::to_string(c.version));
    TempFolder folder;
    FakePlatform machine(folder.path());
    machine.version = c.version;
    machine.intel_video = c.intel;
    SetupDefaults();
    const fs::path own = IniFileName(machine, machine.program);
    WriteBytes(own, std::string(kFileStore) +
                        (c.stored.empty() ? "" : "ToolBarHideTime=" + c.stored + "\n"));
    SetupLoad(machine);
    EXPECT_EQ(ToolBarHideTime, c.loaded);
    ASSERT_TRUE(SetupSave(machine));
    EXPECT_EQ(TMemIniFile(own, machine).ReadInteger("System", "ToolBarHideTime", 12345),
              c.stored_after_save);
  }
}

TEST_F(CatalogueTest, PenCountIsClampedAndPresetsBeyondItStayBuiltInAndUnwritten) {
  const std::string presets = "[Pen00]\nPenWidth=30\n[Pen01]\nPenWidth=31\n[Pen09]\nPenWidth=39\n";
  LoadFiles("", "[Pen]\nPenCount=0\n" + presets);
  EXPECT_EQ(PenCount, 1);
  EXPECT_EQ(Pen[0].PenWidth, 30);
  EXPECT_EQ(Pen[1].PenWidth, 4);
  EXPECT_EQ(Pen[9].PenWidth, 12);
  ASSERT_TRUE(SetupSave(platform));
  EXPECT_EQ(File("Common").ReadInteger("Pen02", "PenWidth", -1), -1);

  SetupDefaults();
  LoadFiles("", "[Pen]\nPenCount=25\n" + presets);
  EXPECT_EQ(PenCount, 10);
  EXPECT_EQ(Pen[1].PenWidth, 31);
  EXPECT_EQ(Pen[9].PenWidth, 39);
  EXPECT_EQ(Pen[5].PenWidth, 12);
}

TEST_F(CatalogueTest, ZoomIsClampedAndUnparsableTextKeepsTheDefault) {
  struct Case {
    std::string stored;
    std::string separator;
    double expected;
  };
  for (const Case& c : {Case{"3.5", ".", 2.0}, Case{"1.0", ".", 1.1}, Case{"1.1", ".", 1.1},
                        Case{"1,5", ",", 1.5}, Case{"1.5", ",", 1.5}, Case{"1,5", ".", 1.15},
                        Case{"nan", ".", 1.15}, Case{"-inf", ".", 1.15}}) {
    SetupDefaults();
    platform.separator = c.separator;
    LoadFiles("", "[System]\nZoom=" + c.stored + "\n");
    EXPECT_EQ(Zoom, c.expected) << c.stored << " with '" << c.separator << "'";
  }
}

TEST_F(CatalogueTest, WidthsAreClampedThenSorted) {
  LoadFiles("",
            "[DefPenWidth00]\nWidth=40\n[DefPenWidth01]\nWidth=0\n[DefPenWidth02]\nWidth=8\n"
            "[DefPenWidth03]\nWidth=8\n[DefPenWidth04]\nWidth=3\n");
  EXPECT_THAT(DefPenWidth, ElementsAre(1, 3, 8, 8, 32));
}

TEST_F(CatalogueTest, NamedColoursAreMaskedAndBlankNamesBecomeTheDefaultName) {
  // 0xFF123456 = -15584170; 0x20ABCDEF = 548130287; 0x08000001 = 134217729.
  LoadFiles("",
            "[DefPenColor00]\nColor=134217729\nName=\xE3\x80\x80\n"
            "[DefPenColor01]\nColor=-15584170\nName=\xE3\x80\x80\xE3\x80\x80\n"
            "[DefPenColor02]\nColor=548130287\nName=Red\n"
            "[DefPenColor03]\nColor=$10FF0000\nName=\n");
  EXPECT_EQ(DefPenColor[0].Color, 0x08000001u);
  EXPECT_EQ(DefPenColor[0].Name, "カスタム");
  EXPECT_EQ(DefPenColor[1].Color, 0x18123456u);
  EXPECT_EQ(DefPenColor[1].Name, "\u3000\u3000");
  EXPECT_EQ(DefPenColor[2].Color, 0x00ABCDEFu);
  EXPECT_EQ(DefPenColor[2].Name, "Red");
  EXPECT_EQ(DefPenColor[3].Color, 0x10FF0000u);
  EXPECT_EQ(DefPenColor[3].Name, "カスタム");
  EXPECT_EQ(DefPenColor[4].Color, 0xFF00FFu);
  // Never written back.
  ASSERT_TRUE(SetupSave(platform));
  EXPECT_EQ(File("Common").ReadString("DefPenColor02", "Name", ""), "Red");
  EXPECT_EQ(File("Common").ReadString("DefPenColor04", "Name", "none"), "none");
}

TEST_F(CatalogueTest, EraseDefaultNegativeChoicesBecomeLarge) {
  for (const auto& [stored, expected] : std::vector<std::pair<int, int>>{
           {-5, -5}, {-4, 3}, {-2, 3}, {-1, 3}, {0, 0}, {2, 2}, {7, 7}}) {
    SetupDefaults();
    LoadFiles("", "[Erase]\nDefault=" + std::to_string(stored) + "\n");
    EXPECT_EQ(EraseDefault, expected) << stored;
  }
}

TEST_F(CatalogueTest, CrMonitorMustNameAnAttachedMonitor) {
  for (const auto& [stored, monitors, expected] :
       std::vector<std::tuple<int, int, int>>{{1, 1, 0}, {1, 2, 1}, {2, 2, 0}, {-1, 2, 0}}) {
    SetupDefaults();
    platform.monitors = monitors;
    LoadFiles("", "[System]\nCrMonitor=" + std::to_string(stored) + "\n");
    EXPECT_EQ(CrMonitor, expected) << stored << " of " << monitors;
  }
}

TEST_F(CatalogueTest, SaveIntervalIsHeldAsTheTimerInterval) {
  for (const auto& [stored, interval] :
       std::vector<std::pair<std::string, int>>{{"0", 0},
                                                {"5", 300000},
                                                {"600", 36000000},
                                                {"-3", 0},
                                                {"x", 60000},
                                                {"100000000", 35791 * 60000}}) {
    SetupDefaults();
    LoadFiles("SaveInterval=" + stored + "\n");
    EXPECT_EQ(SaveTimerInterval, interval) << stored;
  }
  SaveTimerInterval = 150000;  // written as whole minutes
  ASSERT_TRUE(SetupSave(platform));
  EXPECT_EQ(File("Draw").ReadInteger("System", "SaveInterval", -1), 2);
}

TEST_F(CatalogueTest, BytesKeepTheLowEightBitsAndAreWrittenNonNegative) {
  LoadFiles("ToolBarPosition=258\n", "[Pen]\nMarkerPenAlpha=-1\n[Pen00]\nPenAlpha=257\n");
  EXPECT_EQ(ToolBarPosition, 2);
  EXPECT_EQ(MarkerPenAlpha, 255);
  EXPECT_EQ(Pen[0].PenAlpha, 1);
  ASSERT_TRUE(SetupSave(platform));
  EXPECT_EQ(File("Common").ReadString("Pen", "MarkerPenAlpha", ""), "255");
}

TEST_F(CatalogueTest, ReadRulesOfSingleKeys) {
  // Read with the built-in value as default, not the current one.
  DTFButtonSet = 1;
  Left = 55;
  Top = 66;
  LoadFiles("", "[Pen]\nPenReviseValue=-1\n");
  EXPECT_EQ(DTFButtonSet, 0);
  EXPECT_EQ(Left, 0);
  EXPECT_EQ(Top, 0);
  EXPECT_EQ(PenReviseValue, 1);
  SetupDefaults();
  LoadFiles("", "[Pen]\nPenReviseValue=0\n");
  EXPECT_EQ(PenReviseValue, 0);
}

TEST_F(CatalogueTest, AWrongRegistryTypeForAFloatReadsAsMissing) {
  platform.OpenRegistryKey("\\Software\\ZELVA PROJECT\\Common")
      ->SetValue("System", "Zoom", RegistryValue{RegistryType::String, "1.5", 0, {}});
  SetupLoad(platform);
  EXPECT_EQ(Zoom, 1.15);
}

TEST_F(CatalogueTest, AnotherProgramFileNameUsesAnotherOwnStoreButTheSameCommonStore) {
  SetupLoad(platform);
  Left = 10;
  Zoom = 1.5;
  ASSERT_TRUE(SetupSave(platform));
  platform.program = temp.path() / "bin" / "Other.exe";
  SetupDefaults();
  SetupLoad(platform);
  EXPECT_EQ(Left, 0);
  EXPECT_EQ(Zoom, 1.5);
  EXPECT_TRUE(fs::exists(platform.RegistryFile("Draw")));
  EXPECT_FALSE(fs::exists(platform.RegistryFile("Other")));
}

TEST_F(CatalogueTest, EraseDefaultSaveWritesWhereTheKeyIsRead) {
  for (const bool common : {true, false}) {
    for (const bool registry : {true, false}) {
      SCOPED_TRACE(::testing::Message() << "common " << common << ", registry " << registry);
      TempFolder folder;
      FakePlatform machine(folder.path());
      SetupDefaults();
      useReg = registry;
      Common = common;
      EraseDefault = 1;
      ASSERT_TRUE(EraseDefaultSave(machine));
      const std::string name = common ? "Common" : "Draw";
      EXPECT_EQ(FilesBelow(folder.path()),
                std::vector<std::string>{
                    fs::relative(registry ? machine.RegistryFile(name) : machine.IniFile(name),
                                 folder.path())
                        .generic_string()});
      useReg = registry;
      Common = common;
      EraseDefault = 3;
      StorePtr store = common ? CommonOpen(machine) : IniOpen(machine);
      EXPECT_EQ(store->ReadInteger("Erase", "Default", 0), 1);
    }
  }
}

TEST_F(CatalogueTest, FailedWritesAreReportedAsFalse) {
  SetupLoad(platform);
  fs::create_directories(platform.IniFile("Draw"));  // the switch file cannot be written
  EXPECT_FALSE(SetupSave(platform));
  Common = false;
  useReg = false;
  EXPECT_FALSE(EraseDefaultSave(platform));
}

}  // namespace
}  // namespace lumidraw::settings
