// Complete installations driven through the wizard: welcome, licence, ready page, the install
// page and the finish page; then the registry, the files and the shortcuts checked from outside.
#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include <atomic>
#include <cctype>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "tests/e2e/installed_product.h"
#include "tests/e2e/machine_state.h"
#include "tests/e2e/wizard_walk.h"
#include "tools/driver/driver.h"
#include "util/scoped_handle.h"

namespace {

using namespace std::chrono_literals;
using namespace e2e;

constexpr char kProgramBytes[] = "MZ the Kestra program\r\n\x01\x02\x03";
constexpr char kForeignRecord[] =
    "[HKEY_LOCAL_MACHINE\\Software\\Foreign]\r\nStale=1\r\n\r\n[Another]\r\nKey=Value\r\n";

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

// Makes Wine report another Windows version to the programs started while it lives.
class WindowsVersionOverride {
 public:
  explicit WindowsVersionOverride(const wchar_t* version) {
    ::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Wine", 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                      &key_, nullptr);
    ::RegSetValueExW(key_, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                     static_cast<DWORD>((wcslen(version) + 1) * sizeof(wchar_t)));
  }
  ~WindowsVersionOverride() {
    ::RegDeleteValueW(key_, L"Version");
    ::RegCloseKey(key_);
  }

 private:
  HKEY key_ = nullptr;
};

// A package of the program <name>\<name>.exe (holding its name in small letters) of
// `publisher`, recorded as KestraPhoto, with the English licence.
e2e::TestPackage OneProgramPackage(const std::wstring& folder, const std::string& name,
                                   const std::string& publisher) {
  e2e::TestPackage package(folder);
  package.AddTestData(L"InstallWizard_Texts.xls", L"Texts\\InstallWizard_Texts.xls");
  package.WriteText(L"EULA\\en\\Service.rtf", kLicence);
  package.WriteText(L"Setup.ini", "[Setup]\r\n%PROGRAM_FILES=" + name +
                                      "\r\n%PROGRAM_FILES_OLD=" + name +
                                      "Old\r\n%UPDATER_DIR=Updater\r\n%PROGRAM_EXEC=" + name +
                                      ".exe\r\n%PROGRAM_VERSION=1.0\r\n%PUBLISHER=" + publisher +
                                      "\r\n%REG_FODLER_PROGNAME=KestraPhoto\r\n");
  std::string lower = name;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  package.WriteText(L"program files\\" + Widen(name) + L"\\" + Widen(name) + L".exe", lower);
  return package;
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
      "%MANUAL_ICO=Manual.ico\r\n%Exe_AfterInstall=1\r\n");
  package.WriteText(L"program files\\Kestra\\Kestra.exe", kProgramBytes);
  package.AddRecorder(L"program files\\Kestra\\DeskRelay.exe");
  package.AddRecorder(L"icacls.exe");
  package.WriteText(L"program files\\Kestra\\Manual\\English.pdf", "%PDF manual");
  package.WriteText(L"program files\\KestraOld\\Legacy.dll", "legacy");
  package.WriteText(L"program files\\Updater\\Regedit_FileList.ini", kForeignRecord);
  ::SetFileAttributesW((package.Folder() + L"program files\\Kestra\\Kestra.exe").c_str(),
                       FILE_ATTRIBUTE_READONLY);

  const ForgottenAtTheEnd forgotten(L"KestraCapture", L"Kestra Software");
  RunInstallation(package, true);

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

  // The ticked start option starts the program through the launcher beside it.
  std::vector<std::wstring> relayStarts;
  ASSERT_TRUE(WaitUntil([&] {
    relayStarts = e2e::RecordedStartsOf(program + L"\\DeskRelay.exe");
    return !relayStarts.empty();
  })) << "DeskRelay.exe is started";
  EXPECT_NE(relayStarts.front().find(L"DeskRelay.exe"), std::wstring::npos);
  EXPECT_TRUE(relayStarts.front().ends_with(L" Kestra.exe")) << Narrow(relayStarts.front());

