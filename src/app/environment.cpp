#include "app/environment.h"

#include <algorithm>
#include <cctype>

#include "platform/system_version.h"

int WinVer = 0;
bool isJapanese = false;
bool isIntelVideo = false;

int WindowsVersion() {
  return PlatformWindowsVersion();
}

void CheckJapanese(unsigned userDefaultLCID) {
  isJapanese = userDefaultLCID == JapaneseLCID;
}

void SetUIFont(TFontSpec& font, bool japanese, int version) {
  const bool modern = version >= 60;
  font.Charset = japanese ? ShiftJisCharset : AnsiCharset;
  if (japanese)
    font.Name = modern ? "メイリオ" : "ＭＳ Ｐゴシック";
  else
    font.Name = modern ? "Segoe UI" : "Tahoma";
  if (modern && font.Size == 8)
    font.Size = 9;
  else if (!modern && font.Size == 9)
    font.Size = 8;
}

void SetUIFont(TFontSpec& font) {
  SetUIFont(font, isJapanese, WindowsVersion());
}

void SetTextFont(TFontSpec& font, bool japanese, int version) {
  const bool modern = version >= 60;
  font.Charset = japanese ? ShiftJisCharset : AnsiCharset;
  if (japanese)
    font.Name = modern ? "メイリオ" : "ＭＳ Ｐゴシック";
  else
    font.Name = modern ? "Verdana" : "Calibri";
}

void SetTextFont(TFontSpec& font) {
  SetTextFont(font, isJapanese, WindowsVersion());
}

bool HasIntelCaption(const std::vector<std::string>& captions) {
  return std::any_of(captions.begin(), captions.end(), [](std::string caption) {
    std::transform(caption.begin(), caption.end(), caption.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return caption.find("INTEL") != std::string::npos;
  });
}

void CheckIntelVideo(const std::vector<std::string>& captions) {
  isIntelVideo = HasIntelCaption(captions);
}
