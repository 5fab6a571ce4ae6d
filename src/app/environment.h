#pragma once
// Environment probes consulted while the windows are created: the system version,
// whether the user works in a Japanese locale, the base fonts of the windows and
// whether the machine has an Intel video controller.
//
// The rules are pure functions of their inputs so every branch is testable; the
// process-wide values below are set once at start-up and only read afterwards.

#include <string>
#include <vector>

// System version as major * 10 + minor (51, 60, 61, ...); 0 off the NT platform.
extern int WinVer;
// The user's default locale is Japanese (locale id 0x411).
extern bool isJapanese;
// At least one video controller caption contains "INTEL" (any letter case).
extern bool isIntelVideo;

// A window font as the probes see it: character set, face name and size in points.
struct TFontSpec {
  int Charset = 0;
  std::string Name;
  int Size = 0;
};

inline constexpr unsigned JapaneseLCID = 0x411;
inline constexpr int AnsiCharset = 0;
inline constexpr int ShiftJisCharset = 128;

// The system version number; off Windows a modern NT version (100).
int WindowsVersion();

// Sets isJapanese from the user's default locale id.
void CheckJapanese(unsigned userDefaultLCID);

// Base font of every window. Size 8 becomes 9 from version 60 on and size 9 becomes 8
// before it; any other size stays.
void SetUIFont(TFontSpec& font, bool japanese, int version);
void SetUIFont(TFontSpec& font);  // with isJapanese and WindowsVersion()

// Font of a long read-only text box; the size never changes.
void SetTextFont(TFontSpec& font, bool japanese, int version);
void SetTextFont(TFontSpec& font);

// True when any caption contains "INTEL" compared in upper case.
bool HasIntelCaption(const std::vector<std::string>& captions);

// Sets isIntelVideo from the captions of the machine's video controllers; captions
// that could not be read are simply absent from the list.
void CheckIntelVideo(const std::vector<std::string>& captions);
