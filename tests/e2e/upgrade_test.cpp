// Upgrades as a user starts them: "upgrade" on a package whose program the machine holds in an
// older version, through the ask-upgrade page to the finish page. Only what the file lists say
// changed is copied or deleted, nothing outside the program folder is touched, and the
// uninstaller copy becomes the new package's.
#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include <optional>
#include <string>

#include "tests/e2e/test_package.h"
#include "tools/driver/driver.h"

namespace {

using namespace std::chrono_literals;
using driver::Process;

constexpr auto kTimeout = 60s;
constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

std::wstring SpecialFolder(int csidl) {
  wchar_t path[MAX_PATH] = {};
  ::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
  return path;
}

std::optional<std::string> FileBytes(const std::wstring& path) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char buffer[4096];
  DWORD read = 0;
  while (::ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0) {
    bytes.append(buffer, read);
  }
  ::CloseHandle(file);
  return bytes;
}

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void WriteFile(const std::wstring& path, const std::string& bytes) {
  ::SHCreateDirectoryExW(nullptr, path.substr(0, path.rfind(L'\\')).c_str(), nullptr);
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  ::CloseHandle(file);
}

void WriteValue(const std::wstring& key, const std::wstring& name, const std::wstring& data) {
  HKEY opened = nullptr;
  ASSERT_EQ(::RegCreateKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                              &opened, nullptr),
            ERROR_SUCCESS);
  ::RegSetValueExW(opened, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                   static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
  ::RegCloseKey(opened);
}

std::optional<std::wstring> DisplayVersion(const std::wstring& regName) {
  return driver::ReadRegistryString(HKEY_LOCAL_MACHINE, kUninstallKey + regName, L"DisplayVersion");
}

// An installation of version 1.0 of `product` as the machine holds it: the program folder with
// its list, the uninstaller copy, the private key and the uninstall entry.
struct Installed {
  std::wstring root;     // the product folder
  std::wstring program;  // the program folder, with "\"
  std::wstring backup;   // the uninstaller copy's folder, with "\"
};

Installed SeedInstallation(const std::wstring& product, const std::wstring& regName,
                           const std::string& list) {
  Installed installed;
  installed.root = SpecialFolder(CSIDL_PROGRAM_FILES) + L"\\" + product;
  installed.program = installed.root + L"\\" + product + L"\\";
  installed.backup = SpecialFolder(CSIDL_COMMON_TEMPLATES) + L"\\" + product + L"\\";
  WriteFile(installed.program + L"Application_FileList.txt", list);
  WriteFile(installed.backup + L"Setup.exe", "the old setup program");
  WriteFile(installed.backup + L"Stale.txt", "left by the old version");
  const std::wstring privateKey = L"Software\\Kestra Up Labs\\" + regName;
  WriteValue(privateKey, L"Product", product);
  WriteValue(privateKey, L"InstallDir", installed.root);
  WriteValue(privateKey, L"UninstRegFolder", regName);
  WriteValue(privateKey, L"UninstOnAppDataDir", installed.backup + L"Setup.exe");
  WriteValue(kUninstallKey + regName, L"DisplayVersion", L"1.0");
  WriteValue(kUninstallKey + regName, L"UninstallString",
             L"\"" + installed.backup + L"Setup.exe\" uninstall");
  return installed;
}

// A package of version 2.0 with the payload folder "Program Files\<product>\".
void WritePackage(const e2e::TestPackage& package, const std::string& product,
                  const std::string& regName, const std::string& list) {
  package.AddTestData(L"InstallWizard_Texts.xls", L"Texts\\InstallWizard_Texts.xls");
  package.WriteText(L"Setup.ini", "[Setup]\r\n%PROGRAM_FILES=" + product +
                                      "\r\n%PROGRAM_EXEC=Up.exe\r\n%PROGRAM_VERSION=2.0\r\n"
                                      "%PUBLISHER=Kestra Up Labs\r\n%REG_FODLER_PROGNAME=" +
                                      regName + "\r\n");
  const std::wstring payload = L"Program Files\\" + std::wstring(product.begin(), product.end());
  package.WriteText(payload + L"\\Application_FileList.txt", list);
}

// Starts "upgrade", takes the ask-upgrade page's offer and ends on the finish page.
void UpgradeFromTheCommandLine(const e2e::TestPackage& package) {
  Process setup(L"\"" + package.SetupPath() + L"\" upgrade", package.Folder());
  const auto ask =
      driver::WaitForVisibleWindowOfClass(setup.Id(), L"TFAskUpgradeAndRepair", kTimeout);
  ASSERT_TRUE(ask.has_value()) << "\"upgrade\" offers the upgrade";
  HWND upgrade = driver::FindChildByText(ask->handle, L"&Upgrade");
  ASSERT_NE(upgrade, nullptr);
  driver::Click(upgrade);
  const auto finish = driver::WaitForVisibleWindowOfClass(setup.Id(), L"TFFinish", kTimeout);
  ASSERT_TRUE(finish.has_value()) << "the upgrade reaches the finish page";
  HWND label = driver::FindChildByText(finish->handle, L"Upgrade complete");
  ASSERT_NE(label, nullptr);
  EXPECT_TRUE(::IsWindowVisible(label));
  HWND button = driver::FindChildByText(finish->handle, L"&Finish");
  ASSERT_NE(button, nullptr);
  driver::Click(button);
  EXPECT_EQ(setup.WaitForExit(30s), std::optional<DWORD>(0));
}

