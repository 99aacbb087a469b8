#include "util/system_libraries.h"

#include <string>

void SearchLibrariesInSystemFolderOnly() {
  // Windows 7 has it only with an update, Vista not at all: looked up, not imported, so that the
  // program still starts there.
  using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
  const auto setDefault =
      reinterpret_cast<SetDefaultDllDirectoriesFunction>(reinterpret_cast<void*>(
          ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
  if (setDefault == nullptr || !setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) {
    // The current folder at least leaves the search.
    ::SetDllDirectoryW(L"");
  }
}

HMODULE LoadSystemLibrary(const wchar_t* name) {
  HMODULE library = ::LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (library == nullptr && ::GetLastError() == ERROR_INVALID_PARAMETER) {
    // A system without the search flags: the full path of the system folder instead.
    wchar_t folder[MAX_PATH] = {};
    const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
      library = ::LoadLibraryW((std::wstring(folder) + L"\\" + name).c_str());
    }
  }
  return library;
}
