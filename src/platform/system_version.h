#pragma once
// The operating system's version as major * 10 + minor. Windows reports its own; every
// other system counts as a modern NT version (100), which selects the current fonts,
// cursors and timings.
int PlatformWindowsVersion();
