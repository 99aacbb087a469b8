// Uninstallations as a user starts them: from the uninstall entry's command through the
// confirmation, and with "uninstallanyway" straight to the uninstall page. Afterwards only the
// user's scripts and macros, and whatever belongs to other products, may be left.
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
constexpr auto kWorkTimeout = 180s;
constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kLicence[] = "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0 Kestra licence terms\\par}";

std::wstring SpecialFolder(int csidl) {
  wchar_t path[MAX_PATH] = {};
  ::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
  return path;
}

bool IsFile(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The names inside a folder, sorted; empty when it cannot be listed.
std::vector<std::wstring> FolderNames(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW data;
  HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring name = data.cFileName;
    if (name != L"." && name != L"..") names.push_back(name);
  } while (::FindNextFileW(search, &data));
  ::FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
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

void WriteValue(HKEY root, const std::wstring& key, const std::wstring& name,
                const std::wstring& data) {
  HKEY opened = nullptr;
  ASSERT_EQ(
      ::RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &opened, nullptr),
      ERROR_SUCCESS);
  ::RegSetValueExW(opened, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                   static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
  ::RegCloseKey(opened);
}

bool KeyExists(const std::wstring& key) {
  HKEY opened = nullptr;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) {
    return false;
  }
  ::RegCloseKey(opened);
  return true;
}

