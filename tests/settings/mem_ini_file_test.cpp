#include "settings/mem_ini_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "settings_test_support.h"

namespace lumidraw::settings {
namespace {

using testing::FakePlatform;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

class MemIniFileTest : public ::testing::Test {
 protected:
  TempFolder temp;
  FakePlatform platform{temp.path()};
  std::filesystem::path file = temp.path() / "store.ini";
};

TEST_F(MemIniFileTest, MissingFileIsEmptyAndNothingIsWrittenUntilUpdateFile) {
  TMemIniFile ini(file, platform);
  EXPECT_EQ(ini.ReadInteger("System", "Left", 7), 7);
  EXPECT_EQ(ini.ReadString("System", "FilePath", "x"), "x");
  ini.WriteInteger("System", "Left", 3);
  EXPECT_FALSE(std::filesystem::exists(file));
  ini.UpdateFile();
  EXPECT_EQ(ReadBytes(file), "[System]\nLeft=3\n");
}

TEST_F(MemIniFileTest, EveryValueTypeRoundTripsThroughTheFile) {
  for (const std::string sep : {".", ","}) {
    platform.separator = sep;
    {
      TMemIniFile ini(file, platform);
      ini.WriteBool("S", "yes", true);
      ini.WriteBool("S", "no", false);
      ini.WriteInteger("S", "int", -2147483647 - 1);
      ini.WriteFloat("S", "float", 1.15);
      ini.WriteString("S", "text", "C:\\pictures\\カスタム\\");
      ini.UpdateFile();
    }
    TMemIniFile ini(file, platform);
    EXPECT_TRUE(ini.ReadBool("S", "yes", false));
    EXPECT_FALSE(ini.ReadBool("S", "no", true));
    EXPECT_EQ(ini.ReadInteger("S", "int", 0), -2147483647 - 1);
    EXPECT_EQ(ini.ReadFloat("S", "float", 0), 1.15);
    EXPECT_EQ(ini.ReadString("S", "text", ""), "C:\\pictures\\カスタム\\");
    EXPECT_NE(ReadBytes(file).find("float=1" + sep + "15"), std::string::npos);
  }
}

TEST_F(MemIniFileTest, ValuesThatDoNotParseGiveTheDefault) {
  WriteBytes(file, "[S]\nint=12px\nbool=true\nfloat=1.2.3\nempty=\n");
  TMemIniFile ini(file, platform);
  EXPECT_EQ(ini.ReadInteger("S", "int", 5), 5);
  EXPECT_TRUE(ini.ReadBool("S", "bool", true));
  EXPECT_FALSE(ini.ReadBool("S", "bool", false));
  EXPECT_EQ(ini.ReadFloat("S", "float", 1.5), 1.5);
  EXPECT_EQ(ini.ReadInteger("S", "empty", 9), 9);
  EXPECT_EQ(ini.ReadString("S", "empty", "d"), "");
}

TEST_F(MemIniFileTest, SectionsAndKeysMatchWithoutRegardToCaseAndBlanksAreTrimmed) {
  WriteBytes(file, "  [system] \r\n  leFT =  12  \r\n");
  TMemIniFile ini(file, platform);
  EXPECT_EQ(ini.ReadInteger("System", "Left", 0), 12);
  ini.WriteInteger("SYSTEM", "LEFT", 13);
  ini.UpdateFile();
  EXPECT_EQ(ReadBytes(file), "[system]\r\nleFT=13\r\n");
}

TEST_F(MemIniFileTest, CommentsAndStrayLinesAreKeptAndDuplicatesResolveToTheFirst) {
  WriteBytes(file,
             "; written by hand\n"
             "[A]\n"
             "k=1\n"
             "no equals sign\n"
             "k=2\n"
             "[B]\n"
             "x=1\n"
             "[a]\n"
             "j=3\n");
  TMemIniFile ini(file, platform);
  EXPECT_EQ(ini.ReadInteger("A", "k", 0), 1);
  EXPECT_EQ(ini.ReadInteger("A", "j", 0), 3);
  ini.WriteInteger("A", "k", 5);
  ini.WriteInteger("C", "new", 6);
  ini.UpdateFile();
  EXPECT_EQ(ReadBytes(file),
            "; written by hand\n"
            "\n[A]\nk=5\nno equals sign\nk=2\nj=3\n"
            "\n[B]\nx=1\n"
            "\n[C]\nnew=6\n");
}

TEST_F(MemIniFileTest, FileIsWrittenBackInTheEncodingItWasReadIn) {
  const std::string name = "カスタム";
  struct Case {
    std::string mark;
    bool utf16;
    bool big_endian;
  };
  for (const Case& c : {Case{"", false, false}, Case{"\xEF\xBB\xBF", false, false},
                        Case{"\xFF\xFE", true, false}, Case{"\xFE\xFF", true, true}}) {
    const std::string text = "[DefPenColor01]\r\nName=" + name + "\r\n";
    WriteBytes(file, c.mark + (c.utf16 ? Utf8ToUtf16(text, c.big_endian) : text));
    {
      TMemIniFile ini(file, platform);
      EXPECT_EQ(ini.ReadString("DefPenColor01", "Name", ""), name);
      ini.WriteString("DefPenColor02", "Name", "赤");
      ini.UpdateFile();
    }
    const std::string expected = text + "\r\n[DefPenColor02]\r\nName=赤\r\n";
    EXPECT_EQ(ReadBytes(file), c.mark + (c.utf16 ? Utf8ToUtf16(expected, c.big_endian) : expected))
        << "mark of " << c.mark.size() << " bytes";
    TMemIniFile again(file, platform);
    EXPECT_EQ(again.ReadString("DefPenColor01", "Name", ""), name);
    EXPECT_EQ(again.ReadString("DefPenColor02", "Name", ""), "赤");
  }
}

// A platform whose 8-bit encoding is Latin-1, to show that files without a mark go
// through the platform's conversion both ways.
class Latin1Platform final : public SettingsPlatform {
 public:
  explicit Latin1Platform(const FakePlatform& base) : base_(base) {}
  std::filesystem::path ProgramPath() const override { return base_.ProgramPath(); }
  std::filesystem::path DocumentsFolder() const override { return base_.DocumentsFolder(); }
  std::filesystem::path ConfigFolder() const override { return base_.ConfigFolder(); }
  std::filesystem::path CurrentFolder() const override { return base_.CurrentFolder(); }
  int WindowsVersion() const override { return base_.WindowsVersion(); }
  bool IsIntelVideo() const override { return false; }
  int MonitorCount() const override { return 1; }
  std::string DecimalSeparator() const override { return "."; }
  std::string SystemTextToUtf8(std::string_view bytes) const override {
    std::string out;
    for (const char c : bytes) {
      const auto b = static_cast<unsigned char>(c);
      if (b < 0x80) {
        out += c;
      } else {
        out += static_cast<char>(0xC0 | (b >> 6));
        out += static_cast<char>(0x80 | (b & 0x3F));
      }
    }
    return out;
  }
  std::string Utf8ToSystemText(std::string_view text) const override {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
      const auto b = static_cast<unsigned char>(text[i]);
      if (b < 0x80) {
        out += text[i];
      } else {
        out +=
            static_cast<char>(((b & 0x03) << 6) | (static_cast<unsigned char>(text[++i]) & 0x3F));
      }
    }
    return out;
  }

