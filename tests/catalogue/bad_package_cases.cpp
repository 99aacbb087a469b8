// The catalogue's cases: workbooks, settings files, installation records, file lists, payloads,
// running programs and updater names that are broken or hostile one way each.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <thread>

#include "tests/catalogue/bad_package.h"
#include "tests/e2e/installed_product.h"
#include "tools/driver/driver.h"
#include "util/reg_key.h"

namespace catalogue {
namespace {

using namespace std::chrono_literals;
using namespace std::string_literals;
using e2e::SpecialFolder;

const std::wstring kReadFailed = L"\u8ACB\u95DC\u9589\u6587\u5B57\u6A94. try...catch...Closing...";
const std::wstring kNoWorkbook = L"XLS File Not Found!! Closing...";
const std::wstring kCannotNameTheRegistryFolder =
    L"The product's registry folder cannot be named: Setup.ini lacks the publisher or the product "
    L"name. (101)";
// Message boxes show their texts as stored; the sample's messages name the product themselves.
const std::wstring kNotInstalled = L"Kestra Capture is not installed on this computer. (201)";
const std::wstring kProductName = L"Kestra Capture";
const std::wstring kUninstallRoot = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const std::wstring kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

const std::string kSettings =
    "[Setup]\r\n%PROGRAM_FILES=KestraCatalog\r\n%PROGRAM_FILES_OLD=Earlier\r\n"
    "%UPDATER_DIR=Updater\r\n%PROGRAM_EXEC=Kestra.exe\r\n%PROGRAM_VERSION=2.0\r\n"
    "%PUBLISHER=Kestra Software\r\n%REG_FODLER_PROGNAME=KestraCapture\r\n"
    "%PROGRAM_ONBOOT=KestraCatalog\r\n%PROGRAM_FORMCAPTION=Kestra Window\r\n";
const std::string kEveryKeyEmpty =
    "[Setup]\r\n%PROGRAM_FILES=\r\n%PROGRAM_DATA=\r\n%PROGRAM_FILES_OLD=\r\n%PROGRAM_EXEC=\r\n"
    "%PROGRAM_VERSION=\r\n%PROGRAM_ONBOOT=\r\n%PROGRAM_FORMCAPTION=\r\n%PUBLISHER=\r\n"
    "%REG_FODLER_PROGNAME=\r\n%UPDATER_DIR=\r\n%INSTALL_BACKUP_DIR=\r\n%UNINST_ICO=\r\n"
    "%MANULA_EXIST=\r\n%MANUAL_DIR=\r\n%MANUAL_ICO=\r\n%Exe_AfterInstall=\r\n";

std::wstring Wide(const std::string& name) {
  return e2e::Widen(name);
}

void MakePackage(Bench& bench, const std::string& name, const wchar_t* workbook,
                 const std::optional<std::string>& settings) {
  bench.package = std::make_unique<e2e::TestPackage>(L"catalogue-" + Wide(name));
  if (workbook != nullptr) {
    bench.package->AddTestData(std::wstring(L"catalogue\\") + workbook + L".xls",
                               L"Texts\\InstallWizard_Texts.xls");
  }
  if (settings) bench.package->WriteText(L"Setup.ini", *settings);
}

void WriteValue(HKEY root, const std::wstring& key, const std::wstring& name,
                const std::wstring& data) {
  win::RegKey opened;
  ASSERT_TRUE(opened.Create(root, key));
  ASSERT_TRUE(opened.WriteString(name, data));
}

bool ValueExists(HKEY root, const std::wstring& key, const std::wstring& name) {
  return driver::ReadRegistryString(root, key, name).has_value();
}

// --- Pages ---------------------------------------------------------------------------------

void ExpectTitle(HWND page, const std::wstring& title) {
  EXPECT_EQ(driver::WindowText(page), title);
}

// --- Text workbooks ------------------------------------------------------------------------

BadPackage UnreadableWorkbook(const std::string& name, const wchar_t* workbook) {
  return {name, [=](Bench& bench) { MakePackage(bench, name, workbook, kSettings); }, L"",
          Outcome::kMessage, kReadFailed};
}

BadPackage WelcomingWorkbook(const std::string& name, const wchar_t* workbook,
                             std::function<void(HWND)> checkPage) {
  return {name, [=](Bench& bench) { MakePackage(bench, name, workbook, kSettings); },
          L"",  Outcome::kWelcomePage,
          L"",  std::move(checkPage)};
}

std::wstring LongestCell() {
  std::wstring text;
  for (int i = 0; i < 32767; ++i) text += static_cast<wchar_t>(L'a' + i % 26);
  return text;
}

// The caption whose cell holds 2,942 codes "%B35", 34 blanks each, and "<end>".
void ExpectCaptionOf100033Characters(HWND welcome) {
  for (const driver::WindowInfo& child : driver::ChildWindows(welcome)) {
    if (!child.title.ends_with(L"<end>")) continue;
    EXPECT_EQ(child.title.size(), 2942u * 34u + 5u);
    EXPECT_EQ(child.title.find_first_not_of(L' '), 2942u * 34u);
    return;
  }
  ADD_FAILURE() << "no control shows the long caption";
}

void AddWorkbookCases(std::vector<BadPackage>& cases) {
  cases.push_back(UnreadableWorkbook("TruncatedWorkbook", L"truncated"));
  cases.push_back(UnreadableWorkbook("WorkbookWhoseFatLoops", L"fat_loop"));
  cases.push_back(UnreadableWorkbook("EncryptedWorkbook", L"encrypted"));
  cases.push_back(UnreadableWorkbook("WorkbookWithoutTheInstallSheet", L"other_sheet"));
  cases.push_back(UnreadableWorkbook("WorkbookWithoutIdentColumn", L"no_ident"));
  cases.push_back(UnreadableWorkbook("WorkbookWithoutEnglishColumn", L"no_english"));
  cases.push_back({"WorkbookHeldOpenWithoutSharing",
                   [](Bench& bench) {
                     MakePackage(bench, "WorkbookHeldOpenWithoutSharing", L"good", kSettings);
                     const std::wstring path =
                         bench.package->Folder() + L"Texts\\InstallWizard_Texts.xls";
                     HANDLE held = ::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr,
                                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
                     ASSERT_NE(held, INVALID_HANDLE_VALUE);
                     bench.keepAlive.emplace_back(held, ::CloseHandle);
                   },
                   L"", Outcome::kMessage, kReadFailed});
  cases.push_back({"NoWorkbook",
                   [](Bench& bench) { MakePackage(bench, "NoWorkbook", nullptr, kSettings); }, L"",
                   Outcome::kMessage, kNoWorkbook});
  // Rows after the 1,001st are not read: a second product name there does not count.
  cases.push_back(WelcomingWorkbook("WorkbookOf5000Rows", L"rows_5000",
                                    [](HWND page) { ExpectTitle(page, kProductName); }));
  // 32,767 characters, the most an Excel cell holds, as the product name in every caption.
  cases.push_back(WelcomingWorkbook("CellOfTheMostCharactersACellHolds", L"longest_cell",
                                    [](HWND page) { ExpectTitle(page, LongestCell()); }));
  // No cell holds 100,000 characters; its escapes make a caption that long.
  cases.push_back(WelcomingWorkbook("CaptionOfMoreThan100000Characters", L"long_caption",
                                    ExpectCaptionOf100033Characters));
  // InstallWizard names Wizard as its alias and Wizard names InstallWizard: the chain is cut at
  // the first section met again, whose own texts then answer.
  cases.push_back(WelcomingWorkbook("MappingLoop", L"mapping_loop",
                                    [](HWND page) { ExpectTitle(page, kProductName); }));
}

// --- Settings files ------------------------------------------------------------------------

std::string Utf16(const std::string& ascii, bool withMark) {
  std::string bytes = withMark ? std::string("\xFF\xFE") : std::string();
  for (char c : ascii) {
    bytes += c;
    bytes += '\0';
  }
  return bytes;
}

BadPackage RefusedSettings(const std::string& name, std::optional<std::string> settings,
                           const std::wstring& argument, const std::wstring& message) {
  return {name, [=](Bench& bench) { MakePackage(bench, name, L"good", settings); }, argument,
          Outcome::kMessage, message};
}

BadPackage WelcomingSettings(const std::string& name, const std::string& settings) {
  return {name, [=](Bench& bench) { MakePackage(bench, name, L"good", settings); }, L"",
          Outcome::kWelcomePage, L""};
}

// Another product of the same publisher, which a run for this one must leave alone.
void SeedPublishersOtherProduct(Bench&) {
  WriteValue(HKEY_LOCAL_MACHINE, L"Software\\Kestra Software\\KestraPen", L"InstallDir",
             SpecialFolder(CSIDL_PROGRAM_FILES) + L"\\KestraPen");
  WriteValue(HKEY_LOCAL_MACHINE, L"Software\\Kestra Software\\KestraPen", L"UninstRegFolder",
             L"KestraPen");
}

void AddSettingsCases(std::vector<BadPackage>& cases) {
  cases.push_back(
      RefusedSettings("SettingsAbsent", std::nullopt, L"", kCannotNameTheRegistryFolder));
  cases.push_back(RefusedSettings("SettingsEmpty", "", L"", kCannotNameTheRegistryFolder));
  // The publisher's name goes on after a NUL: no registry folder has such a name, so the
  // product counts as not installed, and the publisher's folder of another product stays.
  const std::string withNul =
      "[Setup]\r\n\0\0\0\0\r\n%PROGRAM_FILES=KestraCatalog\r\n%PROGRAM_EXEC=Kestra.exe\r\n"
      "%PUBLISHER=Kestra Software\0\0stray\r\n%REG_FODLER_PROGNAME=KestraCapture\r\n"s;
  cases.push_back({"SettingsWithNulBytes",
                   [=](Bench& bench) {
                     MakePackage(bench, "SettingsWithNulBytes", L"good", withNul);
                     SeedPublishersOtherProduct(bench);
                   },
                   L"uninstallanyway", Outcome::kMessage, kNotInstalled});
  cases.push_back(
      WelcomingSettings("SettingsWithAMegabyteLine",
                        "[Setup]\r\n" + std::string(1 << 20, 'x') + "\r\n" + kSettings.substr(9)));
  cases.push_back(WelcomingSettings("SettingsInUtf16", Utf16(kSettings, true)));
  // Without a byte-order mark the file is read in the system's code page, where no key is found.
  cases.push_back(RefusedSettings("SettingsInUtf16WithoutMark", Utf16(kSettings, false), L"",
                                  kCannotNameTheRegistryFolder));
  cases.push_back(RefusedSettings("SettingsWithEveryKeyEmpty", kEveryKeyEmpty, L"",
                                  kCannotNameTheRegistryFolder));
  cases.push_back(RefusedSettings("SettingsWithEveryKeyEmptyToUpgrade", kEveryKeyEmpty, L"upgrade",
                                  kCannotNameTheRegistryFolder));
  cases.push_back(RefusedSettings("SettingsWithEveryKeyEmptyToUninstall", kEveryKeyEmpty,
                                  L"uninstall", kNotInstalled));
  // The uninstaller copy's place must be a special folder the program knows by name.
  cases.push_back(RefusedSettings("SettingsWithUnknownInstallBackupFolder",
                                  kSettings + "%INSTALL_BACKUP_DIR=CSIDL_COMMON_TEMPLATE\r\n", L"",
                                  kCannotNameTheRegistryFolder));
  cases.push_back(RefusedSettings("SettingsWithEmptyInstallBackupFolderToUpgrade",
                                  kSettings + "%INSTALL_BACKUP_DIR=\r\n", L"upgrade",
                                  kCannotNameTheRegistryFolder));
  cases.push_back(RefusedSettings("SettingsWithEveryKeyEmptyForTheUpdater", kEveryKeyEmpty,
                                  L"updater", kCannotNameTheRegistryFolder));
}

// --- Installation records ------------------------------------------------------------------

// An installation of "Kestra Pen" of the publisher "Kestra Catalogue" as its record names it.
struct PenInstallation {
  std::wstring product = SpecialFolder(CSIDL_PROGRAM_FILES) + L"\\KestraPen";
  std::wstring program = product + L"\\KestraPen\\Pen.exe";
  std::wstring publisherMenu = SpecialFolder(CSIDL_COMMON_PROGRAMS) + L"\\Kestra Catalogue";
  std::wstring menu = publisherMenu + L"\\Kestra Pen";
  std::wstring execLink = menu + L"\\Kestra Pen.lnk";
  std::wstring uninstallLink = menu + L"\\Uninstall Kestra Pen.lnk";
  std::wstring manualLink = menu + L"\\Kestra Pen Manual.lnk";
  std::wstring desktopLink = SpecialFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + L"\\Kestra Pen.lnk";
  std::wstring privateKey = L"Software\\Kestra Catalogue\\KestraPen";
  std::wstring entry = kUninstallRoot + L"KestraPen";
};

const char kPenSettings[] =
    "[Setup]\r\n%PROGRAM_FILES=KestraPen\r\n%PROGRAM_EXEC=Pen.exe\r\n"
    "%PUBLISHER=Kestra Catalogue\r\n%REG_FODLER_PROGNAME=KestraPen\r\n";

// Lays out the installation and its record, the value `emptyField` (if any) empty; the run may
// change everything the record names.
void SeedPen(Bench& bench, const std::wstring& emptyField) {
  const PenInstallation pen;
  e2e::WriteFileText(pen.program, "pen");
  e2e::WriteFileText(pen.product + L"\\Updater\\Updater.exe", "updater");
  for (const std::wstring& link : {pen.execLink, pen.uninstallLink, pen.manualLink}) {
    e2e::WriteFileText(link, "link");
  }
  e2e::WriteFileText(pen.desktopLink, "link");
  const std::pair<const wchar_t*, std::wstring> values[] = {
      {L"Product", L"KestraPen"},
      {L"FormCaption", L"Kestra Pen"},
      {L"InstallDir", pen.product},
      {L"ExecOnBoot", L"KestraPen"},
      {L"UninstRegFolder", L"KestraPen"},
      {L"UninstOnAppDataDir", SpecialFolder(CSIDL_COMMON_TEMPLATES) + L"\\KestraPen\\Setup.exe"},
      {L"LINK_ProgramsExec", pen.execLink},
      {L"LINK_ProgramUnist", pen.uninstallLink},
      {L"LINK_ProgramsManual", pen.manualLink},
      {L"LINK_DesktopExec", pen.desktopLink},
      {L"OnlineUpdaterDir", pen.product + L"\\Updater\\"},
  };
  for (const auto& [name, data] : values) {
    WriteValue(HKEY_LOCAL_MACHINE, pen.privateKey, name, name == emptyField ? L"" : data);
  }
  WriteValue(HKEY_LOCAL_MACHINE, pen.entry, L"DisplayVersion", L"1.0");
  WriteValue(HKEY_CURRENT_USER, kRunKey, L"KestraPen", L"pen.exe");
  bench.mayChange = {pen.product,           pen.publisherMenu,
                     pen.desktopLink,       L"HKLM\\Software\\Kestra Catalogue",
                     L"HKLM\\" + pen.entry, L"HKCU\\" + kRunKey + L"\\@KestraPen"};
}

// What the removal of each field's target leaves: present exactly when that field was empty.
void ExpectOnlyTheEmptyFieldsTargetLeft(const std::wstring& emptyField) {
  const PenInstallation pen;
  const auto left = [&](const wchar_t* field) { return emptyField == field; };
  EXPECT_EQ(e2e::FileExists(pen.program), left(L"InstallDir"));
  EXPECT_EQ(ValueExists(HKEY_CURRENT_USER, kRunKey, L"KestraPen"), left(L"ExecOnBoot"));
  EXPECT_EQ(win::RegKey::Exists(HKEY_LOCAL_MACHINE, pen.entry), left(L"UninstRegFolder"));
  EXPECT_EQ(e2e::FileExists(pen.execLink), left(L"LINK_ProgramsExec"));
  EXPECT_EQ(e2e::FileExists(pen.uninstallLink), left(L"LINK_ProgramUnist"));
  EXPECT_EQ(e2e::FileExists(pen.manualLink), left(L"LINK_ProgramsManual"));
  EXPECT_EQ(e2e::FileExists(pen.desktopLink), left(L"LINK_DesktopExec"));
  EXPECT_FALSE(win::RegKey::Exists(HKEY_LOCAL_MACHINE, pen.privateKey));
  EXPECT_TRUE(e2e::FolderExists(SpecialFolder(CSIDL_PROGRAM_FILES)));
  EXPECT_TRUE(win::RegKey::Exists(HKEY_LOCAL_MACHINE, kUninstallRoot));
}

BadPackage RecordWithEmptyField(const std::wstring& field) {
  const std::string name = "RecordWithEmpty" + e2e::Narrow(field);
  return {name,
          [=](Bench& bench) {
            MakePackage(bench, name, L"good", std::string(kPenSettings));
            SeedPen(bench, field);
          },
          L"uninstallanyway",
          Outcome::kFinishPage,
          L"Uninstallation complete",
          nullptr,
          [=](const Bench&) { ExpectOnlyTheEmptyFieldsTargetLeft(field); }};
}

void AddRecordCases(std::vector<BadPackage>& cases) {
  for (const wchar_t* field : {L"Product", L"FormCaption", L"InstallDir", L"ExecOnBoot",
                               L"UninstOnAppDataDir", L"LINK_ProgramsExec", L"LINK_ProgramUnist",
                               L"LINK_ProgramsManual", L"LINK_DesktopExec", L"OnlineUpdaterDir"}) {
    cases.push_back(RecordWithEmptyField(field));
  }
  // Without the name of its uninstall entry the key holds no installation record: the product
  // counts as not installed and nothing the key names is removed.
  cases.push_back({"RecordWithEmptyUninstRegFolder",
                   [](Bench& bench) {
                     MakePackage(bench, "RecordWithEmptyUninstRegFolder", L"good",
                                 std::string(kPenSettings));
                     SeedPen(bench, L"UninstRegFolder");
                     bench.mayChange.clear();
                   },
                   L"uninstallanyway", Outcome::kMessage, kNotInstalled});
  // Shortcut paths that name another program's files: the removal deletes shortcuts it made only.
  cases.push_back(
      {"RecordWithShortcutsNamingOtherFiles",
       [](Bench& bench) {
         MakePackage(bench, "RecordWithShortcutsNamingOtherFiles", L"good",
                     std::string(kPenSettings));
         SeedPen(bench, L"");
         const std::wstring victim = SpecialFolder(CSIDL_PROGRAM_FILES) + L"\\KestraNeighbour";
         e2e::WriteFileText(victim + L"\\kept.dll", "another program's");
         e2e::WriteFileText(SpecialFolder(CSIDL_COMMON_PROGRAMS) + L"\\Kept\\kept.txt", "kept");
         const PenInstallation pen;
         WriteValue(HKEY_LOCAL_MACHINE, pen.privateKey, L"LINK_DesktopExec",
                    victim + L"\\kept.dll");
         WriteValue(HKEY_LOCAL_MACHINE, pen.privateKey, L"LINK_ProgramsManual",
                    SpecialFolder(CSIDL_COMMON_PROGRAMS) + L"\\Kept\\kept.txt");
       },
       L"uninstallanyway", Outcome::kFinishPage, L"Uninstallation complete", nullptr,
       [](const Bench&) {
         EXPECT_EQ(
             e2e::FileBytes(SpecialFolder(CSIDL_PROGRAM_FILES) + L"\\KestraNeighbour\\kept.dll"),
             std::optional<std::string>("another program's"));
         EXPECT_TRUE(e2e::FileExists(SpecialFolder(CSIDL_COMMON_PROGRAMS) + L"\\Kept\\kept.txt"));
       }});
  // A key of the product's name that is someone else's (a vendor's shared key, another
  // program's): the removal would delete it with everything below it.
  cases.push_back(
      {"KeyOfTheProductsNameWithoutARecord",
       [](Bench& bench) {
         MakePackage(bench, "KeyOfTheProductsNameWithoutARecord", L"good", kSettings);
         WriteValue(HKEY_LOCAL_MACHINE, L"Software\\Kestra Software\\KestraCapture\\Canary",
                    L"Canary", L"kept");
       },
       L"uninstallanyway", Outcome::kMessage, kNotInstalled, nullptr,
       [](const Bench&) {
         EXPECT_TRUE(ValueExists(HKEY_LOCAL_MACHINE,
                                 L"Software\\Kestra Software\\KestraCapture\\Canary", L"Canary"));
       }});
  // A name that starts with a NUL would, read as a C string, name the Uninstall key itself.
  cases.push_back(
      {"RecordWithUninstallEntryNameAfterANul",
       [](Bench& bench) {
         MakePackage(bench, "RecordWithUninstallEntryNameAfterANul", L"good",
                     std::string(kPenSettings));
         SeedPen(bench, L"");
         WriteValue(HKEY_LOCAL_MACHINE, PenInstallation().privateKey, L"UninstRegFolder",
                    std::wstring(L"\0KestraPen", 10));
         WriteValue(HKEY_LOCAL_MACHINE, kUninstallRoot + L"KestraNeighbour", L"DisplayVersion",
                    L"3.0");
       },
       L"uninstallanyway", Outcome::kFinishPage, L"Uninstallation complete", nullptr,
       [](const Bench&) {
         EXPECT_TRUE(win::RegKey::Exists(HKEY_LOCAL_MACHINE, kUninstallRoot + L"KestraNeighbour"));
       }});
}

// --- Programs that do not close ------------------------------------------------------------

// A window titled "UpdaterForm", as the product's updater shows, that does not return from
// WM_CLOSE until the test lets it.
class StubbornUpdaterWindow {
 public:
  StubbornUpdaterWindow() {
    thread_ = std::thread([this] {
      WNDCLASSW windowClass{};
      windowClass.lpfnWndProc = &StubbornUpdaterWindow::Proc;
      windowClass.lpszClassName = L"CatalogueStubbornUpdater";
      ::RegisterClassW(&windowClass);
      ::CreateWindowW(L"CatalogueStubbornUpdater", L"UpdaterForm", WS_OVERLAPPED, 0, 0, 100, 100,
                      nullptr, nullptr, nullptr, nullptr);
      threadId_ = ::GetCurrentThreadId();
      ::SetEvent(created_);
      MSG message;
      while (::GetMessageW(&message, nullptr, 0, 0) > 0) ::DispatchMessageW(&message);
    });
    ::WaitForSingleObject(created_, 10000);
  }
  ~StubbornUpdaterWindow() {
    ::SetEvent(release_);
    ::PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    thread_.join();
    ::CloseHandle(created_);
  }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
      ::WaitForSingleObject(release_, INFINITE);
      return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
  }

