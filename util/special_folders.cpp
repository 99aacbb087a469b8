#include "util/special_folders.h"

#include <shlobj.h>
#include <windows.h>

#include "core/folders/csidl_names.h"

std::wstring GetSpecialFolder(int csidl) {
  wchar_t path[MAX_PATH] = {};
  // No owner window: the shell shows no dialog for a folder it is not asked to create.
  if (!::SHGetSpecialFolderPathW(nullptr, path, csidl, FALSE)) return L"";
  return path;
}

int CsidlFromName(const std::wstring& name) {
  return folders::CsidlFromName(name);
}
