#include "tests/util/test_files.h"

#include <aclapi.h>
#include <shellapi.h>

#include <vector>

#include "core/strings/utf_string_conversions.h"

namespace test_files {

std::wstring FreshFolder(const std::wstring& name) {
  const std::wstring folder = L"C:\\util-tests\\" + name;
  // SHFileOperationW wants a list ended by two NULs.
  std::wstring from = folder;
  from.push_back(L'\0');
  SHFILEOPSTRUCTW operation{};
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.c_str();
  operation.fFlags = FOF_NO_UI;
  ::SHFileOperationW(&operation);
  MakeFolders(folder);
  return folder + L"\\";
}

void MakeFolders(const std::wstring& path) {
  ::SHCreateDirectoryExW(nullptr, strings::WithoutTrailingSeparator(path).c_str(), nullptr);
}

void WriteText(const std::wstring& path, const std::string& text) {
  MakeFolders(path.substr(0, path.rfind(L'\\')));
  WriteFileBytes(path, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

std::optional<std::string> ReadText(const std::wstring& path) {
  const auto bytes = ReadFileBytes(path);
  if (!bytes) return std::nullopt;
  return std::string(bytes->begin(), bytes->end());
}

DWORD Attributes(const std::wstring& path) {
  return ::GetFileAttributesW(path.c_str());
}

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool IsFile(const std::wstring& path) {
  const DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

namespace {

// The Unix path of an existing Windows path, through Wine's own export; "" outside Wine.
std::wstring UnixPath(const std::wstring& path) {
  using ToUnix = char*(CDECL*)(const wchar_t*);
  const auto toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(
      ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (toUnix == nullptr) return {};
  char* unix = toUnix(path.c_str());
  if (unix == nullptr) return {};
  const std::string narrow = unix;
  ::HeapFree(::GetProcessHeap(), 0, unix);
  return strings::Utf8ToWide(narrow);
}

}  // namespace

bool PlantLink(const std::wstring& link, const std::wstring& target) {
  const std::wstring plainLink = strings::WithoutTrailingSeparator(link);
  const size_t separator = plainLink.rfind(L'\\');
  MakeFolders(plainLink.substr(0, separator));
  MakeFolders(target);
  const std::wstring parent = UnixPath(plainLink.substr(0, separator));
  const std::wstring unixTarget = UnixPath(strings::WithoutTrailingSeparator(target));
  if (parent.empty() || unixTarget.empty()) return false;
  // Wine starts Unix programs too: ln makes the link as a local user could plant a junction.
  std::wstring command = L"/bin/ln -s \"" + unixTarget + L"\" \"" + parent + L"/" +
                         plainLink.substr(separator + 1) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
    return false;
  }
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  // The handle of a Unix process tells nothing of its end: the link itself is waited for.
  for (int wait = 0; wait < 600; ++wait) {
    const DWORD attributes = Attributes(plainLink);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
      return true;
    }
    ::Sleep(50);
  }
  return false;
}

std::wstring ProgramFolder() {
  std::vector<wchar_t> buffer(MAX_PATH * 2);
  const DWORD length =
      ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
  std::wstring path(buffer.data(), length);
  return path.substr(0, path.rfind(L'\\') + 1);
}

std::wstring SpecialFolder(int csidl) {
  wchar_t path[MAX_PATH] = {};
  ::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
  return path;
}

DWORD RightsOf(const std::wstring& path, WELL_KNOWN_SID_TYPE who) {
  BYTE sid[SECURITY_MAX_SID_SIZE] = {};
  DWORD sidSize = sizeof(sid);
  if (!::CreateWellKnownSid(who, nullptr, sid, &sidSize)) return 0;
  PACL dacl = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (::GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                              nullptr, &dacl, nullptr, &descriptor) != ERROR_SUCCESS) {
    return 0;
  }
  DWORD rights = dacl == nullptr ? FILE_ALL_ACCESS : 0;
  GENERIC_MAPPING mapping{FILE_GENERIC_READ, FILE_GENERIC_WRITE, FILE_GENERIC_EXECUTE,
                          FILE_ALL_ACCESS};
  for (DWORD index = 0; dacl != nullptr && index < dacl->AceCount; ++index) {
    void* ace = nullptr;
    if (!::GetAce(dacl, index, &ace)) break;
    auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(ace);
    if (allowed->Header.AceType != ACCESS_ALLOWED_ACE_TYPE ||
        (allowed->Header.AceFlags & INHERIT_ONLY_ACE) || !::EqualSid(&allowed->SidStart, sid)) {
      continue;
    }
    DWORD mask = allowed->Mask;
    ::MapGenericMask(&mask, &mapping);
    rights |= mask;
  }
  ::LocalFree(descriptor);
  return rights;
}

}  // namespace test_files
