// Whole-file reads and replacing writes. A save that fails half-way (full disk, file
// size limit, crash) must leave the previous settings file whole.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "settings/mem_ini_file.h"
#include "settings/settings_catalogue.h"
#include "settings/settings_file.h"
#include "settings_test_support.h"

#if defined(__unix__)
#include <sys/resource.h>
#endif

namespace lumidraw::settings {
namespace {

namespace fs = std::filesystem;
using testing::FakePlatform;
using testing::FilesBelow;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

using SettingsFileTest = testing::SettingsFixture;

TEST_F(SettingsFileTest, AFailedReplaceKeepsTheOldFileAndReportsFailure) {
  // A name so long that no temporary file can be named after it.
  const fs::path file = temp.path() / (std::string(250, 's') + ".ini");
  WriteBytes(file, "[S]\nold=1\n");
  TMemIniFile ini(file, platform);
  ini.WriteInteger("S", "new", 2);
  EXPECT_THROW(ini.UpdateFile(), std::runtime_error);
  EXPECT_EQ(ReadBytes(file), "[S]\nold=1\n");
}

TEST_F(SettingsFileTest, ASuccessfulSaveLeavesNoTemporaryFile) {
  const fs::path file = temp.path() / "sub" / "store.ini";
  WriteSettingsFile(file, "one");
  WriteSettingsFile(file, "two");
  EXPECT_EQ(ReadBytes(file), "two");
  EXPECT_EQ(FilesBelow(temp.path()), std::vector<std::string>{"sub/store.ini"});
}

TEST_F(SettingsFileTest, AReplacedFileKeepsItsPermissions) {
  const fs::path file = temp.path() / "store.ini";
  WriteSettingsFile(file, "one");
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
  WriteSettingsFile(file, "two");
  EXPECT_EQ(fs::status(file).permissions(), fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(SettingsFileTest, ALinkedFileIsReplacedAndTheLinkKept) {
  const fs::path target = temp.path() / "dotfiles" / "store.ini";
  const fs::path link = temp.path() / "store.ini";
  WriteBytes(target, "old");
  std::error_code ec;
  fs::create_symlink(target, link, ec);
  if (ec) GTEST_SKIP() << "no symbolic links here";
  WriteSettingsFile(link, "new");
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadBytes(target), "new");
}

TEST_F(SettingsFileTest, OnlyRegularFilesOfSaneSizeAreRead) {
  EXPECT_EQ(ReadSettingsFile(temp.path() / "missing.ini"), std::nullopt);
  EXPECT_THROW(ReadSettingsFile(temp.path()), std::runtime_error);
  const fs::path huge = temp.path() / "huge.ini";
  WriteBytes(huge, "x");
  fs::resize_file(huge, kMaxSettingsFileSize + 1);
  EXPECT_THROW(ReadSettingsFile(huge), std::runtime_error);
}

#if defined(__unix__)
// Exits with 0 when SetupSave reports the failure.
[[noreturn]] void SaveUnderFileSizeLimit(const FakePlatform& platform) {
  SetupLoad(platform);
  ButtonArray.assign(64 * 1024, 'B');
  Left = 6;
  std::signal(SIGXFSZ, SIG_IGN);
  const rlimit limit{4096, 4096};
  setrlimit(RLIMIT_FSIZE, &limit);
  std::_Exit(SetupSave(platform) ? 1 : 0);
}

TEST_F(SettingsFileTest, AWriteThatStopsHalfWayLeavesTheOldFilesWhole) {
  WriteBytes(platform.IniFile("Draw"), "[System]\nuseReg=0\nLeft=5\n");
  WriteBytes(platform.IniFile("Common"), "[Pen]\nPenCount=3\n");
  const std::string old_own = ReadBytes(platform.IniFile("Draw"));
  const std::string old_common = ReadBytes(platform.IniFile("Common"));

  // In a child process: files may not grow beyond 4 KB, so writing the 64 KB
  // ButtonArray fails in the middle of the temporary file, as on a full disk.
  EXPECT_EXIT(SaveUnderFileSizeLimit(platform), ::testing::ExitedWithCode(0), "");

  EXPECT_EQ(ReadBytes(platform.IniFile("Draw")), old_own);
  EXPECT_EQ(ReadBytes(platform.IniFile("Common")), old_common);
  EXPECT_EQ(FilesBelow(platform.documents),
            (std::vector<std::string>{"LumidrawCommon.ini", "LumidrawDraw.ini"}));
}
#endif

}  // namespace
}  // namespace lumidraw::settings
