// Every persistent setting as a process-wide variable named after its store key,
// with its built-in default, and the operations that read and write them all.
//
// The variables start with their built-in values, are overwritten once by SetupLoad
// at the first show of the tool window, changed by the setup dialog, the eraser
// commands and by moving the tool window, and written by SetupSave. Colour values are
// colour words (0x00BBGGRR plus the ink flags, see pen_type.h).
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "settings/pen_type.h"
#include "settings/settings_platform.h"
#include "settings/settings_store.h"

namespace lumidraw::settings {

inline constexpr int kPenPresets = 10;
inline constexpr int kNamedColors = 9;
inline constexpr int kWidths = 5;
inline constexpr int kBoardColors = 8;

// A named colour: Color is a colour word, Name its caption.
struct TDefPenColor {
  std::uint32_t Color = 0;
  std::string Name;
};

// --- System group: the program's own store ---
extern std::string ButtonArray;       // codes of the optional tool-bar buttons
extern bool isToolBarAlpha;           // tool window drawn translucent
extern std::uint8_t ToolBarPosition;  // 0 upper right, 1 lower right, 2 upper left, 3 lower left
// The tool window's left and top edges: it moves there after SetupLoad and keeps
// them current while it moves; SetupSave writes them.
extern int Left;
extern int Top;
extern int ToolBarHideTime;   // ms waited before a capture; negative: no wait
extern std::string FilePath;  // folder of saved pictures, ending in a separator
extern bool AutoSave;
extern bool ModeSave;
// The SaveInterval setting held as the autosave timer's interval: minutes x 60000
// ms; the overlay's timer reads it.
extern int SaveTimerInterval;
extern int SaveStroke;
extern int SaveFileType;  // 0 JPEG, 1 BMP, 2 PNG
extern int JPEGQuality;

// --- shared groups: the Common store when Common is on ---
extern int CrMonitor;  // monitor drawn on; always a valid index after SetupLoad
extern double Zoom;    // factor of one zoom step, 1.1 ... 2.0
extern int PenCount;   // presets in use, 1 ... 10
// Pen presets (sections Pen00 ... Pen09); only the first PenCount are read and written.
extern std::array<TPenType, kPenPresets> Pen;
extern int PenRevise;  // 1: pen smoothing on
extern int PenReviseValue;
extern std::uint8_t MarkerPenAlpha;  // opacity of highlighter presets
extern bool PenPressure;
// Erase/Default: 0 erase all, 1 small, 2 medium, 3 large. Written only by
// EraseDefaultSave.
extern int EraseDefault;
// Named colours (DefPenColor00 ... 08; entry 0 is rainbow) and widths (DefPenWidth00
// ... 04, 1 ... 32, ascending); read but never written.
extern std::array<TDefPenColor, kNamedColors> DefPenColor;
extern std::array<int, kWidths> DefPenWidth;
// WhiteBoard section.
extern std::uint32_t BrushColor;          // board background
extern std::uint32_t WhiteBoardPenColor;  // WhiteBoard/PenColor: colour of the ruled lines
extern bool HorizontalLine;
extern bool VerticalLine;
// Line distances in pixels, not limited here: whoever paints ruled lines must skip
// them for a value below 1.
extern int HWidth;
extern int VWidth;
extern std::array<std::uint32_t, kBoardColors> BoardColor;  // offered backgrounds; never written
extern int DTFButtonSet;  // express keys 4 and 5: 0 previous/next, 1 whiteboard/save

// The caption a named colour gets when none is stored.
inline constexpr std::string_view kCustomColorName = "カスタム";

// Puts every setting, and the switches useReg, useRegFirst and Common, back to its
// built-in value (as at program start).
void SetupDefaults();

// Reads every setting from the stores, applying the limits and replacements of each.
// Missing or unreadable values leave the current value (or the stated default).
void SetupLoad(const SettingsPlatform& platform);
// Writes the settings that are saved; false when anything failed (what the registry
// already took stays; a file whose write-back had not run is not touched).
bool SetupSave(const SettingsPlatform& platform);

// The shared groups, on an open store: PenDataLoad reads CrMonitor, Zoom, the pens,
// the eraser choice, the named colours and the widths (then sorts the widths);
// BoardDataLoad the whiteboard, the board colours and DTFButtonSet. The Save
// functions write the saved ones among them.
void PenDataLoad(const TSettingsStore& store, const SettingsPlatform& platform);
void BoardDataLoad(const TSettingsStore& store, const SettingsPlatform& platform);
void PenDataSave(TSettingsStore& store);
void BoardDataSave(TSettingsStore& store);

// Writes Erase/Default alone, into the Common store when Common is on, else into the
// program store, at once. False on any failure.
bool EraseDefaultSave(const SettingsPlatform& platform);

}  // namespace lumidraw::settings