std::optional<std::wstring> RunValue(const std::wstring& name) {
  return driver::ReadRegistryString(HKEY_CURRENT_USER, kRunKey, name);
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

// Waits for the finish page, checks that it tells of an uninstallation and ends the run.
void FinishUninstallation(const Process& setup) {
  HWND finish = ShownPage(setup, L"TFFinish", kWorkTimeout);
  ASSERT_NE(finish, nullptr) << "the uninstallation reaches the finish page";
  HWND label = driver::FindChildByText(finish, L"Uninstallation complete");
  ASSERT_NE(label, nullptr);
  EXPECT_TRUE(::IsWindowVisible(label));
  Click(finish, L"&Finish");
  EXPECT_EQ(setup.WaitForExit(30s), std::optional<DWORD>(0));
}

void InstallThroughTheWizard(const e2e::TestPackage& package) {
  Process setup(L"\"" + package.SetupPath() + L"\"", package.Folder());
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
  HWND finish = ShownPage(setup, L"TFFinish", kWorkTimeout);
  ASSERT_NE(finish, nullptr) << "the installation reaches the finish page";
  Click(finish, L"&Finish");
  EXPECT_EQ(setup.WaitForExit(30s), std::optional<DWORD>(0));
}

TEST(Uninstall, FromTheUninstallEntryThroughTheConfirmation) {
  e2e::TestPackage package(L"uninstall-scan");
  package.AddTestData(L"Scan_Texts.xls", L"Texts\\InstallWizard_Texts.xls");
  package.WriteText(L"EULA\\en\\Service.rtf", kLicence);
  package.WriteText(L"Setup.ini",
                    "[Setup]\r\n%PROGRAM_FILES=KestraScan\r\n%PROGRAM_FILES_OLD=KestraScanOld\r\n"
                    "%UPDATER_DIR=Updater\r\n%PROGRAM_EXEC=Scan.exe\r\n%PROGRAM_VERSION=1.0\r\n"
                    "%PUBLISHER=Kestra Labs\r\n%REG_FODLER_PROGNAME=KestraScan\r\n"
                    "%PROGRAM_ONBOOT=KestraScan\r\n%PROGRAM_FORMCAPTION=Kestra Scan\r\n"
                    "%MANULA_EXIST=1\r\n%MANUAL_DIR=Manual\\\r\n");
  package.WriteText(L"program files\\KestraScan\\Scan.exe", "scan");
  package.WriteText(L"program files\\KestraScan\\Manual\\English.pdf", "%PDF");
  package.WriteText(L"program files\\KestraScan\\Data\\Deep\\table.dat", "data");
  package.WriteText(L"program files\\KestraScanOld\\Old.dll", "old");
  package.WriteText(L"program files\\Updater\\Regedit_FileList.ini", "");

  InstallThroughTheWizard(package);

  const std::wstring product = SpecialFolder(CSIDL_PROGRAM_FILES) + L"\\KestraScan";
  const std::wstring program = product + L"\\KestraScan";
  const std::wstring publisherMenu = SpecialFolder(CSIDL_COMMON_PROGRAMS) + L"\\Kestra Labs";
  const std::wstring menu = publisherMenu + L"\\Kestra Scan";
  const std::wstring desktopLink =
      SpecialFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + L"\\Kestra Scan.lnk";
  const std::wstring entry = std::wstring(kUninstallKey) + L"KestraScan";
  const std::wstring privateKey = L"Software\\Kestra Labs\\KestraScan";
  // What the installation left, so that its removal below means something.
  ASSERT_TRUE(IsFile(program + L"\\Scan.exe"));
  ASSERT_TRUE(IsFile(menu + L"\\Kestra Scan.lnk"));
  ASSERT_TRUE(IsFile(menu + L"\\Kestra Scan Manual.lnk"));
  ASSERT_TRUE(IsFile(desktopLink));
  ASSERT_TRUE(KeyExists(privateKey));
  ASSERT_TRUE(RunValue(L"KestraScan").has_value());
  const auto uninstallString =
      driver::ReadRegistryString(HKEY_LOCAL_MACHINE, entry, L"UninstallString");
  ASSERT_TRUE(uninstallString.has_value());

  WriteFile(program + L"\\ScriptsMacros\\My Macro.vbs", "the user's macro");
  WriteFile(program + L"\\ScriptsMacros\\Sub\\script.txt", "the user's script");
  WriteValue(HKEY_CURRENT_USER, kRunKey, L"KestraOtherTool", L"other.exe");

  {
    // As Windows starts it from the list of installed programs.
    Process setup(*uninstallString, SpecialFolder(CSIDL_COMMON_TEMPLATES) + L"\\KestraScan");
    HWND confirm = ShownPage(setup, L"TFUninstallConfirm");
    ASSERT_NE(confirm, nullptr) << "\"uninstall\" asks first";
    Click(confirm, L"OK");
    FinishUninstallation(setup);
  }

  EXPECT_FALSE(KeyExists(entry));
  EXPECT_FALSE(KeyExists(privateKey));
  EXPECT_FALSE(KeyExists(L"Software\\Kestra Labs")) << "this was the publisher's last product";
  EXPECT_EQ(RunValue(L"KestraScan"), std::nullopt);
  EXPECT_EQ(RunValue(L"KestraOtherTool"), std::optional<std::wstring>(L"other.exe"));
  EXPECT_FALSE(IsFile(desktopLink));
  EXPECT_FALSE(IsFolder(menu));
  EXPECT_FALSE(IsFolder(publisherMenu)) << "nothing else was in the publisher's menu folder";
  EXPECT_TRUE(IsFolder(SpecialFolder(CSIDL_COMMON_PROGRAMS)));

  EXPECT_EQ(FolderNames(product), std::vector<std::wstring>{L"KestraScan"});
  EXPECT_EQ(FolderNames(program), std::vector<std::wstring>{L"ScriptsMacros"});
  EXPECT_EQ(FolderNames(program + L"\\ScriptsMacros"),
            (std::vector<std::wstring>{L"My Macro.vbs", L"Sub"}));
  EXPECT_TRUE(IsFile(program + L"\\ScriptsMacros\\Sub\\script.txt"));
}

// A record as an installation of the publisher's second product leaves it, with the first
// product's Start-menu folder and private key beside it.
struct SeededProduct {
  std::wstring product;
  std::wstring publisherMenu;
  std::wstring menu;
  std::wstring desktopLink;
  std::wstring privateKey;
  std::wstring entry;
};

SeededProduct SeedInstallation(const std::wstring& publisher, const std::wstring& regName,
                               const std::wstring& folderName) {
  SeededProduct seeded;
  seeded.product = SpecialFolder(CSIDL_PROGRAM_FILES) + L"\\" + folderName;
  seeded.publisherMenu = SpecialFolder(CSIDL_COMMON_PROGRAMS) + L"\\" + publisher;
  seeded.menu = seeded.publisherMenu + L"\\Kestra Scan";
  seeded.desktopLink = SpecialFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + L"\\" + folderName + L".lnk";
  seeded.privateKey = L"Software\\" + publisher + L"\\" + regName;
  seeded.entry = std::wstring(kUninstallKey) + regName;
  WriteFile(seeded.product + L"\\" + folderName + L"\\Pen.exe", "pen");
  WriteFile(seeded.product + L"\\Updater\\Updater.exe", "updater");
  WriteFile(seeded.menu + L"\\Kestra Scan.lnk", "link");
  WriteFile(seeded.menu + L"\\Uninstall Kestra Scan.lnk", "link");
  WriteFile(seeded.desktopLink, "link");
  const struct {
    const wchar_t* name;
    std::wstring data;
  } values[] = {
      {L"InstallDir", seeded.product},
      {L"ExecOnBoot", regName},
      {L"UninstRegFolder", regName},
      {L"LINK_ProgramsExec", seeded.menu + L"\\Kestra Scan.lnk"},
      {L"LINK_ProgramUnist", seeded.menu + L"\\Uninstall Kestra Scan.lnk"},
      {L"LINK_DesktopExec", seeded.desktopLink},
  };
  for (const auto& value : values) {
    WriteValue(HKEY_LOCAL_MACHINE, seeded.privateKey, value.name, value.data);
  }
  WriteValue(HKEY_LOCAL_MACHINE, seeded.entry, L"DisplayVersion", L"1.0");
  WriteValue(HKEY_CURRENT_USER, kRunKey, regName, L"pen.exe");
  return seeded;
}

void WriteUninstallPackage(const e2e::TestPackage& package, const std::string& publisher,
                           const std::string& regName) {
  package.AddTestData(L"Scan_Texts.xls", L"Texts\\InstallWizard_Texts.xls");
  package.WriteText(L"Setup.ini",
                    "[Setup]\r\n%PROGRAM_FILES=KestraPen\r\n%PROGRAM_EXEC=Pen.exe\r\n"
                    "%PUBLISHER=" +
                        publisher + "\r\n%REG_FODLER_PROGNAME=" + regName + "\r\n");
}

void UninstallAnyway(const e2e::TestPackage& package) {
  Process setup(L"\"" + package.SetupPath() + L"\" uninstallanyway", package.Folder());
  // Nothing answers a confirmation here: reaching the finish page means none was asked.
  FinishUninstallation(setup);
}

TEST(Uninstall, AnywayKeepsWhatTheSamePublishersOtherProductNeeds) {
  const SeededProduct pen = SeedInstallation(L"Kestra Twins", L"KestraPen", L"KestraPen");
  const std::wstring otherMenu = pen.publisherMenu + L"\\Kestra Photo";
  WriteFile(otherMenu + L"\\Kestra Photo.lnk", "link");
  WriteValue(HKEY_LOCAL_MACHINE, L"Software\\Kestra Twins\\KestraPhoto", L"InstallDir", L"C:\\x");
  e2e::TestPackage package(L"uninstall-twins");
  WriteUninstallPackage(package, "Kestra Twins", "KestraPen");

  UninstallAnyway(package);

  EXPECT_FALSE(KeyExists(pen.privateKey));
  EXPECT_FALSE(KeyExists(pen.entry));
  EXPECT_EQ(RunValue(L"KestraPen"), std::nullopt);
  EXPECT_FALSE(IsFolder(pen.menu));
  EXPECT_FALSE(IsFile(pen.desktopLink));
  EXPECT_EQ(FolderNames(pen.product), std::vector<std::wstring>{L"KestraPen"});
  EXPECT_TRUE(FolderNames(pen.product + L"\\KestraPen").empty());
  EXPECT_TRUE(KeyExists(L"Software\\Kestra Twins\\KestraPhoto"));
  EXPECT_TRUE(IsFile(otherMenu + L"\\Kestra Photo.lnk"));
  EXPECT_EQ(FolderNames(pen.publisherMenu), std::vector<std::wstring>{L"Kestra Photo"});
}

// Records whose fields are empty or name more than one installation: each removal that would
// reach beyond the product is passed over, and everything else survives.
TEST(Uninstall, RecordsWithEmptyOrWideFieldsRemoveNothingElse) {
  const std::wstring programFiles = SpecialFolder(CSIDL_PROGRAM_FILES);
  const struct {
    const char* label;
    std::wstring installDir;
    std::wstring uninstRegFolder;
  } cases[] = {
      {"empty fields", L"", L""},
      {"drive root", L"C:\\", L"\\"},
      {"Program Files folder", programFiles, L""},
      {"Windows folder", SpecialFolder(CSIDL_WINDOWS), L"\\\\"},
  };
  const std::wstring otherEntry = std::wstring(kUninstallKey) + L"KestraGuardNeighbour";
  WriteValue(HKEY_LOCAL_MACHINE, otherEntry, L"Marker", L"kept");
  WriteValue(HKEY_CURRENT_USER, kRunKey, L"KestraGuardNeighbour", L"neighbour.exe");
  WriteValue(HKEY_CURRENT_USER, kRunKey, L"", L"default.exe");
  WriteFile(L"C:\\kestra-guard-canary.txt", "canary");
  WriteFile(programFiles + L"\\KestraGuardCanary\\canary.txt", "canary");

  e2e::TestPackage package(L"uninstall-guards");
  WriteUninstallPackage(package, "Kestra Guard", "KestraOCR");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    const std::wstring privateKey = L"Software\\Kestra Guard\\KestraOCR";
    for (const wchar_t* name : {L"ExecOnBoot", L"LINK_ProgramsExec", L"LINK_ProgramUnist",
                                L"LINK_ProgramsManual", L"LINK_DesktopExec"}) {
      WriteValue(HKEY_LOCAL_MACHINE, privateKey, name, L"");
    }
    WriteValue(HKEY_LOCAL_MACHINE, privateKey, L"InstallDir", c.installDir);
    WriteValue(HKEY_LOCAL_MACHINE, privateKey, L"UninstRegFolder", c.uninstRegFolder);

    UninstallAnyway(package);

    EXPECT_FALSE(KeyExists(privateKey)) << "the record's own key goes";
    EXPECT_TRUE(KeyExists(otherEntry));
    EXPECT_TRUE(KeyExists(kUninstallKey));
    EXPECT_EQ(RunValue(L"KestraGuardNeighbour"), std::optional<std::wstring>(L"neighbour.exe"));
    EXPECT_EQ(RunValue(L""), std::optional<std::wstring>(L"default.exe"));
    EXPECT_TRUE(IsFile(L"C:\\kestra-guard-canary.txt"));
    EXPECT_TRUE(IsFile(programFiles + L"\\KestraGuardCanary\\canary.txt"));
    EXPECT_TRUE(IsFile(package.SetupPath()));
    EXPECT_TRUE(IsFolder(SpecialFolder(CSIDL_WINDOWS) + L"\\system32"));
  }
}

}  // namespace
