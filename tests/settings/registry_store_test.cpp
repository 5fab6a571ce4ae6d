#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <memory>
#include <stdexcept>
#include <string>

#include "settings/emulated_registry.h"
#include "settings/registry_ini_file.h"
#include "settings_test_support.h"

namespace lumidraw::settings {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

class RegistryStoreTest : public ::testing::Test {
 protected:
  std::unique_ptr<EmulatedRegistryKey> Key() const {
    return std::make_unique<EmulatedRegistryKey>(file);
  }
  TRegistryIniFile Store() const { return TRegistryIniFile(Key()); }

  TempFolder temp;
  std::filesystem::path file =
      EmulatedRegistryFile(temp.path() / "config", "\\Software\\ZELVA PROJECT\\Draw");
};

TEST_F(RegistryStoreTest, KeyPathMapsToOneFileBelowTheConfigurationFolder) {
  EXPECT_EQ(file, temp.path() / "config" / "ZELVA PROJECT" / "Draw.reg");
  EXPECT_EQ(EmulatedRegistryFile("/c", "\\Software\\..\\ZELVA PROJECT\\.\\Common"),
            std::filesystem::path("/c/ZELVA PROJECT/Common.reg"));
}

TEST_F(RegistryStoreTest, EveryValueTypeRoundTripsWithItsRegistryType) {
  {
    TRegistryIniFile store = Store();
    store.WriteBool("System", "AutoSave", true);
    store.WriteInteger("System", "Left", -5);
    store.WriteFloat("System", "Zoom", 1.15);
    store.WriteString("System", "FilePath", "/home/u/カスタム/");
    store.WriteString("System", "Tricky", "a=b\\c\nd\re");
  }
  const auto key = Key();
  EXPECT_EQ(key->Value("System", "AutoSave")->type, RegistryType::String);
  EXPECT_EQ(key->Value("System", "AutoSave")->text, "1");
  EXPECT_EQ(key->Value("System", "Left")->type, RegistryType::Integer);
  EXPECT_EQ(key->Value("System", "Left")->integer, -5);
  const RegistryValue zoom = *key->Value("System", "Zoom");
  EXPECT_EQ(zoom.type, RegistryType::Binary);
  // 1.15 as an IEEE double, least significant byte first.
  EXPECT_EQ(zoom.bytes,
            (std::vector<std::uint8_t>{0x66, 0x66, 0x66, 0x66, 0x66, 0x66, 0xF2, 0x3F}));

  const TRegistryIniFile store(Key());
  EXPECT_TRUE(store.ReadBool("System", "AutoSave", false));
  EXPECT_EQ(store.ReadInteger("System", "Left", 0), -5);
  EXPECT_EQ(store.ReadFloat("System", "Zoom", 0), 1.15);
  EXPECT_EQ(store.ReadString("System", "FilePath", ""), "/home/u/カスタム/");
  EXPECT_EQ(store.ReadString("System", "Tricky", ""), "a=b\\c\nd\re");
}

TEST_F(RegistryStoreTest, EveryWriteIsStoredAtOnce) {
  TRegistryIniFile store = Store();
  EXPECT_FALSE(std::filesystem::exists(file));
  store.WriteInteger("Pen", "PenCount", 7);
  EXPECT_EQ(ReadBytes(file), "[Pen]\nPenCount=dword:00000007\n");
  EXPECT_EQ(TRegistryIniFile(Key()).ReadInteger("Pen", "PenCount", 0), 7);
}

TEST_F(RegistryStoreTest, IntegerIntoAnExistingStringValueStaysText) {
  TRegistryIniFile store = Store();
  store.WriteString("System", "Left", "12");
  EXPECT_EQ(store.ReadInteger("System", "Left", 0), 12);
  store.WriteInteger("System", "Left", 30);
  const auto value = Key()->Value("System", "Left");
  EXPECT_EQ(value->type, RegistryType::String);
  EXPECT_EQ(value->text, "30");
}

TEST_F(RegistryStoreTest, ValuesOfTheWrongTypeReadAsMissing) {
  const auto key = Key();
  key->SetValue("S", "int", RegistryValue{RegistryType::Binary, "", 0, {1, 2, 3, 4}});
  key->SetValue("S", "text", RegistryValue{RegistryType::Integer, "", 5, {}});
  key->SetValue("S", "float_as_int", RegistryValue{RegistryType::Integer, "", 5, {}});
  key->SetValue("S", "float_as_text", RegistryValue{RegistryType::String, "1.5", 0, {}});
  key->SetValue("S", "short_float", RegistryValue{RegistryType::Binary, "", 0, {1, 2, 3}});
  key->SetValue("S", "bad_int_text", RegistryValue{RegistryType::String, "x1", 0, {}});
  const TRegistryIniFile store(Key());
  EXPECT_EQ(store.ReadInteger("S", "int", 9), 9);
  EXPECT_EQ(store.ReadString("S", "text", "d"), "d");
  EXPECT_EQ(store.ReadFloat("S", "float_as_int", 1.25), 1.25);
  EXPECT_EQ(store.ReadFloat("S", "float_as_text", 1.25), 1.25);
  EXPECT_EQ(store.ReadFloat("S", "short_float", 1.25), 1.25);
  EXPECT_EQ(store.ReadInteger("S", "bad_int_text", 9), 9);
}

TEST_F(RegistryStoreTest, NonFiniteFloatsReadAsMissing) {
  TRegistryIniFile store = Store();
  store.WriteFloat("S", "nan", std::numeric_limits<double>::quiet_NaN());
  store.WriteFloat("S", "inf", std::numeric_limits<double>::infinity());
  EXPECT_EQ(store.ReadFloat("S", "nan", 1.15), 1.15);
  EXPECT_EQ(store.ReadFloat("S", "inf", 1.15), 1.15);
}

TEST_F(RegistryStoreTest, NamesMatchWithoutRegardToCase) {
  TRegistryIniFile store = Store();
  store.WriteInteger("System", "CrMonitor", 1);
  store.WriteInteger("SYSTEM", "crmonitor", 2);
  EXPECT_EQ(store.ReadInteger("system", "CRMONITOR", 0), 2);
  EXPECT_EQ(ReadBytes(file), "[System]\nCrMonitor=dword:00000002\n");
}

TEST_F(RegistryStoreTest, GarbageLinesAreIgnored) {
  WriteBytes(file,
             "Orphan=dword:00000001\n"
             "[S]\r\n"
             "a=dword:0000000g\n"
             "b=dword:123456789\n"
             "c=hex:123\n"
             "d=unknown:1\n"
             "no separator\n"
             "e=dword:0000000a\r\n"
             "e=dword:0000000b\n"
             "\xFF\xFE\x00binary\n");
  const TRegistryIniFile store(Key());
  EXPECT_EQ(store.ReadInteger("S", "a", -1), -1);
  EXPECT_EQ(store.ReadInteger("S", "b", -1), -1);
  EXPECT_EQ(store.ReadFloat("S", "c", 2.5), 2.5);
  EXPECT_EQ(store.ReadString("S", "d", "x"), "x");
  EXPECT_EQ(store.ReadInteger("S", "e", -1), 10);
  EXPECT_EQ(store.ReadInteger("", "Orphan", -1), -1);
}

TEST_F(RegistryStoreTest, AKeyFileThatCannotBeReadIsNeverReplaced) {
  std::filesystem::create_directories(file);
  TRegistryIniFile store = Store();
  EXPECT_EQ(store.ReadInteger("S", "k", 3), 3);
  EXPECT_THROW(store.WriteInteger("S", "k", 1), std::runtime_error);
  EXPECT_TRUE(std::filesystem::is_directory(file));
}

}  // namespace
}  // namespace lumidraw::settings
