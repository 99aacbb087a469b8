#include "util/command_line.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

std::vector<std::wstring> CommandLineArguments() {
  int count = 0;
  LPWSTR* arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  std::vector<std::wstring> list;
  for (int index = 1; arguments != nullptr && index < count; ++index) {
    list.push_back(arguments[index]);
  }
  ::LocalFree(arguments);
  return list;
}
