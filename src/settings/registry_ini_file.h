// The registry store: the store's sections are subkeys of one registry key and its
// keys are named values, each write stored at once.
//
// Value forms, kept so that existing registry data reads the same:
//   bool    string "1"/"0"; read as an integer, non-zero is true
//   integer 32-bit integer value; written as decimal text when a string value of that
//           name already exists; a string value is read as decimal text
//   float   8 bytes of binary data holding the IEEE double (little-endian)
//   string  string value
// A value of another type than the read expects reads as missing (the default), as
// does a float that is not finite.
#pragma once

#include <memory>

#include "settings/registry_key.h"
#include "settings/settings_store.h"

namespace lumidraw::settings {

class TRegistryIniFile final : public TSettingsStore {
 public:
  explicit TRegistryIniFile(std::unique_ptr<RegistryKey> key);

  std::int32_t ReadInteger(std::string_view section, std::string_view key,
                           std::int32_t def) const override;
  double ReadFloat(std::string_view section, std::string_view key, double def) const override;
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view def) const override;

  void WriteInteger(std::string_view section, std::string_view key, std::int32_t value) override;
  void WriteFloat(std::string_view section, std::string_view key, double value) override;
  void WriteString(std::string_view section, std::string_view key, std::string_view value) override;

  // Nothing to do: every write is already stored.
  void UpdateFile() override {}

 private:
  std::unique_ptr<RegistryKey> key_;
};

}  // namespace lumidraw::settings
