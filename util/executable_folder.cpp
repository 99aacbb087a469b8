#include "util/executable_folder.h"

#include <windows.h>

#include <vector>

std::wstring ExecutableFolder() {
  std::vector<wchar_t> path(MAX_PATH);
  for (;;) {
    const DWORD length =
        ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      std::wstring result(path.data(), length);
      return result.substr(0, result.find_last_of(L'\\') + 1);
    }
    path.resize(path.size() * 2);
  }
}
