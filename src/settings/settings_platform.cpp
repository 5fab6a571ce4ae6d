#include "settings/settings_platform.h"

#include "settings/emulated_registry.h"

namespace lumidraw::settings {

std::string SettingsPlatform::SystemTextToUtf8(std::string_view bytes) const {
  return std::string(bytes);
}

std::string SettingsPlatform::Utf8ToSystemText(std::string_view text) const {
  return std::string(text);
}

std::unique_ptr<RegistryKey> SettingsPlatform::OpenRegistryKey(std::string_view key_path) const {
  return std::make_unique<EmulatedRegistryKey>(EmulatedRegistryFile(ConfigFolder(), key_path));
}

}  // namespace lumidraw::settings
