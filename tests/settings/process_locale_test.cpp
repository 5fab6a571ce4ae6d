// The stores must not depend on the process's locale: numbers follow only the
// separator the platform reports, and text is kept byte for byte. Run under a
// comma-decimal locale and a Japanese one when the machine has them.
#include <gtest/gtest.h>

#include <clocale>
#include <locale>
#include <string>
#include <vector>

#include "settings/mem_ini_file.h"
#include "settings/settings_catalogue.h"
#include "settings_test_support.h"

namespace lumidraw::settings {
namespace {

using testing::FakePlatform;
using testing::ReadBytes;
using testing::TempFolder;

// Switches the C and C++ locales for one scope; `active` tells whether it worked.
class ScopedLocale {
 public:
  explicit ScopedLocale(const std::vector<std::string>& names) {
    for (const std::string& name : names) {
      if (std::setlocale(LC_ALL, name.c_str()) == nullptr) continue;
      try {
        std::locale::global(std::locale(name));
      } catch (const std::runtime_error&) {
        std::setlocale(LC_ALL, "C");
        continue;
      }
      active = true;
      return;
    }
  }
  ~ScopedLocale() {
    std::setlocale(LC_ALL, "C");
    std::locale::global(std::locale::classic());
  }
  ScopedLocale(const ScopedLocale&) = delete;
  ScopedLocale& operator=(const ScopedLocale&) = delete;

  bool active = false;
};

class ProcessLocaleTest : public ::testing::Test {
 protected:
  void SetUp() override { SetupDefaults(); }
  void TearDown() override { SetupDefaults(); }

  // Saves and reloads the catalogue through .ini files and the registry.
  void RoundTrip() {
    for (const bool registry : {false, true}) {
      TempFolder folder;
      FakePlatform machine(folder.path());
      machine.separator = platform_separator;
      SetupDefaults();
      SetupLoad(machine);
      useReg = registry;
      Zoom = 1.35;
      Left = -1234567;
      FilePath = "/ドキュメント/";
      ASSERT_TRUE(SetupSave(machine));
      SetupDefaults();
      SetupLoad(machine);
      EXPECT_EQ(Zoom, 1.35) << "registry " << registry;
      EXPECT_EQ(Left, -1234567);
      EXPECT_EQ(FilePath, "/ドキュメント/");
      if (!registry) {
        const std::string common = ReadBytes(machine.IniFile("Common"));
        EXPECT_NE(common.find("Zoom=1" + platform_separator + "35"), std::string::npos);
      }
    }
  }

  std::string platform_separator = ".";
};

TEST_F(ProcessLocaleTest, CommaDecimalLocale) {
  const ScopedLocale locale({"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"});
  if (!locale.active) GTEST_SKIP() << "no comma-decimal locale on this machine";
  ASSERT_EQ(std::string(std::localeconv()->decimal_point), ",");
  for (const std::string sep : {",", "."}) {
    platform_separator = sep;
    RoundTrip();
  }
}

TEST_F(ProcessLocaleTest, JapaneseLocale) {
  const ScopedLocale locale({"ja_JP.UTF-8", "ja_JP.utf8"});
  if (!locale.active) GTEST_SKIP() << "no Japanese locale on this machine";
  RoundTrip();
  TempFolder folder;
  const FakePlatform machine(folder.path());
  TMemIniFile ini(folder.path() / "names.ini", machine);
  ini.WriteString("DefPenColor01", "Name", "カスタム");
  ini.UpdateFile();
  EXPECT_EQ(
      TMemIniFile(folder.path() / "names.ini", machine).ReadString("DefPenColor01", "Name", ""),
      "カスタム");
}

}  // namespace
}  // namespace lumidraw::settings
