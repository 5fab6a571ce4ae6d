#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "settings/settings_catalogue.h"
#include "settings_test_support.h"

namespace lumidraw::settings {
namespace {

namespace fs = std::filesystem;
using testing::FakePlatform;
using testing::FilesBelow;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

using SettingsStoreTest = testing::SettingsFixture;

TEST_F(SettingsStoreTest, DataFolderIsCreatedAndHasNoTrailingSeparator) {
  const fs::path folder = DataFolder(platform);
  EXPECT_EQ(folder, platform.documents / "Lumidraw");
  EXPECT_TRUE(fs::is_directory(folder));
  EXPECT_FALSE(folder.string().ends_with("/"));
}

TEST_F(SettingsStoreTest, IniFileNameFromVersion60JoinsTheFolderWordAndTheFileName) {
  for (const int version : {60, 61, 100}) {
    platform.version = version;
    EXPECT_EQ(IniFileName(platform, platform.program), platform.documents / "LumidrawDraw.ini");
    EXPECT_EQ(IniFileName(platform, "Common.ini"), platform.documents / "LumidrawCommon.ini");
    EXPECT_EQ(IniFileName(platform, "/opt/bin/lumidraw"),
              platform.documents / "Lumidrawlumidraw.ini");
  }
  EXPECT_TRUE(fs::is_empty(platform.documents / "Lumidraw"));
}

TEST_F(SettingsStoreTest, IniFileNameBeforeVersion60SitsBesideTheProgram) {
  for (const int version : {0, 51, 59}) {
    platform.version = version;
    EXPECT_EQ(IniFileName(platform, platform.program), temp.path() / "bin" / "Draw.ini");
    EXPECT_EQ(IniFileName(platform, "Common.ini"), fs::path("Common.ini"));
  }
  EXPECT_FALSE(fs::exists(platform.documents / "Lumidraw"));
}

TEST_F(SettingsStoreTest, UseRegLoadReadsTheLocalSwitchFileWithoutWriting) {
  UseRegLoad(platform);
  EXPECT_TRUE(useReg);
  EXPECT_TRUE(useRegFirst);
  EXPECT_EQ(FilesBelow(temp.path()), std::vector<std::string>{});

  WriteBytes(platform.IniFile("Draw"), "[System]\nuseReg=0\n");
  UseRegLoad(platform);
  EXPECT_FALSE(useReg);
  EXPECT_FALSE(useRegFirst);
}

TEST_F(SettingsStoreTest, UseRegSaveWritesTheSwitchFileEveryTimeButTheKeyOnlyOnAChange) {
  UseRegLoad(platform);
  UseRegSave(platform);
  EXPECT_EQ(ReadBytes(platform.IniFile("Draw")), "");

  useReg = false;
  UseRegSave(platform);
  EXPECT_EQ(ReadBytes(platform.IniFile("Draw")), "[System]\nuseReg=0\n");

  // Switching back in the same run must reach the file too, or the next start would
  // still use .ini files.
  useReg = true;
  UseRegSave(platform);
  UseRegLoad(platform);
  EXPECT_TRUE(useReg);
}

TEST_F(SettingsStoreTest, TheProgramFileNameSelectsTheOwnStoreAndCommonIsShared) {
  for (const bool registry : {true, false}) {
    useReg = registry;
    for (const std::string name : {"Draw", "Other"}) {
      platform.program = temp.path() / "bin" / (name + ".exe");
      StorePtr own = IniOpen(platform);
      own->WriteInteger("System", "Left", 1);
      own->UpdateFile();
      StorePtr common = CommonOpen(platform);
      common->WriteInteger("System", "CrMonitor", 1);
      common->UpdateFile();
    }
  }
  EXPECT_TRUE(fs::exists(platform.RegistryFile("Draw")));
  EXPECT_TRUE(fs::exists(platform.RegistryFile("Other")));
  EXPECT_TRUE(fs::exists(platform.RegistryFile("Common")));
  EXPECT_TRUE(fs::exists(platform.IniFile("Draw")));
  EXPECT_TRUE(fs::exists(platform.IniFile("Other")));
  EXPECT_TRUE(fs::exists(platform.IniFile("Common")));
  EXPECT_EQ(FilesBelow(temp.path()).size(), 6u);
}

TEST_F(SettingsStoreTest, BeforeVersion60CommonIniIsLookedUpInTheCurrentFolder) {
  platform.version = 51;
  useReg = false;
  StorePtr common = CommonOpen(platform);
  common->WriteInteger("Erase", "Default", 2);
  common->UpdateFile();
  EXPECT_TRUE(fs::exists(platform.current / "Common.ini"));

  platform.current = temp.path() / "elsewhere";
  EXPECT_EQ(CommonOpen(platform)->ReadInteger("Erase", "Default", 3), 3);
}

TEST_F(SettingsStoreTest, CommonOpenReadSwitchesOnlyWhenCommonIsOn) {
  useReg = false;
  WriteBytes(platform.IniFile("Draw"), "[System]\nZoom=1.5\n");
  WriteBytes(platform.IniFile("Common"), "[System]\nZoom=1.8\n");

  StorePtr store = IniOpen(platform);
  CommonOpenRead(platform, store);  // no System/Common: the built-in true stays
  EXPECT_TRUE(Common);
  EXPECT_EQ(store->ReadFloat("System", "Zoom", 0), 1.8);

  WriteBytes(platform.IniFile("Draw"), "[System]\nZoom=1.5\nCommon=0\n");
  store = IniOpen(platform);
  CommonOpenRead(platform, store);
  EXPECT_FALSE(Common);
  EXPECT_EQ(store->ReadFloat("System", "Zoom", 0), 1.5);
}

TEST_F(SettingsStoreTest, CommonOpenWriteWritesTheProgramFileBeforeSwitching) {
  useReg = false;
  StorePtr store = IniOpen(platform);
  store->WriteInteger("System", "Left", 4);
  CommonOpenWrite(platform, store);
  EXPECT_EQ(ReadBytes(platform.IniFile("Draw")), "[System]\nLeft=4\nCommon=1\n");
  store->WriteInteger("System", "CrMonitor", 0);
  EXPECT_FALSE(fs::exists(platform.IniFile("Common")));
  IniCloseUpdate(store);
  EXPECT_EQ(store, nullptr);
  EXPECT_EQ(ReadBytes(platform.IniFile("Common")), "[System]\nCrMonitor=0\n");
}

TEST_F(SettingsStoreTest, IniCloseFreesWithoutWriting) {
  useReg = false;
  StorePtr store = IniOpen(platform);
  store->WriteInteger("System", "Left", 4);
  IniClose(store);
  EXPECT_EQ(store, nullptr);
  EXPECT_FALSE(fs::exists(platform.IniFile("Draw")));
}

}  // namespace
}  // namespace lumidraw::settings