  EXPECT_EQ(e2e::RecordedParentsOf(program + L"\\DeskRelay.exe").front(), L"explorer.exe")
      << "the program folder is open to everybody: the user's shell starts the launcher";

  // The product folder open to everybody; the uninstaller's folder and copy writable by
  // administrators only. No tool beside Setup.exe was started for it.
  EXPECT_TRUE(package.RecordedStarts(L"icacls.exe").empty());
  for (const std::wstring& path : {product, program, exe}) {
    EXPECT_TRUE(test_files::AllowsWriting(test_files::RightsOf(path, WinWorldSid))) << Narrow(path);
  }
  for (const std::wstring& path : {backup, uninstaller}) {
    for (const WELL_KNOWN_SID_TYPE group :
         {WinWorldSid, WinBuiltinUsersSid, WinAuthenticatedUserSid, WinInteractiveSid}) {
      EXPECT_FALSE(test_files::AllowsWriting(test_files::RightsOf(path, group)))
          << Narrow(path) << " group " << group;
    }
  }

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

  const ForgottenAtTheEnd forgotten(L"KestraNotes", L"OEM");
  RunInstallation(package, false);

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

TEST(Install, UserScriptsAndMacrosSurviveAndWinOverThePayload) {
  const std::wstring product = SpecialFolder(CSIDL_PROGRAM_FILES) + L"\\Osprey";
  const std::wstring program = product + L"\\Osprey";
  const std::wstring oldProgram = product + L"\\OspreyOld";
  // What an earlier installation left: scripts in the product, program and old program folders.
  WriteFileText(product + L"\\ScriptsMacros\\Product.js", "product folder script");
  WriteFileText(program + L"\\ScriptsMacros\\Shared.js", "user version");
  WriteFileText(program + L"\\ScriptsMacros\\Deep\\User.vbs", "user macro");
  WriteFileText(oldProgram + L"\\ScriptsMacros\\Old.js", "old version script");
  WriteFileText(program + L"\\Stale.dll", "stale");
  // Its record, which names the product folder as the product's own to clear.
  const std::wstring privateKey = L"Software\\Osprey Works\\KestraOCR";
  WriteStringValue(HKEY_LOCAL_MACHINE, privateKey, L"UninstRegFolder", L"KestraOCR");
  WriteStringValue(HKEY_LOCAL_MACHINE, privateKey, L"InstallDir", product);
  WriteStringValue(HKEY_LOCAL_MACHINE, privateKey, L"Product", L"Osprey");

  e2e::TestPackage package(L"install-scripts");
  package.AddTestData(L"InstallWizard_Texts.xls", L"Texts\\InstallWizard_Texts.xls");
  package.WriteText(L"EULA\\en\\Service.rtf", kLicence);
  package.WriteText(L"Setup.ini",
                    "[Setup]\r\n%PROGRAM_FILES=Osprey\r\n%PROGRAM_FILES_OLD=OspreyOld\r\n"
                    "%UPDATER_DIR=Updater\r\n%PROGRAM_EXEC=Osprey.exe\r\n%PROGRAM_VERSION=1.0\r\n"
                    "%PUBLISHER=Osprey Works\r\n%REG_FODLER_PROGNAME=KestraOCR\r\n");
  package.WriteText(L"program files\\Osprey\\Osprey.exe", "osprey");
  package.WriteText(L"program files\\Osprey\\ScriptsMacros\\Shared.js", "payload version");
  package.WriteText(L"program files\\Osprey\\ScriptsMacros\\Stock.js", "stock");

  {
    const ForgottenAtTheEnd forgotten(L"KestraOCR", L"Osprey Works");
    RunInstallation(package, true);
  }

  for (const std::wstring& folder : {program, oldProgram}) {
    SCOPED_TRACE(Narrow(folder));
    const std::wstring scripts = folder + L"\\ScriptsMacros\\";
    EXPECT_EQ(FileBytes(scripts + L"Shared.js"), std::optional<std::string>("user version"));
    EXPECT_EQ(FileBytes(scripts + L"Deep\\User.vbs"), std::optional<std::string>("user macro"));
    EXPECT_EQ(FileBytes(scripts + L"Product.js"),
              std::optional<std::string>("product folder script"));
    EXPECT_EQ(FileBytes(scripts + L"Old.js"), std::optional<std::string>("old version script"));
  }
  EXPECT_EQ(FileBytes(program + L"\\ScriptsMacros\\Stock.js"), std::optional<std::string>("stock"));
  EXPECT_EQ(FileBytes(program + L"\\Osprey.exe"), std::optional<std::string>("osprey"));
  EXPECT_FALSE(FileBytes(program + L"\\Stale.dll").has_value())
      << "the earlier installation's files are cleared";
  const std::wstring backup = SpecialFolder(CSIDL_TEMPLATES) + L"\\KestraOCR\\ScriptsMacros";
  EXPECT_TRUE(FolderExists(backup));
  EXPECT_FALSE(FileBytes(backup + L"\\Shared.js").has_value()) << "the backup is emptied";
}

// The product whose data folder is saved whole instead of its ScriptsMacros folder.
TEST(Install, PanCaptureKeepsItsWholeDataFolder) {
  const std::wstring product = SpecialFolder(CSIDL_PROGRAM_FILES) + L"\\PanCapture";
  const std::wstring program = product + L"\\PanCapture";
  WriteFileText(program + L"\\Data\\Settings.xml", "user settings");
  WriteFileText(program + L"\\Data\\Profiles\\Mine.txt", "my profile");
  WriteFileText(product + L"\\PanCaptureOld\\ScriptsMacros\\Old.js", "old version script");

  e2e::TestPackage package(L"install-pancapture");
  package.AddTestData(L"InstallWizard_Texts.xls", L"Texts\\InstallWizard_Texts.xls");
  package.WriteText(L"EULA\\en\\Service.rtf", kLicence);
  package.WriteText(L"Setup.ini",
                    "[Setup]\r\n%PROGRAM_FILES=PanCapture\r\n%PROGRAM_FILES_OLD=PanCaptureOld\r\n"
                    "%UPDATER_DIR=Updater\r\n%PROGRAM_EXEC=PanCapture.exe\r\n"
                    "%PROGRAM_DATA=Data\\\r\n%PROGRAM_VERSION=1.0\r\n"
                    "%PUBLISHER=Osprey Works\r\n%REG_FODLER_PROGNAME=KestraPen\r\n");
  package.WriteText(L"program files\\PanCapture\\PanCapture.exe", "pan");
  package.WriteText(L"program files\\PanCapture\\Data\\Settings.xml", "default settings");
  package.WriteText(L"program files\\PanCapture\\Data\\Defaults.xml", "defaults");

  {
    const ForgottenAtTheEnd forgotten(L"KestraPen", L"Osprey Works");
    RunInstallation(package, true);
  }

  const std::wstring data = program + L"\\Data\\";
  EXPECT_EQ(FileBytes(data + L"Settings.xml"), std::optional<std::string>("user settings"));
  EXPECT_EQ(FileBytes(data + L"Profiles\\Mine.txt"), std::optional<std::string>("my profile"));
  EXPECT_EQ(FileBytes(data + L"Defaults.xml"), std::optional<std::string>("defaults"));
  EXPECT_EQ(FileBytes(data + L"Old.js"), std::optional<std::string>("old version script"))
      << "the old version's scripts land in the data folder";
}

// As soon as the program file appears, an ordinary user plants a hard link to a file of his own
// under the name of the finish page's marker in the program folder, open to everybody.
TEST(Install, AHardLinkPlantedAsTheMarkerIsReplacedNotWrittenThrough) {
  const e2e::TestPackage package = OneProgramPackage(L"install-marker", "Marten", "Marten Works");
  const std::wstring program = SpecialFolder(CSIDL_PROGRAM_FILES) + L"\\Marten\\Marten";
  const std::wstring shared = L"C:\\marker-shared-by-a-user.txt";
  e2e::WriteFileText(shared, "the user's own");
  std::atomic<bool> planted = false;
  std::thread planter([&] {
    planted = WaitUntil([&] { return FileExists(program + L"\\Marten.exe"); }, 120s) &&
              ::CreateHardLinkW((program + L"\\Installed.log").c_str(), shared.c_str(), nullptr);
  });
  {
    const ForgottenAtTheEnd forgotten(L"KestraPhoto", L"Marten Works");
    RunInstallation(package, true);
  }
  planter.join();

  ASSERT_TRUE(planted) << "the link was planted before the finish page";
  EXPECT_EQ(FileBytes(shared), std::optional<std::string>("the user's own"));
  EXPECT_EQ(FileBytes(program + L"\\Installed.log"), std::optional<std::string>(""));
}

// What an ordinary user could put beside Setup.exe in a download folder or on a share: system
// libraries, with the overrides that make Wine search as Windows does, and the tools the
// permissions used to be set with. Nothing of it is loaded or started, and the wizard works.
TEST(Install, NothingPlantedBesideSetupIsLoadedOrStarted) {
  const e2e::TestPackage package = OneProgramPackage(L"install-planted", "Plover", "Plover Works");
  const wchar_t* const kLibraries[] = {L"version", L"msftedit", L"riched20", L"uxtheme",
                                       L"dwmapi",  L"comctl32", L"comdlg32", L"gdiplus"};
  std::wstring overrides;
  for (const wchar_t* library : kLibraries) {
    ASSERT_TRUE(::CopyFileW((e2e::BuildFolder() + L"planted_library.dll").c_str(),
                            (package.Folder() + library + L".dll").c_str(), FALSE));
    overrides += (overrides.empty() ? L"" : L",") + std::wstring(library);
  }
  for (const wchar_t* tool : {L"icacls.exe", L"takeown.exe", L"cmd.exe"}) package.AddRecorder(tool);
  // An existing product folder takes the ownership step of earlier installations.
  const std::wstring product = SpecialFolder(CSIDL_PROGRAM_FILES) + L"\\Plover";
  ::CreateDirectoryW(product.c_str(), nullptr);
  {
    const ForgottenAtTheEnd forgotten(L"KestraPhoto", L"Plover Works");
    ::SetEnvironmentVariableW(L"WINEDLLOVERRIDES", (overrides + L"=n,b").c_str());
    RunInstallation(package, true);
    ::SetEnvironmentVariableW(L"WINEDLLOVERRIDES", nullptr);
  }

  EXPECT_EQ(FileBytes(product + L"\\Plover\\Plover.exe"), std::optional<std::string>("plover"));
  for (const wchar_t* library : kLibraries) {
    EXPECT_FALSE(FileExists(package.Folder() + library + L".dll.loaded")) << Narrow(library);
  }
  for (const wchar_t* tool : {L"icacls.exe", L"takeown.exe", L"cmd.exe"}) {
    EXPECT_TRUE(package.RecordedStarts(tool).empty()) << Narrow(tool);
  }
}

// Windows XP opens the product folder to everybody as well, without starting cacls through a
// cmd.exe that might lie beside Setup.exe.
TEST(Install, WindowsXpOpensTheProductFolderWithoutACommand) {
  const e2e::TestPackage package = OneProgramPackage(L"install-xp", "Harrier", "Harrier Works");
  package.AddRecorder(L"cmd.exe");
  package.AddRecorder(L"icacls.exe");
  {
    const ForgottenAtTheEnd forgotten(L"KestraPhoto", L"Harrier Works");
    WindowsVersionOverride xp(L"winxp");
    RunInstallation(package, true);
  }

  const std::wstring product = SpecialFolder(CSIDL_PROGRAM_FILES) + L"\\Harrier";
  EXPECT_EQ(FileBytes(product + L"\\Harrier\\Harrier.exe"), std::optional<std::string>("harrier"));
  EXPECT_TRUE(package.RecordedStarts(L"cmd.exe").empty());
  EXPECT_TRUE(package.RecordedStarts(L"icacls.exe").empty());
  EXPECT_TRUE(test_files::AllowsWriting(test_files::RightsOf(product, WinWorldSid)));
}

}  // namespace

