// One key of the current user's registry, as the registry store sees it: a set of
// subkeys (the store's sections), each holding typed named values.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumidraw::settings {

enum class RegistryType {
  String,   // text, UTF-8 here
  Integer,  // 32-bit integer
  Binary,   // raw bytes
};

struct RegistryValue {
  RegistryType type = RegistryType::String;
  std::string text;                 // String
  std::int32_t integer = 0;         // Integer
  std::vector<std::uint8_t> bytes;  // Binary

  friend bool operator==(const RegistryValue&, const RegistryValue&) = default;
};

// Names of subkeys and values are matched without regard to letter case.
class RegistryKey {
 public:
  virtual ~RegistryKey() = default;
  // The value `name` in the subkey `section`; nullopt when either is missing.
  virtual std::optional<RegistryValue> Value(std::string_view section,
                                             std::string_view name) const = 0;
  // Stores the value at once, creating the subkey if needed. Throws
  // std::runtime_error when the value could not be stored.
  virtual void SetValue(std::string_view section, std::string_view name,
                        const RegistryValue& value) = 0;
};

}  // namespace lumidraw::settings
