// The current user's registry on systems that have none: one text file per key,
// each value kept with its registry type, every write stored at once.
//
// The key "\Software\ZELVA PROJECT\Draw" lives in <config folder>/ZELVA PROJECT/Draw.reg
// (each path component a folder, the last a file; the leading "Software" is dropped
// because the configuration folder holds nothing but software settings). The file:
//
//   [System]
//   ButtonArray=sz:MOVE,SAVE
//   Left=dword:fffffffb
//   Zoom=hex:666666666666f23f
//
// Names and texts escape "\", "=", CR and LF with a backslash. Lines that do not
// follow this form are ignored when read and are not written back.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

#include "settings/registry_key.h"

namespace lumidraw::settings {

std::filesystem::path EmulatedRegistryFile(const std::filesystem::path& config_folder,
                                           std::string_view key_path);

class EmulatedRegistryKey final : public RegistryKey {
 public:
  // Reads the key's file; a missing file is an empty key, created by the first write.
  // A file that exists but cannot be read reads as empty and refuses every write, so
  // content that could not be seen is never replaced.
  explicit EmulatedRegistryKey(std::filesystem::path file);

  std::optional<RegistryValue> Value(std::string_view section,
                                     std::string_view name) const override;
  void SetValue(std::string_view section, std::string_view name,
                const RegistryValue& value) override;

 private:
  struct NamedValue {
    std::string name;
    RegistryValue value;
  };
  struct Subkey {
    std::string name;
    std::map<std::string, NamedValue> values;  // by lower-case name
  };

  void Parse(std::string_view text);
  std::string Serialize() const;

  std::filesystem::path file_;
  std::map<std::string, Subkey> subkeys_;  // by lower-case name
  bool writable_ = true;
};

}  // namespace lumidraw::settings