namespace {

// Every text of a box: its static controls, one after the other.
std::wstring BoxText(HWND box) {
  std::wstring text;
  for (const driver::WindowInfo& child : driver::ChildWindows(box)) {
    if (child.className == L"Static") text += child.title + L"\n";
  }
  return text;
}

// From the welcome page to the box about a file that cannot be written.
std::optional<driver::MessageBoxInfo> InstallUntilTheBox(const driver::Process& setup) {
  HWND welcome = ShownPage(setup, L"TFWelcome");
  Click(welcome, L"&Next >");
  HWND licence = ShownPage(setup, L"TFEULA");
  Click(licence, L"I &accept the terms of the licence agreement");
  HWND next = driver::FindChildByText(licence, L"&Next >");
  EXPECT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(next) != FALSE; }, 10s));
  Click(licence, L"&Next >");
  Click(ShownPage(setup, L"TFAskInstall"), L"&Install");
  return driver::WaitForMessageBox(setup.Id(), kWorkTimeout);
}

}  // namespace

// The program file held open without sharing by another program, in a program folder that is
// there already: the box names the file and why; Retry once the holder has ended installs it
// and ends "complete"; Skip this file ends "incomplete", names the file and offers no start of
// the program that is not the package's.
TEST(Install, AFileHeldOpenIsNamedAndCanBeRetriedOrSkipped) {
  const ForgottenAtTheEnd forgotten(L"KestraCapture", L"Kestra Software");
  const auto package = MakeProductPackage(L"held-program", L"InstallWizard_Texts.xls",
                                          {"Kestra", "KestraCapture", "KestraCapture"}, false);
  const std::wstring program = SpecialFolder(CSIDL_PROGRAM_FILES) + L"\\Kestra\\Kestra\\Kestra.exe";
  for (const bool retry : {true, false}) {
    SCOPED_TRACE(retry ? "Retry" : "Skip this file");
    WriteFileText(program, "another program's file");
    win::ScopedHandle held(::CreateFileW(program.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(held.IsValid());
    driver::Process setup(L"\"" + package->SetupPath() + L"\"", package->Folder());
    const auto box = InstallUntilTheBox(setup);
    ASSERT_TRUE(box.has_value()) << "the held file is asked about";
    const std::wstring text = BoxText(box->handle);
    EXPECT_NE(text.find(program), std::wstring::npos) << Narrow(text);
    EXPECT_NE(text.find(L"It is in use by another program."), std::wstring::npos) << Narrow(text);
    if (retry) {
      held.Reset();
      ASSERT_TRUE(driver::AnswerMessageBox(*box, L"&Retry"));
    } else {
      ASSERT_TRUE(driver::AnswerMessageBox(*box, L"&Skip this file"));
    }
    HWND finish = ShownPage(setup, L"TFFinish", kWorkTimeout);
    ASSERT_NE(finish, nullptr);
    HWND headline = driver::FindChildByText(
        finish, retry ? L"Installation complete" : L"Installation incomplete");
    ASSERT_NE(headline, nullptr);
    EXPECT_TRUE(::IsWindowVisible(headline));
    HWND start = driver::FindChildByText(finish, L"&Start Kestra Capture now");
    if (retry) {
      EXPECT_EQ(FileBytes(program), std::optional<std::string>("MZ the Kestra program"));
    } else {
      bool named = false;
      for (const driver::WindowInfo& child : driver::ChildWindows(finish)) {
        named = named || child.title.find(L"Kestra.exe") != std::wstring::npos;
      }
      EXPECT_TRUE(named) << "the finish page names the file left out";
      EXPECT_TRUE(start == nullptr || !::IsWindowVisible(start)) << "no start of a missing program";
    }
    Click(finish, L"&Finish");
    EXPECT_EQ(setup.WaitForExit(30s), std::optional<DWORD>(0));
    held.Reset();
    const auto quietUninstall =
        MachineValue(std::wstring(kUninstallKey) + L"KestraCapture", L"QuietUninstallString");
    ASSERT_TRUE(quietUninstall.has_value());
    driver::Process removal(*quietUninstall);
    EXPECT_EQ(removal.WaitForExit(kWorkTimeout), std::optional<DWORD>(0));
  }
}
