// What the settings need to know about the machine and the user, behind one small
// interface so that the start-up code feeds the real facts and tests feed temporary
// folders and chosen values.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "settings/registry_key.h"

namespace lumidraw::settings {

class SettingsPlatform {
 public:
  virtual ~SettingsPlatform() = default;

  // Full path of the running program file; its name selects the program's own store.
  virtual std::filesystem::path ProgramPath() const = 0;
  // The user's Documents folder.
  virtual std::filesystem::path DocumentsFolder() const = 0;
  // The user's configuration folder; the emulated registry keeps its files there.
  virtual std::filesystem::path ConfigFolder() const = 0;
  // The process's current folder; a relative store file name is resolved against it.
  virtual std::filesystem::path CurrentFolder() const = 0;
  // System version as major * 10 + minor (60 for 6.0; 0 off the NT platform).
  virtual int WindowsVersion() const = 0;
  // At least one video controller is an Intel one.
  virtual bool IsIntelVideo() const = 0;
  // Number of monitors attached now (at least 1 on a working desktop).
  virtual int MonitorCount() const = 0;
  // Decimal separator of the user's locale, as UTF-8 text (usually "." or ",").
  virtual std::string DecimalSeparator() const = 0;

  // The system's 8-bit text encoding, used for settings files without a byte-order
  // mark. The default is UTF-8 (the system encoding on Linux): bytes pass unchanged.
  virtual std::string SystemTextToUtf8(std::string_view bytes) const;
  virtual std::string Utf8ToSystemText(std::string_view text) const;

  // The registry key at `key_path` ("\Software\...") under the current user. The
  // default is the emulated registry in ConfigFolder() (see emulated_registry.h); a
  // platform with a real registry returns a key of it.
  virtual std::unique_ptr<RegistryKey> OpenRegistryKey(std::string_view key_path) const;
};

}  // namespace lumidraw::settings
