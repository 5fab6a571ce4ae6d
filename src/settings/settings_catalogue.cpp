#include "settings/settings_catalogue.h"

#include <algorithm>
#include <filesystem>
#include <limits>
#include <type_traits>
#include <variant>
#include <vector>

#include "settings/settings_file.h"

namespace lumidraw::settings {

std::string ButtonArray;
bool isToolBarAlpha;
std::uint8_t ToolBarPosition;
int Left;
int Top;
int ToolBarHideTime;
std::string FilePath;
bool AutoSave;
bool ModeSave;
int SaveTimerInterval;
int SaveStroke;
int SaveFileType;
int JPEGQuality;
int CrMonitor;
double Zoom;
int PenCount;
std::array<TPenType, kPenPresets> Pen;
int PenRevise;
int PenReviseValue;
std::uint8_t MarkerPenAlpha;
bool PenPressure;
int EraseDefault;
std::array<TDefPenColor, kNamedColors> DefPenColor;
std::array<int, kWidths> DefPenWidth;
std::uint32_t BrushColor;
std::uint32_t WhiteBoardPenColor;
bool HorizontalLine;
bool VerticalLine;
int HWidth;
int VWidth;
std::array<std::uint32_t, kBoardColors> BoardColor;
int DTFButtonSet;

namespace {

// The System group lives in the program's own store; PenData and BoardData in the
// shared store (Common when it is on).
enum class Group { System, PenData, BoardData };
// The default handed to the read.
enum class From {
  Current,     // the variable's value, so a missing key keeps it
  BuiltIn,     // the built-in value
  SaveFolder,  // DataFolder/Desktop/, computed at the read
};
enum class Saved { Always, Never, IfNotNegative };

// A setting's variable with its built-in value and the rule applied after a read.
template <typename T>
struct Var {
  T* var;
  T builtin;
  void (*rule)(T&, const SettingsPlatform&) = nullptr;
};
// A setting stored in minutes and held in milliseconds.
struct Minutes {
  int* ms;
  int builtin;
};
using Field = std::variant<Var<bool>, Var<int>, Var<std::uint8_t>, Var<std::uint32_t>, Var<double>,
                           Var<std::string>, Minutes>;

struct Setting {
  Group group;
  std::string section;
  std::string key;
  Field field;
  From read = From::Current;
  Saved saved = Saved::Always;
  int preset = -1;  // keys of preset n are used only while n < PenCount
};

constexpr int kMinuteMs = 60000;
constexpr std::uint32_t kNamedColorMask = 0x18FFFFFF;  // 24-bit colour and both ink flags
constexpr std::string_view kIdeographicSpace = "\u3000";

constexpr std::array<TPenType, kPenPresets> kBuiltInPens = {{
    {0x0000FF, 4, 1},
    {0xFF0000, 4, 1},
    {0x00FFFF, 4, 1},
    {0xFF00FF, 16, 0},
    {0x00FF00, 16, 0},
    {0xFFFF00, 12, 0},
    {0xFF00FF, 12, 0},
    {0xFFFFFF, 12, 0},
    {0x0000FF, 12, 0},
    {0x99FF99, 12, 0},
}};
constexpr std::array<std::uint32_t, kNamedColors> kBuiltInNamedColors = {
    0x08000000, 0xFFFF00, 0xFF0000, 0x000000, 0xFF00FF, 0x00FF00, 0x0000FF, 0x00FFFF, 0xFFFFFF};
constexpr std::array<int, kWidths> kBuiltInWidths = {1, 2, 4, 8, 16};
constexpr std::array<std::uint32_t, kBoardColors> kBuiltInBoardColors = {
    0x006600, 0xDDDDFF, 0xDDFFDD, 0xDDFFFF, 0xFFDDDD, 0xFFDDFF, 0xFFFFDD, 0xFFFFFF};

// A negative value asks for the machine's usual wait: Intel video needs 700 ms,
// version 6.0 300 ms; elsewhere it stays negative (no wait).
void HideTimeRule(int& ms, const SettingsPlatform& platform) {
  if (ms >= 0) return;
  if (platform.IsIntelVideo()) {
    ms = 700;
  } else if (platform.WindowsVersion() == 60) {
    ms = 300;
  }
}

// Anything that is not the index of an attached monitor means the first one.
void MonitorRule(int& index, const SettingsPlatform& platform) {
  if (index < 0 || index >= platform.MonitorCount()) index = 0;
}

void ZoomRule(double& zoom, const SettingsPlatform&) {
  zoom = std::clamp(zoom, 1.1, 2.0);
}
void PenCountRule(int& count, const SettingsPlatform&) {
  count = std::clamp(count, 1, kPenPresets);
}
void ReviseValueRule(int& value, const SettingsPlatform&) {
  if (value < 0) value = 1;
}
void ColorMaskRule(std::uint32_t& color, const SettingsPlatform&) {
  color &= kNamedColorMask;
}
void NameRule(std::string& name, const SettingsPlatform&) {
  if (name.empty() || name == kIdeographicSpace) name = kCustomColorName;
}
void WidthRule(int& width, const SettingsPlatform&) {
  width = std::clamp(width, 1, 32);
}

std::string TwoDigits(std::string_view prefix, int index) {
  std::string out(prefix);
  out += static_cast<char>('0' + index / 10);
  out += static_cast<char>('0' + index % 10);
  return out;
}

// Every setting in the order it is read; SetupSave writes the saved ones in the same
// order. A setting is one line here. System/useReg and System/Common are not listed:
// they choose the stores and are read and written by the store operations.
std::vector<Setting> BuildCatalogue() {
  using G = Group;
  using S = std::string;
  std::vector<Setting> table = {
      {G::System, "System", "ButtonArray", Var<S>{&ButtonArray, ""}},
      {G::System, "System", "isToolBarAlpha", Var<bool>{&isToolBarAlpha, false}},
      {G::System, "System", "ToolBarPosition", Var<std::uint8_t>{&ToolBarPosition, 0}},
      {G::System, "System", "Left", Var<int>{&Left, 0}, From::BuiltIn},
      {G::System, "System", "Top", Var<int>{&Top, 0}, From::BuiltIn},
      {G::System, "System", "ToolBarHideTime", Var<int>{&ToolBarHideTime, -1, HideTimeRule},
       From::Current, Saved::IfNotNegative},
      {G::System, "System", "FilePath", Var<S>{&FilePath, ""}, From::SaveFolder},
      {G::System, "System", "AutoSave", Var<bool>{&AutoSave, false}},
      {G::System, "System", "ModeSave", Var<bool>{&ModeSave, false}},
      {G::System, "System", "SaveInterval", Minutes{&SaveTimerInterval, 1}, From::BuiltIn},
      {G::System, "System", "SaveStroke", Var<int>{&SaveStroke, 20}},
      {G::System, "System", "SaveFileType", Var<int>{&SaveFileType, 0}},
      {G::System, "System", "JPEGQuality", Var<int>{&JPEGQuality, 100}},
      {G::PenData, "System", "CrMonitor", Var<int>{&CrMonitor, 0, MonitorRule}},
      {G::PenData, "System", "Zoom", Var<double>{&Zoom, 1.15, ZoomRule}},
      {G::PenData, "Pen", "PenCount", Var<int>{&PenCount, 5, PenCountRule}},
  };
  for (int i = 0; i < kPenPresets; ++i) {
    const std::string section = TwoDigits("Pen", i);
    TPenType& pen = Pen[static_cast<std::size_t>(i)];
    const TPenType& builtin = kBuiltInPens[static_cast<std::size_t>(i)];
    table.push_back({G::PenData, section, "PenColor",
                     Var<std::uint32_t>{&pen.PenColor, builtin.PenColor}, From::Current,
                     Saved::Always, i});
    table.push_back({G::PenData, section, "PenWidth", Var<int>{&pen.PenWidth, builtin.PenWidth},
                     From::Current, Saved::Always, i});
    table.push_back({G::PenData, section, "PenAlpha",
                     Var<std::uint8_t>{&pen.PenAlpha, builtin.PenAlpha}, From::Current,
                     Saved::Always, i});
  }
  table.insert(
      table.end(),
      {
          {G::PenData, "Pen", "PenRevise", Var<int>{&PenRevise, 0}},
          {G::PenData, "Pen", "PenReviseValue", Var<int>{&PenReviseValue, 1, ReviseValueRule}},
          {G::PenData, "Pen", "MarkerPenAlpha", Var<std::uint8_t>{&MarkerPenAlpha, 100}},
          {G::PenData, "Pen", "PenPressure", Var<bool>{&PenPressure, false}},
          {G::PenData, "Erase", "Default", Var<int>{&EraseDefault, 3}, From::Current, Saved::Never},
      });
  for (int i = 0; i < kNamedColors; ++i) {
    const std::string section = TwoDigits("DefPenColor", i);
    TDefPenColor& entry = DefPenColor[static_cast<std::size_t>(i)];
    table.push_back(
        {G::PenData, section, "Color",
         Var<std::uint32_t>{&entry.Color, kBuiltInNamedColors[static_cast<std::size_t>(i)],
                            ColorMaskRule},
         From::Current, Saved::Never});
    table.push_back({G::PenData, section, "Name", Var<S>{&entry.Name, "", NameRule}, From::Current,
                     Saved::Never});
  }
  for (int i = 0; i < kWidths; ++i) {
    table.push_back({G::PenData, TwoDigits("DefPenWidth", i), "Width",
                     Var<int>{&DefPenWidth[static_cast<std::size_t>(i)],
                              kBuiltInWidths[static_cast<std::size_t>(i)], WidthRule},
                     From::Current, Saved::Never});
  }
  table.insert(
      table.end(),
      {
          {G::BoardData, "WhiteBoard", "BrushColor", Var<std::uint32_t>{&BrushColor, 0xFFFFFF}},
          {G::BoardData, "WhiteBoard", "PenColor",
           Var<std::uint32_t>{&WhiteBoardPenColor, 0xBBBBBB}},
          {G::BoardData, "WhiteBoard", "HorizontalLine", Var<bool>{&HorizontalLine, true}},
          {G::BoardData, "WhiteBoard", "VerticalLine", Var<bool>{&VerticalLine, false}},
          {G::BoardData, "WhiteBoard", "HWidth", Var<int>{&HWidth, 50}},
          {G::BoardData, "WhiteBoard", "VWidth", Var<int>{&VWidth, 50}},
      });
  for (int i = 0; i < kBoardColors; ++i) {
    const std::size_t k = static_cast<std::size_t>(i);
    table.push_back({G::BoardData, "WhiteBoard", "BoardColor" + std::to_string(i),
                     Var<std::uint32_t>{&BoardColor[k], kBuiltInBoardColors[k]}, From::Current,
                     Saved::Never});
  }
  table.push_back(
      {G::BoardData, "System", "DTFButtonSet", Var<int>{&DTFButtonSet, 0}, From::BuiltIn});
  return table;
}

const std::vector<Setting>& Catalogue() {
  static const std::vector<Setting> table = BuildCatalogue();
  return table;
}

bool Read(const TSettingsStore& store, const Setting& s, bool def) {
  return store.ReadBool(s.section, s.key, def);
}
int Read(const TSettingsStore& store, const Setting& s, int def) {
  return store.ReadInteger(s.section, s.key, def);
}
// Only the low byte of the stored integer is held.
std::uint8_t Read(const TSettingsStore& store, const Setting& s, std::uint8_t def) {
  return static_cast<std::uint8_t>(store.ReadInteger(s.section, s.key, def) & 0xFF);
}
// Colour words are stored as 32-bit integers.
std::uint32_t Read(const TSettingsStore& store, const Setting& s, std::uint32_t def) {
  return static_cast<std::uint32_t>(
      store.ReadInteger(s.section, s.key, static_cast<std::int32_t>(def)));
}
double Read(const TSettingsStore& store, const Setting& s, double def) {
  return store.ReadFloat(s.section, s.key, def);
}
std::string Read(const TSettingsStore& store, const Setting& s, const std::string& def) {
  return store.ReadString(s.section, s.key, def);
}

void Write(TSettingsStore& store, const Setting& s, bool value) {
  store.WriteBool(s.section, s.key, value);
}
void Write(TSettingsStore& store, const Setting& s, int value) {
  store.WriteInteger(s.section, s.key, value);
}
void Write(TSettingsStore& store, const Setting& s, std::uint8_t value) {
  store.WriteInteger(s.section, s.key, value);
}
void Write(TSettingsStore& store, const Setting& s, std::uint32_t value) {
  store.WriteInteger(s.section, s.key, static_cast<std::int32_t>(value));
}
void Write(TSettingsStore& store, const Setting& s, double value) {
  store.WriteFloat(s.section, s.key, value);
}
void Write(TSettingsStore& store, const Setting& s, const std::string& value) {
  store.WriteString(s.section, s.key, value);
}

std::string SaveFolderDefault(const SettingsPlatform& platform) {
  return PathToUtf8(DataFolder(platform) / "Desktop" / "");
}

// Minutes to a timer interval that fits an int; a negative count means no timed saves.
int MinutesToMs(int minutes) {
  return std::clamp(minutes, 0, std::numeric_limits<int>::max() / kMinuteMs) * kMinuteMs;
}

struct Loader {
  const Setting& setting;
  const TSettingsStore& store;
  const SettingsPlatform& platform;

