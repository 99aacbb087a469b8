// Complete installations driven through the wizard: welcome, licence, ready page, the install
// page and the finish page; then the registry, the files and the shortcuts checked from outside.
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
constexpr auto kInstallTimeout = 180s;
constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kLicence[] = "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0 Kestra licence terms\\par}";
constexpr char kProgramBytes[] = "MZ the Kestra program\r\n\x01\x02\x03";
constexpr char kForeignRecord[] =
    "[HKEY_LOCAL_MACHINE\\Software\\Foreign]\r\nStale=1\r\n\r\n[Another]\r\nKey=Value\r\n";

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

bool FolderExists(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string Narrow(const std::wstring& text) {
  std::string narrow;
  for (wchar_t c : text) narrow += static_cast<char>(c);
  return narrow;
}

std::optional<std::wstring> MachineValue(const std::wstring& key, const std::wstring& name) {
  return driver::ReadRegistryString(HKEY_LOCAL_MACHINE, key, name);
}

HWND ShownPage(const Process& setup, const wchar_t* className,
               std::chrono::milliseconds timeout = kTimeout) {
  const auto page = driver::WaitForVisibleWindowOfClass(setup.Id(), className, timeout);
  return page ? page->handle : nullptr;
}

void Click(HWND page, const std::wstring& caption) {
  HWND button = driver::FindChildByText(page, caption);
  ASSERT_NE(button, nullptr) << "no button " << testing::PrintToString(caption);
  driver::Click(button);
}

// Walks a package from the welcome page through the install page to the end of the run.
void InstallThroughTheWizard(const e2e::TestPackage& package, bool withLicence) {
  Process setup(L"\"" + package.SetupPath() + L"\"", package.Folder());
  HWND welcome = ShownPage(setup, L"TFWelcome");
  ASSERT_NE(welcome, nullptr);
  Click(welcome, L"&Next >");
  if (withLicence) {
    HWND licence = ShownPage(setup, L"TFEULA");
    ASSERT_NE(licence, nullptr);
    Click(licence, L"I &accept the terms of the licence agreement");
    HWND next = driver::FindChildByText(licence, L"&Next >");
    ASSERT_TRUE(driver::WaitForWindow(
        setup.Id(), [&](const driver::WindowInfo&) { return ::IsWindowEnabled(next) != FALSE; },
        10s));
    Click(licence, L"&Next >");
  }
  HWND ready = ShownPage(setup, L"TFAskInstall");
  ASSERT_NE(ready, nullptr);
  Click(ready, L"&Install");
  HWND finish = ShownPage(setup, L"TFFinish", kInstallTimeout);
  ASSERT_NE(finish, nullptr) << "the installation reaches the finish page";
  Click(finish, L"&Finish");
  EXPECT_EQ(setup.WaitForExit(30s), std::optional<DWORD>(0));
}

void ExpectShortcut(const std::wstring& link, const std::wstring& target,
                    const std::wstring& arguments, const std::wstring& workingFolder,
                    const std::wstring& icon) {
  SCOPED_TRACE(link);
  const auto shortcut = driver::ReadShortcut(link);
  ASSERT_TRUE(shortcut.has_value()) << "the shortcut exists";
  EXPECT_EQ(shortcut->target, target);
  EXPECT_EQ(shortcut->arguments, arguments);
  EXPECT_EQ(shortcut->workingFolder, workingFolder);
  EXPECT_EQ(shortcut->iconPath, icon);
  EXPECT_EQ(shortcut->iconIndex, 0);
}

TEST(Install, BrandedPackageFromReadyPageToFinishPage) {
  e2e::TestPackage package(L"install-branded");
  package.AddTestData(L"InstallWizard_Texts.xls", L"Texts\\InstallWizard_Texts.xls");
  package.WriteText(L"EULA\\en\\Service.rtf", kLicence);
  package.WriteText(L"English\\Application.ico", "icon");
  package.WriteText(
      L"Setup.ini",
      "[Setup]\r\n%PROGRAM_FILES=Kestra\r\n%PROGRAM_FILES_OLD=KestraOld\r\n"
      "%UPDATER_DIR=Updater\r\n%PROGRAM_EXEC=Kestra.exe\r\n%PROGRAM_VERSION=2.0\r\n"
      "%PUBLISHER=Kestra Software\r\n%REG_FODLER_PROGNAME=KestraCapture\r\n"
      "%PROGRAM_ONBOOT=KestraCapture\r\n%PROGRAM_FORMCAPTION=Kestra Capture Window\r\n"
      "%UNINST_ICO=Uninstall.ico\r\n%MANULA_EXIST=1\r\n%MANUAL_DIR=Manual\\\r\n"
      "%MANUAL_ICO=Manual.ico\r\n");
  package.WriteText(L"program files\\Kestra\\Kestra.exe", kProgramBytes);
  package.WriteText(L"program files\\Kestra\\Manual\\English.pdf", "%PDF manual");
  package.WriteText(L"program files\\KestraOld\\Legacy.dll", "legacy");
  package.WriteText(L"program files\\Updater\\Regedit_FileList.ini", kForeignRecord);
  ::SetFileAttributesW((package.Folder() + L"program files\\Kestra\\Kestra.exe").c_str(),
                       FILE_ATTRIBUTE_READONLY);

  InstallThroughTheWizard(package, true);

  const std::wstring product = SpecialFolder(CSIDL_PROGRAM_FILES) + L"\\Kestra";
  const std::wstring program = product + L"\\Kestra";
  const std::wstring exe = program + L"\\Kestra.exe";
  const std::wstring backup = SpecialFolder(CSIDL_COMMON_TEMPLATES) + L"\\Kestra";
  const std::wstring uninstaller = backup + L"\\Setup.exe";
  const std::wstring menu =
      SpecialFolder(CSIDL_COMMON_PROGRAMS) + L"\\Kestra Software\\Kestra Capture";
  const std::wstring desktopLink =
      SpecialFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + L"\\Kestra Capture.lnk";

  // The payload, byte for byte, with normal attributes.
  EXPECT_EQ(FileBytes(exe), std::optional<std::string>(kProgramBytes));
  EXPECT_EQ(::GetFileAttributesW(exe.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
  EXPECT_EQ(FileBytes(program + L"\\Manual\\English.pdf"),
            std::optional<std::string>("%PDF manual"));
  EXPECT_EQ(FileBytes(product + L"\\KestraOld\\Legacy.dll"), std::optional<std::string>("legacy"));
  EXPECT_EQ(FileBytes(program + L"\\Installed.log"), std::optional<std::string>(""));

  const std::wstring uninstallKey = std::wstring(kUninstallKey) + L"KestraCapture";
  const struct {
    const wchar_t* name;
    std::wstring data;
  } kUninstallValues[] = {
      {L"DisplayName", L"Kestra Capture"},
      {L"UninstallString", L"\"" + uninstaller + L"\" uninstall"},
      {L"DisplayIcon", backup + L"\\English\\Application.ico"},
      {L"DisplayVersion", L"2.0"},
      {L"Publisher", L"Kestra Software"},
      {L"URLInfoAbout", L"https://kestra.example/"},
  };
  for (const auto& value : kUninstallValues) {
    EXPECT_EQ(MachineValue(uninstallKey, value.name), std::optional<std::wstring>(value.data))
        << Narrow(value.name);
  }

  const std::wstring privateKey = L"Software\\Kestra Software\\KestraCapture";
  const struct {
    const wchar_t* name;
    std::wstring data;
  } kPrivateValues[] = {
      {L"UninstOnAppDataDir", uninstaller},
      {L"Product", L"Kestra"},
      {L"FormCaption", L"Kestra Capture Window"},
      {L"InstallDir", product},
      {L"ExecOnBoot", L"KestraCapture"},
      {L"UninstRegFolder", L"KestraCapture"},
      {L"LINK_ProgramsExec", menu + L"\\Kestra Capture.lnk"},
      {L"LINK_ProgramUnist", menu + L"\\Uninstall Kestra Capture.lnk"},
      {L"LINK_ProgramsManual", menu + L"\\Kestra Capture Manual.lnk"},
      {L"LINK_DesktopExec", desktopLink},
      {L"OnlineUpdaterDir", product + L"\\Updater"},
  };
  for (const auto& value : kPrivateValues) {
    EXPECT_EQ(MachineValue(privateKey, value.name), std::optional<std::wstring>(value.data))
        << Narrow(value.name);
  }
  EXPECT_EQ(driver::ReadRegistryString(HKEY_CURRENT_USER, kRunKey, L"KestraCapture"),
            std::optional<std::wstring>(L"\"" + exe + L"\" Minimum"));

  ExpectShortcut(menu + L"\\Kestra Capture.lnk", exe, L"", program + L"\\", exe);
  ExpectShortcut(menu + L"\\Uninstall Kestra Capture.lnk", uninstaller, L"uninstall",
                 backup + L"\\", program + L"\\Uninstall.ico");
  ExpectShortcut(menu + L"\\Kestra Capture Manual.lnk", program + L"\\Manual\\English.pdf", L"",
                 program + L"\\Manual\\", program + L"\\Manual.ico");
  ExpectShortcut(desktopLink, exe, L"", program + L"\\", exe);

  // The setup program with its companions, without the payload.
  EXPECT_TRUE(FileBytes(uninstaller).has_value());
  EXPECT_TRUE(FileBytes(backup + L"\\Setup.ini").has_value());
  EXPECT_TRUE(FileBytes(backup + L"\\Texts\\InstallWizard_Texts.xls").has_value());
  EXPECT_EQ(FileBytes(backup + L"\\English\\Application.ico"), std::optional<std::string>("icon"));
  EXPECT_FALSE(FolderExists(backup + L"\\program files"));

  const std::string expectedRecord =
      "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"
      "KestraCapture]\r\n"
      "DisplayName=Kestra Capture\r\n"
      "UninstallString=\"" +
      Narrow(uninstaller) +
      "\" uninstall\r\n"
      "DisplayIcon=" +
      Narrow(backup) +
      "\\English\\Application.ico\r\n"
      "DisplayVersion=2.0\r\n"
      "Publisher=Kestra Software\r\n"
      "URLInfoAbout=https://kestra.example/\r\n"
      "\r\n"
      "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n"
      "KestraCapture=" +
      Narrow(exe) +
      "\r\n"
      "\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Kestra Software\\KestraCapture]\r\n"
      "UninstOnAppDataDir=" +
      Narrow(uninstaller) +
      "\r\n"
      "Product=Kestra\r\n"
      "FormCaption=Kestra Capture Window\r\n"
      "InstallDir=" +
      Narrow(product) +
      "\r\n"
      "ExecOnBoot=KestraCapture\r\n"
      "UninstRegFolder=KestraCapture\r\n"
      "LINK_ProgramsExec=" +
      Narrow(menu) +
      "\\Kestra Capture.lnk\r\n"
      "LINK_ProgramUnist=" +
      Narrow(menu) +
      "\\Uninstall Kestra Capture.lnk\r\n"
      "LINK_ProgramsManual=" +
      Narrow(menu) +
      "\\Kestra Capture Manual.lnk\r\n"
      "LINK_DesktopExec=" +
      Narrow(desktopLink) +
      "\r\n"
      "OnlineUpdaterDir=" +
      Narrow(product) +
      "\\Updater\r\n"
      "\r\n";
  EXPECT_EQ(FileBytes(product + L"\\Updater\\Regedit_FileList.ini"),
            std::optional<std::string>(expectedRecord));
}

// OEM layout, no manual, no start-up value, the install-backup folder in the common application
// data, and a workbook that lies only in the payload: the fallback copy makes the Texts folder.
TEST(Install, OemPackageWithWorkbookInThePayload) {
  e2e::TestPackage package(L"install-oem");
  package.AddTestData(L"InstallWizard_Texts.xls",
                      L"program files\\Wren\\Forms\\Texts\\InstallWizard_Texts.xls");
  package.WriteText(L"Setup.ini",
                    "[Setup]\r\n%PROGRAM_FILES=Wren\r\n%PROGRAM_FILES_OLD=WrenOld\r\n"
                    "%UPDATER_DIR=Updater\r\n%PROGRAM_EXEC=Wren.exe\r\n%PROGRAM_VERSION=1.5\r\n"
                    "%PUBLISHER=OEM\r\n%REG_FODLER_PROGNAME=KestraNotes\r\n"
                    "%INSTALL_BACKUP_DIR=CSIDL_COMMON_APPDATA\r\n%MANULA_EXIST=0\r\n");
  package.WriteText(L"program files\\Wren\\Wren.exe", "wren");
  package.WriteText(L"program files\\Updater\\Regedit_FileList.ini", kForeignRecord);

  InstallThroughTheWizard(package, false);

  const std::wstring product = SpecialFolder(CSIDL_PROGRAM_FILES) + L"\\Wren";
  const std::wstring exe = product + L"\\Wren\\Wren.exe";
  const std::wstring backup = SpecialFolder(CSIDL_COMMON_APPDATA) + L"\\OEM\\Wren";
  const std::wstring menu = SpecialFolder(CSIDL_COMMON_PROGRAMS) + L"\\Kestra Capture";

  EXPECT_EQ(FileBytes(exe), std::optional<std::string>("wren"));
  EXPECT_TRUE(FileBytes(backup + L"\\Setup.exe").has_value());
  EXPECT_TRUE(FileBytes(backup + L"\\Texts\\InstallWizard_Texts.xls").has_value())
      << "the fallback copy gives the uninstaller a workbook";
  EXPECT_FALSE(FolderExists(backup + L"\\program files"));
  EXPECT_EQ(MachineValue(std::wstring(kUninstallKey) + L"KestraNotes", L"DisplayIcon"),
            std::optional<std::wstring>(exe));
  const std::wstring privateKey = L"Software\\OEM\\KestraNotes";
  EXPECT_EQ(MachineValue(privateKey, L"UninstOnAppDataDir"),
            std::optional<std::wstring>(backup + L"\\Setup.exe"));
  EXPECT_EQ(MachineValue(privateKey, L"LINK_ProgramsExec"),
            std::optional<std::wstring>(menu + L"\\Kestra Capture.lnk"));
  EXPECT_EQ(MachineValue(privateKey, L"LINK_ProgramsManual"), std::nullopt);
  EXPECT_EQ(MachineValue(privateKey, L"ExecOnBoot"), std::optional<std::wstring>(L""));
  ExpectShortcut(menu + L"\\Kestra Capture.lnk", exe, L"", product + L"\\Wren\\", exe);
  EXPECT_FALSE(FileBytes(menu + L"\\Kestra Capture Manual.lnk").has_value());

  const auto record = FileBytes(product + L"\\Updater\\Regedit_FileList.ini");
  ASSERT_TRUE(record.has_value());
  EXPECT_EQ(record->find("Foreign"), std::string::npos) << "foreign sections are dropped";
  EXPECT_EQ(record->find("CurrentVersion\\Run]"), std::string::npos) << "no start-up section";
  EXPECT_NE(record->find("[HKEY_LOCAL_MACHINE\\Software\\OEM\\KestraNotes]\r\n"),
            std::string::npos);
}

}  // namespace
