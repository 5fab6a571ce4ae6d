#include "platform/system_version.h"

#if defined(_WIN32)
#include <windows.h>

int PlatformWindowsVersion() {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof(info);
#pragma warning(suppress : 4996)
  if (!GetVersionExW(&info) || info.dwPlatformId != VER_PLATFORM_WIN32_NT) return 0;
  return static_cast<int>(info.dwMajorVersion * 10 + info.dwMinorVersion);
}
#else
int PlatformWindowsVersion() {
  return 100;
}
#endif
