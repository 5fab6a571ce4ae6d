// The settings store: where every option is kept, how a store is opened, switched
// and closed, and its typed reads and writes.
//
// A store is either the registry (real or emulated, see registry_ini_file.h) or a
// .ini file held in memory (mem_ini_file.h); `useReg` picks the kind when a store is
// opened. The options of the System group live in the program's own store, whose
// name follows the program file's name; with `Common` on, the pen, eraser, colour,
// width, whiteboard, zoom, monitor and express-key options live in the shared store
// "Common" instead. A store object lives for one load, one save or one eraser save.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "settings/settings_platform.h"

namespace lumidraw::settings {

// true: the program store and the Common store are registry keys; false: .ini files.
extern bool useReg;
// `useReg` as the local switch file holds it; UseRegSave writes only on a difference.
extern bool useRegFirst;
// true: after the System group, reading and writing continue in the Common store.
extern bool Common;

// Reads return the stored value, or `def` when the section or key is missing or the
// stored value does not read as the asked type. Writes throw std::runtime_error (or
// std::invalid_argument for a value the store cannot represent) on failure.
class TSettingsStore {
 public:
  virtual ~TSettingsStore() = default;

  // Stored as "1"/"0" and read as an integer: non-zero is true.
  bool ReadBool(std::string_view section, std::string_view key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
  }
  void WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
  }

  virtual std::int32_t ReadInteger(std::string_view section, std::string_view key,
                                   std::int32_t def) const = 0;
  virtual double ReadFloat(std::string_view section, std::string_view key, double def) const = 0;
  // Always well-formed UTF-8.
  virtual std::string ReadString(std::string_view section, std::string_view key,
                                 std::string_view def) const = 0;

  virtual void WriteInteger(std::string_view section, std::string_view key, std::int32_t value) = 0;
  virtual void WriteFloat(std::string_view section, std::string_view key, double value) = 0;
  virtual void WriteString(std::string_view section, std::string_view key,
                           std::string_view value) = 0;

  // Makes the writes lasting: a file store writes its file; the registry has already
  // stored every write.
  virtual void UpdateFile() = 0;
};

using StorePtr = std::unique_ptr<TSettingsStore>;

// Registry key of all stores: the program's key and "Common" are below it.
inline constexpr std::string_view kRegistryBase = "\\Software\\ZELVA PROJECT\\";

// The per-user data folder: the Documents folder and "Lumidraw", without a trailing
// separator. Created with its missing parents each time it is computed (a failure
// to create it is left to the reads and writes that follow).
std::filesystem::path DataFolder(const SettingsPlatform& platform);

// The .ini file for `path`. From version 6.0 on: DataFolder immediately followed by
// the file name of `path` with the extension ".ini", with no separator in between
// (Draw.exe gives <Documents>/LumidrawDraw.ini); stored files rely on this name.
// Before 6.0: `path` with the extension ".ini" ("Common.ini" stays a bare name that
// is looked up in the current folder).
std::filesystem::path IniFileName(const SettingsPlatform& platform,
                                  const std::filesystem::path& path);

// Reads System/useReg (default true) from the program's .ini file into `useReg` and
// `useRegFirst`; writes nothing.
void UseRegLoad(const SettingsPlatform& platform);
// Writes System/useReg into the program's .ini file when it differs from useRegFirst
// (the value last read or written), then writes the file back (also when nothing changed). A
// failure of that write propagates.
void UseRegSave(const SettingsPlatform& platform);

// The program's own store, of the kind `useReg` selects.
StorePtr IniOpen(const SettingsPlatform& platform);
// The Common store, of the kind `useReg` selects.
StorePtr CommonOpen(const SettingsPlatform& platform);
// Reads System/Common from the open program store (default: the current `Common`);
// when it is true, replaces `store` by the Common store.
void CommonOpenRead(const SettingsPlatform& platform, StorePtr& store);
// Writes System/Common into the open program store; when it is true, writes the
// program store back and replaces `store` by the Common store.
void CommonOpenWrite(const SettingsPlatform& platform, StorePtr& store);
// Frees the store without writing (after loading).
void IniClose(StorePtr& store);
// Writes the store back, then frees it (after saving).
void IniCloseUpdate(StorePtr& store);

}  // namespace lumidraw::settings
