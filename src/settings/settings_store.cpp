#include "settings/settings_store.h"

#include <system_error>

#include "settings/mem_ini_file.h"
#include "settings/registry_ini_file.h"
#include "settings/settings_file.h"

namespace lumidraw::settings {
namespace fs = std::filesystem;

bool useReg = true;
bool useRegFirst = true;
bool Common = true;

namespace {

constexpr std::string_view kSystem = "System";
constexpr int kVista = 60;

// A bare file name is looked up in the process's current folder.
fs::path Resolve(const SettingsPlatform& platform, const fs::path& file) {
  return file.is_relative() ? platform.CurrentFolder() / file : file;
}

StorePtr OpenFile(const SettingsPlatform& platform, const fs::path& name) {
  return std::make_unique<TMemIniFile>(Resolve(platform, IniFileName(platform, name)), platform);
}

StorePtr OpenStore(const SettingsPlatform& platform, const fs::path& file_name,
                   std::string_view key_name) {
  if (useReg) {
    return std::make_unique<TRegistryIniFile>(
        platform.OpenRegistryKey(std::string(kRegistryBase) + std::string(key_name)));
  }
  return OpenFile(platform, file_name);
}

}  // namespace

fs::path DataFolder(const SettingsPlatform& platform) {
  const fs::path folder = platform.DocumentsFolder() / "Lumidraw";
  std::error_code ignored;
  fs::create_directories(folder, ignored);
  return folder;
}

fs::path IniFileName(const SettingsPlatform& platform, const fs::path& path) {
  if (platform.WindowsVersion() >= kVista) {
    fs::path name = path.filename();
    name.replace_extension(".ini");
    return fs::path(DataFolder(platform).native() + name.native());
  }
  fs::path file = path;
  file.replace_extension(".ini");
  return file;
}

void UseRegLoad(const SettingsPlatform& platform) {
  const StorePtr local = OpenFile(platform, platform.ProgramPath());
  useReg = local->ReadBool(kSystem, "useReg", true);
  useRegFirst = useReg;
}

void UseRegSave(const SettingsPlatform& platform) {
  const StorePtr local = OpenFile(platform, platform.ProgramPath());
  bool written = false;
  if (useReg != useRegFirst) {
    try {
      local->WriteBool(kSystem, "useReg", useReg);
      written = true;
    } catch (...) {
      useReg = true;
    }
  }
  local->UpdateFile();
  // The file now holds useReg, so that switching back later in the same run is
  // written as well.
  if (written) useRegFirst = useReg;
}

StorePtr IniOpen(const SettingsPlatform& platform) {
  const fs::path program = platform.ProgramPath();
  return OpenStore(platform, program, PathToUtf8(program.stem()));
}

StorePtr CommonOpen(const SettingsPlatform& platform) {
  return OpenStore(platform, "Common.ini", "Common");
}

void CommonOpenRead(const SettingsPlatform& platform, StorePtr& store) {
  Common = store->ReadBool(kSystem, "Common", Common);
  if (Common) {
    store.reset();
    store = CommonOpen(platform);
  }
}

void CommonOpenWrite(const SettingsPlatform& platform, StorePtr& store) {
  store->WriteBool(kSystem, "Common", Common);
  if (Common) {
    store->UpdateFile();
    store.reset();
    store = CommonOpen(platform);
  }
}

void IniClose(StorePtr& store) {
  store.reset();
}

void IniCloseUpdate(StorePtr& store) {
  store->UpdateFile();
  store.reset();
}

}  // namespace lumidraw::settings
