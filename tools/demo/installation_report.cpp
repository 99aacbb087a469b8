#include "tools/demo/installation_report.h"

#include <windows.h>

#include <cstdio>
#include <vector>

#include "core/strings/utf_string_conversions.h"
#include "tools/driver/driver.h"
#include "util/file_bytes.h"
#include "util/folder_walk.h"
#include "util/ini_file_io.h"
#include "util/special_folders.h"

namespace demo {
namespace {

constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

void Print(const std::wstring& line) {
  std::fputs(strings::WideToUtf8(line + L"\n").c_str(), stdout);
  std::fflush(stdout);
}

struct Value {
  std::wstring name;
  std::wstring data;
};

// The string values of a key, read through the 32-bit view as Setup.exe wrote them.
std::vector<Value> StringValues(HKEY root, const std::wstring& path) {
  std::vector<Value> values;
  HKEY key = nullptr;
  if (::RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | KEY_WOW64_32KEY, &key) != ERROR_SUCCESS) {
    return values;
  }
  for (DWORD index = 0;; ++index) {
    wchar_t name[256];
    DWORD nameLength = 256;
    wchar_t data[2048] = {};
    DWORD dataSize = sizeof(data) - sizeof(wchar_t);
    DWORD type = 0;
    const LONG result = ::RegEnumValueW(key, index, name, &nameLength, nullptr, &type,
                                        reinterpret_cast<BYTE*>(data), &dataSize);
    if (result == ERROR_NO_MORE_ITEMS) break;
    if (result == ERROR_SUCCESS && type == REG_SZ) values.push_back({name, data});
  }
  ::RegCloseKey(key);
  return values;
}

void PrintKey(const std::wstring& title, HKEY root, const std::wstring& path) {
  Print(title + L" (" + (root == HKEY_LOCAL_MACHINE ? L"HKLM\\" : L"HKCU\\") + path + L")");
  const std::vector<Value> values = StringValues(root, path);
  if (values.empty()) Print(L"    (missing)");
  for (const Value& value : values) Print(L"    " + value.name + L" = " + value.data);
}

void PrintTree(const std::wstring& folder, const std::wstring& indent, int depth) {
  FolderEnumerator enumerator(folder);
  FolderEntry entry;
  while (enumerator.Next(entry)) {
    Print(indent + entry.name + (entry.IsLink() ? L" (link)" : entry.IsFolder() ? L"\\" : L""));
    if (entry.IsFolder() && depth > 1) {
      PrintTree(folder + L"\\" + entry.name, indent + L"    ", depth - 1);
    }
  }
}

}  // namespace

void PrintInstallationReport(const std::wstring& packageFolder) {
  const auto settings = ReadIniFile(packageFolder + L"Setup.ini");
  const auto setting = [&](const wchar_t* key) {
    return settings ? settings->ReadString(L"Setup", key, L"") : std::wstring();
  };
  const std::wstring product = setting(L"%REG_FODLER_PROGNAME");
  PrintKey(L"Uninstall entry", HKEY_LOCAL_MACHINE, kUninstallKey + product);
  const std::wstring privateKey = L"Software\\" + setting(L"%PUBLISHER") + L"\\" + product;
  PrintKey(L"Private key", HKEY_LOCAL_MACHINE, privateKey);
  const std::wstring onBoot = setting(L"%PROGRAM_ONBOOT");
  const auto run = driver::ReadRegistryString(HKEY_CURRENT_USER, kRunKey, onBoot);
  Print(L"Start-up value (HKCU\\" + std::wstring(kRunKey) + L")");
  Print(L"    " + onBoot + L" = " + run.value_or(L"(missing)"));

  Print(L"Shortcuts");
  for (const Value& value : StringValues(HKEY_LOCAL_MACHINE, privateKey)) {
    if (value.name.rfind(L"LINK_", 0) != 0 || value.data.empty()) continue;
    const auto shortcut = driver::ReadShortcut(value.data);
    Print(L"    " + value.data);
    Print(L"        -> " +
          (shortcut ? shortcut->target + L" " + shortcut->arguments : std::wstring(L"(missing)")));
  }

  const std::wstring productFolder =
      GetSpecialFolder(0x26 /* CSIDL_PROGRAM_FILES */) + L"\\" + setting(L"%PROGRAM_FILES");
  Print(L"Product folder " + productFolder);
  PrintTree(productFolder, L"    ", 3);
  const auto uninstaller =
      driver::ReadRegistryString(HKEY_LOCAL_MACHINE, kUninstallKey + product, L"UninstallString");
  if (uninstaller) {
    std::wstring backup = *uninstaller;
    if (!backup.empty() && backup.front() == L'"') backup = backup.substr(1);
    backup = backup.substr(0, backup.find_last_of(L'\\'));
    Print(L"Uninstaller folder " + backup);
    PrintTree(backup, L"    ", 1);
  }
}

}  // namespace demo
