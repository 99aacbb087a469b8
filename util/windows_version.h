// The version of Windows as the program's manifest lets it see it (later versions than the
// manifest names report the last one it names).
#pragma once

#include <windows.h>

struct WindowsVersion {
  DWORD major = 0;
  DWORD minor = 0;
  bool operator==(const WindowsVersion&) const = default;
};

// 0.0 when the query fails.
WindowsVersion QueryWindowsVersion();