TEST(Upgrade, FromTheCommandLineCopiesOnlyWhatTheListsSayChanged) {
  const std::string oldList =
      "same.dll=1\r\nchanged.dll=1\r\nremoved.dll=1\r\nData\\inner.txt=1\r\n"
      "..\\victim.txt=1\r\n..\\..\\KestraUp-victim.txt=1\r\nApplication_FileList.txt=1\r\n";
  const std::string newList =
      "same.dll=1\r\nchanged.dll=2\r\nnew.dll=1\r\nsub\\x.dll=1\r\nData\\inner.txt=2\r\n"
      "..\\victim.txt=2\r\nApplication_FileList.txt=2\r\n";
  const Installed installed = SeedInstallation(L"KestraUp", L"KestraCards", oldList);
  for (const wchar_t* name : {L"same.dll", L"changed.dll", L"removed.dll", L"Data\\inner.txt"}) {
    WriteFile(installed.program + name, "version 1");
  }
  const std::wstring programFiles = SpecialFolder(CSIDL_PROGRAM_FILES);
  WriteFile(installed.root + L"\\victim.txt", "outside the program folder");
  WriteFile(programFiles + L"\\KestraUp-victim.txt", "outside the product folder");

  e2e::TestPackage package(L"upgrade-cards");
  WritePackage(package, "KestraUp", "KestraCards", newList);
  for (const wchar_t* name :
       {L"same.dll", L"changed.dll", L"new.dll", L"sub\\x.dll", L"Data\\inner.txt"}) {
    package.WriteText(std::wstring(L"Program Files\\KestraUp\\") + name, "version 2");
  }
  package.WriteText(L"Program Files\\victim.txt", "from the package, outside its program");
  const std::wstring comparedResult = SpecialFolder(CSIDL_TEMPLATES) + L"\\ComparedResult.txt";
  ::DeleteFileW(comparedResult.c_str());

  UpgradeFromTheCommandLine(package);

  const std::wstring& program = installed.program;
  EXPECT_EQ(FileBytes(program + L"same.dll"), std::optional<std::string>("version 1"));
  EXPECT_EQ(FileBytes(program + L"changed.dll"), std::optional<std::string>("version 2"));
  EXPECT_EQ(FileBytes(program + L"new.dll"), std::optional<std::string>("version 2"));
  EXPECT_EQ(FileBytes(program + L"Data\\inner.txt"), std::optional<std::string>("version 2"));
  EXPECT_EQ(FileBytes(program + L"removed.dll"), std::nullopt);
  EXPECT_FALSE(IsFolder(program + L"sub")) << "a file whose folder is missing is not copied";
  EXPECT_EQ(FileBytes(program + L"Application_FileList.txt"), std::optional<std::string>(newList));
  EXPECT_EQ(FileBytes(installed.root + L"\\victim.txt"),
            std::optional<std::string>("outside the program folder"));
  EXPECT_EQ(FileBytes(programFiles + L"\\KestraUp-victim.txt"),
            std::optional<std::string>("outside the product folder"));
  EXPECT_EQ(DisplayVersion(L"KestraCards"), std::optional<std::wstring>(L"2.0"));
  EXPECT_EQ(
      FileBytes(comparedResult),
      std::optional<std::string>("copy=changed.dll\r\ncopy=new.dll\r\ncopy=sub\\x.dll\r\n"
                                 "copy=Data\\inner.txt\r\ncopy=..\\victim.txt\r\n"
                                 "delete=removed.dll\r\ndelete=..\\..\\KestraUp-victim.txt\r\n"));

  // The uninstaller copy is now the package, without its payload.
  EXPECT_EQ(FileBytes(installed.backup + L"Setup.exe"), FileBytes(package.SetupPath()));
  EXPECT_TRUE(FileBytes(installed.backup + L"Setup.ini").has_value());
  EXPECT_TRUE(FileBytes(installed.backup + L"Texts\\InstallWizard_Texts.xls").has_value());
  EXPECT_EQ(FileBytes(installed.backup + L"Stale.txt"), std::nullopt);
  EXPECT_FALSE(IsFolder(installed.backup + L"Program Files"));
}

TEST(Upgrade, IdenticalListsChangeNothing) {
  const std::string list = "a.dll=1\r\nb.dll=7\r\nApplication_FileList.txt=3\r\n";
  const Installed installed = SeedInstallation(L"KestraSame", L"KestraPhoto", list);
  WriteFile(installed.program + L"a.dll", "installed");
  e2e::TestPackage package(L"upgrade-same");
  WritePackage(package, "KestraSame", "KestraPhoto", list);
  package.WriteText(L"Program Files\\KestraSame\\a.dll", "packaged");
  const std::wstring comparedResult = SpecialFolder(CSIDL_TEMPLATES) + L"\\ComparedResult.txt";
  ::DeleteFileW(comparedResult.c_str());

  UpgradeFromTheCommandLine(package);

  EXPECT_EQ(FileBytes(installed.program + L"a.dll"), std::optional<std::string>("installed"));
  EXPECT_EQ(FileBytes(comparedResult), std::nullopt);
  EXPECT_EQ(DisplayVersion(L"KestraPhoto"), std::optional<std::wstring>(L"1.0"));
  EXPECT_EQ(FileBytes(installed.program + L"Application_FileList.txt"),
            std::optional<std::string>(list));
}

}  // namespace
