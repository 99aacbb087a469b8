#include "util/command_line.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include "util/scoped_handle.h"

std::vector<std::wstring> CommandLineArguments() {
  int count = 0;
  const win::ScopedLocalMemory<LPWSTR> arguments(::CommandLineToArgvW(::GetCommandLineW(), &count));
  std::vector<std::wstring> list;
  for (int index = 1; arguments.IsValid() && index < count; ++index) {
    list.push_back(arguments.Get()[index]);
  }
  return list;
}