  static inline HANDLE release_ = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE created_ = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  DWORD threadId_ = 0;
  std::thread thread_;
};

void AddWindowCases(std::vector<BadPackage>& cases) {
  // The program named by %PROGRAM_EXEC hangs in its close handler, and has a second window.
  cases.push_back(
      {"ProgramWindowThatNeverAnswersWmClose",
       [](Bench& bench) {
         MakePackage(bench, "ProgramWindowThatNeverAnswersWmClose", L"good",
                     std::string(kPenSettings));
         SeedPen(bench, L"");
         const std::wstring program = bench.package->Folder() + L"Pen.exe";
         ASSERT_TRUE(::CopyFileW((e2e::BuildFolder() + L"util_test_window.exe").c_str(),
                                 program.c_str(), FALSE));
         auto running = std::make_shared<driver::Process>(L"\"" + program + L"\" block");
         ASSERT_TRUE(driver::WaitForVisibleWindowOfClass(running->Id(), L"UtilTestWindow", 30s));
         bench.keepAlive.push_back(running);
       },
       L"uninstall", Outcome::kConfirmation, L""});
  cases.push_back({"UpdaterWindowThatNeverAnswersWmClose",
                   [](Bench& bench) {
                     MakePackage(bench, "UpdaterWindowThatNeverAnswersWmClose", L"good",
                                 std::string(kPenSettings));
                     SeedPen(bench, L"");
                     bench.keepAlive.push_back(std::make_shared<StubbornUpdaterWindow>());
                   },
                   L"uninstall", Outcome::kConfirmation, L""});
}

// --- Updater names -------------------------------------------------------------------------

// An installation whose updater folder holds the argument recorder as "Updater.exe", also one
// folder up, and an Upgrade.ini naming the updater `updaterName`; the record names that folder.
// The folder is the installation's own, or one outside the product folder.
enum class UpdaterPlace { kInTheProduct, kOutsideTheProduct };

BadPackage UpdaterNamed(const std::string& name, const std::string& updaterName,
                        UpdaterPlace place = UpdaterPlace::kInTheProduct) {
  const auto updaterBase = [place](const Bench& bench) {
    return place == UpdaterPlace::kInTheProduct ? PenInstallation().product + L"\\"
                                                : bench.package->Folder();
  };
  return {name,
          [=](Bench& bench) {
            MakePackage(bench, name, L"good", std::string(kPenSettings));
            SeedPen(bench, L"");
            const PenInstallation pen;
            const std::wstring base = updaterBase(bench);
            e2e::WriteFileText(base + L"Updater\\Upgrade.ini",
                               "[Upgrade_Info]\r\nUpdaterName=" + updaterName + "\r\n");
            for (const wchar_t* recorder : {L"Updater\\Updater.exe", L"Updater.exe"}) {
              ASSERT_TRUE(::CopyFileW((e2e::BuildFolder() + L"argument_recorder.exe").c_str(),
                                      (base + recorder).c_str(), FALSE));
            }
            WriteValue(HKEY_LOCAL_MACHINE, pen.privateKey, L"OnlineUpdaterDir", base + L"Updater");
            bench.mayChange.clear();
          },
          L"updater",
          Outcome::kQuietEnd,
          L"",
          nullptr,
          [=](const Bench& bench) {
            for (const wchar_t* recorder : {L"Updater\\Updater.exe", L"Updater.exe"}) {
              EXPECT_TRUE(e2e::WaitForRecordedStarts(updaterBase(bench) + recorder, 1, 3s).empty())
                  << "nothing is started";
            }
          }};
}

void AddUpdaterCases(std::vector<BadPackage>& cases) {
  // "Updater.exe" + ".exe" names no file.
  cases.push_back(UpdaterNamed("UpdaterNameWithExe", "Updater.exe"));
  cases.push_back(UpdaterNamed("UpdaterNameLeavingItsFolder", "..\\Updater"));
  // A record that names a folder outside the product folder, where anybody may have put a program.
  cases.push_back(UpdaterNamed("RecordWithUpdaterOutsideTheProduct", "Updater",
                               UpdaterPlace::kOutsideTheProduct));
}

// --- File lists ----------------------------------------------------------------------------

const std::wstring kUpProduct = L"KestraUp";

std::wstring UpProgram() {
  return SpecialFolder(CSIDL_PROGRAM_FILES) + L"\\" + kUpProduct + L"\\" + kUpProduct + L"\\";
}

// Version 1.0 installed with `oldList`, the package of 2.0 with `newList`; "changed.dll" and
// "kept.dll" installed, "changed.dll" in a new version in the package. Files outside the
// program folder wait to be hit.
void SeedUpgrade(Bench& bench, const std::string& name, const std::string& oldList,
                 const std::string& newList) {
  const std::wstring root = SpecialFolder(CSIDL_PROGRAM_FILES) + L"\\" + kUpProduct;
  const std::wstring backup = SpecialFolder(CSIDL_COMMON_TEMPLATES) + L"\\" + kUpProduct;
  e2e::WriteFileText(UpProgram() + L"Application_FileList.txt", oldList);
  e2e::WriteFileText(UpProgram() + L"changed.dll", "version 1");
  e2e::WriteFileText(UpProgram() + L"kept.dll", "version 1");
  e2e::WriteFileText(backup + L"\\Setup.exe", "the old setup program");
  e2e::WriteFileText(root + L"\\victim.txt", "outside the program folder");
  e2e::WriteFileText(SpecialFolder(CSIDL_PROGRAM_FILES) + L"\\catalogue-victim.txt",
                     "outside the product");
  e2e::WriteFileText(L"C:\\catalogue-victim.txt", "at the root of the drive");
  const std::wstring privateKey = L"Software\\Kestra Up Labs\\KestraCards";
  WriteValue(HKEY_LOCAL_MACHINE, privateKey, L"Product", kUpProduct);
  WriteValue(HKEY_LOCAL_MACHINE, privateKey, L"InstallDir", root);
  WriteValue(HKEY_LOCAL_MACHINE, privateKey, L"UninstRegFolder", L"KestraCards");
  WriteValue(HKEY_LOCAL_MACHINE, privateKey, L"UninstOnAppDataDir", backup + L"\\Setup.exe");
  WriteValue(HKEY_LOCAL_MACHINE, kUninstallRoot + L"KestraCards", L"DisplayVersion", L"1.0");
  WriteValue(HKEY_LOCAL_MACHINE, kUninstallRoot + L"KestraCards", L"UninstallString",
             L"\"" + backup + L"\\Setup.exe\" uninstall");

  MakePackage(bench, name, L"good",
              "[Setup]\r\n%PROGRAM_FILES=KestraUp\r\n%PROGRAM_EXEC=Up.exe\r\n"
              "%PROGRAM_VERSION=2.0\r\n%PUBLISHER=Kestra Up Labs\r\n"
              "%REG_FODLER_PROGNAME=KestraCards\r\n");
  const std::wstring payload = L"Program Files\\" + kUpProduct + L"\\";
  bench.package->WriteText(payload + L"Application_FileList.txt", newList);
  bench.package->WriteText(payload + L"changed.dll", "version 2");
  bench.package->WriteText(payload + L"kept.dll", "version 2");
  bench.package->WriteText(L"Program Files\\victim.txt", "from the package");
  bench.mayChange = {UpProgram(), backup, SpecialFolder(CSIDL_TEMPLATES) + L"\\ComparedResult.txt",
                     L"HKLM\\" + kUninstallRoot + L"KestraCards"};
}

BadPackage UpgradeWithLists(const std::string& name, const std::string& oldList,
                            const std::string& newList) {
  return {name,
          [=](Bench& bench) { SeedUpgrade(bench, name, oldList, newList); },
          L"upgrade",
          Outcome::kUpgrade,
          L"Upgrade complete",
          nullptr,
          [](const Bench&) {
            EXPECT_EQ(e2e::FileBytes(UpProgram() + L"changed.dll"),
                      std::optional<std::string>("version 2"));
            EXPECT_EQ(e2e::FileBytes(UpProgram() + L"kept.dll"),
                      std::optional<std::string>("version 1"));
            EXPECT_EQ(driver::ReadRegistryString(
                          HKEY_LOCAL_MACHINE, kUninstallRoot + L"KestraCards", L"DisplayVersion"),
                      std::optional<std::wstring>(L"2.0"));
          }};
}

std::string HundredThousandLines(const char* changedValue) {
  std::string list;
  for (int i = 0; i < 99998; ++i) list += "data\\file" + std::to_string(i) + ".dat=1\r\n";
  return list + "kept.dll=1\r\nchanged.dll=" + changedValue + "\r\n";
}

// A record whose uninstaller copy lies in a folder of another name, which the refresh of the
// copy would empty.
BadPackage RecordWithUninstallerCopyElsewhere() {
  BadPackage upgrade =
      UpgradeWithLists("RecordWithUninstallerCopyElsewhere", "changed.dll=1\r\nkept.dll=1\r\n",
                       "changed.dll=2\r\nkept.dll=1\r\n");
  const auto seed = upgrade.arrange;
  upgrade.arrange = [seed](Bench& bench) {
    seed(bench);
    e2e::WriteFileText(L"C:\\catalogue-documents\\Report.txt", "another folder's file");
    e2e::WriteFileText(L"C:\\catalogue-documents\\Setup.exe", "another program");
    WriteValue(HKEY_LOCAL_MACHINE, L"Software\\Kestra Up Labs\\KestraCards", L"UninstOnAppDataDir",
               L"C:\\catalogue-documents\\Setup.exe");
  };
  return upgrade;
}

void AddFileListCases(std::vector<BadPackage>& cases) {
  cases.push_back(RecordWithUninstallerCopyElsewhere());
  cases.push_back(UpgradeWithLists(
      "FileListsWithDotDot",
      "changed.dll=1\r\nkept.dll=1\r\n..\\victim.txt=1\r\n..\\..\\catalogue-victim.txt=1\r\n"
      "sub\\..\\..\\victim.txt=1\r\n..\\..\\..\\..\\catalogue-victim.txt=1\r\n",
      "changed.dll=2\r\nkept.dll=1\r\n..\\victim.txt=2\r\n"));
  cases.push_back(UpgradeWithLists(
      "FileListsWithAbsolutePaths",
      "changed.dll=1\r\nkept.dll=1\r\nC:\\catalogue-victim.txt=1\r\nC:catalogue-victim.txt=1\r\n"
      "\\catalogue-victim.txt=1\r\n/catalogue-victim.txt=1\r\n",
      "changed.dll=2\r\nkept.dll=1\r\nC:\\Windows\\win.ini=2\r\n"));
  cases.push_back(UpgradeWithLists(
      "FileListsWithUncPaths",
      "changed.dll=1\r\nkept.dll=1\r\n\\\\localhost\\C$\\catalogue-victim.txt=1\r\n"
      "\\\\?\\C:\\catalogue-victim.txt=1\r\n\\\\.\\C:\\catalogue-victim.txt=1\r\n"
      "//?/C:/catalogue-victim.txt=1\r\n",
      "changed.dll=2\r\nkept.dll=1\r\n"));
  // Deleting "kept.dll::$DATA" would delete kept.dll itself.
  cases.push_back(
      UpgradeWithLists("FileListsWithStreamNames",
                       "changed.dll=1\r\nkept.dll=1\r\nkept.dll::$DATA=1\r\nkept.dll:extra=1\r\n",
                       "changed.dll=2\r\nkept.dll=1\r\nchanged.dll:extra=2\r\n"));
  cases.push_back(UpgradeWithLists("FileListsOf100000Lines", HundredThousandLines("1"),
                                   HundredThousandLines("2")));
  // A line without "=" is an entry of the empty name, not a file.
  cases.push_back(UpgradeWithLists("FileListsWithoutEquals",
                                   "changed.dll=1\r\nkept.dll=1\r\nkept.dll\r\nno equals sign\r\n",
                                   "changed.dll=2\r\nkept.dll=1\r\nanother line\r\n"));
}

// --- Payload -------------------------------------------------------------------------------

const std::wstring kPayloadProduct = L"KestraCatalog";

// A relative path below the program folder that makes the installed path 250 characters long.
std::wstring LongRelativePath() {
  const std::wstring program = SpecialFolder(CSIDL_PROGRAM_FILES) + L"\\" + kPayloadProduct +
                               L"\\" + kPayloadProduct + L"\\";
  const size_t length = 250 - program.size();
  std::wstring folder(100, L'f');
  std::wstring file(length - folder.size() - 1 - 4, L'n');
  return folder + L"\\" + file + L".txt";
}

void SetAttributes(const std::wstring& path, DWORD attributes) {
  ASSERT_TRUE(::SetFileAttributesW(path.c_str(), attributes));
}

// A package of the catalogue's product that installs, and what its installation may change.
void LayOutInstallablePackage(Bench& bench, const std::string& name) {
  MakePackage(bench, name, L"good", kSettings);
  bench.package->WriteText(L"EULA\\en\\Service.rtf",
                           "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0 Licence\\par}");
  bench.package->WriteText(L"program files\\" + kPayloadProduct + L"\\Kestra.exe", "MZ program");
  bench.package->WriteText(L"program files\\Updater\\Regedit_FileList.ini",
                           "[HKEY_LOCAL_MACHINE\\Software\\Placeholder]\r\nValue=1\r\n");
  bench.mayChange = {
      SpecialFolder(CSIDL_PROGRAM_FILES) + L"\\" + kPayloadProduct,
      SpecialFolder(CSIDL_COMMON_TEMPLATES) + L"\\" + kPayloadProduct,
      SpecialFolder(CSIDL_COMMON_PROGRAMS) + L"\\Kestra Software",
      SpecialFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + L"\\Kestra Capture.lnk",
      L"HKLM\\Software\\Kestra Software",
      L"HKLM\\" + kUninstallRoot + L"KestraCapture",
      L"HKCU\\" + kRunKey + L"\\@KestraCatalog",
  };
}

// Uninstalls the catalogue's product through its finish page, so that later cases find no
// installation.
void UninstallTheProduct(const Bench& bench) {
  driver::Process uninstall(L"\"" + bench.package->SetupPath() + L"\" uninstallanyway",
                            bench.package->Folder());
  const auto finish = driver::WaitForVisibleWindowOfClass(uninstall.Id(), L"TFFinish", 90s);
  ASSERT_TRUE(finish.has_value()) << "the uninstallation reaches the finish page";
  driver::Click(driver::FindChildByText(finish->handle, L"&Finish"));
  EXPECT_EQ(uninstall.WaitForExit(30s), std::optional<DWORD>(0));
}

void ArrangePayload(Bench& bench) {
  LayOutInstallablePackage(bench, "PayloadWithReadOnlyHiddenAndLongPaths");
  const std::wstring payload = L"program files\\" + kPayloadProduct + L"\\";
  bench.package->WriteText(payload + L"readonly.dll", "read-only");
  bench.package->WriteText(payload + L"hidden.dat", "hidden");
  bench.package->WriteText(payload + L"Data\\locked\\settings.xml", "in a read-only folder");
  bench.package->WriteText(payload + LongRelativePath(), "long");
  const std::wstring folder = bench.package->Folder() + payload;
  SetAttributes(folder + L"readonly.dll", FILE_ATTRIBUTE_READONLY);
  SetAttributes(folder + L"hidden.dat", FILE_ATTRIBUTE_HIDDEN);
  SetAttributes(folder + L"Data\\locked\\settings.xml", FILE_ATTRIBUTE_READONLY);
  SetAttributes(folder + L"Data\\locked", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY);
}

// Installed with their contents, then removed by the uninstallation, whatever their attributes.
void ExpectPayloadInstalledAndRemoved(const Bench& bench) {
  const std::wstring program = SpecialFolder(CSIDL_PROGRAM_FILES) + L"\\" + kPayloadProduct +
                               L"\\" + kPayloadProduct + L"\\";
  ASSERT_EQ((program + LongRelativePath()).size(), 250u);
  EXPECT_EQ(e2e::FileBytes(program + L"readonly.dll"), std::optional<std::string>("read-only"));
  EXPECT_EQ(e2e::FileBytes(program + L"hidden.dat"), std::optional<std::string>("hidden"));
  EXPECT_EQ(e2e::FileBytes(program + L"Data\\locked\\settings.xml"),
            std::optional<std::string>("in a read-only folder"));
  EXPECT_EQ(e2e::FileBytes(program + LongRelativePath()), std::optional<std::string>("long"));

  ASSERT_NO_FATAL_FAILURE(UninstallTheProduct(bench));
  for (const std::wstring name :
       {L"readonly.dll", L"hidden.dat", L"Data\\locked\\settings.xml", L"Kestra.exe"}) {
    EXPECT_FALSE(e2e::FileExists(program + name)) << e2e::Narrow(name);
  }
  EXPECT_FALSE(e2e::FileExists(program + LongRelativePath()));
}

// Another program's files in a product and a program folder of the product's names, which a first
// installation finds: it installs over them and replaces only what the package brings.
void ArrangeAnotherProgramsFolder(Bench& bench) {
  LayOutInstallablePackage(bench, "ProductFolderOfAnotherProgram");
  const std::wstring product = SpecialFolder(CSIDL_PROGRAM_FILES) + L"\\" + kPayloadProduct;
  e2e::WriteFileText(product + L"\\Neighbour\\kept.txt", "another program's");
  e2e::WriteFileText(product + L"\\" + kPayloadProduct + L"\\kept.dll", "another program's");
  e2e::WriteFileText(product + L"\\" + kPayloadProduct + L"\\Kestra.exe", "replaced");
}

void ExpectAnotherProgramsFilesKept(const Bench& bench) {
  const std::wstring product = SpecialFolder(CSIDL_PROGRAM_FILES) + L"\\" + kPayloadProduct;
  const std::wstring program = product + L"\\" + kPayloadProduct;
  EXPECT_EQ(e2e::FileBytes(product + L"\\Neighbour\\kept.txt"),
            std::optional<std::string>("another program's"));
  EXPECT_EQ(e2e::FileBytes(program + L"\\kept.dll"),
            std::optional<std::string>("another program's"));
  EXPECT_EQ(e2e::FileBytes(program + L"\\Kestra.exe"), std::optional<std::string>("MZ program"));
  UninstallTheProduct(bench);
}

// Setup.ini rewritten while the welcome page is shown, with an updater folder that climbs out of
// the product folder: the installation goes where the start checks said.
BadPackage SettingsRewrittenAfterTheWelcomePage() {
  auto setupIni = std::make_shared<std::wstring>();
  const std::wstring escaped = SpecialFolder(CSIDL_PROGRAM_FILES) + L"\\KestraEscape";
  std::string rewritten = kSettings;
  rewritten.replace(rewritten.find("%UPDATER_DIR=Updater"), 20, "%UPDATER_DIR=..\\KestraEscape");
  return {"SettingsRewrittenAfterTheWelcomePage",
          [=](Bench& bench) {
            LayOutInstallablePackage(bench, "SettingsRewrittenAfterTheWelcomePage");
            *setupIni = bench.package->Folder() + L"Setup.ini";
            bench.mayChange.push_back(*setupIni);
          },
          L"",
          Outcome::kInstallation,
          L"",
          [=](HWND) { e2e::WriteFileText(*setupIni, rewritten); },
          [=](const Bench& bench) {
            EXPECT_FALSE(e2e::FolderExists(escaped));
            EXPECT_TRUE(e2e::FileExists(SpecialFolder(CSIDL_PROGRAM_FILES) + L"\\" +
                                        kPayloadProduct + L"\\Updater\\Regedit_FileList.ini"));
            e2e::WriteFileText(*setupIni, kSettings);
            UninstallTheProduct(bench);
          }};
}

void AddPayloadCases(std::vector<BadPackage>& cases) {
  cases.push_back({"PayloadWithReadOnlyHiddenAndLongPaths", ArrangePayload, L"",
                   Outcome::kInstallation, L"", nullptr, ExpectPayloadInstalledAndRemoved});
  cases.push_back({"ProductFolderOfAnotherProgram", ArrangeAnotherProgramsFolder, L"",
                   Outcome::kInstallation, L"", nullptr, ExpectAnotherProgramsFilesKept});
  cases.push_back(SettingsRewrittenAfterTheWelcomePage());
  // Without a product folder name the product folder would be the Program Files folder itself,
  // and the install-backup folder the base that every product's uninstaller copy lies in: the
  // package is refused before anything changes.
  cases.push_back(
      {"SettingsWithoutProductFolderName",
       [](Bench& bench) {
         MakePackage(bench, "SettingsWithoutProductFolderName", L"good",
                     "[Setup]\r\n%PROGRAM_FILES=\r\n%PROGRAM_EXEC=Kestra.exe\r\n"
                     "%PROGRAM_VERSION=2.0\r\n%PUBLISHER=Kestra Software\r\n"
                     "%REG_FODLER_PROGNAME=KestraCapture\r\n"
                     "%PROGRAM_ONBOOT=KestraCatalog\r\n");
         bench.package->WriteText(L"EULA\\en\\Service.rtf", "{\\rtf1\\ansi Licence\\par}");
         e2e::WriteFileText(SpecialFolder(CSIDL_PROGRAM_FILES) + L"\\KestraNeighbour\\kept.txt",
                            "another product");
         e2e::WriteFileText(SpecialFolder(CSIDL_COMMON_TEMPLATES) + L"\\KestraNeighbour\\Setup.exe",
                            "another product's uninstaller");
       },
       L"", Outcome::kMessage, kCannotNameTheRegistryFolder, nullptr,
       [](const Bench&) {
         EXPECT_EQ(
             e2e::FileBytes(SpecialFolder(CSIDL_PROGRAM_FILES) + L"\\KestraNeighbour\\kept.txt"),
             std::optional<std::string>("another product"));
       }});
}

// --- Folder names -------------------------------------------------------------------------

// Values no folder name may take, numbered as make_bad_workbooks.py numbers its menu workbooks.
struct NameValue {
  const char* label;
  std::string value;
};
const NameValue kNameValues[] = {{"Empty", ""},
                                 {"Dot", "."},
                                 {"DotDot", ".."},
                                 {"Backslash", "a\\b"},
                                 {"DriveRelative", "C:x"},
                                 {"DeviceName", "CON"},
                                 {"TrailingDot", "name."}};

// The catalogue's settings with a manual, each key once; `key` set to `value` when given.
std::string NameSettings(const std::string& key = "", const std::string& value = "") {
  const std::pair<std::string, std::string> keys[] = {{"%PROGRAM_FILES", "KestraCatalog"},
                                                      {"%PROGRAM_FILES_OLD", "Earlier"},
                                                      {"%UPDATER_DIR", "Updater"},
                                                      {"%PROGRAM_EXEC", "Kestra.exe"},
                                                      {"%PROGRAM_VERSION", "2.0"},
                                                      {"%PUBLISHER", "Kestra Software"},
                                                      {"%REG_FODLER_PROGNAME", "KestraCapture"},
                                                      {"%UNINST_ICO", "Uninstall.ico"},
                                                      {"%MANULA_EXIST", "1"},
                                                      {"%MANUAL_DIR", "Manual\\"}};
  std::string text = "[Setup]\r\n";
  for (const auto& [name, data] : keys) {
    text += name + "=" + (name == key ? value : data) + "\r\n";
  }
  return text;
}

std::string Label(std::string key) {
  std::erase(key, '%');
  std::erase(key, '_');
  return key;
}

// A name that keeps the rules (or an empty one that has a meaning) reaches the welcome page;
// any other is refused before anything changes.
BadPackage NameCase(const std::string& key, const NameValue& value, bool allowed,
                    const wchar_t* workbook, const std::string& settings) {
  const std::string name = "Names" + Label(key) + value.label;
  return {name, [=](Bench& bench) { MakePackage(bench, name, workbook, settings); }, L"",
          allowed ? Outcome::kWelcomePage : Outcome::kMessage,
          allowed ? L"" : kCannotNameTheRegistryFolder};
}

void AddNameCases(std::vector<BadPackage>& cases) {
  // Empty values with a meaning: no old program folder, no updater folder of its own, ...
  const std::string mayBeEmpty[] = {"%PROGRAM_FILES_OLD",      "%UPDATER_DIR",
                                    "%PROGRAM_EXEC",           "%UNINST_ICO",
                                    "LINK_PROGRAMS_PUBLISHER", "LINK_PROGRAMS_FOLDER"};
  const auto allowed = [&](const std::string& key, const NameValue& value) {
    if (value.value.empty()) return std::ranges::find(mayBeEmpty, key) != std::end(mayBeEmpty);
    // The icon is a path below the program folder.
    return key == "%UNINST_ICO" && value.value == "a\\b";
  };
  for (const char* key : {"%PROGRAM_FILES", "%PROGRAM_FILES_OLD", "%UPDATER_DIR", "%PROGRAM_EXEC",
                          "%PUBLISHER", "%REG_FODLER_PROGNAME", "%UNINST_ICO"}) {
    for (const NameValue& value : kNameValues) {
      cases.push_back(
          NameCase(key, value, allowed(key, value), L"good", NameSettings(key, value.value)));
    }
  }
  static const std::vector<std::wstring> workbooks = [] {
    std::vector<std::wstring> names;
    for (const char* text :
         {"LINK_PROGRAMS_PUBLISHER", "LINK_PROGRAMS_FOLDER", "LINK_PROGRAMS_EXEC",
          "LINK_PROGRAMS_UNIST", "LINK_PROGRAMS_MANUAL", "LINK_DESKTOP"}) {
      for (size_t index = 0; index < std::size(kNameValues); ++index) {
        names.push_back(L"menu_" + Wide(text) + L"_" + std::to_wstring(index));
      }
    }
    return names;
  }();
  size_t next = 0;
  for (const char* text : {"LINK_PROGRAMS_PUBLISHER", "LINK_PROGRAMS_FOLDER", "LINK_PROGRAMS_EXEC",
                           "LINK_PROGRAMS_UNIST", "LINK_PROGRAMS_MANUAL", "LINK_DESKTOP"}) {
    for (const NameValue& value : kNameValues) {
      cases.push_back(
          NameCase(text, value, allowed(text, value), workbooks[next++].c_str(), NameSettings()));
    }
  }
  // The registry mode rewrites the record of an installation: without the names it needs it
  // must not delete that record and write nothing back.
  for (const char* key : {"%PUBLISHER", "%REG_FODLER_PROGNAME"}) {
    const std::string name = "NamesRegistryModeWithout" + Label(key);
    cases.push_back({name,
                     [=](Bench& bench) {
                       MakePackage(bench, name, L"good", NameSettings(key, ""));
                       SeedPen(bench, L"");
                       bench.package->WriteText(L"Setup_old.ini", std::string(kPenSettings));
                       bench.mayChange.clear();
                     },
                     L"registry", Outcome::kMessage, kCannotNameTheRegistryFolder, nullptr,
                     [](const Bench& bench) {
                       EXPECT_TRUE(e2e::FileExists(bench.package->Folder() + L"Setup_old.ini"));
                     }});
  }
}

}  // namespace

std::vector<BadPackage> AllBadPackages() {
  std::vector<BadPackage> cases;
  AddWorkbookCases(cases);
  AddSettingsCases(cases);
  AddRecordCases(cases);
  AddWindowCases(cases);
  AddUpdaterCases(cases);
  AddFileListCases(cases);
  AddPayloadCases(cases);
  AddNameCases(cases);
  return cases;
}

}  // namespace catalogue
