#include "tests/e2e/installed_product.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include "tools/driver/driver.h"

namespace e2e {
namespace {

using namespace std::chrono_literals;

constexpr auto kTimeout = 60s;
constexpr auto kInstallTimeout = 180s;
constexpr char kLicence[] = "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0 Kestra licence terms\\par}";
// The installation rewrites the record file wholly; any content does for a start.
constexpr char kEmptyRecord[] = "[HKEY_LOCAL_MACHINE\\Software\\Placeholder]\r\nValue=1\r\n";

HWND ShownPage(const driver::Process& setup, const wchar_t* className,
               std::chrono::milliseconds timeout = kTimeout) {
  const auto page = driver::WaitForVisibleWindowOfClass(setup.Id(), className, timeout);
  return page ? page->handle : nullptr;
}

void Click(HWND page, const std::wstring& caption) {
  HWND button = driver::FindChildByText(page, caption);
  ASSERT_NE(button, nullptr) << "no button " << testing::PrintToString(caption);
  driver::Click(button);
}

}  // namespace

std::string ProductSettings::Text() const {
  return "[Setup]\r\n%PROGRAM_FILES=" + programFiles +
         "\r\n%PROGRAM_FILES_OLD=Earlier\r\n%UPDATER_DIR=Updater\r\n%PROGRAM_EXEC=Kestra.exe\r\n"
         "%PROGRAM_VERSION=2.0\r\n%PUBLISHER=Kestra Software\r\n%REG_FODLER_PROGNAME=" +
         programName + "\r\n%PROGRAM_ONBOOT=" + onBoot +
         "\r\n%PROGRAM_FORMCAPTION=Kestra Window\r\n%UNINST_ICO=Uninstall.ico\r\n"
         "%MANULA_EXIST=1\r\n%MANUAL_DIR=Manual\\\r\n%MANUAL_ICO=Manual.ico\r\n";
}

std::unique_ptr<TestPackage> MakeProductPackage(const std::wstring& name,
                                                const std::wstring& workbook,
                                                const ProductSettings& settings,
                                                bool withUpgradeIni) {
  auto package = std::make_unique<TestPackage>(name);
  package->AddTestData(workbook, L"Texts\\InstallWizard_Texts.xls");
  package->WriteText(L"EULA\\en\\Service.rtf", kLicence);
  package->WriteText(L"Setup.ini", settings.Text());
  const std::wstring program = L"program files\\" + Widen(settings.programFiles) + L"\\";
  package->WriteText(program + L"Kestra.exe", "MZ the Kestra program");
  package->WriteText(program + L"Manual\\English.pdf", "%PDF manual");
  package->WriteText(L"program files\\Updater\\Regedit_FileList.ini", kEmptyRecord);
  package->AddRecorder(L"program files\\Updater\\Updater.exe");
  if (withUpgradeIni) {
    package->WriteText(L"program files\\Updater\\Upgrade.ini",
                       "[Upgrade_Info]\r\nUpdaterName=Updater\r\n");
  }
  return package;
}

void InstallThroughTheWizard(const TestPackage& package) {
  driver::Process setup(L"\"" + package.SetupPath() + L"\"", package.Folder());
  const auto first = driver::WaitForWindow(
      setup.Id(),
      [](const driver::WindowInfo& window) {
        return window.visible &&
               (window.className == L"TFWelcome" || window.className == L"#32770");
      },
      kTimeout);
  ASSERT_TRUE(first.has_value()) << "neither the welcome page nor a message";
  if (first->className == L"#32770") {
    const auto box = driver::WaitForMessageBox(setup.Id(), kTimeout);
    ASSERT_TRUE(box.has_value());
    ASSERT_TRUE(driver::AnswerMessageBox(*box, IDOK));
  }
  HWND welcome = ShownPage(setup, L"TFWelcome");
  ASSERT_NE(welcome, nullptr);
  Click(welcome, L"&Next >");
  HWND licence = ShownPage(setup, L"TFEULA");
  ASSERT_NE(licence, nullptr);
  Click(licence, L"I &accept the terms of the licence agreement");
  HWND next = driver::FindChildByText(licence, L"&Next >");
  ASSERT_TRUE(driver::WaitForWindow(
      setup.Id(), [&](const driver::WindowInfo&) { return ::IsWindowEnabled(next) != FALSE; },
      10s));
  Click(licence, L"&Next >");
  HWND ready = ShownPage(setup, L"TFAskInstall");
  ASSERT_NE(ready, nullptr);
  Click(ready, L"&Install");
  HWND finish = ShownPage(setup, L"TFFinish", kInstallTimeout);
  ASSERT_NE(finish, nullptr) << "the installation reaches the finish page";
  Click(finish, L"&Finish");
  ASSERT_EQ(setup.WaitForExit(30s), std::optional<DWORD>(0));
}

bool RunsToItsEnd(const TestPackage& package, const std::wstring& argument) {
  driver::Process setup(L"\"" + package.SetupPath() + L"\" " + argument, package.Folder());
  const auto exitCode = setup.WaitForExit(kTimeout);
  if (!exitCode) setup.Kill();
  return exitCode == std::optional<DWORD>(0);
}

std::vector<std::wstring> WaitForRecordedStarts(const std::wstring& recorderPath, size_t count,
                                                std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    auto starts = RecordedStartsOf(recorderPath);
    if (starts.size() >= count || std::chrono::steady_clock::now() >= deadline) return starts;
    ::Sleep(50);
  }
}

std::wstring SpecialFolder(int csidl) {
  wchar_t path[MAX_PATH] = {};
  ::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
  return path;
}

void WriteFileText(const std::wstring& path, const std::string& bytes) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << Narrow(path);
  DWORD written = 0;
  ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  ::CloseHandle(file);
  ASSERT_EQ(written, bytes.size());
}

std::optional<std::string> FileBytes(const std::wstring& path) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
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

bool FileExists(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<ULONGLONG> LastWriteTime(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  return (static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32) |
         data.ftLastWriteTime.dwLowDateTime;
}

std::wstring Widen(const std::string& text) {
  return std::wstring(text.begin(), text.end());
}

std::string Narrow(const std::wstring& text) {
  std::string narrow;
  for (wchar_t c : text) narrow += static_cast<char>(c);
  return narrow;
}

}  // namespace e2e
