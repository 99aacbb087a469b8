#include "util/windows_version.h"

WindowsVersion QueryWindowsVersion() {
  OSVERSIONINFOEXW info{};
  info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!::GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&info))) return {};
#pragma GCC diagnostic pop
  return {info.dwMajorVersion, info.dwMinorVersion};
}