 private:
  const FakePlatform& base_;
};

TEST_F(MemIniFileTest, FilesWithoutMarkUseThePlatformsEightBitEncoding) {
  const Latin1Platform latin1(platform);
  WriteBytes(file, "[S]\nName=Gr\xFCn\n");
  {
    TMemIniFile ini(file, latin1);
    EXPECT_EQ(ini.ReadString("S", "Name", ""), "Grün");
    ini.WriteString("S", "Other", "é");
    ini.UpdateFile();
  }
  EXPECT_EQ(ReadBytes(file), "[S]\nName=Gr\xFCn\nOther=\xE9\n");
}

TEST_F(MemIniFileTest, LineBreaksInAWrittenValueAreRefusedInsteadOfForgingLines) {
  TMemIniFile ini(file, platform);
  EXPECT_THROW(ini.WriteString("System", "FilePath", "/tmp/x\n[System]\nuseReg=0"),
               std::invalid_argument);
  EXPECT_THROW(ini.WriteString("System", "Key\r", "v"), std::invalid_argument);
  ini.UpdateFile();
  EXPECT_EQ(ReadBytes(file), "");
}

TEST_F(MemIniFileTest, AFileThatCannotBeReadIsNeverReplaced) {
  std::filesystem::create_directories(file);  // a folder where the file should be
  TMemIniFile ini(file, platform);
  EXPECT_EQ(ini.ReadInteger("S", "k", 4), 4);
  ini.WriteInteger("S", "k", 1);
  EXPECT_THROW(ini.UpdateFile(), std::runtime_error);
  EXPECT_TRUE(std::filesystem::is_directory(file));
}

TEST_F(MemIniFileTest, InvalidUtf8IsKeptInTheFileButReadAsWellFormedText) {
  WriteBytes(file,
             "[S]\nName=a\xFF"
             "b\n");
  {
    TMemIniFile ini(file, platform);
    EXPECT_EQ(ini.ReadString("S", "Name", ""),
              "a\uFFFD"
              "b");
    ini.WriteInteger("S", "k", 1);
    ini.UpdateFile();
  }
  EXPECT_EQ(ReadBytes(file),
            "[S]\nName=a\xFF"
            "b\nk=1\n");
}

}  // namespace
}  // namespace lumidraw::settings
