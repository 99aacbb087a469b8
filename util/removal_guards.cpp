#include "util/removal_guards.h"

#include <shlobj.h>
#include <windows.h>

#include <vector>

#include "core/strings/string_util.h"

namespace {

// CSIDL numbers run from 0 to 0x3F; numbers the shell does not know give no folder.
constexpr int kLastCsidl = 0x3F;

bool StartsWith(const std::wstring& text, const std::wstring& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

// The number of characters of the root: "C:\" or "\\server\share\"; 0 when there is none.
size_t RootLength(const std::wstring& path) {
  if (path.size() >= 3 && path[1] == L':' && path[2] == L'\\') return 3;
  if (!StartsWith(path, L"\\\\")) return 0;
  const size_t server = path.find(L'\\', 2);
  if (server == std::wstring::npos || server == 2) return 0;
  const size_t share = path.find(L'\\', server + 1);
  if (share == server + 1) return 0;
  return share == std::wstring::npos ? path.size() : share + 1;
}

std::vector<std::wstring> ProtectedFolders() {
  std::vector<std::wstring> folders;
  for (int csidl = 0; csidl <= kLastCsidl; ++csidl) {
    wchar_t path[MAX_PATH] = {};
    if (SUCCEEDED(::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)) &&
        path[0] != L'\0') {
      folders.push_back(path);
    }
  }
  // A 32-bit program sees the 64-bit Program Files folder only through the environment.
  for (const wchar_t* variable : {L"ProgramW6432", L"ProgramFiles", L"SystemRoot", L"windir"}) {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = ::GetEnvironmentVariableW(variable, path, MAX_PATH);
    if (length > 0 && length < MAX_PATH) folders.push_back(path);
  }
  return folders;
}

// Whether `outer` is `inner` or one of the folders above it.
bool HoldsOrEquals(const std::wstring& outer, const std::wstring& inner) {
  if (outer.size() > inner.size()) return false;
  if (!strings::EqualsIgnoreCase(outer, std::wstring_view(inner).substr(0, outer.size()))) {
    return false;
  }
  return outer.size() == inner.size() || outer.back() == L'\\' || inner[outer.size()] == L'\\';
}

}  // namespace

std::wstring NormalisedAbsolutePath(const std::wstring& path) {
  if (path.empty() || StartsWith(path, L"\\\\?\\") || StartsWith(path, L"\\\\.\\")) return {};
  std::wstring plain = path;
  while (plain.size() > 1 && plain.back() == L'\\') plain.pop_back();
  if (plain.size() == 2 && plain[1] == L':') plain.push_back(L'\\');
  if (RootLength(plain) == 0) return {};
  wchar_t full[MAX_PATH * 2] = {};
  const DWORD length = ::GetFullPathNameW(plain.c_str(), MAX_PATH * 2, full, nullptr);
  if (length == 0 || length >= MAX_PATH * 2) return {};
  std::wstring normalised(full, length);
  if (normalised.size() > RootLength(normalised) && normalised.back() == L'\\') {
    normalised.pop_back();
  }
  // Anything the normalisation rewrote ("..", ".", "/", trailing dots) is refused rather than
  // followed.
  if (normalised != plain) return {};
  return normalised;
}

bool IsAtOrBelow(const std::wstring& path, const std::wstring& folder) {
  const std::wstring inner = NormalisedAbsolutePath(path);
  const std::wstring outer = NormalisedAbsolutePath(folder);
  return !inner.empty() && !outer.empty() && HoldsOrEquals(outer, inner);
}

bool IsProtectedFolder(const std::wstring& folder) {
  const std::wstring path = NormalisedAbsolutePath(folder);
  if (path.empty()) return true;
  for (const std::wstring& special : ProtectedFolders()) {
    const std::wstring protectedPath = NormalisedAbsolutePath(special);
    if (!protectedPath.empty() && HoldsOrEquals(path, protectedPath)) return true;
  }
  return false;
}

bool IsOwnFolderTree(const std::wstring& folder) {
  // A doubled separator names the same folder (Windows reads it as one); a share's leading "\\"
  // stays.
  std::wstring single;
  for (const wchar_t c : folder) {
    if (c == L'\\' && single.size() > 1 && single.back() == L'\\') continue;
    single += c;
  }
  const std::wstring path = NormalisedAbsolutePath(single);
  if (path.empty() || path.size() <= RootLength(path)) return false;
  return !IsProtectedFolder(path);
}

bool IsRemovableInstallDir(const std::wstring& installDir) {
  const std::wstring path = NormalisedAbsolutePath(installDir);
  if (path.empty() || path.size() <= RootLength(path)) return false;
  return !IsProtectedFolder(path) && !HoldsRunningProgram(path);
}

bool IsConfinedFolder(const std::wstring& folder, const std::wstring& container) {
  const std::wstring path = NormalisedAbsolutePath(folder);
  const std::wstring outer = NormalisedAbsolutePath(container);
  if (path.empty() || outer.empty() || path.size() <= outer.size()) return false;
  return HoldsOrEquals(outer, path) && IsRemovableInstallDir(path);
}

bool HoldsRunningProgram(const std::wstring& folder) {
  const std::wstring path = NormalisedAbsolutePath(folder);
  if (path.empty()) return false;
  std::wstring program(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        ::GetModuleFileNameW(nullptr, program.data(), static_cast<DWORD>(program.size()));
    if (length == 0) return false;
    if (length < program.size()) {
      program.resize(length);
      break;
    }
    program.resize(program.size() * 2);
  }
  return HoldsOrEquals(path, program.substr(0, program.rfind(L'\\')));
}
