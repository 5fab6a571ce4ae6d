// Temporary folders and a settings platform with chosen facts, so that no settings
// test touches the user's real files.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "settings/emulated_registry.h"
#include "settings/settings_catalogue.h"
#include "settings/settings_platform.h"
#include "test_support/temp_folder.h"

namespace lumidraw::settings::testing {

using TempFolder = TTempFolder;

// Records every registry access in order, as "section/name", then forwards it.
struct RegistryLog {
  std::vector<std::string> reads;
  std::vector<std::string> writes;
};

class LoggingRegistryKey final : public RegistryKey {
 public:
  LoggingRegistryKey(std::unique_ptr<RegistryKey> inner, RegistryLog& log)
      : inner_(std::move(inner)), log_(log) {}
  std::optional<RegistryValue> Value(std::string_view section,
                                     std::string_view name) const override {
    log_.reads.push_back(std::string(section) + "/" + std::string(name));
    return inner_->Value(section, name);
  }
  void SetValue(std::string_view section, std::string_view name,
                const RegistryValue& value) override {
    log_.writes.push_back(std::string(section) + "/" + std::string(name));
    inner_->SetValue(section, name, value);
  }

 private:
  std::unique_ptr<RegistryKey> inner_;
  RegistryLog& log_;
};

class FakePlatform final : public SettingsPlatform {
 public:
  explicit FakePlatform(const std::filesystem::path& root)
      : program(root / "bin" / "Draw.exe"),
        documents(root / "Documents"),
        config(root / "config"),
        current(root / "cwd") {
    std::filesystem::create_directories(documents);
    std::filesystem::create_directories(current);
  }

  std::filesystem::path ProgramPath() const override { return program; }
  std::filesystem::path DocumentsFolder() const override { return documents; }
  std::filesystem::path ConfigFolder() const override { return config; }
  std::filesystem::path CurrentFolder() const override { return current; }
  int WindowsVersion() const override { return version; }
  bool IsIntelVideo() const override { return intel_video; }
  int MonitorCount() const override { return monitors; }
  std::string DecimalSeparator() const override { return separator; }

  std::unique_ptr<RegistryKey> OpenRegistryKey(std::string_view key_path) const override {
    auto key = SettingsPlatform::OpenRegistryKey(key_path);
    if (log == nullptr) return key;
    const std::string opened = "open " + std::string(key_path);
    log->reads.push_back(opened);
    log->writes.push_back(opened);
    return std::make_unique<LoggingRegistryKey>(std::move(key), *log);
  }

  // The emulated registry file of a store key below "\Software\ZELVA PROJECT\".
  std::filesystem::path RegistryFile(std::string_view name) const {
    return EmulatedRegistryFile(config, "\\Software\\ZELVA PROJECT\\" + std::string(name));
  }
  // The .ini file of version 6.0 and later for a store name ("Draw", "Common").
  std::filesystem::path IniFile(std::string_view name) const {
    return documents / ("Lumidraw" + std::string(name) + ".ini");
  }

  std::filesystem::path program;
  std::filesystem::path documents;
  std::filesystem::path config;
  std::filesystem::path current;
  int version = 100;
  bool intel_video = false;
  int monitors = 1;
  std::string separator = ".";
  RegistryLog* log = nullptr;
};

inline std::string ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::filesystem::path& file, std::string_view bytes) {
  std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Every regular file below `root`, relative to it, sorted.
inline std::vector<std::string> FilesBelow(const std::filesystem::path& root) {
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    if (entry.is_regular_file()) {
      files.push_back(std::filesystem::relative(entry.path(), root).generic_string());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

// A temporary folder, a platform rooted in it, and the catalogue's defaults before and
// after every test.
class SettingsFixture : public ::testing::Test {
 protected:
  void SetUp() override { SetupDefaults(); }
  void TearDown() override { SetupDefaults(); }

  TempFolder temp;
  FakePlatform platform{temp.path()};
};

}  // namespace lumidraw::settings::testing