  template <typename T>
  void operator()(const Var<T>& v) const {
    T def = setting.read == From::BuiltIn ? v.builtin : *v.var;
    if constexpr (std::is_same_v<T, std::string>) {
      if (setting.read == From::SaveFolder) def = SaveFolderDefault(platform);
    }
    *v.var = Read(store, setting, def);
    if (v.rule != nullptr) v.rule(*v.var, platform);
  }
  void operator()(const Minutes& m) const {
    const int def = setting.read == From::BuiltIn ? m.builtin : *m.ms / kMinuteMs;
    *m.ms = MinutesToMs(Read(store, setting, def));
  }
};

struct Saver {
  const Setting& setting;
  TSettingsStore& store;

  template <typename T>
  void operator()(const Var<T>& v) const {
    if constexpr (std::is_signed_v<T>) {
      if (setting.saved == Saved::IfNotNegative && *v.var < 0) return;
    }
    Write(store, setting, *v.var);
  }
  void operator()(const Minutes& m) const { Write(store, setting, *m.ms / kMinuteMs); }
};

struct Resetter {
  template <typename T>
  void operator()(const Var<T>& v) const {
    *v.var = v.builtin;
  }
  void operator()(const Minutes& m) const { *m.ms = m.builtin * kMinuteMs; }
};

void LoadGroup(Group group, const TSettingsStore& store, const SettingsPlatform& platform) {
  for (const Setting& s : Catalogue()) {
    if (s.group != group || s.preset >= PenCount) continue;
    std::visit(Loader{s, store, platform}, s.field);
  }
}

void SaveGroup(Group group, TSettingsStore& store) {
  for (const Setting& s : Catalogue()) {
    if (s.group != group || s.saved == Saved::Never || s.preset >= PenCount) continue;
    std::visit(Saver{s, store}, s.field);
  }
}

// Unit initialisation: every setting starts with its built-in value.
[[maybe_unused]] const bool kDefaultsSet = (SetupDefaults(), true);

}  // namespace

void SetupDefaults() {
  for (const Setting& s : Catalogue()) std::visit(Resetter{}, s.field);
  useReg = true;
  useRegFirst = true;
  Common = true;
}

void PenDataLoad(const TSettingsStore& store, const SettingsPlatform& platform) {
  LoadGroup(Group::PenData, store, platform);
  std::sort(DefPenWidth.begin(), DefPenWidth.end());
}

void BoardDataLoad(const TSettingsStore& store, const SettingsPlatform& platform) {
  LoadGroup(Group::BoardData, store, platform);
}

void PenDataSave(TSettingsStore& store) {
  SaveGroup(Group::PenData, store);
}

void BoardDataSave(TSettingsStore& store) {
  SaveGroup(Group::BoardData, store);
}

void SetupLoad(const SettingsPlatform& platform) {
  UseRegLoad(platform);
  StorePtr store = IniOpen(platform);
  LoadGroup(Group::System, *store, platform);
  CommonOpenRead(platform, store);
  PenDataLoad(*store, platform);
  BoardDataLoad(*store, platform);
  IniClose(store);
  // The monitors may have changed while the store was read.
  MonitorRule(CrMonitor, platform);
  if (EraseDefault >= -4 && EraseDefault <= -1) EraseDefault = 3;
}

bool SetupSave(const SettingsPlatform& platform) {
  try {
    UseRegSave(platform);
    StorePtr store = IniOpen(platform);
    SaveGroup(Group::System, *store);
    CommonOpenWrite(platform, store);
    PenDataSave(*store);
    BoardDataSave(*store);
    IniCloseUpdate(store);
    return true;
  } catch (...) {
    return false;
  }
}

bool EraseDefaultSave(const SettingsPlatform& platform) {
  try {
    StorePtr store = Common ? CommonOpen(platform) : IniOpen(platform);
    store->WriteInteger("Erase", "Default", EraseDefault);
    store->UpdateFile();
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace lumidraw::settings
